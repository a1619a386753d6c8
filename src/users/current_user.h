// Who is logged in, and the user levels the rights are decided by.
#pragma once

#include <QString>

namespace dajdor {

// Level bytes of the users file.
namespace UserLevel {
constexpr int Admin = 0;
constexpr int Operator = 1;  // role operator
constexpr int Cashier = 2;
constexpr int Nobody = 3;  // nobody logged in; a record of this level never logs in
}  // namespace UserLevel

// "ADMIN", "OPERATOR DE ROL", "CASIER", "NECUNOSCUT" (anything else).
QString levelText(int level);
// The reverse; an unknown text is level 3.
int levelFromText(const QString& text);

// One record of the users file.
struct UserRecord {
  QString name;
  QString password;
  int level = UserLevel::Nobody;
  QString legitimation;

  friend bool operator==(const UserRecord&, const UserRecord&) = default;
};

// The user of this run: name and password as typed at login, level and
// legitimation of the record that matched. Level 3 until login and after logout.
class CurrentUser {
 public:
  QString name;
  QString password;
  int level = UserLevel::Nobody;
  QString legitimation;

  bool isLoggedIn() const { return level != UserLevel::Nobody; }
  bool isAdministrator() const { return level == UserLevel::Admin; }
  bool isRestrictedUser() const { return level == UserLevel::Cashier; }

  void logOut() {
    password.clear();
    level = UserLevel::Nobody;
  }
};

}  // namespace dajdor
