// Loading, storing and the defaults of a taxpayer's assessment pages, without a window.
#include "register/pages_fixture.h"

#include "register/assessment_pages.h"
#include "store/sql_helpers.h"

#include <QFile>

using namespace dajdor::reg;

namespace dajdor::testing {
namespace {

// The largest (or most negative) value the input's column holds, as typed.
QString limitValue(const PageInput& in, bool largest) {
  switch (in.kind) {
    case PageInputKind::Quantity: {
      QString text = QString(in.wholeDigits(!largest), '9');
      if (in.decimals > 0) text += "." + QString(in.decimals, '9');
      return largest ? text : "-" + text;
    }
    case PageInputKind::Position: return largest ? QString::number(in.items.size() - 1) : "-1";
    case PageInputKind::ListText: return largest ? in.items.last() : in.items.first();
    case PageInputKind::YesNo: return largest ? "DA" : "NU";
    case PageInputKind::Date: return largest ? "31.12.2099" : "01.01.1900";
    case PageInputKind::Display: break;
  }
  return {};
}

PageValues limits(int page, bool largest) {
  PageValues values;
  for (const PageInput* in : assessmentPage(page).inputs())
    if (in->stored()) values.insert(in->name, limitValue(*in, largest));
  if (page == 11 && largest) {
    // A "Plus" beside arrears is refused: the arrears go to their lowest instead.
    for (int k = 12; k <= 15; ++k) {
      values.insert(QString("NumericEdit%1").arg(k), "-99999");
      values.insert(QString("Pen%1").arg(k), "-99999");
    }
  }
  return values;
}

// What the page shows after a reload, without the displays.
PageValues storedPart(PageValues values, int page) {
  for (const PageInput* in : assessmentPage(page).inputs())
    if (!in->stored()) values.remove(in->name);
  return values;
}

TEST_F(PagesTest, ANewFileHasOneRowPerTableWithTheDefaults) {
  addTaxpayer(7);
  for (const QString& table : pageTables()) EXPECT_EQ(rowCount(table, 7), 1) << table.toStdString();
  EXPECT_EQ(rows("SELECT * FROM " + sql::table(dataDir(), "Pag1.dbf")).first(),
            "7" + QString("|0").repeated(55));
  EXPECT_EQ(rows("SELECT * FROM " + sql::table(dataDir(), "Pag5.dbf")).first(),
            "7" + QString("|0").repeated(124));
  for (const auto& [table, zeros] : QList<QPair<QString, int>>{{"Pag6.dbf", 11}, {"Pag7.dbf", 6}, {"Pag8.dbf", 19}})
    EXPECT_EQ(rows("SELECT * FROM " + sql::table(dataDir(), table)).first(), "7" + QString("|0").repeated(zeros));
  // Buildings: material "3,4 SAU 5", the administration's zone and rank, lines numbered 1 ... 8.
  for (int i = 1; i <= 8; ++i) {
    const QString n = QString::number(i);
    EXPECT_EQ(column("Pag2.dbf", QString("C%1S,C%1A,C%1C,C%1Z,C%1R,NR%1").arg(i), 7), "0|0|1|C|II|" + n);
  }
  for (int j = 1; j <= 12; ++j)
    EXPECT_EQ(column("Pag2.dbf", QString("V%1,AM%1,DINV%1").arg(j), 7), "0|NU|01.01.2014");
  EXPECT_EQ(column("Pag2.dbf", "CAS,CAA,CAC,CAZ,CAR,CAS2,CAA2,CAC2,CAZ2,CAR2", 7), "0|0|1|C|II|0|0|1|C|II");
  EXPECT_EQ(column("Pag2.dbf", "VA1,AMA1,DINVA1,VA2,AMA2,DINVA2", 7), "0|NU|01.01.2014|0|NU|01.01.2014");

  // A second call adds nothing; a call inside a transaction that is rolled back leaves nothing.
  CreateEmptyPages(*db_, dataDir(), 7, rates_);
  for (const QString& table : pageTables()) EXPECT_EQ(rowCount(table, 7), 1) << table.toStdString();
  {
    engine::Transaction transaction(*db_);
    CreateEmptyPages(*db_, dataDir(), 8, rates_);
    EXPECT_EQ(rowCount("Pag8.dbf", 8), 1);
  }
  for (const QString& table : pageTables()) EXPECT_EQ(rowCount(table, 8), 0) << table.toStdString();
}

TEST_F(PagesTest, ClearedPagesShowTheDefaultsOfANewFile) {
  addTaxpayer(3);
  for (int page = kFirstPage; page <= kLastPage; ++page)
    EXPECT_EQ(LoadPage(file(), page, 3).values, ClearPage(page, rates_, 2014)) << page;
  const PageValues buildings = ClearPage(2, rates_, 2014);
  EXPECT_EQ(buildings.value("NrC1"), "1");
  EXPECT_EQ(buildings.value("NrC8"), "8");  // beyond the list: nothing chosen on screen
  EXPECT_EQ(buildings.value("ZonaC4"), "C");
  EXPECT_EQ(buildings.value("DataEval5"), "01.01.2014");
  // A default zone or rank the lists do not hold falls back to the administration's first one.
  rates_.setText("ComboBox2", "E");
  rates_.setText("ComboBox3", "VII");
  EXPECT_EQ(ClearPage(3, rates_, 2014).value("ComboBox15"), "A");
  EXPECT_EQ(ClearPage(3, rates_, 2014).value("ComboBox17"), "IV");
}

TEST_F(PagesTest, EveryPageStoresAndReloadsItsValuesAtTheFieldLimits) {
  addTaxpayer(5);
  addTaxpayer(6);  // a neighbour whose file must stay as it was
  for (const bool largest : {true, false}) {
    SCOPED_TRACE(largest ? "largest" : "smallest");
    for (int page = kFirstPage; page <= kLastPage; ++page) {
      ASSERT_TRUE(StorePage(file(), page, 5, limits(page, largest), ui_).stored()) << page;
      EXPECT_TRUE(ui_.problems.isEmpty() && ui_.messages.isEmpty()) << page;
    }
    // Read back once all are stored: pages sharing a table keep each other's columns.
    for (int page = kFirstPage; page <= kLastPage; ++page) {
      EXPECT_EQ(storedPart(LoadPage(file(), page, 5).values, page), limits(page, largest)) << page;
      EXPECT_EQ(LoadPage(file(), page, 6).values, ClearPage(page, rates_, 2014)) << page;
    }
  }
  EXPECT_EQ(column("Pag1.dbf", "L1A,L11E", 5), "-99.9999|-99.9999");
  EXPECT_EQ(column("Pag2.dbf", "C1S,V12,DINV12,CAR2", 5), "-9999.99|-9999999|01.01.1900|0");
  for (const QString& table : pageTables()) EXPECT_EQ(rowCount(table, 5), 1) << table.toStdString();
}

TEST_F(PagesTest, AnEngineFailureIsShownAndReportedAsNotStored) {
  addTaxpayer(3);
  ASSERT_TRUE(QFile::remove(dataDir() + "/Pag7.dbf"));
  PageValues values = ClearPage(7, rates_, 2014);
  values.insert("Alte1", "4");
  EXPECT_EQ(StorePage(file(), 7, 3, values, ui_).outcome, StoreOutcome::Failed);
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().kind, MessageKind::Error);
  EXPECT_FALSE(ui_.messages.first().text.isEmpty());
  EXPECT_ANY_THROW(LoadPage(file(), 7, 3));
}

TEST_F(PagesTest, AValueThatDoesNotFitIsRefusedAtItsInputAndNothingIsWritten) {
  addTaxpayer(9);
  struct Case {
    int page;
    const char* input;
    const char* value;
    const char* message;
  };
  const Case cases[] = {
      {1, "EC1ZA", "1000", "Valoarea \"1000\" nu incape: se pot memora cel mult 3 cifre inainte de punct si 4 zecimale!"},
      {1, "EC1ZB", "-100", "Valoarea \"-100\" nu incape: se pot memora cel mult 2 cifre inainte de punct si 4 zecimale!"},
      {1, "EC3ZB", "1.23456", "Valoarea \"1.23456\" nu incape: se pot memora cel mult 3 cifre inainte de punct si 4 zecimale!"},
      {2, "SupC1", "100000", "Valoarea \"100000\" nu incape: se pot memora cel mult 5 cifre inainte de punct si 2 zecimale!"},
      {2, "AnC2", "2014.5", "Valoarea \"2014.5\" nu incape: se pot memora cel mult 6 cifre, fara zecimale!"},
      {2, "CladJur3", "123456789", "Valoarea \"123456789\" nu incape: se pot memora cel mult 8 cifre, fara zecimale!"},
      {2, "DataEval1", "31.02.2014", "Data \"31.02.2014\" nu este o data valida (zz.ll.aaaa)!"},
      {3, "ComboBox15", "E", "Valoarea \"E\" nu este una din: A, B, C, D!"},
      {5, "AUTO1", "1000000", "Valoarea \"1000000\" nu incape: se pot memora cel mult 6 cifre, fara zecimale!"},
      {7, "Alte1", "12a", "Valoarea \"12a\" nu este un numar!"},
      {11, "NumericEdit12", "-", "Valoarea \"-\" nu este un numar!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    PageValues values = ClearPage(c.page, rates_, 2014);
    values.insert(assessmentPage(c.page).inputs().first()->name, "1");  // an edit that must not be written either
    values.insert(c.input, c.value);
    ui_.problems.clear();
    const StoreResult result = StorePage(file(), c.page, 9, values, ui_);
    EXPECT_EQ(result.outcome, StoreOutcome::Refused);
    EXPECT_EQ(result.field, c.input);
    ASSERT_EQ(ui_.problems.size(), 1);
    EXPECT_EQ(ui_.problems.first().text, c.message);
    EXPECT_EQ(ui_.problems.first().field, c.input);
    EXPECT_EQ(storedPart(LoadPage(file(), c.page, 9).values, c.page), storedPart(ClearPage(c.page, rates_, 2014), c.page));
  }
  // A comma is the decimal point, blanks and an empty input are zero.
  PageValues land = ClearPage(1, rates_, 2014);
  land.insert("EC1ZA", " 1,25 ");
  land.insert("EC1ZB", "");
  ASSERT_TRUE(StorePage(file(), 1, 9, land, ui_).stored());
  EXPECT_EQ(column("Pag1.dbf", "L1A,L1B", 9), "1.25|0");
}

TEST_F(PagesTest, TheStoreChecksOfTheVehicleAndArrearsPages) {
  addTaxpayer(4);
  struct Case {
    int page;
    QList<QPair<QString, QString>> values;
    const char* refusal;  // nullptr: stored
    const char* field;
  };
  const QList<Case> cases = {
      {5, {{"AUTO10", "2500"}}, "Capacitatea trebuie sa fie peste 3000 cmc!", "AUTO10"},
      {5, {{"AUTO10", "0"}}, nullptr, nullptr},
      {5, {{"AUTO10", "3001"}}, nullptr, nullptr},
      {11, {{"Sold1", "100"}}, nullptr, nullptr},
      {11, {{"Sold1", "100"}, {"Pen12", "5"}}, "Nu puteti avea si sold si restanta!", "Sold1"},
      {11, {{"Sold4", "1"}, {"NumericEdit15", "1"}}, "Nu puteti avea si sold si restanta!", "Sold4"},
      {11, {{"Sold2", "100"}, {"NumericEdit12", "50"}}, nullptr, nullptr},  // arrears of another tax
      {11, {{"Sold3", "0"}, {"NumericEdit14", "70"}, {"Pen14", "3"}}, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.values.first().first.toStdString() + "=" + c.values.first().second.toStdString());
    PageValues values = ClearPage(c.page, rates_, 2014);
    for (const auto& [name, value] : c.values) values.insert(name, value);
    ui_.problems.clear();
    const StoreResult result = StorePage(file(), c.page, 4, values, ui_);
    if (!c.refusal) {
      EXPECT_TRUE(result.stored());
      EXPECT_EQ(storedPart(LoadPage(file(), c.page, 4).values, c.page), values);
      continue;
    }
    EXPECT_EQ(result.outcome, StoreOutcome::Refused);
    ASSERT_EQ(ui_.problems.size(), 1);
    EXPECT_EQ(ui_.problems.first().text, c.refusal);
    EXPECT_EQ(ui_.problems.first().field, c.field);
    EXPECT_NE(storedPart(LoadPage(file(), c.page, 4).values, c.page), values);
  }
}

TEST_F(PagesTest, ALockedRegisterStoresNothing) {
  addTaxpayer(2);
  EXPECT_FALSE(RegisterLocked(dataDir(), 2014));
  for (const auto& [value, locked] : QList<QPair<QString, bool>>{{"NU", false}, {"DA", true}, {" da ", true}}) {
    setSetting("ADMINBLOCAT2014", value);
    EXPECT_EQ(RegisterLocked(dataDir(), 2014), locked) << value.toStdString();
  }
  EXPECT_FALSE(RegisterLocked(dataDir(), 2015));  // another year's mark
  PageValues values = ClearPage(7, rates_, 2014);
  values.insert("Alte2", "12");
  const StoreResult result = StorePage(file(), 7, 2, values, ui_);
  EXPECT_EQ(result.outcome, StoreOutcome::Locked);
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().title, "Modificare matricola");
  EXPECT_EQ(ui_.messages.first().text, "Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!");
  EXPECT_EQ(column("Pag7.dbf", "LIN2", 2), "0");
  setSetting("ADMINBLOCAT2014", "NU");
  EXPECT_TRUE(StorePage(file(), 7, 2, values, ui_).stored());
  EXPECT_EQ(column("Pag7.dbf", "LIN2", 2), "12");
}

TEST_F(PagesTest, MissingRowsAndUnknownZonesReadAsTheDefaults) {
  addTaxpayer(1);
  // A taxpayer from the register import without page rows: loading makes them.
  sql::execute(*db_, "DELETE FROM " + sql::table(dataDir(), "Pag2.dbf") + " WHERE IDGOS=1");
  const LoadedPage buildings = LoadPage(file(), 2, 1);
  EXPECT_EQ(rowCount("Pag2.dbf", 1), 1);
  EXPECT_EQ(column("Pag2.dbf", "NR1,NR2,NR8,C3Z,C3R", 1), "1|2|8|C|II");
  EXPECT_EQ(buildings.values, ClearPage(2, rates_, 2014));
  EXPECT_FALSE(buildings.legalPerson);

  // A zone the list does not offer shows the default one, and storing writes it.
  sql::execute(*db_, "UPDATE " + sql::table(dataDir(), "Pag2.dbf") + " SET C2Z=" + sql::quote("E") + ", CAR=" +
                         sql::quote("IX") + " WHERE IDGOS=1");
  EXPECT_EQ(LoadPage(file(), 2, 1).values.value("ZonaC2"), "C");
  EXPECT_EQ(LoadPage(file(), 3, 1).values.value("ComboBox17"), "II");
  ASSERT_TRUE(StorePage(file(), 2, 1, LoadPage(file(), 2, 1).values, ui_).stored());
  EXPECT_EQ(column("Pag2.dbf", "C2Z", 1), "C");

  // Storing a page whose row went missing meanwhile makes the row, with the page's values.
  sql::execute(*db_, "DELETE FROM " + sql::table(dataDir(), "Pag6.dbf") + " WHERE IDGOS=1");
  PageValues unregistered = ClearPage(6, rates_, 2014);
  unregistered.insert("VN11", "3");
  ASSERT_TRUE(StorePage(file(), 6, 1, unregistered, ui_).stored());
  EXPECT_EQ(rowCount("Pag6.dbf", 1), 1);
  EXPECT_EQ(column("Pag6.dbf", "VN1,VN11", 1), "0|3");

  addTaxpayer(2, "JURIDICA");
  EXPECT_TRUE(LoadPage(file(), 3, 2).legalPerson);
}

TEST_F(PagesTest, TaxableValuesAreTheRateOfKindZoneAndRankTimesTheArea) {
  rates_.setText("ICZBR4", "10");
  rates_.setText("IC2ZBR4", "6");
  rates_.setText("IA1ZDR0", "2.5");
  rates_.setText("IA2ZDR0", "1.5");
  EXPECT_EQ(buildingTaxableValue(rates_, 0, "B", "IV", "12.5"), "125");
  EXPECT_EQ(buildingTaxableValue(rates_, 1, "B", "IV", "12.5"), "75");
  EXPECT_EQ(annexTaxableValue(rates_, 0, "D", "0", "3,3"), "8.25");
  EXPECT_EQ(annexTaxableValue(rates_, 1, "D", "0", "3.3"), "4.95");
  PageValues buildings = ClearPage(2, rates_, 2014);
  buildings.insert("SupC3", "100");
  buildings.insert("ZonaC3", "B");
  buildings.insert("RangC3", "IV");
  updateDisplays(2, buildings, rates_);
  EXPECT_EQ(buildings.value("ValImp3"), "600");  // material position 1: the second kind's rate
  EXPECT_EQ(buildings.value("ValImp1"), "0");
}

}  // namespace
}  // namespace dajdor::testing
