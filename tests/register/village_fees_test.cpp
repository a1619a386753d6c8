// The two operations for a whole village: a fixed tax for every taxpayer and an
// other-tax quantity for every taxpayer, each one transaction.
#include "store/qt_printers.h"
#include "register/taxpayer_fixture.h"
#include "register/taxpayer_register.h"
#include "register/to_payment.h"
#include "register/village_fees.h"
#include "store/sql_helpers.h"

#include <QDir>

#include <stdexcept>

namespace dajdor::testing {
namespace {

// Fails part-way, after `steps` taxpayers were written.
class FailingInteraction : public ScriptedInteraction {
 public:
  explicit FailingInteraction(int steps) : steps_(steps) {}
  void progressStep(int steps) override {
    ScriptedInteraction::progressStep(steps);
    if (progressValue >= steps_) throw std::runtime_error("disc plin");
  }

 private:
  int steps_;
};

class VillageFeesTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    house_ = add("VALENI", "1", "CU CASA");
    annex_ = add("VALENI", "2", "CU ANEXA");
    bare_ = add("VALENI", "3", "FARA CASA");
    elsewhere_ = add("DEALU", "4", "DIN DEALU");
    exec("UPDATE %1 SET C1S=60 WHERE IDGOS=" + sql::number(house_), "Pag2.dbf");
    exec("UPDATE %1 SET VA1=1500 WHERE IDGOS=" + sql::number(annex_), "Pag2.dbf");
  }
  reg::VillageRun run(Interaction& ui, int rowsPerStatement = 200) {
    return {*db_, dataDir(), *settings_, ui, 2014, false, rowsPerStatement};
  }
  QStringList taxRows() {
    return rows("SELECT IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, UM, CANT, REDUCP, "
                "SCUTIT, TIP, SUMA2, RESTINI FROM %1 ORDER BY IDGOS",
                "Datorii.dbf");
  }
  QString taxRow(std::int64_t idgos, const QString& role) {
    return QStringLiteral("%1|01.01.2014|VALENI|%2|Iluminat|Iluminat||0|25|0|0|buc|1|0|0|M|25|0").arg(idgos).arg(role);
  }

  std::int64_t house_ = 0, annex_ = 0, bare_ = 0, elsewhere_ = 0;
};

TEST_F(VillageFeesTest, ATaxForEveryTaxpayerOrOnlyForThoseWithHouses) {
  const reg::VillageTax tax{"VALENI", "Iluminat", "25.60", true};
  ui_.queueAnswer(Answer::Nu);
  EXPECT_FALSE(reg::AddTaxToVillage(run(ui_), tax));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Adaugare taxa la toti");
  EXPECT_EQ(ui_.messages[0].text, "Adaugam la toata localitatea VALENI taxa Iluminat\r in valoare de 25.60 lei ?");
  EXPECT_EQ(ui_.messages[0].buttons, Button::Da | Button::Nu);
  EXPECT_TRUE(taxRows().isEmpty());

  const std::optional<QString> closing = reg::AddTaxToVillage(run(ui_), tax);
  ASSERT_TRUE(closing);
  EXPECT_EQ(*closing, "Taxa Iluminat, in valoare de 25.60 lei\ra fost adaugata la toata localitatea VALENI.");
  EXPECT_EQ(ui_.messages.last().text, *closing);
  EXPECT_EQ(ui_.messages.last().kind, MessageKind::Information);
  EXPECT_EQ(ui_.progressTexts, QStringList{"Adaug taxa..."});
  EXPECT_EQ(ui_.progressValue, 2);
  EXPECT_EQ(taxRows(), QStringList({taxRow(house_, "1"), taxRow(annex_, "2")}));

  exec("DELETE FROM %1", "Datorii.dbf");
  exec("DELETE FROM %1 WHERE IDGOS=" + sql::number(annex_), "Pag2.dbf");  // no buildings page: left out
  ASSERT_TRUE(reg::AddTaxToVillage(run(ui_), {"VALENI", "Iluminat", "25", false}));
  EXPECT_EQ(taxRows(), QStringList({taxRow(house_, "1"), taxRow(bare_, "3")}));
  const QStringList ids = rows("SELECT IDDAT FROM %1 ORDER BY IDDAT", "Datorii.dbf");
  EXPECT_EQ(settings_->ReadCounter("SERVER", "IDDAT"), QString::number(ids.last().toLongLong() + 1));
}

