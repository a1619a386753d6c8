#include "register/debits.h"

#include "admin/storable_text.h"
#include "register/debit_items.h"
#include "register/fines.h"
#include "register/page_catalogue.h"
#include "register/taxpayer.h"
#include "store/interaction.h"
#include "store/row_fields.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

namespace dajdor::reg {
namespace {

const QString kBuildings = QStringLiteral("Cladiri");
const QString kAnnexes = QStringLiteral("Cladiri-Anexe");
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
// SUMAINI and SUMAC are DECIMAL(6,0): a negative amount keeps a place for its sign.
constexpr std::int64_t kLargestNegated = 99999;

// "Reducere", "Majorare" and "Taxa" change an amount, not the property.
bool changesProperty(const QString& category) {
  return category == QLatin1String("Cumparare") || category == QLatin1String("Vanzare");
}
bool negated(const QString& category) {
  return category == QLatin1String("Vanzare") || category == QLatin1String("Reducere");
}

bool refuse(Interaction& ui, const QString& text, const QString& field) {
  ui.problem(text, field);
  return false;
}

// The value of `column` among the stored pairs, "" when absent.
Currency pairValue(const Debit& debit, const QString& column) {
  for (std::size_t i = 0; i < debit.fields.size(); ++i)
    if (!column.isEmpty() && debit.fields[i] == column) return Currency::fromText(QString(debit.values[i]).replace(',', '.'));
  return {};
}

using Pairs = QList<QPair<QString, QString>>;

Pairs buildingPairs(const DebitEntry& e) {
  if (e.legalPerson) {
    const QString n = e.annex ? QStringLiteral("A1") : QStringLiteral("1");
    return {{"V" + n, e.inventoryValue.text()}, {"AM" + n, yesNo(e.depreciated)}, {"INV" + n, yesNo(e.unevaluated)}};
  }
  const QString p = e.annex ? QStringLiteral("CA") : QStringLiteral("C1");
  return {{p + "S", e.area.text()},
          {p + "A", e.year.text()},
          {p + "C", QString::number(e.material)},
          {p + "Z", e.zone},
          {p + "R", e.rank}};
}

QString builtColumn(const DebitEntry& e) {
  if (e.builtCategory == kYardCategory) return "CC" + e.builtZone;
  return QStringLiteral("AL%1%2").arg(debitBuiltLandCategories().indexOf(e.builtCategory)).arg(e.builtZone);
}

QString openColumn(const DebitEntry& e) {
  return QStringLiteral("L%1%2").arg(openLandCategories().indexOf(e.openCategory) + 1).arg(e.openZone);
}

Pairs vehiclePairs(const DebitEntry& e, const VehicleEntry& v) {
  Pairs pairs;
  if (v.hasCapacity()) pairs.append({v.capacityColumn, e.capacity.text()});
  if (v.hasCount()) pairs.append({v.countColumn, e.count.text()});
  return pairs;
}

const VehicleEntry& vehicleOf(const DebitEntry& e) {
  const VehicleEntry* v = vehicleEntry(e.vehicle);
  return v ? *v : vehicleEntries().front();
}

}  // namespace

QStringList debitCategories() { return {"Cumparare", "Vanzare", "Reducere", "Majorare", "Taxa"}; }
QStringList debitGroups() { return {kGroupBuildings, kGroupLandInside, kGroupLandOutside, kGroupVehicles}; }

DebitTab debitTab(const QString& group, bool legalPerson) {
  switch (GroupIndex(group)) {
    case 1: return legalPerson ? DebitTab::ConJ : DebitTab::ConF;
    case 2: return DebitTab::TI;
    case 3: return DebitTab::TE;
    default: return DebitTab::ITM;
  }
}

QString tabName(DebitTab tab) {
  static const QStringList names = {"ConF", "ConJ", "TI", "TE", "ITM"};
  return names[static_cast<int>(tab)];
}

DebitEntry resetDebitEntry(const QDate& today, const QString& defaultZone, const QString& defaultRank, int workYear,
                           bool legalPerson) {
  DebitEntry e;
  e.day = today;
  e.group = debitGroups().front();
  e.category = debitCategories().front();
  e.legalPerson = legalPerson;
  e.year = Currency::whole(workYear);
  e.zone = defaultZone;
  e.rank = defaultRank;
  e.builtCategory = debitBuiltLandCategories().front();
  e.builtZone = builtLandZones().front();
  e.openCategory = openLandCategories().front();
  e.openZone = openLandZones().front();
  e.vehicle = vehicleEntries().front().name;
  return e;
}

QDate penaltyStart(const QDate& day) {
  const QDate later = day.addMonths(2);
  return QDate(later.year(), later.month(), 1);
}

bool checkDebitEntry(DebitEntry& e, int workYear, Interaction& ui) {
  e.explanation = CleanSpaces(e.explanation);
  e.number = Currency::whole(e.number.truncated());
  if (const QString problem = admin::storableTextProblem(e.explanation, kExplanationWidth); !problem.isEmpty())
    return refuse(ui, problem, DebitField::Explanation);
  const bool property = changesProperty(e.category);
  switch (debitTab(e.group, e.legalPerson)) {
    case DebitTab::ConF:
      if (!property) {
        e.area = e.year = {};
      } else if (e.area <= Currency()) {
        return refuse(ui, QStringLiteral("Lipseste Suprafata construita!"), DebitField::Area);
      } else if (e.year < Currency::whole(1000) || e.year > Currency::whole(workYear)) {
        return refuse(ui, QStringLiteral("Anul construirii este incorect!"), DebitField::Year);
      }
      break;
    case DebitTab::ConJ:
      if (!property) e.inventoryValue = {};
      else if (e.inventoryValue <= Currency())
        return refuse(ui, QStringLiteral("Lipseste Valoarea de inventar!"), DebitField::InventoryValue);
      break;
    case DebitTab::TI:
      if (!property) e.builtSurface = {};
      else if (e.builtSurface <= Currency())
        return refuse(ui, QStringLiteral("Lipseste Suprafata!"), DebitField::BuiltSurface);
      break;
    case DebitTab::TE:
      break;
    case DebitTab::ITM: {
      const VehicleEntry& v = vehicleOf(e);
      if (!property) {
        e.count = e.capacity = {};
      } else if (v.hasCapacity() && e.capacity <= Currency()) {
        return refuse(ui, QStringLiteral("Lipseste Capacitatea!"), DebitField::Capacity);
      } else if (v.hasCount() && e.count <= Currency()) {
        return refuse(ui, QStringLiteral("Lipseste Cantitatea (buc.)!"), DebitField::Count);
      }
      break;
    }
  }
  if (e.amount < Currency())
    return refuse(ui, QStringLiteral("Valoarea Impozitului (Debitului) nu poate fi negativa!"), DebitField::Amount);
  e.amount = Currency::whole(e.amount.truncated());
  if (negated(e.category) && e.amount.truncated() > kLargestNegated)
    return refuse(ui, QStringLiteral("La %1 valoarea poate avea cel mult 5 cifre!").arg(e.category), DebitField::Amount);
  return true;
}

DebitDescription BuildDebitDescription(const DebitEntry& e) {
  DebitDescription d;
  d[0] = e.group;
  d[1] = e.explanation;
  d[2] = e.category;
  d[3] = e.day.toString(kDateFormat);
  d[4] = penaltyStart(e.day).toString(kDateFormat);
  Pairs pairs;
  switch (debitTab(e.group, e.legalPerson)) {
    case DebitTab::ConF:
    case DebitTab::ConJ:
      d[5] = e.annex ? kAnnexes : kBuildings;
      d[6] = QStringLiteral("PAG2");
      pairs = buildingPairs(e);
      break;
    case DebitTab::TI:
      d[5] = e.builtCategory;
      d[6] = QStringLiteral("PAG4");
      pairs = {{builtColumn(e), e.builtSurface.text()}};
      break;
    case DebitTab::TE:
      d[5] = e.openCategory;
      d[6] = QStringLiteral("PAG1");
      pairs = {{openColumn(e), e.openSurface.text()}};
      break;
    case DebitTab::ITM: {
      const VehicleEntry& v = vehicleOf(e);
      d[5] = v.name;
      d[6] = v.file;
      pairs = vehiclePairs(e, v);
      break;
    }
  }
  for (int i = 0; i < pairs.size() && i < 8; ++i) {
    d[7 + 2 * i] = pairs[i].first;
    d[8 + 2 * i] = pairs[i].second;
  }
  const std::int64_t amount = e.amount.truncated();
  d[23] = QString::number(negated(e.category) ? -amount : amount);
  return d;
}

QList<Debit> debitsOf(engine::Database& db, const QString& dataDir, std::int64_t idgos) {
  const auto rows = sql::query(db, "SELECT * FROM " + sql::table(dataDir, kDebitTable) + "\nWHERE IDGOS=" +
                                       sql::number(idgos) + "\nORDER BY DINDATA, IDDEB");
  QList<Debit> debits;
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    Debit d;
    d.iddeb = rowWhole(*rows, r, "IDDEB");
    d.idgos = rowWhole(*rows, r, "IDGOS");
    d.group = rowText(*rows, r, "GRUPA");
    d.explanation = rowText(*rows, r, "DOCJUS");
    d.number = rowWhole(*rows, r, "NR");
    d.category = rowText(*rows, r, "CATEG");
    d.day = rowDate(*rows, r, "DINDATA");
    d.penaltyDay = rowDate(*rows, r, "PENDATA");
    d.name = rowText(*rows, r, "DENUM");
    d.file = rowText(*rows, r, "FISIER");
    for (int i = 0; i < 8; ++i) {
      d.fields[i] = rowText(*rows, r, "CAMP" + std::to_string(i + 1));
      d.values[i] = rowText(*rows, r, "VAL" + std::to_string(i + 1));
    }
    d.initial = rowWhole(*rows, r, "SUMAINI");
    d.unpaid = rowWhole(*rows, r, "SUMAC");
    debits.append(d);
  }
  return debits;
}

