#include "register/assessment_pages.h"

#include "admin/settings_catalogue.h"
#include "register/page_value_rules.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace dajdor::reg {
namespace {

constexpr char kLockedTitle[] = "Modificare matricola";
constexpr char kLockedText[] = "Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!";

// The stored inputs of every page kept in `table`, in catalogue order: the
// columns of the table's default row.
QList<const PageInput*> tableInputs(const QString& table) {
  QList<const PageInput*> inputs;
  for (const AssessmentPage& page : assessmentPages())
    if (page.table == table)
      for (const PageInput* in : page.inputs())
        if (in->stored()) inputs.append(in);
  return inputs;
}

// The administration's default zone or rank when its list holds it, else the
// administration's first value for it.
QString listDefault(const admin::Rates& rates, const QString& setting, const QStringList& items) {
  const QString chosen = rates.text(setting).trimmed();
  if (items.contains(chosen)) return chosen;
  const admin::SettingInput* in = admin::findSettingInput(setting);
  return in && items.contains(in->initial) ? in->initial : items.value(0);
}

QString idCondition(qint64 idgos) { return "WHERE IDGOS=" + sql::number(static_cast<std::int64_t>(idgos)); }

void insertDefaultRow(engine::Database& db, const QString& dataDir, const QString& table, qint64 idgos,
                      const admin::Rates& rates, int workYear) {
  QStringList columns = {"IDGOS"};
  QStringList values = {sql::number(static_cast<std::int64_t>(idgos))};
  for (const PageInput* in : tableInputs(table)) {
    columns.append(in->column);
    values.append(sqlValue(*in, defaultValue(*in, rates, workYear)));
  }
  sql::execute(db, "INSERT INTO " + sql::table(dataDir, table) + "\n(" + columns.join(",") + ")\nVALUES(" +
                       values.join(",") + ")");
}

bool hasRow(engine::Database& db, const QString& dataDir, const QString& table, qint64 idgos) {
  return sql::scalar(db, "SELECT COUNT(*) FROM " + sql::table(dataDir, table) + " " + idCondition(idgos)) > 0;
}

// Runs `work` inside the caller's transaction, or inside one of its own.
template <typename Work>
void atomically(engine::Database& db, Work work) {
  if (db.inTransaction()) {
    work();
    return;
  }
  engine::Transaction transaction(db);
  work();
  transaction.commit();
}

bool legalPerson(engine::Database& db, const QString& dataDir, qint64 idgos) {
  const auto rows = sql::query(db, "SELECT TIP FROM " + sql::table(dataDir, "Gospodar.dbf") + " " + idCondition(idgos));
  return !rows->isEmpty() && QString::fromStdString(rows->value(0, 0).toString()).trimmed() == "JURIDICA";
}

bool hasPanels(const AssessmentPage& page) {
  for (const PageSection& s : page.sections)
    if (s.audience != Audience::Everyone) return true;
  return false;
}

double number(const QString& text) { return normalisedNumber(text).toDouble(); }

// "General" number text: at most four decimals, no trailing zeros.
QString generalNumber(double value) {
  const double rounded = std::round(value * 10000.0) / 10000.0;
  return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 4).remove(QRegularExpression("\\.?0+$"));
}

QString rateGrid(const QString& prefix, const QString& zone, const QString& rank) {
  return QString("%1Z%2R%3").arg(prefix, zone.trimmed()).arg(buildingRanks().indexOf(rank.trimmed()));
}

PageProblem vehicleProblem(const PageValues& values) {
  const double capacity = number(values.value("AUTO10"));
  if (capacity > 0 && capacity < 3000) return {"Capacitatea trebuie sa fie peste 3000 cmc!", "AUTO10"};
  return {};
}

PageProblem arrearsProblem(const PageValues& values) {
  for (int k = 1; k <= 4; ++k) {
    const QString plus = QString("Sold%1").arg(k);
    const double arrears = number(values.value(QString("NumericEdit%1").arg(11 + k))) +
                           number(values.value(QString("Pen%1").arg(11 + k)));
    if (number(values.value(plus)) > 0 && arrears > 0) return {"Nu puteti avea si sold si restanta!", plus};
  }
  return {};
}

// The page's value of an input, its default when the caller left it out.
QString valueOf(const PageValues& values, const PageInput& in, const admin::Rates& rates, int workYear) {
  const auto it = values.constFind(in.name);
  return it == values.constEnd() ? defaultValue(in, rates, workYear) : *it;
}

}  // namespace

QString defaultValue(const PageInput& input, const admin::Rates& rates, int workYear) {
  switch (input.defaultRule) {
    case DefaultRule::Fixed: return input.defaultText;
    case DefaultRule::Zone: return listDefault(rates, "ComboBox2", input.items);
    case DefaultRule::Rank: return listDefault(rates, "ComboBox3", input.items);
    case DefaultRule::EvaluationDate: return QDate(workYear, 1, 1).toString("dd.MM.yyyy");
  }
  return input.defaultText;
}

PageValues ClearPage(int page, const admin::Rates& rates, int workYear) {
  PageValues values;
  for (const PageInput* in : assessmentPage(page).inputs())
    if (in->stored()) values.insert(in->name, defaultValue(*in, rates, workYear));
  updateDisplays(page, values, rates);
  return values;
}

