#include "users/login.h"

#include "store/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace dajdor {
namespace {

class LoginTest : public ::testing::Test {
 protected:
  UsersFile users() const { return UsersFile(dir_.filePath("s.mpg")); }
  LoginResult logInAs(const QString& name, const QString& password) {
    UsersFile file = users();
    return logIn(name, password, file, user_, interaction_);
  }

  QTemporaryDir dir_;
  CurrentUser user_;
  ScriptedInteraction interaction_;
};

TEST_F(LoginTest, FirstStartCreatesTheUsersFileAndLogsInAsAdminWhateverWasTyped) {
  const LoginResult result = logInAs("MARIA", "gresit");
  EXPECT_TRUE(result.success);
  EXPECT_TRUE(result.firstStart);
  EXPECT_EQ(result.name, "ADMIN");
  EXPECT_EQ(user_.name, "ADMIN");
  EXPECT_EQ(user_.password, "482");
  EXPECT_EQ(user_.level, UserLevel::Admin);
  ASSERT_EQ(interaction_.messages.size(), 1);
  EXPECT_EQ(interaction_.messages[0].title, "PRIMA PORNIRE");
  EXPECT_EQ(interaction_.messages[0].text,
            "Numele este ADMIN si parola este 482.\rPuteti modifica parola de la Utilitare > Contul meu");
  EXPECT_EQ(interaction_.messages[0].buttons, Button::Ok);
  EXPECT_EQ(interaction_.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(users().read(), (QList<UserRecord>{{"ADMIN", "482", UserLevel::Admin, ""}}));

  // The second login checks the file it created.
  CurrentUser second;
  UsersFile file = users();
  EXPECT_FALSE(logIn("MARIA", "gresit", file, second, interaction_).success);
  EXPECT_EQ(interaction_.messages.size(), 1);
}

TEST_F(LoginTest, TypedCredentialsAreCleanedCutAndCheckedSilently) {
  UsersFile file = users();
  file.createWithFirstAdministrator();
  file.append({"ION POP", "p", UserLevel::Operator, "CI 1"});
  file.append({QString(32, 'N'), QString(32, 'p'), UserLevel::Cashier, "CI 2"});
  struct Case {
    QString name;
    QString password;
    bool ok;
    QString shownName;
    int level;
  };
  const Case cases[] = {
      {"  ION   POP ", "p", true, "ION POP", UserLevel::Operator},
      {QString(40, 'N'), QString(40, 'p'), true, QString(40, 'N'), UserLevel::Cashier},
      {"ION POP", "P", false, "ION POP", UserLevel::Nobody},
      {"ADMIN", "482", true, "ADMIN", UserLevel::Admin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    user_ = CurrentUser();
    const LoginResult result = logInAs(c.name, c.password);
    EXPECT_EQ(result.success, c.ok);
    EXPECT_FALSE(result.firstStart);
    EXPECT_EQ(result.name, c.shownName);
    EXPECT_EQ(user_.level, c.level);
  }
  EXPECT_TRUE(interaction_.messages.isEmpty());  // wrong credentials say nothing
}

TEST_F(LoginTest, ADamagedUsersFileIsReportedAndKeptAsItIs) {
  QFile f(dir_.filePath("s.mpg"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(150, '\x01'));
  f.close();
  EXPECT_FALSE(logInAs("ADMIN", "482").success);
  EXPECT_EQ(user_.level, UserLevel::Nobody);
  ASSERT_EQ(interaction_.messages.size(), 1);
  EXPECT_EQ(interaction_.messages[0].kind, MessageKind::Error);
  EXPECT_TRUE(interaction_.messages[0].text.contains("deteriorat"));
  EXPECT_EQ(QFileInfo(f).size(), 150);
}

TEST(PreviousYearOffer, OnlyForAnAdministratorOnAnEmptyRegisterWithThePreviousDataFolder) {
  QTemporaryDir root;
  const QString withData = root.filePath("Dajdor2013");
  const QString withoutData = root.filePath("Gol");
  QDir().mkpath(withData + "/Data");
  QDir().mkpath(withoutData);
  struct Case {
    const char* what;
    bool empty;
    int level;
    QString dir;
    bool offered;
  };
  const Case cases[] = {
      {"all conditions", true, UserLevel::Admin, withData, true},
      {"register not empty", false, UserLevel::Admin, withData, false},
      {"operator", true, UserLevel::Operator, withData, false},
      {"cashier", true, UserLevel::Cashier, withData, false},
      {"blank path", true, UserLevel::Admin, "  ", false},
      {"no Data folder", true, UserLevel::Admin, withoutData, false},
      {"missing installation", true, UserLevel::Admin, root.filePath("lipsa"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString offered = previousYearOffer(c.empty, c.level, c.dir);
    EXPECT_EQ(!offered.isEmpty(), c.offered);
    if (c.offered) {
      EXPECT_EQ(QDir::cleanPath(offered), QDir::cleanPath(withData + "/Data"));
    }
  }
}

}  // namespace
}  // namespace dajdor
