#include "register/transfer_store.h"

#include "register/page_value_rules.h"
#include "store/day_number.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

#include <QSet>
#include <QStringList>

namespace dajdor::reg {
namespace {

struct TableInput {
  int page;
  const PageInput* input;
};

// The stored inputs of every page of each page table.
const QHash<QString, QList<TableInput>>& inputsByTable() {
  static const QHash<QString, QList<TableInput>> byTable = [] {
    QHash<QString, QList<TableInput>> map;
    for (const AssessmentPage& page : assessmentPages())
      for (const PageInput* in : page.inputs())
        if (in->stored()) map[page.table].append({page.number, in});
    return map;
  }();
  return byTable;
}

QString text(const engine::RowSource& rows, std::size_t row, int column) {
  return column < 0 ? QString() : QString::fromStdString(rows.value(row, static_cast<std::size_t>(column)).toString());
}
std::int64_t whole(const engine::RowSource& rows, std::size_t row, int column) {
  return column < 0 ? 0 : rows.value(row, static_cast<std::size_t>(column)).toInt();
}
int column(const engine::RowSource& rows, const char* name) { return rows.columnIndex(name); }

// The rows of these taxpayers: one indexed statement for the whole batch.
QString ownersCondition(const QList<std::int64_t>& ids) {
  QStringList numbers;
  numbers.reserve(ids.size());
  for (const std::int64_t id : ids) numbers.append(sql::number(id));
  return "WHERE IDGOS IN (" + numbers.join(", ") + ")";
}

using Files = std::unordered_map<std::int64_t, TransferStore::Fetched>;

void readDebts(engine::Database& db, const QString& dir, const QString& owners, Files& files) {
  const auto rows = sql::query(db, "SELECT * FROM " + sql::table(dir, kDebtTable) + " " + owners);
  const int idgos = column(*rows, "IDGOS"), iddat = column(*rows, "IDDAT"), village = column(*rows, "SATUL"),
            role = column(*rows, "ROL"), group = column(*rows, "GRUPA"), name = column(*rows, "DENUM"),
            kind = column(*rows, "TIP"), document = column(*rows, "DOCJUS"), unit = column(*rows, "UM"),
            day = column(*rows, "DINDATA"), amount = column(*rows, "SUMA"), rest = column(*rows, "REST"),
            reduction = column(*rows, "REDUC"), percent = column(*rows, "REDUCP"), exempted = column(*rows, "SCUTIT"),
            assessed = column(*rows, "SUMA2"), initial = column(*rows, "RESTINI"), quantity = column(*rows, "CANT");
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    const auto file = files.find(whole(*rows, r, idgos));
    if (file == files.end()) continue;
    DebtRow d;
    d.iddat = whole(*rows, r, iddat);
    d.village = text(*rows, r, village);
    d.role = text(*rows, r, role);
    d.group = text(*rows, r, group);
    d.name = text(*rows, r, name);
    d.kind = text(*rows, r, kind);
    d.document = text(*rows, r, document);
    d.unit = text(*rows, r, unit);
    const engine::Value firstDay = day < 0 ? engine::Value() : rows->value(r, static_cast<std::size_t>(day));
    d.firstDay = firstDay.isNull() ? 0 : firstDay.toDay();
    d.amount = whole(*rows, r, amount);
    d.arrears = whole(*rows, r, rest);
    d.reduction = whole(*rows, r, reduction);
    d.reductionPercent = whole(*rows, r, percent);
    d.exempted = whole(*rows, r, exempted);
    d.assessed = whole(*rows, r, assessed);
    d.initialArrears = whole(*rows, r, initial);
    d.quantity = quantity < 0 ? Currency() : Currency::fromValue(rows->value(r, static_cast<std::size_t>(quantity)));
    file->second.file.debts.append(d);
  }
}

void readBalances(engine::Database& db, const QString& dir, const QString& owners, Files& files) {
  const auto rows = sql::query(db, "SELECT * FROM " + sql::table(dir, kBalanceTable) + " " + owners);
  const int idgos = column(*rows, "IDGOS"), idres = column(*rows, "IDRES"), village = column(*rows, "SATUL"),
            role = column(*rows, "ROL"), group = column(*rows, "GRUPA"), kind = column(*rows, "TIP"),
            amount = column(*rows, "SUMA"), rest = column(*rows, "REST"), reduction = column(*rows, "REDUC"),
            exemption = column(*rows, "SCUTIRE"), owed = column(*rows, "DATOR"), plus = column(*rows, "DEPOZ"),
            penalties = column(*rows, "MAJOR"), initialOwed = column(*rows, "DATORI"),
            initialPlus = column(*rows, "DEPOZI"), initialPenalties = column(*rows, "MAJORI");
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    const auto file = files.find(whole(*rows, r, idgos));
    if (file == files.end()) continue;
    file->second.file.balances.append(
        {whole(*rows, r, idres), text(*rows, r, village), text(*rows, r, role), text(*rows, r, group),
         text(*rows, r, kind), whole(*rows, r, amount), whole(*rows, r, rest), whole(*rows, r, reduction),
         whole(*rows, r, exemption), whole(*rows, r, owed), whole(*rows, r, plus), whole(*rows, r, penalties),
         whole(*rows, r, initialOwed), whole(*rows, r, initialPlus), whole(*rows, r, initialPenalties)});
  }
}

