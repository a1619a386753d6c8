#include "shell/exit_backup.h"

#include "store/machine_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dajdor {

bool backupDirectoryUsable(const QString& dir) {
  const QString trimmed = dir.trimmed();
  if (trimmed.isEmpty() || trimmed == QLatin1String("-")) return false;
  QFile probe(QDir(trimmed).filePath(QStringLiteral("Test.txt")));
  if (!probe.open(QIODevice::WriteOnly)) return false;
  probe.close();
  return probe.remove();
}

QString nextBackupArchive(const QString& dir, const QDate& day) {
  const QString prefix = QDir(dir).filePath(day.toString(QStringLiteral("dd.MM.yyyy")));
  for (int n = 0;; ++n) {
    const QString candidate = prefix + QStringLiteral("_%1.d14").arg(n);
    if (!QFileInfo::exists(candidate)) return candidate;
  }
}

QString exitBackupTarget(bool worksLocally, const QString& backupDir, const QDate& today,
                         Interaction& interaction) {
  if (!worksLocally || !backupDirectoryUsable(backupDir)) return {};
  if (!interaction.confirm(QStringLiteral("Salvare Automata"), QStringLiteral("Doriti sa facem o copie la datele de azi?")))
    return {};
  return nextBackupArchive(backupDir.trimmed(), today);
}

QString exitBackupTarget(bool worksLocally, const QDate& today, Interaction& interaction) {
  return exitBackupTarget(worksLocally, MachineSettings().ReadRegistry(QStringLiteral("CALESALVARI")), today,
                          interaction);
}

}  // namespace dajdor
