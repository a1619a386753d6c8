#include "users/user_management.h"

#include "store/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace dajdor {
namespace {

class UsersManagementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(dataDir());
    UsersFile file = users();
    file.createWithFirstAdministrator();
    file.append({"ION", "pi", UserLevel::Operator, "CI 1"});
    file.append({"ANA", "pa", UserLevel::Cashier, "CI 2"});
    settings().WriteSetting("ANA", "SERIA", "AB");
    settings().WriteSetting("ANA", "CHIT", "57");
    admin_.name = "ADMIN";
    admin_.password = "482";
    admin_.level = UserLevel::Admin;
  }

  QString dataDir() const { return root_.filePath("Data"); }
  UsersFile users() const { return UsersFile(QDir(dataDir()).filePath("s.mpg")); }
  SettingsFile settings() const { return SettingsFile(QDir(dataDir()).filePath("Dajdor.set")); }
  std::unique_ptr<UserManagement> management() {
    return std::make_unique<UserManagement>(db_, root_.path(), users(), settings(), interaction_, admin_);
  }
  // The work table as "NAME|GRAD|LEGIT|SERIA|NR" rows in grid order.
  static QStringList grid(const UserManagement& m) {
    QStringList out;
    auto rows = m.rows();
    for (rows->first(); !rows->eof(); rows->next()) {
      QStringList cells;
      for (const char* f : {"NUME", "PAROLA", "GRAD", "LEGIT", "SERIA", "NR"})
        cells << QString::fromStdString(rows->asText(f));
      out << cells.join('|');
    }
    return out;
  }

  QTemporaryDir root_;
  engine::Database db_{root_.path().toStdString()};
  ScriptedInteraction interaction_;
  CurrentUser admin_;
};

TEST_F(UsersManagementTest, TheWorkTableMirrorsEveryUserButTheOneLoggedInAndIsDeletedOnClose) {
  auto m = management();
  ASSERT_TRUE(m->open());
  EXPECT_EQ(QFileInfo(m->tablePath()).fileName(), "U0.dbf");
  EXPECT_EQ(QFileInfo(m->tablePath()).absolutePath(), QFileInfo(root_.path()).absoluteFilePath());
  EXPECT_EQ(grid(*m), (QStringList{"ANA|pa|CASIER|CI 2|AB|57", "ION|pi|OPERATOR DE ROL|CI 1||1"}));
  const QString path = m->tablePath();
  m.reset();
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(UsersManagementTest, AddingChecksTheNameAndGivesTheNewUserAnEmptyPassword) {
  auto m = management();
  ASSERT_TRUE(m->open());
  struct Case {
    UserEntry entry;
    const char* problem;
    const char* field;
  };
  const Case refused[] = {
      {{"   ", "CASIER", "", "", "1"}, "Lipseste numele!", "NumeUtilizator"},
      {{" ION ", "CASIER", "", "", "1"}, "Acest nume mai exista!", "NumeUtilizator"},
      {{"ADMIN", "CASIER", "", "", "1"}, "Acest nume mai exista!", "NumeUtilizator"},  // logged in, not in the grid
      {{QString::fromUtf8("Иван"), "CASIER", "", "", "1"}, "nu poate fi memorat", "NumeUtilizator"},
      {{"VASILE", "ADMIN", "", "", "1"}, "rangul", "Rang"},
      {{"VASILE", "CASIER", "", "", "1234567890"}, "cifre", "DeLaNr"},
      {{"VASILE", "CASIER", "", "", "12a"}, "cifre", "DeLaNr"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.entry.name.toStdString() + "/" + c.entry.number.toStdString());
    interaction_.problems.clear();
    UserEntry entry = c.entry;
    EXPECT_FALSE(m->checkNew(entry));
    ASSERT_EQ(interaction_.problems.size(), 1);
    EXPECT_TRUE(interaction_.problems[0].text.contains(c.problem)) << interaction_.problems[0].text.toStdString();
    EXPECT_EQ(interaction_.problems[0].field, c.field);
  }

  UserEntry entry{"  VASILE   POP ", "CASIER", " CI  3 ", " XY ", "100"};
  ASSERT_TRUE(m->checkNew(entry));
  EXPECT_EQ(entry.name, "VASILE POP");
  ASSERT_TRUE(m->add(entry));
  EXPECT_EQ(users().read().last(), (UserRecord{"VASILE POP", "", UserLevel::Cashier, "CI 3"}));
  EXPECT_EQ(settings().ReadSetting("VASILE POP", "SERIA"), "XY");
  EXPECT_EQ(settings().ReadSetting("VASILE POP", "CHIT"), "100");
  EXPECT_TRUE(grid(*m).contains("VASILE POP||CASIER|CI 3|XY|100"));

  CurrentUser fresh;
  fresh.name = "VASILE POP";
  EXPECT_TRUE(checkUser(users().read(), fresh));  // logs in with an empty password
}

TEST_F(UsersManagementTest, ModifyingKeepsOrClearsThePasswordAndNeverTouchesTheFirstAdministrator) {
  auto m = management();
  ASSERT_TRUE(m->open());
  EXPECT_FALSE(m->entryToModify("ADMIN"));
  ASSERT_EQ(interaction_.problems.size(), 1);
  EXPECT_EQ(interaction_.problems[0].text, "Acest utilizator nu poate fi modificat!");
  EXPECT_EQ(interaction_.problems[0].field, "GridUtilizatori");

  std::optional<UserEntry> entry = m->entryToModify("ANA");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->levelText, "CASIER");
  EXPECT_EQ(entry->series, "AB");
  EXPECT_EQ(entry->number, "57");

  entry->levelText = "OPERATOR DE ROL";
  entry->legitimation = "CI 9";
  entry->number = "60";
  ASSERT_TRUE(m->checkChanged(*entry));
  ASSERT_TRUE(m->modify(*entry, false));
  EXPECT_EQ(users().read()[2], (UserRecord{"ANA", "pa", UserLevel::Operator, "CI 9"}));
  EXPECT_EQ(settings().ReadSetting("ANA", "CHIT"), "60");
  EXPECT_TRUE(grid(*m).contains("ANA|pa|OPERATOR DE ROL|CI 9|AB|60"));

  ASSERT_TRUE(m->modify(*entry, true));
  EXPECT_EQ(users().read()[2].password, "");
  EXPECT_EQ(users().read()[0], (UserRecord{"ADMIN", "482", UserLevel::Admin, ""}));
}

