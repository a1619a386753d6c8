// A taxpayer's balance built from the stored tables, and the three work tables.
#include "collect/balance.h"
#include "collect/collect_fixture.h"
#include "collect/collection_sheet.h"
#include "collect/locked_year.h"

#include "store/sql_helpers.h"

#include <QFile>

namespace dajdor::testing {
namespace {

using collect::CollectionSheet;
using collect::WorkTable;

class BalanceTest : public CollectTest {
 protected:
  void SetUp() override {
    CollectTest::SetUp();
    add(StoredTaxpayer{});
  }
  collect::Balance build(const QDate& calc, bool noPenalties = false, bool natural = true) {
    return collect::computeBalance(source(), noPenalties, calc, natural, 1);
  }
};

TEST_F(BalanceTest, RowsOfEachTableAndTheTotal) {
  add(StoredBalance{.suma = 100, .rest = 100});
  add(StoredBalance{.idgos = 2, .suma = 900, .rest = 900});  // someone else's
  add(StoredDebt{.suma = 50, .rest = 20, .reduc = 5});
  add(StoredDebt{.group = "Amenda", .suma = 0, .rest = 0, .reduc = 0});             // nothing owed
  add(StoredDebt{.group = "Taxa pasune", .suma = 10, .rest = 0, .reduc = 10});      // reduced to nothing
  add(StoredDebt{.group = "Impozit pe cladiri", .suma = 100, .rest = 0, .tip = "A"});  // counted in SoldCalc
  add(StoredDebit{.initial = 500, .unpaid = 500});
  add(StoredDebit{.initial = 300, .unpaid = 0});  // paid

  const collect::Balance b = build(QDate(2014, 10, 15));
  ASSERT_EQ(b.taxes.size(), 1);
  EXPECT_EQ(b.taxes[0].DEPLATA, 108);
  ASSERT_EQ(b.others.size(), 1);
  EXPECT_EQ(b.others[0].GRUPA, "Taxa salubrizare");
  EXPECT_EQ(b.others[0].CUR1, 50);
  EXPECT_EQ(b.others[0].REST1, 20);
  EXPECT_EQ(b.others[0].DEPLATA, 65);
  EXPECT_EQ(b.others[0].DINDATA, QDate(2014, 2, 1));
  ASSERT_EQ(b.debits.size(), 1);
  EXPECT_EQ(b.debits[0].MAJOR, 70);  // 500 lei, 7 months from 31 March
  EXPECT_EQ(b.debits[0].DEPLATA, 570);
  EXPECT_EQ(b.total, 108 + 65 + 570);
}

TEST_F(BalanceTest, DebitsCarryPenaltiesOnlyForPurchasesAndPenaltiesAlreadyDue) {
  struct Case {
    const char* category;
    QDate from;
    std::int64_t unpaid, penalty;
  } const cases[] = {
      {"Cumparare", {2014, 3, 31}, 1000, 140},
      {"Majorare", {2014, 3, 31}, 1000, 140},
      {"Vanzare", {2014, 3, 31}, 1000, 0},
      {"Taxa", {2014, 3, 31}, 1000, 0},
      {"Reducere", {2014, 3, 31}, 1000, 0},
      {"Cumparare", {2014, 12, 1}, 1000, 0},  // penalties run from a later date
      {"Cumparare", {2014, 3, 31}, -200, 0},  // a negative remainder
  };
  for (const Case& c : cases) add(StoredDebit{.category = c.category, .penaltiesFrom = c.from, .unpaid = c.unpaid});
  const collect::Balance b = build(QDate(2014, 10, 15));
  ASSERT_EQ(b.debits.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].category);
    EXPECT_EQ(b.debits[int(i)].MAJOR, cases[i].penalty);
    EXPECT_EQ(b.debits[int(i)].DEPLATA, cases[i].unpaid + cases[i].penalty);
  }
}