QString mainGroupCondition() {
  return "(GRUPA=" + sql::quote(kGroupBuildings) + "\nOR   GRUPA=" + sql::quote(kGroupLandInside) +
         "\nOR   GRUPA=" + sql::quote(kGroupLandOutside) + "\nOR   GRUPA=" + sql::quote(kGroupVehicles) + ")";
}

void readPayments(engine::Database& db, const QString& dir, const QString& owners, Files& files) {
  const auto rows = sql::query(
      db, "SELECT IDGOS, GRUPA, SUM(RESTANTA) AS TREST, SUM(MAJOREST) AS TMAJORREST,\n"
          "SUM(DEPOZIT) AS TDEPOZIT, SUM(CURENT) AS TCURENT, SUM(MAJOR) AS TMAJOR,\n"
          "SUM(REDUCERE) AS TREDUCERE\nFROM " +
              sql::table(dir, kPaymentTable) + "\n" + owners + "\nAND " + mainGroupCondition() +
              "\nGROUP BY IDGOS, GRUPA");
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    const auto file = files.find(whole(*rows, r, 0));
    if (file == files.end()) continue;
    file->second.file.payments.insert(text(*rows, r, 1),
                                      {whole(*rows, r, 2), whole(*rows, r, 3), whole(*rows, r, 4),
                                       whole(*rows, r, 5), whole(*rows, r, 6), whole(*rows, r, 7)});
  }
}

// The SET list of an UPDATE: only the fields whose value changed, since the
// engine parses and stores every one named.
class Assignments {
 public:
  template <typename Value>
  void add(const char* field, bool changed, Value value) {
    if (changed) parts_.append(QLatin1String(field) + '=' + value());
  }
  bool isEmpty() const { return parts_.isEmpty(); }
  QString text() const { return parts_.join(", "); }

 private:
  QStringList parts_;
};

int digits(std::int64_t n) {
  int count = 1;
  for (std::uint64_t rest = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n); rest >= 10;
       rest /= 10)
    ++count;
  return count;
}

// A number fits a numeric field when its text (sign, digits, point, decimals) fits the width.
bool fits(const TransferStore::FieldLimits& fields, const char* name, Currency value) {
  const auto f = fields.find(name);
  if (f == fields.end() || (f->second.type != 'N' && f->second.type != 'F')) return true;
  const int width = digits(value.truncated()) + (value < Currency() ? 1 : 0) +
                    (f->second.decimals > 0 ? f->second.decimals + 1 : 0);
  return width <= f->second.length;
}

// The fields of a table by their upper-case names.
TransferStore::FieldLimits fieldLimits(const std::vector<engine::FieldDesc>& fields) {
  TransferStore::FieldLimits limits;
  for (const engine::FieldDesc& f : fields) limits.emplace(QString::fromStdString(f.name).toUpper().toStdString(), f);
  return limits;
}