LoadedPage LoadPage(const AssessmentFile& file, int page, qint64 idgos) {
  const AssessmentPage& p = assessmentPage(page);
  LoadedPage loaded;
  if (hasPanels(p)) loaded.legalPerson = legalPerson(file.db, file.dataDir, idgos);
  const auto rows = sql::query(file.db, "SELECT *\nFROM " + sql::table(file.dataDir, p.table) + "\n" + idCondition(idgos));
  if (rows->isEmpty()) {
    insertDefaultRow(file.db, file.dataDir, p.table, idgos, file.rates, file.workYear);
    loaded.values = ClearPage(page, file.rates, file.workYear);
    return loaded;
  }
  for (const PageInput* in : p.inputs()) {
    if (!in->stored()) continue;
    const int column = rows->columnIndex(in->column.toStdString());
    const QString text = column < 0 ? QString() : storedText(*in, rows->value(0, static_cast<std::size_t>(column)));
    loaded.values.insert(in->name, text.isEmpty() ? defaultValue(*in, file.rates, file.workYear) : text);
  }
  updateDisplays(page, loaded.values, file.rates);
  return loaded;
}

PageProblem checkPage(int page, const PageValues& values) {
  for (const PageInput* in : assessmentPage(page).inputs()) {
    if (!in->stored() || !values.contains(in->name)) continue;
    const QString problem = valueProblem(*in, values.value(in->name));
    if (!problem.isEmpty()) return {problem, in->name};
  }
  if (page == 5) return vehicleProblem(values);
  if (page == 11) return arrearsProblem(values);
  return {};
}

StoreResult StorePage(const AssessmentFile& file, int page, qint64 idgos, const PageValues& values,
                      Interaction& ui) {
  const PageProblem problem = checkPage(page, values);
  if (!problem.isEmpty()) {
    ui.problem(problem.text, problem.field);
    return {StoreOutcome::Refused, problem.field};
  }
  if (RegisterLocked(file.dataDir, file.workYear)) {
    ui.message(kLockedTitle, kLockedText, Button::Ok, MessageKind::Error);
    return {StoreOutcome::Locked, {}};
  }
  const AssessmentPage& p = assessmentPage(page);
  QStringList assignments;
  for (const PageInput* in : p.inputs())
    if (in->stored()) assignments.append(in->column + "=" + sqlValue(*in, valueOf(values, *in, file.rates, file.workYear)));
  const QString update =
      "UPDATE " + sql::table(file.dataDir, p.table) + "\nSET " + assignments.join(",\n") + "\n" + idCondition(idgos);
  try {
    // One statement is atomic by itself; a missing row is made in the same transaction as the update.
    if (sql::execute(file.db, update) == 0) {
      atomically(file.db, [&] {
        insertDefaultRow(file.db, file.dataDir, p.table, idgos, file.rates, file.workYear);
        sql::execute(file.db, update);
      });
    }
  } catch (const std::exception& e) {
    ui.error("Eroare", sql::message(e));
    return {StoreOutcome::Failed, {}};
  }
  return {};
}

bool RegisterLocked(const SettingsFile& settings, int workYear) {
  try {
    return settings.ReadSetting("Server", admin::Rates::closedYearKey(workYear)).trimmed().toUpper() == "DA";
  } catch (const std::exception&) {
    return true;
  }
}

bool RegisterLocked(const QString& dataDir, int workYear) {
  return RegisterLocked(SettingsFile(sql::tablePath(dataDir, SettingsFile::kFileName)), workYear);
}

QString buildingTaxableValue(const admin::Rates& rates, int material, const QString& zone, const QString& rank,
                             const QString& area) {
  return generalNumber(rates.value(rateGrid(material == 0 ? "IC" : "IC2", zone, rank)) * number(area));
}

QString annexTaxableValue(const admin::Rates& rates, int material, const QString& zone, const QString& rank,
                          const QString& area) {
  return generalNumber(rates.value(rateGrid(QString("IA%1").arg(material + 1), zone, rank)) * number(area));
}

void updateDisplays(int page, PageValues& values, const admin::Rates& rates) {
  const auto position = [&](const QString& name) { return static_cast<int>(number(values.value(name))); };
  if (page == 2) {
    for (int i = 1; i <= 8; ++i) {
      const QString n = QString::number(i);
      values.insert("ValImp" + n, buildingTaxableValue(rates, position("CodMC" + n), values.value("ZonaC" + n),
                                                        values.value("RangC" + n), values.value("SupC" + n)));
    }
  } else if (page == 3) {
    values.insert("ValImpA1", annexTaxableValue(rates, position("ComboBox16"), values.value("ComboBox15"),
                                                values.value("ComboBox17"), values.value("NumericEdit11")));
    values.insert("ValImpA2", annexTaxableValue(rates, position("ComboBox1"), values.value("ComboBox2"),
                                                values.value("ComboBox18"), values.value("NumericEdit1")));
  }
}

void CreateEmptyPages(engine::Database& db, const QString& dataDir, qint64 idgos, const admin::Rates& rates) {
  atomically(db, [&] {
    for (const QString& table : pageTables())
      if (!hasRow(db, dataDir, table, idgos)) insertDefaultRow(db, dataDir, table, idgos, rates, kWorkYear);
  });
}

}  // namespace dajdor::reg
