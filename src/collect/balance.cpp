#include "collect/balance.h"

#include "collect/late_penalty.h"
#include "store/day_number.h"
#include "store/sql_helpers.h"

#include <QStringList>

namespace dajdor::collect {
namespace {

// Below this a year's amount earns the reduction only when BONIF50 is on.
constexpr std::int64_t kSmallAmount = 50;

QString text(const engine::RowSource& row, const char* field) { return QString::fromStdString(row.asText(field)); }

QDate date(const engine::RowSource& row, const char* field) {
  const engine::Value value = row.field(field);
  if (value.isNull()) return {};
  return dateOfDay(value.toDay());
}

QList<TaxLine> readTaxLines(const BalanceSource& source, std::int64_t idgos) {
  const auto rows = sql::query(source.data,
                               "SELECT IDRES, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, TIP FROM " +
                                   sql::table(source.dataDir, "SoldCalc.dbf") + " WHERE IDGOS=" + sql::number(idgos));
  QList<TaxLine> lines;
  for (rows->first(); !rows->eof(); rows->next()) {
    TaxLine line;
    line.IDRES = rows->asInt("IDRES");
    line.GRUPA = text(*rows, "GRUPA");
    line.SUMA = rows->asInt("SUMA");
    line.REST = rows->asInt("REST");
    line.REDUC = rows->asInt("REDUC");
    line.SCUTIRE = rows->asInt("SCUTIRE");
    line.DATOR = rows->asInt("DATOR");
    line.DEPOZ = rows->asInt("DEPOZ");
    line.MAJOR = rows->asInt("MAJOR");
    line.TIP = text(*rows, "TIP");
    lines.append(line);
  }
  return lines;
}

QList<OtherTaxLine> readOtherTaxLines(const BalanceSource& source, std::int64_t idgos) {
  QString statement = "SELECT IDDAT, GRUPA, DENUM, DOCJUS, NR, TIP, SUMA, DINDATA, SUMA2, RESTINI, REST, REDUC FROM " +
                      sql::table(source.dataDir, "Datorii.dbf") + " WHERE IDGOS=" + sql::number(idgos) +
                      " AND (SUMA+REST-REDUC<>0)";
  for (const QString& group : mainTaxGroups()) statement += " AND GRUPA<>" + sql::quote(group);
  const auto rows = sql::query(source.data, statement);
  QList<OtherTaxLine> lines;
  for (rows->first(); !rows->eof(); rows->next()) {
    OtherTaxLine line;
    line.IDDAT = rows->asInt("IDDAT");
    line.GRUPA = text(*rows, "GRUPA");
    line.DENUM = text(*rows, "DENUM");
    line.DOCJUS = text(*rows, "DOCJUS");
    line.NR = rows->asInt("NR");
    line.TIP = text(*rows, "TIP");
    line.SUMA = rows->asInt("SUMA");
    line.DINDATA = date(*rows, "DINDATA");
    line.SUMA2 = rows->asInt("SUMA2");
    line.RESTINI = rows->asInt("RESTINI");
    line.REST = rows->asInt("REST");
    line.REDUC = rows->asInt("REDUC");
    lines.append(line);
  }
  return lines;
}

QList<DebitLine> readDebitLines(const BalanceSource& source, std::int64_t idgos) {
  const auto rows = sql::query(
      source.data, "SELECT IDDEB, GRUPA, DOCJUS, NR, CATEG, DENUM, DINDATA, PENDATA, SUMAINI, SUMAC FROM " +
                       sql::table(source.dataDir, "Debit.dbf") + " WHERE IDGOS=" + sql::number(idgos) +
                       " AND SUMAC<>0");
  QList<DebitLine> lines;
  for (rows->first(); !rows->eof(); rows->next()) {
    DebitLine line;
    line.IDDEB = rows->asInt("IDDEB");
    line.GRUPA = text(*rows, "GRUPA");
    line.DOCJUS = text(*rows, "DOCJUS");
    line.NR = rows->asInt("NR");
    line.CATEG = text(*rows, "CATEG");
    line.DENUM = text(*rows, "DENUM");
    line.DINDATA = date(*rows, "DINDATA");
    line.PENDATA = date(*rows, "PENDATA");
    line.SUMAINI = rows->asInt("SUMAINI");
    line.SUMAC = rows->asInt("SUMAC");
    lines.append(line);
  }
  return lines;
}

// Groups of which a receipt of this year already granted the reduction. Read at
// every build: a payment made meanwhile (here or at another desk) counts.
QStringList groupsWithReductionGiven(const BalanceSource& source, std::int64_t idgos) {
  const auto rows = sql::query(source.data, "SELECT GRUPA FROM " + sql::table(source.dataDir, "Chitante.dbf") +
                                                " WHERE DATAI>=" + sql::date(QDate(source.workYear, 1, 1)) +
                                                " AND REDUCERE>0 AND IDGOS=" + sql::number(idgos) +
                                                " ORDER BY GRUPA");
  QStringList groups;
  for (rows->first(); !rows->eof(); rows->next()) groups.append(text(*rows, "GRUPA"));
  return groups;
}

}  // namespace

bool categoryCarriesPenalties(const QString& category) {
  const QString c = category.trimmed();
  return c.compare(QLatin1String("Cumparare"), Qt::CaseInsensitive) == 0 ||
         c.compare(QLatin1String("Majorare"), Qt::CaseInsensitive) == 0;
}

const QStringList& mainTaxGroups() {
  static const QStringList groups = {"Impozit pe cladiri", "Impozit pe teren intravilan",
                                     "Impozit pe teren extravilan", "Impozit pe mijloace de transport"};
  return groups;
}

bool penaltiesWaived(const admin::Rates& rates, const QString& notax) {
  return rates.noPenaltiesMode() && notax.trimmed().compare(QLatin1String("DA"), Qt::CaseInsensitive) == 0;
}

void computeTaxLine(TaxLine& line, const admin::Rates& rates, int workYear, bool noPenalties, const QDate& calcDate,
                    bool naturalPerson, bool reductionGiven) {
  const QDate yearStart(workYear, 1, 1);
  const QDate firstDue(workYear, 3, 31);
  const QDate secondDue(workYear, 9, 30);
  const std::int64_t assessed = line.SUMA;
  const std::int64_t unpaid = line.REST;
  const Installments open = InstallmentSplit(assessed, unpaid);

  std::int64_t reduction = line.SCUTIRE == 0 ? line.REDUC : 0;
  if (!naturalPerson && !rates.bonusLegalPersons()) reduction = 0;
  if (assessed < kSmallAmount && !rates.bonusUnder50()) reduction = 0;
  if (reductionGiven) reduction = 0;

  std::int64_t arrears = 0;
  std::int64_t penalty = 0;
  if (line.DEPOZ > 0) arrears = -line.DEPOZ;
  if (line.DATOR > 0) {
    arrears += line.DATOR;
    if (arrears > 0) penalty = LatePenalty(noPenalties, yearStart, calcDate, arrears);
  }

  std::int64_t current = 0;
  if (line.SCUTIRE == 0) {
    current = unpaid;
    if (calcDate > firstDue) {
      reduction = 0;
      // A credit first covers the first installment.
      std::int64_t late = arrears >= 0 ? open.first : open.first + arrears;
      if (late > 0) penalty += LatePenalty(noPenalties, firstDue, calcDate, late);
      if (calcDate > secondDue) {
        late = late >= 0 ? open.second : late + open.second;
        if (late > 0) penalty += LatePenalty(noPenalties, secondDue, calcDate, late);
      }
    } else if (unpaid > 0) {
      current = unpaid - reduction;  // offered on the whole unpaid amount
    }
  }

  const std::int64_t carried = noPenalties ? 0 : line.MAJOR;
  if (noPenalties) {
    penalty = 0;
    line.MAJOR = 0;
  }
  line.CUR1 = current;
  line.RAM1 = arrears;
  line.RED1 = reduction;
  line.SCUT1 = line.SCUTIRE;
  line.MAJOR1 = penalty + carried;
  line.DEPLATA = arrears + current + penalty + carried;
  line.ACHITAT = 0;
}

void computeOtherTaxLine(OtherTaxLine& line) {
  line.CUR1 = line.SUMA;
  line.REST1 = line.REST;
  line.DEPLATA = line.REST + line.SUMA - line.REDUC;
  line.ACHITAT = 0;
}

void computeDebitLine(DebitLine& line, const QDate& calcDate) {
  // A debit without a penalty date has no day penalties could run from.
  const bool late = line.PENDATA.isValid() && line.PENDATA.daysTo(calcDate) >= 0 && line.SUMAC >= 0 &&
                    categoryCarriesPenalties(line.CATEG);
  line.MAJOR = late ? LatePenalty(false, line.PENDATA, calcDate, line.SUMAC) : 0;
  line.DEPLATA = line.SUMAC + line.MAJOR;
  line.ACHITAT = 0;
}

Balance computeBalance(const BalanceSource& source, bool noPenalties, const QDate& calcDate, bool naturalPerson,
                       std::int64_t IDGOS) {
  Balance balance;
  balance.others = readOtherTaxLines(source, IDGOS);
  balance.taxes = readTaxLines(source, IDGOS);
  balance.debits = readDebitLines(source, IDGOS);
  const QStringList reduced = groupsWithReductionGiven(source, IDGOS);

  for (DebitLine& line : balance.debits) {
    computeDebitLine(line, calcDate);
    balance.total += line.DEPLATA;
  }
  for (OtherTaxLine& line : balance.others) {
    computeOtherTaxLine(line);
    balance.total += line.DEPLATA;
  }
  for (TaxLine& line : balance.taxes) {
    computeTaxLine(line, source.rates, source.workYear, noPenalties, calcDate, naturalPerson,
                   reduced.contains(line.GRUPA));
    balance.total += line.DEPLATA;
  }
  return balance;
}

}  // namespace dajdor::collect
