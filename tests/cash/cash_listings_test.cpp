// The register's listings as the accountant sees them: LibreOffice opens the
// workbooks, recomputes their formulas and shows every cell.
#include "cash/cash_fixture.h"
#include "cash/cash_listings.h"
#include "sheet/libreoffice_fixture.h"
#include "sheet/workbook.h"

#include <QDir>
#include <QFile>

namespace dajdor::testing {
namespace {

using sheet_test::csvCell;

const QDate kDay(2026, 5, 12);
const cash::RegisterHeading kHeading{"Dealu & <Mare> \"Sud\"", "Ionescu Ștefania"};

// An amount as shown through "#,##0".
double amountAt(const sheet_test::CsvRows& rows, int row, int column) {
  QString text = QString::fromStdString(csvCell(rows, row, column));
  text.remove(',');
  bool ok = false;
  const double value = text.toDouble(&ok);
  EXPECT_TRUE(ok) << "(" << row << ", " << column << ") holds \"" << text.toStdString() << "\"";
  return value;
}

class CashListingsTest : public CashTest {
 protected:
  std::filesystem::path output(const QString& name) { return QDir(programDir()).filePath(name).toStdString(); }
  QString registerTemplate() { return cash::templateIn(dataDir(), cash::kRegisterTemplate); }
  QString paymentsTemplate() { return cash::templateIn(dataDir(), cash::kPaymentsTemplate); }
  std::filesystem::path scratch() { return QDir(programDir()).filePath("lo").toStdString(); }