QString refusal(const Taxpayer& t, const QString& field, const QString& table, const QString& line, Currency value) {
  return QStringLiteral("%1 (ROL %2, %3) a fost respins: valoarea %4 nu incape in campul %5 din %6 (%7).")
      .arg(t.name, t.role, t.village, value.text(), field, table, line);
}

}  // namespace

TransferStore::TransferStore(engine::Database& db, QString dataDir, SettingsFile& settings, const admin::Rates& rates,
                             int workYear, qint64 idBlock)
    : db_(db),
      dataDir_(std::move(dataDir)),
      rates_(rates),
      workYear_(workYear),
      debtIds_(settings, "SERVER", "IDDAT"),
      balanceIds_(settings, "SERVER", "IDRES"),
      idBlock_(idBlock) {}

const QVector<int>& TransferStore::columnsOf(const QString& table, const engine::RowSource& rows) {
  auto it = columns_.find(table);
  if (it == columns_.end()) {
    QVector<int> indexes;
    for (const TableInput& in : inputsByTable().value(table)) indexes.append(rows.columnIndex(in.input->column.toStdString()));
    it = columns_.insert(table, indexes);
  }
  return *it;
}

// The calculators read an absent quantity as 0, so the zeros that fill most of a
// file (a hundred vehicle classes nobody has) are left out.
void TransferStore::readPages(const QList<std::int64_t>& ids, const QString& owners) {
  Files& files = fetched_;
  const auto isZero = [](const PageInput& in, const engine::Value& v) {
    return in.kind == PageInputKind::Quantity && (v.isNull() || (v.isNumber() && v.toDouble() == 0));
  };
  for (const QString& table : pageTables()) {
    const auto rows = sql::query(db_, "SELECT * FROM " + sql::table(dataDir_, table) + " " + owners);
    const QList<TableInput>& inputs = inputsByTable().value(table);
    const QVector<int>& columns = columnsOf(table, *rows);
    const int owner = column(*rows, "IDGOS");
    QSet<std::int64_t> found;
    for (std::size_t r = 0; r < rows->rowCount(); ++r) {
      const std::int64_t idgos = whole(*rows, r, owner);
      const auto file = files.find(idgos);
      // A taxpayer's page is his first row of the table.
      if (file == files.end() || found.contains(idgos)) continue;
      found.insert(idgos);
      auto& pages = file->second.file.pages;
      for (int i = 0; i < inputs.size(); ++i) {
        const PageInput& in = *inputs[i].input;
        const engine::Value value =
            columns[i] < 0 ? engine::Value() : rows->value(r, static_cast<std::size_t>(columns[i]));
        if (isZero(in, value)) continue;
        const QString stored = storedText(in, value);
        pages[inputs[i].page].insert(in.name, stored.isEmpty() ? defaultValue(in, rates_, workYear_) : stored);
      }
    }
    for (const std::int64_t idgos : ids) {
      if (found.contains(idgos)) continue;
      Fetched& fetched = files[idgos];
      fetched.missingPage = true;
      for (const TableInput& in : inputs)
        if (in.input->kind != PageInputKind::Quantity)
          fetched.file.pages[in.page].insert(in.input->name, defaultValue(*in.input, rates_, workYear_));
    }
  }
}

void TransferStore::prefetch(const QList<Taxpayer>& taxpayers) {
  fetched_.clear();
  fetch(taxpayers);
}

void TransferStore::fetch(const QList<Taxpayer>& taxpayers) {
  QList<std::int64_t> ids;
  for (const Taxpayer& t : taxpayers)
    if (fetched_.try_emplace(t.idgos).second) ids.append(t.idgos);
  // The engine checks every row it finds against the whole IN list, so the
  // lists are kept short: a few dozen taxpayers per statement.
  constexpr int kPerStatement = 32;
  for (qsizetype first = 0; first < ids.size(); first += kPerStatement) {
    const QList<std::int64_t> chunk = ids.mid(first, kPerStatement);
    const QString owners = ownersCondition(chunk);
    readPages(chunk, owners);
    readDebts(db_, dataDir_, owners, fetched_);
    readBalances(db_, dataDir_, owners, fetched_);
    readPayments(db_, dataDir_, owners, fetched_);
  }
}