DebitEntry entryOf(const Debit& debit, DebitEntry e) {
  e.day = debit.day;
  e.group = debit.group;
  e.category = debit.category;
  e.explanation = debit.explanation;
  e.number = Currency::whole(debit.number);
  e.amount = Currency::whole(std::abs(debit.initial));
  const QString firstColumn = debit.fields[0];
  const QString zone = firstColumn.right(1);
  switch (debitTab(debit.group, e.legalPerson)) {
    case DebitTab::ConF: {
      e.annex = debit.name == kAnnexes;
      const QString p = e.annex ? QStringLiteral("CA") : QStringLiteral("C1");
      e.area = pairValue(debit, p + "S");
      e.year = pairValue(debit, p + "A");
      e.material = static_cast<int>(pairValue(debit, p + "C").truncated());
      if (debit.fields[3] == p + "Z") e.zone = debit.values[3];
      if (debit.fields[4] == p + "R") e.rank = debit.values[4];
      break;
    }
    case DebitTab::ConJ: {
      e.annex = debit.name == kAnnexes;
      const QString n = e.annex ? QStringLiteral("A1") : QStringLiteral("1");
      e.inventoryValue = pairValue(debit, "V" + n);
      e.depreciated = debit.values[1] == QLatin1String("DA");
      e.unevaluated = debit.values[2] == QLatin1String("DA");
      break;
    }
    case DebitTab::TI:
      if (debitBuiltLandCategories().contains(debit.name)) e.builtCategory = debit.name;
      if (builtLandZones().contains(zone)) e.builtZone = zone;
      e.builtSurface = pairValue(debit, firstColumn);
      break;
    case DebitTab::TE:
      if (openLandCategories().contains(debit.name)) e.openCategory = debit.name;
      if (openLandZones().contains(zone)) e.openZone = zone;
      e.openSurface = pairValue(debit, firstColumn);
      break;
    case DebitTab::ITM:
      if (const VehicleEntry* v = vehicleEntry(debit.name)) {
        e.vehicle = v->name;
        e.capacity = pairValue(debit, v->capacityColumn);
        e.count = pairValue(debit, v->countColumn);
      }
      break;
  }
  return e;
}