TEST_F(VillageFeesTest, AFailureHalfWayLeavesNoTaxpayerWithTheTax) {
  for (int i = 0; i < 6; ++i) add("VALENI", QString::number(10 + i), "ALT CONTRIBUABIL");
  FailingInteraction failing(3);
  EXPECT_FALSE(reg::AddTaxToVillage(run(failing, 1), {"VALENI", "Iluminat", "25", false}));
  EXPECT_EQ(failing.progressValue, 3) << "three rows were written before the failure";
  ASSERT_FALSE(failing.messages.isEmpty());
  EXPECT_EQ(failing.messages.last().kind, MessageKind::Error);
  EXPECT_TRUE(failing.messages.last().text.contains("disc plin"));
  EXPECT_TRUE(taxRows().isEmpty());
  engine::Database reopened(dataDir().toStdString());
  EXPECT_EQ(sql::scalar(reopened, "SELECT COUNT(*) FROM " + sql::table(dataDir(), "Datorii.dbf")), 0);
}

TEST_F(VillageFeesTest, NoVillageChosenIsTold) {
  EXPECT_FALSE(reg::villageChosen("  ", ui_));
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Alegeti mai intai o localitate!");
  EXPECT_EQ(ui_.problems[0].field, "SatCombo");
  EXPECT_TRUE(reg::villageChosen("VALENI", ui_));
}

TEST_F(VillageFeesTest, AQuantityReachesThePageAndAfterATransferTheDebts) {
  exec("UPDATE %1 SET LIN1=7, LIN5=9", "Pag7.dbf");
  exec("DELETE FROM %1 WHERE IDGOS=" + sql::number(bare_), "Pag7.dbf");  // a page never made
  const QStringList files = QDir(dataDir()).entryList(QDir::Files);
  ui_.queueAnswer(Answer::Nu);
  EXPECT_FALSE(reg::SetVillageQuantity(run(ui_), {"VALENI", "Paza", Currency::fromDouble(2.7)}));
  EXPECT_EQ(ui_.messages[0].title, "Adaugare taxa fixa");
  EXPECT_EQ(ui_.messages[0].text, "Punem la toata localitatea VALENI la taxa Paza\r cantitatea 2 ?");
  const std::optional<QString> closing = reg::SetVillageQuantity(run(ui_), {"VALENI", "Paza", Currency::fromDouble(2.7)});
  ASSERT_TRUE(closing);
  EXPECT_EQ(*closing, "Taxa a fost stabilita la toata localitatea.");
  EXPECT_EQ(rows("SELECT IDGOS, LIN1, LIN2, LIN3, LIN4, LIN5, LIN6 FROM %1 ORDER BY IDGOS", "Pag7.dbf"),
            QStringList({QStringLiteral("%1|7|0|0|0|2|0").arg(house_), QStringLiteral("%1|7|0|0|0|2|0").arg(annex_),
                         QStringLiteral("%1|0|0|0|0|2|0").arg(bare_),
                         QStringLiteral("%1|7|0|0|0|9|0").arg(elsewhere_)}));
  EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files), files) << "no work table";

  rates_.setText("Alte5", "15");
  SettingsFile settings(dataFile(SettingsFile::kFileName));
  ASSERT_TRUE(reg::AddLaPlata({*db_, dataDir(), settings, rates_, ui_, 2014}, reg::findTaxpayer(*db_, dataDir(), bare_),
                              "VALENI"));
  EXPECT_EQ(rows("SELECT GRUPA, CANT, SUMA2, TIP FROM %1 WHERE GRUPA=\"Paza\" AND IDGOS=" + sql::number(bare_),
                 "Datorii.dbf"),
            QStringList{"Paza|2|30|A"});
}

}  // namespace
}  // namespace dajdor::testing