TEST_F(BalanceTest, NoTaxMarkWaivesPenaltiesOnBalancesOnlyInTheModeWithoutPenalties) {
  EXPECT_FALSE(collect::penaltiesWaived(rates_, "DA"));  // mode off: the mark is not honoured
  rates_.setOption("FARAMAJORARI", true);
  EXPECT_TRUE(collect::penaltiesWaived(rates_, "DA"));
  EXPECT_TRUE(collect::penaltiesWaived(rates_, " da"));
  EXPECT_FALSE(collect::penaltiesWaived(rates_, "NU"));
  EXPECT_FALSE(collect::penaltiesWaived(rates_, ""));

  add(StoredBalance{.suma = 100, .rest = 100, .dator = 100, .major = 15});
  add(StoredDebit{.initial = 1000, .unpaid = 1000});
  const collect::Balance waived = build(QDate(2014, 10, 15), true);
  EXPECT_EQ(waived.taxes[0].MAJOR1, 0);
  EXPECT_EQ(waived.taxes[0].DEPLATA, 200);
  EXPECT_EQ(waived.debits[0].MAJOR, 140);  // debits still carry theirs
  EXPECT_EQ(waived.total, 200 + 1140);
}

TEST_F(BalanceTest, AReductionGivenOnAReceiptThisYearIsNotOfferedAgain) {
  add(StoredBalance{.group = "Impozit pe cladiri", .suma = 100, .rest = 100, .reduc = 10});
  add(StoredBalance{.group = "Impozit pe teren intravilan", .suma = 100, .rest = 100, .reduc = 10});
  add(StoredBalance{.group = "Impozit pe mijloace de transport", .suma = 100, .rest = 100, .reduc = 10});
  addReductionGiven(1, "Impozit pe cladiri", QDate(2014, 2, 10));
  addReductionGiven(1, "Impozit pe teren intravilan", QDate(2013, 12, 20));  // last year
  addReductionGiven(2, "Impozit pe mijloace de transport", QDate(2014, 2, 10));  // someone else
  const collect::Balance b = build(QDate(2014, 3, 1));
  EXPECT_EQ(b.taxes[0].RED1, 0);
  EXPECT_EQ(b.taxes[0].CUR1, 100);
  EXPECT_EQ(b.taxes[1].RED1, 10);
  EXPECT_EQ(b.taxes[2].RED1, 10);

  // Given meanwhile at another desk: the next build knows.
  addReductionGiven(1, "Impozit pe mijloace de transport", QDate(2014, 3, 1));
  EXPECT_EQ(build(QDate(2014, 3, 1)).taxes[2].RED1, 0);
}

TEST_F(BalanceTest, LockedYearHidesWhatWritesAndDisablesTheDocuments) {
  const collect::CollectionActions open = collect::collectionActions(rates_, 2014);
  EXPECT_TRUE(open.operateShown && open.withoutDebtShown && open.addTaxShown && open.enforcementEnabled &&
              open.certificateEnabled);
  rates_.setOption("ADMINBLOCAT2013", true);
  EXPECT_TRUE(collect::collectionActions(rates_, 2014).operateShown);
  rates_.setOption("ADMINBLOCAT2014", true);
  const collect::CollectionActions locked = collect::collectionActions(rates_, 2014);
  EXPECT_FALSE(locked.operateShown || locked.withoutDebtShown || locked.addTaxShown || locked.enforcementEnabled ||
               locked.certificateEnabled);
}

class SheetTest : public BalanceTest {
 protected:
  void SetUp() override {
    BalanceTest::SetUp();
    add(StoredBalance{.group = "Impozit pe cladiri", .suma = 120, .rest = 120});                 // due 120
    add(StoredBalance{.group = "Impozit pe teren intravilan", .depoz = 200});                       // credit 200
    add(StoredDebt{.suma = 50, .rest = 20, .reduc = 5, .nr = 4});                                  // due 65
    add(StoredDebit{.category = "Vanzare", .initial = 300, .unpaid = 300, .nr = 9});              // due 300
  }
  QString workValue(WorkTable table, const QString& field, int row = 0) {
    const auto rows = sql::query(sheet_->workTables().database(),
                                 "SELECT " + field + " FROM " + sql::table(sheet_->workTables().path(table)));
    rows->moveTo(std::size_t(row));
    return QString::fromStdString(rows->asText(field.toStdString()));
  }
  void open(const QDate& calc = QDate(2014, 3, 31)) {
    sheet_ = std::make_unique<CollectionSheet>(source(), appDir());
    sheet_->BuildBalance(false, calc, true, 1);
  }
  std::unique_ptr<CollectionSheet> sheet_;
};