namespace {

// Entries 2 to 22 of a description as statement values, in describedFields() order.
QStringList describedTexts(const DebitDescription& d) {
  QStringList texts;
  for (int i = 2; i <= 22; ++i) texts.append(i == 3 || i == 4 ? sql::date(QDate::fromString(d[i], kDateFormat))
                                                              : sql::quote(d[i]));
  return texts;
}

const QStringList& describedFields() {
  static const QStringList fields = [] {
    QStringList f = {"CATEG", "DINDATA", "PENDATA", "DENUM", "FISIER"};
    for (int i = 1; i <= 8; ++i) f << QStringLiteral("CAMP%1").arg(i) << QStringLiteral("VAL%1").arg(i);
    return f;
  }();
  return fields;
}

}  // namespace

std::int64_t addDebit(engine::Database& db, const QString& dataDir, SettingsFile& settings, std::int64_t idgos,
                      const DebitEntry& entry) {
  const DebitDescription d = BuildDebitDescription(entry);
  const std::int64_t iddeb = settings.reserveCounter("SERVER", "IDDEB", 1);
  const QStringList values = QStringList{sql::number(iddeb), sql::number(idgos), sql::quote(d[0]), sql::quote(d[1]),
                                         sql::number(entry.number.truncated())} +
                             describedTexts(d) + QStringList{d[23], d[23]};
  sql::execute(db, "INSERT INTO " + sql::table(dataDir, kDebitTable) + "\n(IDDEB, IDGOS, GRUPA, DOCJUS, NR, " +
                       describedFields().join(", ") + ",\nSUMAINI, SUMAC )\nVALUES (" + values.join(", ") + ")");
  return iddeb;
}

