#include "register/register_list.h"
#include "register/taxpayer_fixture.h"
#include "register/taxpayer_register.h"
#include "store/sql_helpers.h"

#include <QFile>

using namespace dajdor::reg;

namespace dajdor::testing {
namespace {

class TaxpayerRegisterTest : public TaxpayerTest {
 protected:
  StoreDecision check(Taxpayer& t, bool adding = true) {
    return checkTaxpayer(*db_, dataDir(), t, adding, ui_);
  }
  QStringList problemTexts() const {
    QStringList texts;
    for (const auto& p : ui_.problems) texts.append(p.text + " @" + p.field);
    return texts;
  }
};

TEST_F(TaxpayerRegisterTest, TheProposedRoleFollowsTheLargestNumericRole) {
  EXPECT_EQ(proposeRole(*db_, dataDir()), "1");
  add("VALE", "12", "POP ION");
  add("VALE", "7", "POP ANA");
  add("VALE", "A5", "POP VASILE");
  EXPECT_EQ(proposeRole(*db_, dataDir()), "13");
  QFile::remove(dataFile("Gospodar.dbf"));
  EXPECT_EQ(proposeRole(*db_, dataDir()), "1");  // an unreadable register
}

TEST_F(TaxpayerRegisterTest, EachMissingOrWrongInputIsReportedOnItsOwnInput) {
  struct Case {
    Taxpayer typed;
    const char* problem;
  };
  const Case cases[] = {
      {person("  ", "1", "ION"), "Lipseste Localitatea! @SatCombo"},
      {person("VALE", "   ", "ION"), "Numar de ROL incorect! @ROLEd"},
      {person("VALE", "1", "ION", "1800101221145"), "CNP / CUI incorect! @CNP1"},
      {person("VALE", "1", "ION", "3800101221148"), "CNP / CUI incorect! @CNP1"},
      {person("VALE", "1", " "), "Lipseste Capul de gospodarie! @CapGosp"},
  };
  for (const Case& c : cases) {
    ui_.problems.clear();
    Taxpayer typed = c.typed;
    const StoreDecision decision = check(typed);
    EXPECT_FALSE(decision.store) << c.problem;
    EXPECT_EQ(problemTexts(), QStringList{c.problem});
    EXPECT_EQ("@" + decision.focus, QString(c.problem).section(' ', -1));
  }
  EXPECT_TRUE(ui_.messages.isEmpty());
}

TEST_F(TaxpayerRegisterTest, TypedTextsAreCleanedAndAValidCnpOrCuiPasses) {
  Taxpayer typed = person("  vale  mare ", " 12 ", "  pop   ion ", " 1800101221144 ");
  typed.address = "  Str.  Morii   3 ";
  EXPECT_TRUE(check(typed).store);
  EXPECT_EQ(typed.village, "VALE MARE");
  EXPECT_EQ(typed.role, "12");
  EXPECT_EQ(typed.name, "POP ION");
  EXPECT_EQ(typed.code, "1800101221144");
  EXPECT_EQ(typed.address, "Str. Morii 3");
  Taxpayer company = person("VALE", "13", "AGRO SRL", "18547290");
  company.type = kLegalPerson;
  EXPECT_TRUE(check(company).store);
  Taxpayer tooLong = person("VALE", "14", "ION");
  tooLong.observations = QString(241, 'x');
  EXPECT_FALSE(check(tooLong).store);
  EXPECT_EQ(ui_.problems.last().field, TaxpayerField::Observations);
}

TEST_F(TaxpayerRegisterTest, ARoleAlreadyHeldIsAWarningTheUserMayOverride) {
  const std::int64_t first = add("VALE", "12", "POP ION");
  Taxpayer typed = person("DEAL", "12", "POP ANA");
  ui_.queueAnswer(Answer::Nu);
  const StoreDecision refused = check(typed);
  EXPECT_FALSE(refused.store);
  EXPECT_EQ(refused.focus, TaxpayerField::Role);
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Verificare numar de ROL");
  EXPECT_EQ(ui_.messages[0].text, "Numarul unic de ROL exista deja!\rContinuati in halul asta?! ;)");
  EXPECT_EQ(ui_.messages[0].buttons, Button::Da | Button::Nu);

  ui_.queueAnswer(Answer::Da);
  EXPECT_TRUE(check(typed).store);

  // Changing the holder himself is no duplicate.
  ui_.messages.clear();
  Taxpayer own = person("VALE", "12", "POP ION");
  own.idgos = first;
  EXPECT_TRUE(check(own, false).store);
  EXPECT_TRUE(ui_.messages.isEmpty());
}

TEST_F(TaxpayerRegisterTest, ACnpAlreadyHeldNamesItsHolderAndMayBeKept) {
  const std::int64_t first = add("VALE", "12", "POP ION", "1800101221144");
  Taxpayer typed = person("VALE", "13", "POP ANA", "1800101221144");
  ui_.queueAnswer(Answer::Nu);
  EXPECT_FALSE(check(typed).store);
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Verificare CNP");
  EXPECT_EQ(ui_.messages[0].text, "Acest CNP mai exista la ROL 12\rPOP ION !\rContinuati memorarea ?");
  ui_.queueAnswer(Answer::Da);
  EXPECT_TRUE(check(typed).store);

  ui_.messages.clear();
  Taxpayer own = person("VALE", "12", "POP ION", "1800101221144");
  own.idgos = first;
  EXPECT_TRUE(check(own, false).store);
  EXPECT_TRUE(ui_.messages.isEmpty());
}

TEST_F(TaxpayerRegisterTest, AddingStoresTheTextsExactlyWithAFreshIdAndAnEmptyFile) {
  Taxpayer t = person("VALEA LUI \"ION\"", "12", "O'NEIL; DROP -- 50% ĂÎÂŞŢ", "1800101221144");
  t.address = "Str. \"Morii\" nr. 3; ap. 5 -- 100% ăîâşţ";
  t.observations = "a spus: \"\"nu\"\" ; '%1' --";
  t.type = kLegalPerson;
  t.exemptBuildings = true;
  t.exemptInside = true;
  t.exemptOutside = 999999;
  t.noPenalties = true;
  const std::int64_t id = AddTaxpayer(*db_, dataDir(), *settings_, t, rates_);
  const std::int64_t second = add("VALE", "13", "POP ANA");
  EXPECT_NE(id, second);
  EXPECT_EQ(settings_->ReadCounter("SERVER", "IDGOS").toLongLong(), second + 1);

  const auto stored = findTaxpayer(*db_, dataDir(), id);
  ASSERT_TRUE(stored);
  t.idgos = id;
  EXPECT_EQ(*stored, t);
  EXPECT_EQ(rows("SELECT SCCLAD, SCCC, SCTI, SCAUTO, NOTAX FROM %1 WHERE IDGOS=" + sql::number(id), "Gospodar.dbf"),
            QStringList{"DA|NU|DA|NU|DA"});
  for (const char* page : {"Pag1.dbf", "Pag2.dbf", "Pag4.dbf", "Pag5.dbf", "Pag6.dbf", "Pag7.dbf", "Pag8.dbf"})
    EXPECT_EQ(rows("SELECT IDGOS FROM %1 WHERE IDGOS=" + sql::number(id), page).size(), 1) << page;
}

TEST_F(TaxpayerRegisterTest, TwoRegistersOnOneDirectoryHandOutDifferentIds) {
  engine::Database other(dataDir().toStdString());
  SettingsFile otherSettings(dataFile(SettingsFile::kFileName));
  const std::int64_t a = add("VALE", "1", "POP ION");
  const std::int64_t b = AddTaxpayer(other, dataDir(), otherSettings, person("VALE", "2", "POP ANA"), rates_);
  EXPECT_NE(a, b);
  EXPECT_EQ(rows("SELECT IDGOS FROM %1 ORDER BY IDGOS", "Gospodar.dbf").size(), 2);
}

class TaxpayerChangeTest : public TaxpayerRegisterTest {
 protected:
  void SetUp() override {
    TaxpayerRegisterTest::SetUp();
    ion_ = add("VALE", "12", "POP ION");
    twin_ = add("VALE", "12", "POP ANA");  // the same role, kept after the warning
    for (const std::int64_t id : {ion_, twin_}) {
      const QString values = sql::number(id) + ", \"VALE\", \"12\"";
      exec("INSERT INTO %1 (IDDAT, IDGOS, SATUL, ROL, GRUPA, SUMA) VALUES(" + sql::number(id * 10) + ", " + values +
               ", \"Impozit pe cladiri\", 50)",
           "Datorii.dbf");
      exec("INSERT INTO %1 (IDRES, IDGOS, SATUL, ROL, GRUPA, SUMA) VALUES(" + sql::number(id * 10) + ", " + values +
               ", \"Impozit pe cladiri\", 50)",
           "SoldCalc.dbf");
      exec("INSERT INTO %1 (IDCHIT, IDGOS, SATUL, ROL, GRUPA, TOTAL) VALUES(" + sql::number(id * 10) + ", " + values +
               ", \"Impozit pe cladiri\", 50)",
           "Chitante.dbf");
      exec("INSERT INTO %1 (IDANUL, IDGOS, IDDAT) VALUES(1, " + sql::number(id) + ", 1)", "UndelDat.dbf");
      exec("INSERT INTO %1 (IDANUL, IDGOS, IDRES) VALUES(1, " + sql::number(id) + ", 1)", "UndelSold.dbf");
      exec("INSERT INTO %1 (IDDEB, IDGOS, GRUPA) VALUES(1, " + sql::number(id) + ", \"Impozit pe cladiri\")",
           "Debit.dbf");
      exec("INSERT INTO %1 (IDGOS, IDDETA, Marca) VALUES(" + sql::number(id) + ", 1, \"DACIA\")", "AutoDet.dbf");
    }
  }
  QStringList placeOf(std::int64_t id, const QString& table) {
    return rows("SELECT SATUL, ROL FROM %1 WHERE IDGOS=" + sql::number(id), table);
  }
  QStringList rowsOf(std::int64_t id, const QString& table) {
    return rows("SELECT * FROM %1 WHERE IDGOS=" + sql::number(id), table);
  }
  // Every row of the taxpayer in every table a delete or change touches.
  QStringList fileOf(std::int64_t id) {
    QStringList all;
    for (const char* table : {"Gospodar.dbf", "Pag1.dbf", "Pag2.dbf", "Pag4.dbf", "Pag5.dbf", "Pag6.dbf", "Pag7.dbf",
                              "Pag8.dbf", "Datorii.dbf", "SoldCalc.dbf", "Chitante.dbf", "UndelDat.dbf",
                              "UndelSold.dbf", "Debit.dbf", "AutoDet.dbf"})
      all += rowsOf(id, table);
    return all;
  }
  std::int64_t ion_ = 0, twin_ = 0;
};

TEST_F(TaxpayerChangeTest, AChangedVillageAndRoleReachTheTaxpayersDebtsAndBalancesOnly) {
  const Taxpayer before = *findTaxpayer(*db_, dataDir(), ion_);
  Taxpayer after = before;
  after.village = "DEAL";
  after.role = "40";
  after.name = "POP ION \"MIC\"";
  modifyTaxpayer(*db_, dataDir(), before, after);
  EXPECT_EQ(*findTaxpayer(*db_, dataDir(), ion_), after);
  EXPECT_EQ(placeOf(ion_, "Datorii.dbf"), QStringList{"DEAL|40"});
  EXPECT_EQ(placeOf(ion_, "SoldCalc.dbf"), QStringList{"DEAL|40"});
  EXPECT_EQ(placeOf(ion_, "Chitante.dbf"), QStringList{"VALE|12"});  // receipts keep what they recorded
  // The other holder of the old role keeps his own.
  EXPECT_EQ(placeOf(twin_, "Datorii.dbf"), QStringList{"VALE|12"});
  EXPECT_EQ(placeOf(twin_, "SoldCalc.dbf"), QStringList{"VALE|12"});
}

TEST_F(TaxpayerChangeTest, AChangeThatFailsHalfWayLeavesTheTaxpayerAsHeWas) {
  const Taxpayer before = *findTaxpayer(*db_, dataDir(), ion_);
  Taxpayer after = before;
  after.village = "DEAL";
  QFile::remove(dataFile("SoldCalc.dbf"));  // the last table the change writes
  EXPECT_THROW(modifyTaxpayer(*db_, dataDir(), before, after), std::exception);
  EXPECT_EQ(*findTaxpayer(*db_, dataDir(), ion_), before);
  EXPECT_EQ(placeOf(ion_, "Datorii.dbf"), QStringList{"VALE|12"});
}

TEST_F(TaxpayerChangeTest, DeletingAsksFourTimesAndStopsAtTheFirstNu) {
  const Taxpayer ion = *findTaxpayer(*db_, dataDir(), ion_);
  for (int refusedAt = 1; refusedAt <= 4; ++refusedAt) {
    ui_.messages.clear();
    for (int i = 1; i < refusedAt; ++i) ui_.queueAnswer(Answer::Da);
    ui_.queueAnswer(Answer::Nu);
    EXPECT_FALSE(confirmDeletion(ion, ui_));
    ASSERT_EQ(ui_.messages.size(), refusedAt == 4 ? 5 : refusedAt);
  }
  const QStringList asked = {ui_.messages[0].text, ui_.messages[1].text, ui_.messages[2].text,
                             ui_.messages[3].text};
  EXPECT_EQ(asked, (QStringList{"Doriti sa stergeti gospodaria cu \rnr.ROL 12 din VALE?",
                                "Stergem toata istoria omului din calculator ?!",
                                "Se sterg toate chitantele omului de-a lungul vremii !!!\r\n"
                                "Va dati seama ca se modifica toate soldurile ?!",
                                "Deci va asumati riscul sa schimbati toate rapoartele de pana acum ?!"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ui_.messages[i].title, "Stergere gospodarie");
  EXPECT_EQ(ui_.messages[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(ui_.messages[4].title, "Emotii mari");
  EXPECT_EQ(ui_.messages[4].text, "Bine ati revenit cu picioarele pe pamant !");
  EXPECT_EQ(ui_.messages[4].buttons, Button::Ok);
  EXPECT_TRUE(confirmDeletion(ion, ui_));  // four times "DA"
}

TEST_F(TaxpayerChangeTest, DeletingRemovesTheWholeFileButDebitsAndVehicleDetails) {
  const QStringList twin = fileOf(twin_);
  deleteTaxpayer(*db_, dataDir(), ion_, ui_);
  EXPECT_EQ(ui_.progressTexts, QStringList{"Sterg gospodaria..."});
  EXPECT_EQ(ui_.progressValue, 95);
  EXPECT_EQ(ui_.progressMax, 100);
  EXPECT_EQ(fileOf(ion_).size(), 2);
  EXPECT_EQ(rowsOf(ion_, "Debit.dbf").size(), 1);
  EXPECT_EQ(rowsOf(ion_, "AutoDet.dbf").size(), 1);
  EXPECT_EQ(fileOf(twin_), twin);
}

TEST_F(TaxpayerChangeTest, ADeleteThatFailsHalfWayLeavesTheTaxpayerWhole) {
  QFile::remove(dataFile("UndelSold.dbf"));  // the last table the delete clears
  EXPECT_THROW(deleteTaxpayer(*db_, dataDir(), ion_, ui_), std::exception);
  for (const char* table : {"Gospodar.dbf", "Pag1.dbf", "Datorii.dbf", "SoldCalc.dbf", "Chitante.dbf"})
    EXPECT_EQ(rowsOf(ion_, table).size(), 1) << table;
}

TEST_F(TaxpayerChangeTest, DeletingTheOnlyTaxpayerOfAFilteredVillageLeavesAnEmptyList) {
  const std::int64_t alone = add("DEAL", "77", "RUS PETRU");
  RegisterList list;
  list.open(*db_, dataDir());
  list.setFilter("DEAL", {});
  ASSERT_EQ(list.count(), 1);
  deleteTaxpayer(*db_, dataDir(), alone, ui_);
  list.open(*db_, dataDir());
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.current(), -1);
  EXPECT_FALSE(list.currentTaxpayer());
}

}  // namespace
}  // namespace dajdor::testing