TEST_F(SheetTest, WorkTablesLiveInTheProgramFolderWithTheirLayoutsAndGoWithTheWindow) {
  const QStringList dataFiles = QDir(dataDir()).entryList(QDir::Files);
  open();
  const QStringList names = {"Impozite0.dbf", "Taxe0.dbf", "Debite0.dbf"};
  for (WorkTable t : {WorkTable::Taxes, WorkTable::OtherTaxes, WorkTable::Debits}) {
    const QString path = sheet_->workTables().path(t);
    EXPECT_EQ(path, QDir(appDir()).filePath(names[int(t)]));
    EXPECT_TRUE(QFile::exists(path));
    QStringList fields;
    for (const engine::FieldDesc& f : sheet_->workTables().database().fields(path.toStdString()))
      fields.append(QString::fromStdString(f.name));
    QStringList expected;
    for (const schema::Field& f : collect::workTableLayout(t).fields) expected.append(f.name);
    EXPECT_EQ(fields, expected);
  }
  EXPECT_EQ(workValue(WorkTable::Taxes, "DEPLATA"), "120");
  EXPECT_EQ(workValue(WorkTable::Taxes, "RAM1", 1), "-200");
  EXPECT_EQ(workValue(WorkTable::OtherTaxes, "DEPLATA"), "65");
  EXPECT_EQ(workValue(WorkTable::Debits, "DEPLATA"), "300");
  EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files), dataFiles);

  sheet_.reset();
  for (const QString& name : names) EXPECT_FALSE(QFile::exists(QDir(appDir()).filePath(name))) << name.toStdString();
}

TEST_F(SheetTest, TypedAmountsFollowTheRulesAndReachTheWorkTables) {
  open();
  EXPECT_EQ(sheet_->enterPaid(WorkTable::Taxes, 0, -5), 120);  // no credit on that line
  EXPECT_EQ(sheet_->enterPaid(WorkTable::Taxes, 1, -500), -200);
  EXPECT_EQ(sheet_->enterPaid(WorkTable::OtherTaxes, 0, 100), 65);  // no overpayment on other taxes
  EXPECT_EQ(sheet_->enterPaid(WorkTable::Debits, 0, 350), 350);     // kept: a negative remainder when paid
  EXPECT_EQ(workValue(WorkTable::Taxes, "ACHITAT"), "120");
  EXPECT_EQ(workValue(WorkTable::Taxes, "ACHITAT", 1), "-200");
  EXPECT_EQ(workValue(WorkTable::OtherTaxes, "ACHITAT"), "65");
  EXPECT_EQ(workValue(WorkTable::Debits, "ACHITAT"), "350");
  EXPECT_EQ(sheet_->receiptValue(), 120 - 200 + 65 + 350);

  EXPECT_EQ(sheet_->togglePaid(WorkTable::Debits, 0), 300);
  EXPECT_EQ(sheet_->togglePaid(WorkTable::Debits, 0), 0);
  EXPECT_EQ(sheet_->togglePaid(WorkTable::Taxes, 0), 0);
  EXPECT_EQ(workValue(WorkTable::Taxes, "ACHITAT"), "0");
  EXPECT_EQ(sheet_->receiptValue(), -200 + 65);

  EXPECT_FALSE(sheet_->setDebitGroup(0, "   "));
  EXPECT_EQ(workValue(WorkTable::Debits, "GRUPA"), "Impozit pe cladiri");
  EXPECT_TRUE(sheet_->setDebitGroup(0, " Taxa teren "));
  EXPECT_EQ(workValue(WorkTable::Debits, "GRUPA"), "Taxa teren");
  sheet_->setNumber(WorkTable::OtherTaxes, 0, 77);
  EXPECT_EQ(workValue(WorkTable::OtherTaxes, "NR"), "77");
}

TEST_F(SheetTest, EveryRebuildReadsTheStoredTablesAndDropsTypedAmounts) {
  open();
  sheet_->togglePaid(WorkTable::Taxes, 0);
  // Another desk took a payment meanwhile.
  sql::execute(*db_, "UPDATE " + sql::table(dataDir(), "SoldCalc.dbf") + " SET REST=20 WHERE GRUPA=" +
                         sql::quote("Impozit pe cladiri"));
  sheet_->BuildBalance(false, QDate(2014, 3, 31), true, 1);
  EXPECT_EQ(sheet_->due(WorkTable::Taxes, 0), 20);
  EXPECT_EQ(sheet_->paid(WorkTable::Taxes, 0), 0);
  EXPECT_EQ(workValue(WorkTable::Taxes, "ACHITAT"), "0");
  EXPECT_EQ(sheet_->receiptValue(), 0);
  EXPECT_EQ(sheet_->balance().total, 20 - 200 + 65 + 300);
}

}  // namespace
}  // namespace dajdor::testing
