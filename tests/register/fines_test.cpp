// Fines and taxes of the year (Datorii rows of kind "M"): the dialog's store
// checks, the rows written, and what a receipt cut on a row forbids.
#include "store/qt_printers.h"
#include "register/fines.h"
#include "register/taxpayer_fixture.h"
#include "store/sql_helpers.h"

namespace dajdor::testing {
namespace {

using reg::Fine;
using reg::FineEntry;

class FinesTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    owner_ = add("VALENI", "12", "POPESCU ION");
  }
  static FineEntry entry(double amount, double arrears, double reduction, const QString& group = "Salubritate") {
    return {QDate(2014, 3, 15), group, " amenda  nr. 5 ", Currency::whole(7), Currency::fromDouble(amount),
            Currency::fromDouble(arrears), Currency::fromDouble(reduction)};
  }
  std::int64_t store(FineEntry e, reg::ReductionPercent percent = reg::ReductionPercent::Zero) {
    return reg::addFine(*db_, dataDir(), *settings_, {owner_, "VALENI", "12"}, e, percent);
  }
  Fine only() {
    const QList<Fine> fines = reg::finesOf(*db_, dataDir(), owner_);
    EXPECT_EQ(fines.size(), 1);
    return fines.value(0);
  }
  // A payment of `paid` lei on the current amount, as the payment operation lowers it.
  void pay(std::int64_t iddat, int paid) {
    exec("UPDATE %1 SET SUMA=SUMA-" + QString::number(paid) + " WHERE IDDAT=" + sql::number(iddat), "Datorii.dbf");
  }

  std::int64_t owner_ = 0;
};

TEST_F(FinesTest, TheDialogsStoreChecks) {
  struct Case {
    FineEntry entry;
    QString problem, field, message;
  };
  FineEntry noGroup = entry(10, 0, 0, "");
  FineEntry unstorable = entry(10, 0, 0);
  unstorable.explanation = QStringLiteral("amenda \u20AC 5");  // the euro sign is in Windows-1250, the rouble is not
  unstorable.explanation += QChar(0x20BD);
  const Case cases[] = {
      {entry(100, 50, 0), "Nu puteti adauga si Curent si Restanta simultan!", "Reduc", {}},
      {entry(0, 0, 0), {}, {}, "Nu ati trecut nici o suma!"},
      {noGroup, "Lipseste denumirea creantei!", "CreantaBox", {}},
      {unstorable, "Caracterul \"\u20BD\" nu poate fi memorat! Folositi numai litere romanesti.", "DOCJUS", {}},
  };
  for (const Case& k : cases) {
    ui_.problems.clear();
    ui_.messages.clear();
    FineEntry e = k.entry;
    EXPECT_FALSE(reg::checkFineEntry(e, ui_)) << k.problem.toStdString() << k.message.toStdString();
    if (!k.problem.isEmpty()) {
      ASSERT_EQ(ui_.problems.size(), 1);
      EXPECT_EQ(ui_.problems[0].text, k.problem);
      EXPECT_EQ(ui_.problems[0].field, k.field);
    } else {
      ASSERT_EQ(ui_.messages.size(), 1);
      EXPECT_EQ(ui_.messages[0].title, "Adaugare creanta");
      EXPECT_EQ(ui_.messages[0].text, k.message);
      EXPECT_EQ(ui_.messages[0].buttons, Button::Ok);
      EXPECT_EQ(ui_.messages[0].kind, MessageKind::Error);
    }
  }
  // Accepted: only arrears, only a bonus, negative arrears; blanks cleaned, the number whole.
  for (FineEntry e : {entry(0, 50, 0), entry(0, 0, 5), entry(0, -20, 0)}) {
    e.number = Currency::fromDouble(7.9);
    EXPECT_TRUE(reg::checkFineEntry(e, ui_));
    EXPECT_EQ(e.explanation, "amenda nr. 5");
    EXPECT_EQ(e.number, Currency::whole(7));
  }
}

TEST_F(FinesTest, AFineIsStoredWithItsWholeLeiAndTheTextAsTyped) {
  FineEntry e = entry(100.75, 0, 10.5);
  e.explanation = QStringLiteral("Proces-verbal \"ţărână\" - Ştefan's");
  ASSERT_TRUE(reg::checkFineEntry(e, ui_));
  store(e);
  EXPECT_EQ(rows("SELECT DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, UM, CANT, REDUCP, SCUTIT, "
                 "TIP, SUMA2, RESTINI FROM %1",
                 "Datorii.dbf"),
            QStringList{QStringLiteral("15.03.2014|VALENI|12|Salubritate|Salubritate|Proces-verbal \"ţărână\" - "
                                       "Ştefan's|7|100|0|10|buc|1|0|0|M|100|0")});
  EXPECT_EQ(settings_->ReadCounter("SERVER", "IDDAT"), QString::number(only().iddat + 1));
}

