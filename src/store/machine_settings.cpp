#include "store/machine_settings.h"

#include "store/store_error.h"

#include <QSettings>
#include <QStringList>

namespace dajdor {

MachineSettings::MachineSettings(QString versionKey) : versionKey_(std::move(versionKey)) {}

QString MachineSettings::ReadRegistry(const QString& name) const {
  const QSettings settings(kOrganisation, versionKey_);
  for (const QString& key : settings.childKeys()) {
    if (key.compare(name, Qt::CaseInsensitive) == 0) return settings.value(key).toString();
  }
  return QString();
}

void MachineSettings::WriteRegistry(const QString& name, const QString& value) {
  QSettings settings(kOrganisation, versionKey_);
  // One spelling per name: other spellings of it would be read first otherwise.
  for (const QString& key : settings.childKeys()) {
    if (key.compare(name, Qt::CaseInsensitive) == 0) settings.remove(key);
  }
  settings.setValue(name.toUpper(), value);
  settings.sync();
  if (settings.status() != QSettings::NoError) {
    throw StoreError(QStringLiteral("Nu pot scrie valoarea %1 in setarile calculatorului (%2).")
                         .arg(name, settings.fileName()));
  }
}

}  // namespace dajdor