TEST_F(UsersManagementTest, DeletingAsksFirstAndMovesTheLastRecordIntoTheHole) {
  users().append({"ZOE", "pz", UserLevel::Cashier, ""});
  auto m = management();
  ASSERT_TRUE(m->open());

  interaction_.queueAnswer(Answer::Nu);
  EXPECT_FALSE(m->remove("ION"));
  ASSERT_EQ(interaction_.messages.size(), 1);
  EXPECT_EQ(interaction_.messages[0].title, "Stergere utilizator");
  EXPECT_EQ(interaction_.messages[0].text, "Chiar il stergem pe ION?");
  EXPECT_EQ(interaction_.messages[0].buttons, Button::Da | Button::Nu);
  EXPECT_EQ(interaction_.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(users().read().size(), 4);

  interaction_.queueAnswer(Answer::Da);
  EXPECT_TRUE(m->remove("ION"));
  QStringList names;
  for (const UserRecord& r : users().read()) names << r.name;
  EXPECT_EQ(names, (QStringList{"ADMIN", "ZOE", "ANA"}));
  EXPECT_EQ(m->rowCount(), 2);
}

TEST_F(UsersManagementTest, AnotherAdministratorCannotDeleteTheFirstOne) {
  users().append({"SEF", "ps", UserLevel::Admin, ""});
  admin_ = {"SEF", "ps", UserLevel::Admin, ""};
  auto m = management();
  ASSERT_TRUE(m->open());
  ASSERT_EQ(m->rowCount(), 3);  // ADMIN is listed for him

  EXPECT_FALSE(m->remove("ADMIN"));
  EXPECT_TRUE(interaction_.messages.isEmpty());  // refused before any question
  ASSERT_EQ(interaction_.problems.size(), 1);
  EXPECT_EQ(interaction_.problems[0].text, "Acest utilizator nu poate fi sters!");
  EXPECT_EQ(interaction_.problems[0].field, "GridUtilizatori");
  QStringList names;
  for (const UserRecord& r : users().read()) names << r.name;
  EXPECT_EQ(names, (QStringList{"ADMIN", "ION", "ANA", "SEF"}));
  EXPECT_EQ(m->rowCount(), 3);
}

TEST_F(UsersManagementTest, AnEmptyListHasNothingToModifyOrDelete) {
  QFile::remove(users().path());
  users().createWithFirstAdministrator();
  auto m = management();
  ASSERT_TRUE(m->open());
  EXPECT_EQ(m->rowCount(), 0);
  EXPECT_FALSE(m->entryToModify("X"));
  EXPECT_FALSE(m->remove("X"));
  ASSERT_EQ(interaction_.problems.size(), 2);
  EXPECT_EQ(interaction_.problems[0].text, "Nu aveti ce modifica!");
  EXPECT_EQ(interaction_.problems[1].text, "Nu prea mai aveti ce sterge...");
  EXPECT_TRUE(interaction_.messages.isEmpty());
}

TEST_F(UsersManagementTest, ADamagedUsersFileStopsTheOperationsAndIsLeftAlone) {
  auto m = management();
  ASSERT_TRUE(m->open());
  QFile f(users().path());
  ASSERT_TRUE(f.open(QIODevice::Append));
  f.write("xx");
  f.close();
  const auto size = QFileInfo(f).size();
  UserEntry entry{"NOU", "CASIER", "", "", "1"};
  EXPECT_FALSE(m->checkNew(entry));
  EXPECT_FALSE(m->add(entry));
  interaction_.queueAnswer(Answer::Da);
  EXPECT_FALSE(m->remove("ION"));
  EXPECT_EQ(QFileInfo(f).size(), size);
  EXPECT_EQ(m->rowCount(), 2);
  ASSERT_FALSE(interaction_.messages.isEmpty());
  EXPECT_TRUE(interaction_.messages.last().text.contains("deteriorat"));
}

}  // namespace
}  // namespace dajdor