bool modifyDebit(engine::Database& db, const QString& dataDir, const Debit& before, const DebitEntry& entry,
                 Interaction& ui) {
  const QString title = QStringLiteral("Modifica debit");
  if (before.paidOn() &&
      !ui.confirm(title, QStringLiteral("La acest debit s-a taiat chitanta/OP/N.C.!\rSunteti sigur ca doriti modificarea?")))
    return false;
  const DebitDescription d = BuildDebitDescription(entry);
  const QStringList texts = describedTexts(d);
  QStringList set = {"GRUPA=" + sql::quote(d[0]), "DOCJUS=" + sql::quote(d[1]),
                     "NR=" + sql::number(entry.number.truncated())};
  for (int i = 0; i < texts.size(); ++i) set.append(describedFields()[i] + "=" + texts[i]);
  const std::int64_t amount = d[23].toLongLong();
  set.append("SUMAINI=" + sql::number(amount));
  set.append("SUMAC=" + sql::number(amount - (before.initial - before.unpaid)));
  sql::execute(db, "UPDATE " + sql::table(dataDir, kDebitTable) + "\nSET " + set.join(",\n") +
                       "\nWHERE IDDEB=" + sql::number(before.iddeb));
  return true;
}

bool deleteDebit(engine::Database& db, const QString& dataDir, const std::optional<Debit>& row, Interaction& ui) {
  const QString title = QStringLiteral("Stergere Debit");
  if (!yearRowChosen(row.has_value(), false, DebitField::Grid, ui)) return false;
  if (row->paidOn()) {
    ui.message(title, QStringLiteral("La debitul selectat s-a operat o incasare!\rAnulati mai intai chitanta sau N.C.!"),
               Button::Ok, MessageKind::Error);
    return false;
  }
  if (!ui.confirm(title, QStringLiteral("Doriti sa stergem debitul selectat?"))) return false;
  sql::execute(db, "DELETE FROM " + sql::table(dataDir, kDebitTable) + "\nWHERE IDDEB=" + sql::number(row->iddeb));
  return true;
}

}  // namespace dajdor::reg
