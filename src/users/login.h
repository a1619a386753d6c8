// Logging in on the main window: the credentials check with the first-start
// creation of the users file, and the offer to take over the previous year.
#pragma once

#include "users/current_user.h"
#include "users/users_file.h"
#include "store/interaction.h"

#include <QString>

namespace dajdor {

struct LoginResult {
  bool success = false;
  bool firstStart = false;  // the users file was created by this login
  QString name;             // the name as the login input should now show it
};

// The "START" button: the name is cleaned of extra blanks, name and password are
// cut to 32 characters and checked against the users file. Without a users file
// the file is created with the first administrator, "PRIMA PORNIRE" is shown and
// the login succeeds as that administrator whatever was typed. Wrong credentials
// fail silently; a damaged or unwritable users file is reported and fails.
LoginResult logIn(const QString& typedName, const QString& typedPassword, UsersFile& users,
                  CurrentUser& user, Interaction& interaction);

// The previous year's data directory to offer at the first login, or "" when no
// offer is due: an administrator, an empty register, and the previous
// installation `previousInstallDir` (blank when unknown) with its Data folder.
QString previousYearOffer(bool databaseEmpty, int level, const QString& previousInstallDir);
// The same with the previous installation this machine's settings name.
QString previousYearOffer(bool databaseEmpty, int level);

}  // namespace dajdor
