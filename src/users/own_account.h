// "Contul meu": every user changes his own password and legitimation.
#pragma once

#include "users/current_user.h"
#include "users/users_file.h"
#include "store/interaction.h"

#include <QString>

namespace dajdor {

namespace OwnAccountField {
inline const QString NewPassword = QStringLiteral("ParolaNoua");
inline const QString CheckPassword = QStringLiteral("VerificaParola");
inline const QString Legitimation = QStringLiteral("Legitimatia");
}  // namespace OwnAccountField

// The window's "Memoreaza": both passwords typed alike and not empty, and every
// text storable in the users file; otherwise a problem on the input at fault.
bool checkOwnAccount(const QString& newPassword, const QString& checkPassword, const QString& legitimation,
                     Interaction& interaction);

// Overwrites the user's record (the one his name and password matched at login)
// with the new password and legitimation, and tells the outcome. The logged-in
// user takes the new password, so a second change in the same run finds the
// record again.
bool saveOwnAccount(UsersFile& users, CurrentUser& user, const QString& newPassword, const QString& legitimation,
                    Interaction& interaction);

}  // namespace dajdor