TEST_F(FinesTest, TheBonusPercentIsDefinedWhenNothingIsOwed) {
  struct Case {
    double amount, arrears, reduction;
    std::int64_t percent;
  };
  // Only a bonus, or current and arrears cancelling out: 0 rather than a division by zero.
  const Case cases[] = {{200, 0, 20, 10}, {0, 150, 50, 33}, {0, 0, 25, 0}, {0, -40, 5, 0}, {10, 0, 30, 100}};
  for (const Case& k : cases) {
    exec("DELETE FROM %1", "Datorii.dbf");
    store(entry(k.amount, k.arrears, k.reduction), reg::ReductionPercent::OfOwed);
    EXPECT_EQ(rows("SELECT REDUCP, SUMA, REST, REDUC, TIP FROM %1", "Datorii.dbf"),
              QStringList{QStringLiteral("%1|%2|%3|%4|M")
                              .arg(k.percent)
                              .arg(static_cast<int>(k.amount))
                              .arg(static_cast<int>(k.arrears))
                              .arg(static_cast<int>(k.reduction))});
  }
}

TEST_F(FinesTest, AChangeAfterAPaymentKeepsWhatWasPaid) {
  const std::int64_t id = store(entry(100, 0, 0));
  pay(id, 30);  // SUMA 70, SUMA2 100
  FineEntry e = reg::entryOf(only());
  EXPECT_EQ(e.amount, Currency::whole(70));
  e.amount = Currency::whole(120);
  EXPECT_TRUE(reg::modifyFine(*db_, dataDir(), only(), e, ui_));
  EXPECT_EQ(rows("SELECT SUMA, SUMA2, REST, RESTINI FROM %1", "Datorii.dbf"), QStringList{"120|150|0|0"});
}

TEST_F(FinesTest, AReceiptCutFixesTheGroupAndForbidsTheDeletion) {
  const std::int64_t id = store(entry(100, 0, 0));
  pay(id, 40);
  FineEntry e = reg::entryOf(only());
  e.group = "Paza";
  EXPECT_FALSE(reg::modifyFine(*db_, dataDir(), only(), e, ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Modificare taxa");
  EXPECT_EQ(ui_.messages[0].text, "Aveti taiata chitanta pe aceasta taxa/amenda!\rNu puteti sa-i modificati Grupa!");
  EXPECT_EQ(only().group, "Salubritate");
  e.group = "Salubritate";
  e.amount = Currency::whole(80);
  EXPECT_TRUE(reg::modifyFine(*db_, dataDir(), only(), e, ui_)) << "the amounts may change";
  EXPECT_EQ(only().amount, 80);

  ui_.messages.clear();
  EXPECT_FALSE(reg::deleteFine(*db_, dataDir(), owner_, only(), ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Stergere taxa / amenda");
  EXPECT_EQ(ui_.messages[0].text, "Aveti taiata chitanta pe aceasta taxa/amenda!\rNu puteti s-o stergeti!");
  EXPECT_EQ(reg::finesOf(*db_, dataDir(), owner_).size(), 1);
}

TEST_F(FinesTest, DeletingAsksFirstAndAnEmptyGridIsTold) {
  EXPECT_FALSE(reg::deleteFine(*db_, dataDir(), owner_, std::nullopt, ui_));
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Nu aveti ce sterge!");
  EXPECT_EQ(ui_.problems[0].field, "TaxeGrid");
  store(entry(100, 0, 0));
  ui_.queueAnswer(Answer::Nu);
  EXPECT_FALSE(reg::deleteFine(*db_, dataDir(), owner_, only(), ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].text, "Sunteti sigur ca vreti sa stergeti taxa/amenda?");
  EXPECT_EQ(ui_.messages[0].buttons, Button::Da | Button::Nu);
  EXPECT_TRUE(reg::deleteFine(*db_, dataDir(), owner_, only(), ui_));
  EXPECT_TRUE(reg::finesOf(*db_, dataDir(), owner_).isEmpty());
}

TEST_F(FinesTest, GroupsOfferedForAFineAndForAVillage) {
  exec("INSERT INTO %1 (IDCOD, GRUPA, CODCLF, CODCLJ, TIP) VALUES (13, \"Amenzi circulatie\", \"\", \"\", \"T\")",
       "CODCL.dbf");
  const QStringList fees = {"Amenzi circulatie", "Auto neinmatriculate", "Concesionari", "Iluminat", "PSI", "Paza",
                            "Salubritate", "Taxa pe pasune", "Vehicule lente"};
  EXPECT_EQ(reg::fineGroups(*db_, dataDir()), fees);
  EXPECT_EQ(reg::villageTaxes(*db_, dataDir()), fees);
  exec("UPDATE %1 SET TIP=\"X\" WHERE IDCOD=13", "CODCL.dbf");
  EXPECT_TRUE(reg::fineGroups(*db_, dataDir()).contains("Amenzi circulatie"));
  EXPECT_FALSE(reg::villageTaxes(*db_, dataDir()).contains("Amenzi circulatie"));
}

}  // namespace
}  // namespace dajdor::testing
