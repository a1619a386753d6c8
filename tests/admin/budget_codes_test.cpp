#include "admin/admin_fixture.h"
#include "admin/budget_codes.h"
#include "store/sql_helpers.h"

using namespace dajdor::admin;

namespace dajdor::testing {
namespace {

// A valid Romanian IBAN, and the same with one digit changed.
const QString kIban = "RO49AAAA1B31007593840000";
const QString kBadIban = "RO49AAAA1B31007593840001";

class BudgetCodesTest : public AdminTest {
 protected:
  BudgetCode find(const QString& group) {
    for (const BudgetCode& c : listBudgetCodes(*db_))
      if (c.group == group) return c;
    ADD_FAILURE() << "no group " << group.toStdString();
    return {};
  }
  void addReceipt(int id, const QString& group, const QString& payerKind, const QString& account) {
    exec(QString("INSERT INTO %1 (IDCHIT, GRUPA, TIPF, CODCLAS) VALUES (%2, %3, %4, %5)")
             .arg("%1", QString::number(id), sql::quote(group), sql::quote(payerKind),
                  sql::quote(account)),
         "Chitante.dbf");
  }
  QStringList receipts() {
    return rows("SELECT IDCHIT, TIPF, CODCLAS FROM " + sql::table(dataDir(), "Chitante.dbf") +
                " ORDER BY IDCHIT");
  }
};

TEST_F(BudgetCodesTest, ListIsOrderedByKindThenNameOrByAColumn) {
  const QList<BudgetCode> codes = listBudgetCodes(*db_);
  ASSERT_EQ(codes.size(), 12);
  EXPECT_EQ(codes.first().group, "Impozit pe cladiri");
  EXPECT_EQ(codes[3].group, "Impozit pe teren intravilan");
  EXPECT_EQ(codes[4].group, "Auto neinmatriculate");
  EXPECT_EQ(codes.last().group, "Vehicule lente");
  EXPECT_EQ(listBudgetCodes(*db_, "GRUPA").first().group, "Auto neinmatriculate");
  // Anything but a known column keeps the first order.
  EXPECT_EQ(listBudgetCodes(*db_, "IDCOD; DROP TABLE").first().group, "Impozit pe cladiri");
}

TEST_F(BudgetCodesTest, EditorChecks) {
  struct Case {
    QString name, natural, legal;
    bool modifying;
    QString problem;  // "" = accepted
    QString field;
  };
  const Case cases[] = {
      {"  ", "21.03", "21.03", false, "Lipseste denumirea creantei!", kGroupNameField},
      {"Apa", "", "21.03", false, "Lipseste contul!", kNaturalAccountField},
      {"Apa", "21.03", " ", false, "Lipseste contul!", kLegalAccountField},
      {"paza", "21.03", "21.03", false, "Exista deja creanta in lista!!", kGroupNameField},
      {"PAZA  ", "1", "1", false, "Exista deja creanta in lista!!", kGroupNameField},
      {"Apa", kIban, kIban, false, "", ""},
      {"Apa", "ro49aaaa1b31007593840000", "21.03.02.01", false, "", ""},
      {"Apa", "ro49aaaa1b31007593840001", "1", false, "Cont incorect!", kNaturalAccountField},
      {"Apa", kBadIban, kIban, false, "Cont incorect!", kNaturalAccountField},
      {"Apa", kIban, kBadIban, false, "Cont incorect!", kLegalAccountField},
      {"Apa", "21.03.02.01", "21.03.02.01", false, "", ""},
      {QString::fromUtf8("Apă ☂"), "1", "1", false, "", kGroupNameField},
      {QString(61, 'A'), "1", "1", false, "", kGroupNameField},
      {"Apa", QString(25, '1'), "1", false, "", kNaturalAccountField},
  };
  for (const Case& c : cases) {
    ScriptedInteraction ui;
    BudgetCode code{0, c.name, c.natural, c.legal, ""};
    EXPECT_EQ(checkBudgetCode(*db_, code, c.modifying, ui), c.field.isEmpty())
        << c.name.toStdString() << " " << c.natural.toStdString();
    if (c.field.isEmpty()) continue;
    ASSERT_EQ(ui.problems.size(), 1) << c.name.toStdString();
    EXPECT_EQ(ui.problems.first().field, c.field) << c.name.toStdString();
    if (!c.problem.isEmpty()) {
      EXPECT_EQ(ui.problems.first().text, c.problem);
    }
  }
  // A group keeps its own name when it is modified.
  BudgetCode paza = find("Paza");
  paza.naturalAccount = "21.1";
  paza.legalAccount = "21.2";
  EXPECT_TRUE(checkBudgetCode(*db_, paza, true, ui_));
}

TEST_F(BudgetCodesTest, AddedGroupsAreFeesWithTheNextIdentifier) {
  BudgetCode code{0, "  Taxa   de  apa ", " 21.03 ", "21.04", ""};
  ASSERT_TRUE(checkBudgetCode(*db_, code, false, ui_));
  const std::int64_t id = addBudgetCode(*db_, *settings_, code);
  EXPECT_EQ(id, 13);
  const BudgetCode stored = find("Taxa de apa");
  EXPECT_EQ(stored.id, 13);
  EXPECT_EQ(stored.naturalAccount, "21.03");
  EXPECT_EQ(stored.legalAccount, "21.04");
  EXPECT_EQ(stored.type, "T");
}

TEST_F(BudgetCodesTest, ProtectedGroupsStayAndOthersGoAfterConfirmation) {
  BudgetCode code{0, "Apa", "1", "1", ""};
  ASSERT_TRUE(checkBudgetCode(*db_, code, false, ui_));
  code.id = addBudgetCode(*db_, *settings_, code);

  ScriptedInteraction refused;
  EXPECT_FALSE(deleteBudgetCode(*db_, find("Vehicule lente"), refused));
  ASSERT_EQ(refused.messages.size(), 1);
  EXPECT_EQ(refused.messages.first().text, "Nu aveti voie sa stergeti aceasta creanta!");
  EXPECT_EQ(refused.messages.first().kind, MessageKind::Error);

  ScriptedInteraction no(Answer::Nu);
  EXPECT_FALSE(deleteBudgetCode(*db_, code, no));
  EXPECT_EQ(no.messages.first().text, "Sunteti sigur ca vreti sa stergeti creanta?!");
  EXPECT_EQ(listBudgetCodes(*db_).size(), 13);

  ScriptedInteraction yes(Answer::Da);
  EXPECT_TRUE(deleteBudgetCode(*db_, code, yes));
  EXPECT_EQ(listBudgetCodes(*db_).size(), 12);
}

TEST_F(BudgetCodesTest, ReceiptsFollowTheAccountOfTheirPayersKind) {
  addReceipt(1, "Salubritate", "F", "OLDF");
  addReceipt(2, "Salubritate", "J", "OLDJ");
  addReceipt(3, "Paza", "F", "PAZAF");
  const BudgetCode before = find("Salubritate");
  struct Case {
    QString natural, legal;
    QStringList receipts;
  };
  const Case cases[] = {
      // Same accounts: the receipts are not touched.
      {before.naturalAccount, before.legalAccount, {"1|F|OLDF", "2|J|OLDJ", "3|F|PAZAF"}},
      {"NEWF", before.legalAccount, {"1|F|NEWF", "2|J|OLDJ", "3|F|PAZAF"}},
      {"NEWF", "NEWJ", {"1|F|NEWF", "2|J|NEWJ", "3|F|PAZAF"}},
      {"F2", "J2", {"1|F|F2", "2|J|J2", "3|F|PAZAF"}},
  };
  BudgetCode current = before;
  for (const Case& c : cases) {
    BudgetCode after = current;
    after.naturalAccount = c.natural;
    after.legalAccount = c.legal;
    modifyBudgetCode(*db_, current, after);
    EXPECT_EQ(receipts(), c.receipts) << c.natural.toStdString() << " " << c.legal.toStdString();
    current = find("Salubritate");
    EXPECT_EQ(current.naturalAccount, c.natural);
    EXPECT_EQ(current.legalAccount, c.legal);
  }
}

}  // namespace
}  // namespace dajdor::testing
