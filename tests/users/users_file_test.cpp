#include "users/users_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <QTemporaryDir>

namespace dajdor {
namespace {

class UsersFileTest : public ::testing::Test {
 protected:
  QString path() const { return dir_.filePath("s.mpg"); }
  QByteArray bytes() const {
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void writeBytes(const QByteArray& content) {
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
  }
  // s.mpg with the first administrator and then `names` (operators, password = name).
  UsersFile withUsers(const QStringList& names) {
    UsersFile file(path());
    file.createWithFirstAdministrator();
    for (const QString& name : names) file.append({name, name, UserLevel::Operator, "L" + name});
    return file;
  }
  static QStringList namesOf(const QList<UserRecord>& records) {
    QStringList names;
    for (const UserRecord& r : records) names << r.name;
    return names;
  }

  QTemporaryDir dir_;
};

TEST_F(UsersFileTest, RecordLayoutIsLengthPrefixedWindows1250AtFixedOffsets) {
  UsersFile file(path());
  file.createWithFirstAdministrator();
  file.append({QString::fromUtf8("Ștefan Ţăran"), "pa", UserLevel::Cashier, "CI RX 123"});
  const QByteArray b = bytes();
  ASSERT_EQ(b.size(), 200);

  // Record 0: ADMIN / 482 / level 0 / empty legitimation.
  EXPECT_EQ(b[0], 5);
  EXPECT_EQ(b.mid(1, 5), "ADMIN");
  EXPECT_EQ(b[33], 3);
  EXPECT_EQ(b.mid(34, 3), "482");
  EXPECT_EQ(b[66], 0);
  EXPECT_EQ(b[67], 0);

  // Record 1: comma-below letters are stored as their Windows-1250 cedilla forms.
  const QByteArray r = b.mid(100);
  EXPECT_EQ(r[0], 12);
  EXPECT_EQ(r.mid(1, 12), QByteArray("\xAA" "tefan \xDE\xE3ran"));
  EXPECT_EQ(r[33], 2);
  EXPECT_EQ(r.mid(34, 2), "pa");
  EXPECT_EQ(r[66], 2);
  EXPECT_EQ(r[67], 9);
  EXPECT_EQ(r.mid(68, 9), "CI RX 123");

  const QList<UserRecord> records = file.read();
  ASSERT_EQ(records.size(), 2);
  EXPECT_EQ(records[1].name, QString::fromUtf8("Ştefan Ţăran"));
  EXPECT_EQ(records[1].level, UserLevel::Cashier);
}

TEST_F(UsersFileTest, BytesAfterAFieldLengthAreIgnored) {
  QByteArray record(100, 'X');
  record[0] = 3;
  record.replace(1, 3, "ION");
  record[33] = 0;
  record[66] = 1;
  record[67] = 2;
  writeBytes(record);
  const QList<UserRecord> records = UsersFile(path()).read();
  ASSERT_EQ(records.size(), 1);
  EXPECT_EQ(records[0], (UserRecord{"ION", "", UserLevel::Operator, "XX"}));
}

TEST_F(UsersFileTest, TextsLongerThanAFieldAreCutTo32Characters) {
  UsersFile file = withUsers({});
  const QString longName = QString(40, 'N');
  file.append({longName, QString(33, 'p'), UserLevel::Operator, QString(50, 'L')});
  const UserRecord stored = file.read().at(1);
  EXPECT_EQ(stored.name, QString(32, 'N'));
  EXPECT_EQ(stored.password, QString(32, 'p'));
  EXPECT_EQ(stored.legitimation, QString(32, 'L'));
}

TEST_F(UsersFileTest, CharactersOutsideWindows1250AreRefusedAndNothingIsWritten) {
  UsersFile file = withUsers({"ANA"});
  const QByteArray before = bytes();
  for (const QString& name : {QString::fromUtf8("Ivan Иванов"), QString::fromUtf8("Ana ✓"), QString::fromUtf8("Ω")}) {
    SCOPED_TRACE(name.toStdString());
    try {
      file.append({name, "", UserLevel::Operator, ""});
      ADD_FAILURE() << "stored";
    } catch (const UsersFileError& e) {
      EXPECT_TRUE(e.message().contains("nu poate fi memorat")) << e.what();
    }
  }
  EXPECT_EQ(bytes(), before);
  // ë and € exist in Windows-1250.
  EXPECT_EQ(UsersFile::unstorableCharacter(QString::fromUtf8("Zoë €")), QString());
  EXPECT_EQ(UsersFile::unstorableCharacter(QString::fromUtf8("Ivan Иванов")), QString::fromUtf8("И"));
}

TEST_F(UsersFileTest, DamagedFilesAreReportedAndNeverRewritten) {
  QByteArray good = UsersFile::encode({"ADMIN", "482", UserLevel::Admin, ""});
  good += UsersFile::encode({"ION", "x", UserLevel::Operator, ""});
  struct Case {
    const char* what;
    QByteArray content;
    const char* reported;
  };
  QByteArray longName = good;
  longName[100] = 33;
  QByteArray longPassword = good;
  longPassword[133] = 40;
  QByteArray longLegit = good;
  longLegit[167] = static_cast<char>(200);
  QByteArray badLevel = good;
  badLevel[166] = 7;
  const Case cases[] = {
      {"length not a multiple of 100", good + "tail", "nu un multiplu de 100"},
      {"half a record", good.left(150), "nu un multiplu de 100"},
      {"name length byte over 32", longName, "de 33 caractere"},
      {"password length byte over 32", longPassword, "de 40 caractere"},
      {"legitimation length byte over 32", longLegit, "de 200 caractere"},
      {"level byte over 3", badLevel, "rangul 7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeBytes(c.content);
    UsersFile file(path());
    const std::function<void()> operations[] = {
        [&] { file.read(); },
        [&] { file.append({"NOU", "", UserLevel::Cashier, ""}); },
        [&] { file.replace(1, {"ION", "", UserLevel::Cashier, ""}); },
        [&] { file.removeUser("ION"); },
        [&] { file.createWithFirstAdministrator(); },
    };
    for (const auto& operation : operations) {
      try {
        operation();
        ADD_FAILURE() << "damaged file accepted";
      } catch (const UsersFileError& e) {
        EXPECT_TRUE(e.message().contains(c.reported)) << e.what();
      }
      EXPECT_EQ(bytes(), c.content);
    }
  }
}

TEST_F(UsersFileTest, RemovingMovesTheLastRecordIntoTheHoleAndShrinksTheFile) {
  struct Case {
    const char* removed;
    bool found;
    QStringList after;
  };
  const Case cases[] = {
      {"C", true, {"ADMIN", "A", "B"}},        // the last record: the others keep their places
      {"A", true, {"ADMIN", "C", "B"}},        // in the middle: the last record takes its place
      {"B", true, {"ADMIN", "A", "C"}},
      {"ADMIN", false, {"ADMIN", "A", "B", "C"}},  // record 0 is never searched
      {"a", false, {"ADMIN", "A", "B", "C"}},      // names compare exactly
      {"X", false, {"ADMIN", "A", "B", "C"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.removed);
    QFile::remove(path());
    UsersFile file = withUsers({"A", "B", "C"});
    EXPECT_EQ(file.removeUser(c.removed), c.found);
    const QList<UserRecord> records = file.read();
    EXPECT_EQ(namesOf(records), c.after);
    EXPECT_EQ(bytes().size(), 100 * c.after.size());
    for (const UserRecord& r : records.mid(1)) EXPECT_EQ(r.password, r.name);  // whole records moved
  }
}

TEST_F(UsersFileTest, ReplaceOverwritesOneRecordInPlace) {
  UsersFile file = withUsers({"A", "B"});
  file.replace(1, {"A", "", UserLevel::Cashier, "CI"});
  EXPECT_EQ(file.read(), (QList<UserRecord>{{"ADMIN", "482", UserLevel::Admin, ""},
                                            {"A", "", UserLevel::Cashier, "CI"},
                                            {"B", "B", UserLevel::Operator, "LB"}}));
  EXPECT_THROW(file.replace(3, {"Z", "", UserLevel::Cashier, ""}), UsersFileError);
}

TEST_F(UsersFileTest, CreationRefusesToReplaceAnExistingFile) {
  UsersFile file = withUsers({"A"});
  const QByteArray before = bytes();
  EXPECT_THROW(file.createWithFirstAdministrator(), UsersFileError);
  EXPECT_EQ(bytes(), before);
}

TEST_F(UsersFileTest, TheFileIsFoundWhateverTheCaseOfItsName) {
  QFile::rename(withUsers({}).path(), dir_.filePath("S.MPG"));
  const UsersFile file = UsersFile::inDirectory(dir_.path());
  EXPECT_TRUE(file.exists());
  EXPECT_EQ(file.read().size(), 1);
}

TEST(CheckUser, ComparesExactlyAndTheLastMatchingRecordWins) {
  const QList<UserRecord> records = {
      {"ADMIN", "482", UserLevel::Admin, ""},
      {"ION", "secret", UserLevel::Operator, "first"},
      {"ION", "secret", UserLevel::Cashier, "second"},  // same credentials, later record
      {"VASILE", "", UserLevel::Cashier, "V"},           // new user: empty password
      {"BLOCAT", "b", UserLevel::Nobody, "B"},
      {"DUBLU", "d", UserLevel::Cashier, "d1"},
      {"DUBLU", "d", UserLevel::Nobody, "d2"},  // a later level-3 record shuts the user out
  };
  struct Case {
    const char* name;
    const char* password;
    bool ok;
    int level;
    const char* legitimation;
  };
  const Case cases[] = {
      {"ADMIN", "482", true, UserLevel::Admin, ""},
      {"ION", "secret", true, UserLevel::Cashier, "second"},
      {"VASILE", "", true, UserLevel::Cashier, "V"},
      {"admin", "482", false, UserLevel::Nobody, ""},   // case counts
      {"ADMIN", "482 ", false, UserLevel::Nobody, ""},  // length counts
      {"ADMIN ", "482", false, UserLevel::Nobody, ""},
      {"ADMIN", "", false, UserLevel::Nobody, ""},
      {"ION", "Secret", false, UserLevel::Nobody, ""},
      {"BLOCAT", "b", false, UserLevel::Nobody, "B"},  // level 3 never logs in
      {"DUBLU", "d", false, UserLevel::Nobody, "d2"},
      {"", "", false, UserLevel::Nobody, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "/" + c.password);
    CurrentUser user;
    user.name = c.name;
    user.password = c.password;
    EXPECT_EQ(checkUser(records, user), c.ok);
    EXPECT_EQ(user.level, c.level);
    EXPECT_EQ(user.legitimation, QString(c.legitimation));
  }
}

}  // namespace
}  // namespace dajdor
