// The directories the general page sets: the shared data directory of a client
// machine, the automatic backup directory and the agricultural register's data.
#pragma once

#include <QString>
#include <QStringList>

namespace dajdor {
class Interaction;
class MachineSettings;
}  // namespace dajdor

namespace dajdor::admin {

// The chosen directory without a trailing separator.
QString withoutTrailingSeparator(const QString& path);
// The files of `required` that `directory` lacks (names compared without regard to case).
QStringList missingFiles(const QString& directory, const QStringList& required);
// What a label shows for a stored path: the path, or "-" when none is stored.
bool holdsPath(const QString& shown);

// Connects this machine to a shared data directory. True when it was stored:
// the program must then end, the connection takes effect at the next start.
bool connectServer(const QString& chosen, MachineSettings& machine, Interaction& interaction);
// Back to the local data directory, after asking. True when the program must end.
bool disconnectServer(const QString& shown, MachineSettings& machine, Interaction& interaction);

// Only the machine that works on its own data directory backs it up; a client is
// told so. True when the folder chooser may be shown.
bool mayChooseBackupPath(bool worksLocally, Interaction& interaction);
// Stores a backup directory that can be written to. True when stored.
bool setBackupPath(const QString& chosen, MachineSettings& machine, Interaction& interaction);
// Switches the automatic backup off, after asking. True when switched off.
bool clearBackupPath(const QString& shown, MachineSettings& machine, Interaction& interaction);

// The directory when it holds the agricultural register's tables, otherwise ""
// after telling the user. Stored only with the other settings.
QString checkAgriculturalRegisterPath(const QString& chosen, Interaction& interaction);

// Objects the problems point at: the labels that show the paths.
inline const QString kServerPathField = QStringLiteral("CaleServer");
inline const QString kBackupPathField = QStringLiteral("CaleSalvari");

}  // namespace dajdor::admin