void TransferStore::forget() { fetched_.clear(); }

TaxpayerFile TransferStore::read(const Taxpayer& taxpayer) {
  // Read once: a taxpayer sent twice in a batch is read again after his first write.
  if (fetched_.find(taxpayer.idgos) == fetched_.end()) fetch({taxpayer});
  const auto node = fetched_.extract(taxpayer.idgos);
  Fetched fetched = std::move(node.mapped());
  fetched.file.taxpayer = taxpayer;
  if (fetched.missingPage) CreateEmptyPages(db_, dataDir_, taxpayer.idgos, rates_);
  return std::move(fetched.file);
}

const TransferStore::Limits& TransferStore::limits() {
  if (!limits_)
    limits_ = Limits{fieldLimits(db_.fields(sql::tablePath(dataDir_, kDebtTable).toStdString())),
                     fieldLimits(db_.fields(sql::tablePath(dataDir_, kBalanceTable).toStdString()))};
  return *limits_;
}

QString TransferStore::problem(const TransferPlan& plan, const Taxpayer& taxpayer) {
  const Limits& l = limits();
  for (const auto& d : plan.debts) {
    if (d.change != RowChange::Inserted && d.change != RowChange::Updated) continue;
    const DebtRow& r = d.row;
    const std::pair<const char*, Currency> values[] = {
        {"SUMA", Currency::whole(r.amount)},     {"SUMA2", Currency::whole(r.assessed)},
        {"REST", Currency::whole(r.arrears)},    {"RESTINI", Currency::whole(r.initialArrears)},
        {"REDUC", Currency::whole(r.reduction)}, {"REDUCP", Currency::whole(r.reductionPercent)},
        {"SCUTIT", Currency::whole(r.exempted)}, {"CANT", r.quantity}};
    for (const auto& [field, value] : values)
      if (!fits(l.debt, field, value)) return refusal(taxpayer, field, "Datorii", r.name, value);
  }
  for (const auto& b : plan.balances) {
    if (b.change != RowChange::Inserted && b.change != RowChange::Updated) continue;
    const BalanceRow& r = b.row;
    const std::pair<const char*, std::int64_t> values[] = {
        {"SUMA", r.amount},  {"REST", r.rest},           {"REDUC", r.reduction},   {"SCUTIRE", r.exemption},
        {"DATOR", r.owed},   {"DEPOZ", r.plus},          {"MAJOR", r.penalties},   {"DATORI", r.initialOwed},
        {"DEPOZI", r.initialPlus}, {"MAJORI", r.initialPenalties}};
    for (const auto& [field, value] : values)
      if (!fits(l.balance, field, Currency::whole(value)))
        return refusal(taxpayer, field, "SoldCalc", r.group, Currency::whole(value));
  }
  return {};
}

