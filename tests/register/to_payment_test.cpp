// The two buttons of the debt generation as operations: their checks, the
// question, the messages, and the unattended run that asks and tells nothing.
#include "register/taxpayer_fixture.h"
#include "register/taxpayer_register.h"
#include "register/to_payment.h"
#include "store/sql_helpers.h"

namespace dajdor::testing {
namespace {

using reg::Taxpayer;

class ToPaymentTest : public TaxpayerTest {
 protected:
  reg::PaymentRun run() { return {*db_, dataDir(), *settings_, rates_, ui_, 2014}; }
  Taxpayer taxpayer(std::int64_t id) { return *reg::findTaxpayer(*db_, dataDir(), id); }
  int debtRows() { return static_cast<int>(rows("SELECT * FROM %1", "Datorii.dbf").size()); }
  void arable(std::int64_t id) {
    exec("UPDATE %1 SET L1A=1 WHERE IDGOS=" + sql::number(id), "Pag1.dbf");
  }
};

TEST_F(ToPaymentTest, OneTaxpayerChecksThenTransfersAndSaysSo) {
  const std::int64_t id = add("VALENI", "12", "POPESCU ION");
  arable(id);
  Taxpayer roleless = taxpayer(id);
  roleless.role.clear();
  struct Case {
    std::optional<Taxpayer> shown;
    QString village, problem, field;
  };
  const Case cases[] = {{std::nullopt, "VALENI", "Nu ati ales nici o persoana!", "CapGosp"},
                        {roleless, "VALENI", "POPESCU ION nu are Numar de ROL! Apasa Modifica si pune-i!", "ROLEd"},
                        {taxpayer(id), "  ", "Nu ati ales Localitatea!", "SatCombo"}};
  for (const Case& k : cases) {
    ui_.problems.clear();
    EXPECT_FALSE(reg::AddLaPlata(run(), k.shown, k.village));
    ASSERT_EQ(ui_.problems.size(), 1);
    EXPECT_EQ(ui_.problems[0].text, k.problem);
    EXPECT_EQ(ui_.problems[0].field, k.field);
    EXPECT_EQ(debtRows(), 0);
  }
  EXPECT_TRUE(reg::AddLaPlata(run(), taxpayer(id), "VALENI"));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Adaugare la plata");
  EXPECT_EQ(ui_.messages[0].text, "12 a fost adaugat la plata.");
  EXPECT_EQ(ui_.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(ui_.progressTexts, QStringList{"Transfer la datorii..."});
  EXPECT_EQ(debtRows(), 1);
}

TEST_F(ToPaymentTest, AnAmountThatDoesNotFitIsToldAndNothingWritten) {
  const std::int64_t id = add("VALENI", "12", "POPESCU ION");
  rates_.setText("Alte1", "1000");
  exec("UPDATE %1 SET LIN1=5000 WHERE IDGOS=" + sql::number(id), "Pag7.dbf");
  EXPECT_FALSE(reg::AddLaPlata(run(), taxpayer(id), "VALENI"));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].kind, MessageKind::Warning);
  EXPECT_TRUE(ui_.messages[0].text.contains("campul SUMA")) << ui_.messages[0].text.toStdString();
  EXPECT_EQ(debtRows(), 0);
}

TEST_F(ToPaymentTest, TheWholeRegisterAsksFirstAndSumsUp) {
  EXPECT_FALSE(reg::AddAllPlata(run(), {"VALENI"}, false));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].text, "Nu aveti ce adauga la plata!");
  for (const char* role : {"1", "2"}) arable(add("VALENI", role, QStringLiteral("VALENI ") + role));
  arable(add("DEALU", "3", "DEALU 3"));

  ui_.messages.clear();
  ui_.queueAnswer(Answer::Nu);
  EXPECT_FALSE(reg::AddAllPlata(run(), {"VALENI", "DEALU"}, false));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Adaugare localitate la plata");
  EXPECT_EQ(ui_.messages[0].text, "Doriti sa adaugati toate pozitiile la plata?");
  EXPECT_EQ(ui_.messages[0].buttons, Button::Da | Button::Nu);
  EXPECT_EQ(debtRows(), 0);

  ui_.messages.clear();
  const auto summary = reg::AddAllPlata(run(), {"VALENI", "DEALU"}, false);
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->added, 3);
  ASSERT_EQ(ui_.messages.size(), 2);
  EXPECT_EQ(ui_.messages[1].title, "Adaugare localitati la plata");
  EXPECT_EQ(ui_.messages[1].text, "Au fost adaugate la plata 3 ROL-uri si respinse 0 ROL-uri.");
  EXPECT_EQ(debtRows(), 3);
}

TEST_F(ToPaymentTest, UnattendedAsksAndTellsNothing) {
  arable(add("VALENI", "1", "VALENI 1"));
  exec("INSERT INTO %1 (IDGOS, SATUL, ROL, NUMEP, TIP) VALUES (900, \"VALENI\", \"\", \"FARA ROL\", \"FIZICA\")",
       "Gospodar.dbf");
  const auto summary = reg::AddAllPlata(run(), {"VALENI"}, true);
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->added, 1);
  EXPECT_EQ(summary->refused, 1);
  EXPECT_TRUE(ui_.messages.isEmpty());
  EXPECT_TRUE(ui_.progressTexts.isEmpty());
}

}  // namespace
}  // namespace dajdor::testing
