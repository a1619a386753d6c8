// The register's two spreadsheet listings, filled from the templates
// RegCasa.xlsx and ListPlat.xlsx (the data directory's, which the town hall may
// have edited; see templateIn). A missing template gives no workbook and no
// message; a damaged one is reported by the export. The caller then saves the workbook (FinishWorkbook in
// the window, a named file from the command line).
#pragma once

#include "cash/cash_register.h"
#include "store/template_export.h"
#include "users/current_user.h"

#include <QDate>
#include <QString>

namespace dajdor::cash {

inline const QString kRegisterTemplate = QStringLiteral("RegCasa.xlsx");
inline const QString kPaymentsTemplate = QStringLiteral("ListPlat.xlsx");

// The file of a template in the data directory, whatever the case of its name.
QString templateIn(const QString& dataDir, const QString& name);

struct RegisterHeading {
  QString townHall;    // PrimariaLab
  QString accountant;  // ContabilLab
};

// "Listeaza Registru de casa": the day's rows shown by Filtru for `cashier`
// ("" or kAnyCashier for all). True when a workbook is ready to be saved.
bool writeRegisterWorkbook(TemplateExport& xls, const QString& templatePath, const RegisterHeading& heading, const QDate& day,
                  const QString& cashier, const CashDay& view);

// "Lista plati": the hand-entered payments of RegCasa from `first` to `last`,
// by date; only `cashier`'s rows when one is chosen, and only the user's own
// rows for a restricted user. Throws the engine's errors.
bool writePaymentsWorkbook(TemplateExport& xls, const QString& templatePath, engine::Database& db, const QString& dataDir, const QDate& first,
                  const QDate& last, const QString& cashier, const CurrentUser& user);

// The period dialog's check: the second date not before the first; reports
// "Perioada incorecta!" at the second date otherwise.
inline const QString kLastDayField = QStringLiteral("Data1");
bool checkPeriod(const QDate& first, const QDate& last, Interaction& interaction);

}  // namespace dajdor::cash