void TransferStore::write(TransferPlan& plan, const Taxpayer& taxpayer) {
  const QString debts = sql::table(dataDir_, kDebtTable);
  const QString balances = sql::table(dataDir_, kBalanceTable);
  const QString owner = sql::number(taxpayer.idgos);
  for (auto& d : plan.debts) {
    if (d.change == RowChange::Unchanged) continue;
    DebtRow& r = d.row;
    const QString firstDay = sql::date(dateOfDay(r.firstDay));
    const QString quantity = sql::number(r.quantity.toDouble(), 4);
    switch (d.change) {
      case RowChange::Unchanged: break;
      case RowChange::Inserted:
        r.iddat = debtIds_.take(idBlock_);
        sql::execute(db_, "INSERT INTO " + debts +
                              "\n(IDDAT, IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, SUMA, REST, REDUC, UM, CANT,"
                              " REDUCP, SCUTIT, TIP, SUMA2, RESTINI)\nVALUES (" +
                              QStringList{sql::number(r.iddat), owner, firstDay, sql::quote(r.village),
                                          sql::quote(r.role), sql::quote(r.group), sql::quote(r.name),
                                          sql::quote(r.document), sql::number(r.amount), sql::number(r.arrears),
                                          sql::number(r.reduction), sql::quote(r.unit), quantity,
                                          sql::number(r.reductionPercent), sql::number(r.exempted),
                                          sql::quote(r.kind), sql::number(r.assessed), sql::number(r.initialArrears)}
                                  .join(", ") +
                              ")");
        break;
      case RowChange::Updated: {
        const DebtRow& o = d.original;
        Assignments set;
        set.add("SATUL", r.village != o.village, [&] { return sql::quote(r.village); });
        set.add("DINDATA", r.firstDay != o.firstDay, [&] { return firstDay; });
        set.add("SUMA", r.amount != o.amount, [&] { return sql::number(r.amount); });
        set.add("REST", r.arrears != o.arrears, [&] { return sql::number(r.arrears); });
        set.add("REDUC", r.reduction != o.reduction, [&] { return sql::number(r.reduction); });
        set.add("UM", r.unit != o.unit, [&] { return sql::quote(r.unit); });
        set.add("CANT", r.quantity != o.quantity, [&] { return quantity; });
        set.add("REDUCP", r.reductionPercent != o.reductionPercent, [&] { return sql::number(r.reductionPercent); });
        set.add("SCUTIT", r.exempted != o.exempted, [&] { return sql::number(r.exempted); });
        set.add("SUMA2", r.assessed != o.assessed, [&] { return sql::number(r.assessed); });
        set.add("RESTINI", r.initialArrears != o.initialArrears, [&] { return sql::number(r.initialArrears); });
        if (!set.isEmpty())
          sql::execute(db_, "UPDATE " + debts + "\nSET " + set.text() + "\nWHERE IDDAT=" + sql::number(r.iddat) +
                                " AND IDGOS=" + owner);
        break;
      }
      case RowChange::Deleted:
        sql::execute(db_, "DELETE FROM " + debts + "\nWHERE IDDAT=" + sql::number(r.iddat) + " AND IDGOS=" + owner);
        break;
    }
  }
  for (auto& b : plan.balances) {
    BalanceRow& r = b.row;
    if (b.change == RowChange::Inserted) {
      const QString amounts = QStringList{sql::number(r.amount), sql::number(r.rest), sql::number(r.reduction),
                                          sql::number(r.exemption), sql::number(r.owed), sql::number(r.plus),
                                          sql::number(r.penalties), sql::number(r.initialOwed),
                                          sql::number(r.initialPlus), sql::number(r.initialPenalties)}
                                  .join(", ");
      r.idres = balanceIds_.take(idBlock_);
      sql::execute(db_, "INSERT INTO " + balances +
                            "\n(IDRES, IDGOS, SATUL, ROL, GRUPA, TIP, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR,"
                            " DATORI, DEPOZI, MAJORI)\nVALUES (" +
                            QStringList{sql::number(r.idres), owner, sql::quote(r.village), sql::quote(r.role),
                                        sql::quote(r.group), sql::quote(r.kind)}
                                .join(", ") +
                            ", " + amounts + ")");
    } else if (b.change == RowChange::Updated) {
      const BalanceRow& o = b.original;
      Assignments set;
      const std::pair<const char*, std::int64_t BalanceRow::*> amounts[] = {
          {"SUMA", &BalanceRow::amount},           {"REST", &BalanceRow::rest},
          {"REDUC", &BalanceRow::reduction},       {"SCUTIRE", &BalanceRow::exemption},
          {"DATOR", &BalanceRow::owed},            {"DEPOZ", &BalanceRow::plus},
          {"MAJOR", &BalanceRow::penalties},       {"DATORI", &BalanceRow::initialOwed},
          {"DEPOZI", &BalanceRow::initialPlus},    {"MAJORI", &BalanceRow::initialPenalties}};
      for (const auto& [field, member] : amounts)
        set.add(field, r.*member != o.*member, [&] { return sql::number(r.*member); });
      if (!set.isEmpty())
        sql::execute(db_, "UPDATE " + balances + "\nSET " + set.text() + "\nWHERE IDRES=" + sql::number(r.idres) +
                              " AND IDGOS=" + owner);
    }
  }
}

}  // namespace dajdor::reg
