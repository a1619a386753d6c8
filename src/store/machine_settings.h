// Values that belong to the machine rather than to the data: the shared data
// directory (SERVER), the installation folder (CALE), the version title (VER)
// and the automatic backup folder (CALESALVARI).
//
// Kept with QSettings under organisation "Velmora", application "64" (this
// version's key); the previous year's installation wrote key "55". Names are
// matched without regard to case, as the registry did ("Cale" is "CALE").
#pragma once

#include <QString>

namespace dajdor {

class MachineSettings {
 public:
  static inline const QString kOrganisation = QStringLiteral("Velmora");
  static inline const QString kThisVersion = QStringLiteral("64");
  static inline const QString kPreviousVersion = QStringLiteral("55");

  explicit MachineSettings(QString versionKey = kThisVersion);

  // "" when absent.
  QString ReadRegistry(const QString& name) const;
  // Throws StoreError when the value cannot be stored.
  void WriteRegistry(const QString& name, const QString& value);

 private:
  QString versionKey_;
};

}  // namespace dajdor
