#include "cash/cash_listings.h"

#include "store/files.h"
#include "store/result_set_records.h"
#include "store/sql_helpers.h"

#include <QFile>

#include <chrono>

namespace dajdor::cash {
namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

// The day's rows as the record row of the register template reads them.
class CashRowRecords : public sheet::RecordSource {
 public:
  explicit CashRowRecords(const QList<CashRow>& rows) : rows_(rows) {}
  std::vector<std::string> fieldNames() const override { return {"DATAI", "DOCJUS", "INCANUME", "INCASAT", "PLATIT"}; }
  bool next() override { return ++position_ < rows_.size(); }
  sheet::FieldValue field(std::size_t index) const override {
    const CashRow& row = rows_[position_];
    switch (index) {
      case 0:
        return sheet::FieldValue::ofDate(std::chrono::year{row.DATAI.year()} /
                                         std::chrono::month{static_cast<unsigned>(row.DATAI.month())} /
                                         std::chrono::day{static_cast<unsigned>(row.DATAI.day())});
      case 1:
        return sheet::FieldValue::ofText(row.DOCJUS.toStdString());
      case 2:
        return sheet::FieldValue::ofText(row.INCANUME.toStdString());
      case 3:
        return sheet::FieldValue::ofNumber(static_cast<double>(row.INCASAT));
      default:
        return sheet::FieldValue::ofNumber(static_cast<double>(row.PLATIT));
    }
  }

 private:
  const QList<CashRow>& rows_;
  qsizetype position_ = -1;
};

}  // namespace

QString templateIn(const QString& dataDir, const QString& name) { return fileInDir(dataDir, name); }

bool writeRegisterWorkbook(TemplateExport& xls, const QString& templatePath, const RegisterHeading& heading, const QDate& day,
                  const QString& cashier, const CashDay& view) {
  if (!xls.OpenTemplate(templatePath)) return false;
  const QString only = chosenCashier(cashier);
  xls.SetMarker("#PRIMARIA", "Primaria " + heading.townHall);
  xls.SetMarker("#CONTABIL", heading.accountant);
  xls.SetMarker("#CASIER", only.isEmpty() ? QStringLiteral(" ") : only);
  // A number, so the final balance below it is computed from it.
  xls.SetMarkerNumber("#SOLDINI", view.previousBalance);
  xls.SetMarker("#DATA", "la data de " + day.toString(kDateFormat));
  CashRowRecords records(view.rows);
  xls.FillRows(records);
  return true;
}

bool writePaymentsWorkbook(TemplateExport& xls, const QString& templatePath, engine::Database& db, const QString& dataDir, const QDate& first,
                  const QDate& last, const QString& cashier, const CurrentUser& user) {
  if (!QFile::exists(templatePath)) return false;
  const QString only = user.isRestrictedUser() ? user.name.trimmed() : chosenCashier(cashier);
  QString statement = "SELECT DATAI, DOCJUS, PLATIT FROM " + sql::table(dataDir, "RegCasa.dbf") +
                      " WHERE PLATIT>0 AND DATAI BETWEEN " + sql::date(first) + " AND " + sql::date(last);
  if (!only.isEmpty()) statement += " AND INCANUME=" + sql::quote(only);
  statement += " ORDER BY DATAI";
  const auto rows = sql::query(db, statement);
  if (!xls.OpenTemplate(templatePath)) return false;
  xls.SetMarker("#PERIOADA", first.toString(kDateFormat) + " - " + last.toString(kDateFormat));
  ResultSetRecords records(*rows);
  xls.FillRows(records);
  return true;
}

bool checkPeriod(const QDate& first, const QDate& last, Interaction& interaction) {
  if (first.isValid() && last.isValid() && !(last < first)) return true;
  interaction.problem("Perioada incorecta!", kLastDayField);
  return false;
}

}  // namespace dajdor::cash