  void documentsOfTheMonth() {
    add({kDay.addDays(-3), "ANA", 1200, "C"});
    add({kDay.addDays(-3), "BOGDAN", 300, "C"});
    add({kDay, "ANA", 500, "C"});
    add({kDay, "ANA", -120, "O"});
    add({kDay, "BOGDAN", -90, "O"});
    add({kDay, "BOGDAN", 999, "N"});
    add(HandMovement{1, kDay.addDays(-1), "Depunere la banca", 800, 0, "ANA"});
    add(HandMovement{2, kDay, "Chitanta diverse & taxe <ș>", 0, 45, "BOGDAN"});
    add(HandMovement{3, kDay, "Dispozitie de plata 7", 60, 0, "ANA"});
    add(HandMovement{4, kDay.addDays(20), "Dispozitie de plata 8", 15, 0, "ANA"});
  }
};

TEST_F(CashListingsTest, TheDaysRegisterHasItsHeadingOneLinePerRowAndTotalsThatAddUp) {
  if (!sheet_test::libreOfficeAvailable()) GTEST_SKIP() << "soffice (libreoffice-calc-nogui) is not installed";
  documentsOfTheMonth();
  const cash::CashDay view = openRegister().Filtru(kDay, cash::kAnyCashier);
  ASSERT_EQ(view.rows.size(), 4);
  TemplateExport xls(interaction);
  ASSERT_TRUE(cash::writeRegisterWorkbook(xls, registerTemplate(), kHeading, kDay, cash::kAnyCashier, view));
  ASSERT_TRUE(xls.saveAs(QString::fromStdString(output("register.xlsx").string())));

  const auto rows = sheet_test::sheetAsCsv(output("register.xlsx"), "RegCasa", scratch());
  EXPECT_EQ(csvCell(rows, 1, 1), "Primaria Dealu & <Mare> \"Sud\"");
  EXPECT_EQ(csvCell(rows, 3, 3), "REGISTRU DE CASA");
  EXPECT_EQ(csvCell(rows, 4, 3), "la data de 12.05.2026");
  EXPECT_EQ(amountAt(rows, 6, 3), view.previousBalance);
  EXPECT_EQ(view.previousBalance, 1200 + 300 - 800);
  const int first = 9;
  for (int n = 0; n < view.rows.size(); ++n) {
    const cash::CashRow& row = view.rows[n];
    SCOPED_TRACE(row.DOCJUS.toStdString());
    EXPECT_EQ(csvCell(rows, first + n, 1), std::to_string(n + 1));
    EXPECT_EQ(csvCell(rows, first + n, 2), row.DOCJUS.toStdString());
    EXPECT_EQ(csvCell(rows, first + n, 3), row.INCANUME.toStdString());
    // Zero amounts stay empty, so the eye finds the other column.
    EXPECT_EQ(csvCell(rows, first + n, 4), row.INCASAT ? std::to_string(row.INCASAT) : "");
    EXPECT_EQ(csvCell(rows, first + n, 5), row.PLATIT ? std::to_string(row.PLATIT) : "");
  }
  const int totals = first + static_cast<int>(view.rows.size());
  EXPECT_EQ(amountAt(rows, totals, 4), view.totalReceived);
  EXPECT_EQ(amountAt(rows, totals, 5), view.totalPaid);
  EXPECT_EQ(view.totalReceived, 380 + 45);
  EXPECT_EQ(view.totalPaid, 90 + 60);
  EXPECT_EQ(csvCell(rows, totals + 1, 1), "SOLD FINAL :");
  EXPECT_EQ(amountAt(rows, totals + 1, 3), view.carriedForward());
  EXPECT_EQ(csvCell(rows, totals + 3, 2), "Casier,");
  EXPECT_EQ(csvCell(rows, totals + 4, 2), " ");  // every cashier: no name to sign
  EXPECT_EQ(csvCell(rows, totals + 4, 4), "Ionescu Ștefania");
  for (const auto& line : rows)
    for (const std::string& cell : line) EXPECT_NE(cell.rfind('#', 0), 0u) << "marker left: " << cell;
}

TEST_F(CashListingsTest, ATemplateTheTownHallEditedStillFillsCorrectly) {
  if (!sheet_test::libreOfficeAvailable()) GTEST_SKIP() << "soffice (libreoffice-calc-nogui) is not installed";
  {
    // A "Data" column added before the documents, the final balance moved to the
    // signature row, and the file saved again by the spreadsheet program.
    sheet::Workbook book(registerTemplate().toStdString());
    sheet::Worksheet& s = book.sheet(0);
    s.insertColumns(2);
    s.setText(7, 2, "Data");
    s.setText(9, 2, "#DATAI");
    s.setFormula(12, 5, s.formula(11, 4));
    s.clear(11, 4);
    book.save(output("edited.xlsx").string());
  }
  const auto resaved = sheet_test::resavedByLibreOffice(output("edited.xlsx"), scratch());
  ASSERT_TRUE(QFile::remove(registerTemplate()));
  ASSERT_TRUE(QFile::copy(QString::fromStdString(resaved.string()), registerTemplate()));

  documentsOfTheMonth();
  const cash::CashDay view = openRegister().Filtru(kDay, "ANA");
  ASSERT_EQ(view.rows.size(), 2);
  TemplateExport xls(interaction);
  ASSERT_TRUE(cash::writeRegisterWorkbook(xls, registerTemplate(), kHeading, kDay, "ANA", view));
  ASSERT_TRUE(xls.saveAs(QString::fromStdString(output("filled.xlsx").string())));
  const auto rows = sheet_test::sheetAsCsv(output("filled.xlsx"), "RegCasa", scratch());
  for (int n = 0; n < 2; ++n) {
    EXPECT_EQ(csvCell(rows, 9 + n, 2), "12.05.2026");
    EXPECT_EQ(csvCell(rows, 9 + n, 3), view.rows[n].DOCJUS.toStdString());
  }
  EXPECT_EQ(amountAt(rows, 11, 5), view.totalReceived);
  EXPECT_EQ(amountAt(rows, 11, 6), view.totalPaid);
  EXPECT_EQ(amountAt(rows, 13, 5), view.carriedForward());  // the moved formula, two rows lower
  EXPECT_EQ(csvCell(rows, 15, 3), "ANA");
}

TEST_F(CashListingsTest, AnEmptyDayStillGivesARegisterWithZeroTotals) {
  if (!sheet_test::libreOfficeAvailable()) GTEST_SKIP() << "soffice (libreoffice-calc-nogui) is not installed";
  add({kDay.addDays(-1), "ANA", 700, "C"});
  const cash::CashDay view = openRegister().Filtru(kDay, "ANA");
  TemplateExport xls(interaction);
  ASSERT_TRUE(cash::writeRegisterWorkbook(xls, registerTemplate(), kHeading, kDay, "ANA", view));
  ASSERT_TRUE(xls.saveAs(QString::fromStdString(output("empty.xlsx").string())));
  const auto rows = sheet_test::sheetAsCsv(output("empty.xlsx"), "RegCasa", scratch());
  EXPECT_EQ(csvCell(rows, 9, 3), "TOTAL");
  EXPECT_EQ(amountAt(rows, 9, 4), 0);
  EXPECT_EQ(amountAt(rows, 9, 5), 0);
  EXPECT_EQ(amountAt(rows, 10, 3), 700);
  EXPECT_EQ(csvCell(rows, 13, 2), "ANA");
}

TEST_F(CashListingsTest, ThePaymentsListHoldsTheHandEnteredPaymentsOfThePeriodByDate) {
  if (!sheet_test::libreOfficeAvailable()) GTEST_SKIP() << "soffice (libreoffice-calc-nogui) is not installed";
  documentsOfTheMonth();
  CurrentUser admin;
  admin.name = "ADMIN";
  admin.level = UserLevel::Admin;
  TemplateExport xls(interaction);
  ASSERT_TRUE(cash::writePaymentsWorkbook(xls, paymentsTemplate(), db(), dataDir(), QDate(2026, 5, 1), QDate(2026, 5, 31), cash::kAnyCashier, admin));
  ASSERT_TRUE(xls.saveAs(QString::fromStdString(output("payments.xlsx").string())));
  const auto rows = sheet_test::sheetAsCsv(output("payments.xlsx"), "Lista_Plati", scratch());
  EXPECT_EQ(csvCell(rows, 2, 4), "LISTA PLATILOR");
  EXPECT_EQ(csvCell(rows, 4, 4), "01.05.2026 - 31.05.2026");
  // Receipts, payment orders and the payment of June are not in the list.
  const std::vector<std::vector<std::string>> expected = {{"1", "11.05.2026", "Depunere la banca", "800"},
                                                          {"2", "12.05.2026", "Dispozitie de plata 7", "60"}};
  for (std::size_t n = 0; n < expected.size(); ++n)
    for (std::size_t c = 0; c < expected[n].size(); ++c)
      EXPECT_EQ(csvCell(rows, 8 + static_cast<int>(n), static_cast<int>(c) + 1), expected[n][c]);
  EXPECT_EQ(csvCell(rows, 10, 3), "TOTAL");
  EXPECT_EQ(amountAt(rows, 10, 4), 860);
  EXPECT_TRUE(interaction.messages.isEmpty());
}

// The documents of each payments list, read back with the spreadsheet engine.
QStringList listedDocuments(const QString& file) {
  sheet::Workbook book(file.toStdString());
  sheet::Worksheet& s = book.sheet(0);
  QStringList documents;
  for (int row = 8; !s.text(row, 3).empty() && s.text(row, 3) != "TOTAL"; ++row)
    documents.append(QString::fromStdString(s.text(row, 3)));
  return documents;
}

TEST_F(CashListingsTest, ThePaymentsListOfACashierOrOfARestrictedUserHoldsOnlyTheirRows) {
  documentsOfTheMonth();
  add(HandMovement{5, kDay, "Plata transport BOGDAN", 33, 0, "BOGDAN"});
  CurrentUser admin, cashier;
  admin.name = "ADMIN";
  admin.level = UserLevel::Admin;
  cashier.name = "BOGDAN";
  cashier.level = UserLevel::Cashier;
  struct Case {
    QString chosen;
    const CurrentUser* user;
    QStringList documents;
  };
  const QList<Case> cases = {
      {cash::kAnyCashier, &admin, {"Depunere la banca", "Dispozitie de plata 7", "Plata transport BOGDAN"}},
      {"ANA", &admin, {"Depunere la banca", "Dispozitie de plata 7"}},
      {cash::kAnyCashier, &cashier, {"Plata transport BOGDAN"}},
      {"ANA", &cashier, {"Plata transport BOGDAN"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.chosen + " / " + c.user->name).toStdString());
    TemplateExport xls(interaction);
    ASSERT_TRUE(cash::writePaymentsWorkbook(xls, paymentsTemplate(), db(), dataDir(), QDate(2026, 5, 1), QDate(2026, 5, 31), c.chosen, *c.user));
    const QString file = QDir(programDir()).filePath("list.xlsx");
    ASSERT_TRUE(xls.saveAs(file));
    EXPECT_EQ(listedDocuments(file), c.documents);
  }
}

TEST_F(CashListingsTest, AMissingTemplateGivesNoWorkbookAndNoMessageADamagedOneIsReported) {
  documentsOfTheMonth();
  const cash::CashDay view = openRegister().Filtru(kDay, cash::kAnyCashier);
  CurrentUser admin;
  admin.level = UserLevel::Admin;
  ASSERT_TRUE(QFile::remove(registerTemplate()));
  ASSERT_TRUE(QFile::remove(paymentsTemplate()));
  int opened = 0;
  const auto open = [&opened](const QString&) { return ++opened > 0; };
  {
    TemplateExport xls(interaction);
    EXPECT_FALSE(cash::writeRegisterWorkbook(xls, registerTemplate(), kHeading, kDay, "", view));
    EXPECT_EQ(xls.FinishWorkbook(programDir(), open), "");
    EXPECT_FALSE(cash::writePaymentsWorkbook(xls, paymentsTemplate(), db(), dataDir(), kDay, kDay, "", admin));
    EXPECT_EQ(xls.FinishWorkbook(programDir(), open), "");
  }
  EXPECT_TRUE(interaction.messages.isEmpty());
  EXPECT_EQ(opened, 0);
  EXPECT_TRUE(QDir(programDir()).entryList({"Rap*"}).isEmpty());

  for (const QString& file : {registerTemplate(), paymentsTemplate()}) {
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a workbook");
  }
  TemplateExport xls(interaction);
  EXPECT_FALSE(cash::writeRegisterWorkbook(xls, registerTemplate(), kHeading, kDay, "", view));
  EXPECT_FALSE(cash::writePaymentsWorkbook(xls, paymentsTemplate(), db(), dataDir(), kDay, kDay, "", admin));
  EXPECT_EQ(xls.FinishWorkbook(programDir(), open), "");
  ASSERT_EQ(interaction.messages.size(), 2);
  EXPECT_TRUE(interaction.messages[0].text.contains(registerTemplate())) << interaction.messages[0].text.toStdString();
  EXPECT_TRUE(interaction.messages[1].text.contains(paymentsTemplate())) << interaction.messages[1].text.toStdString();
  EXPECT_EQ(opened, 0);
}

}  // namespace
}  // namespace dajdor::testing
