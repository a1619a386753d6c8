#include "admin/path_settings.h"

#include "store/interaction.h"
#include "store/machine_settings.h"
#include "store/store_error.h"

#include <QDir>
#include <QTemporaryFile>

namespace dajdor::admin {
namespace {

const QStringList kServerTables = {"Gospodar.dbf", "Pag1.dbf", "Pag2.dbf", "Pag4.dbf", "Pag5.dbf",
                                   "Pag6.dbf",     "Pag7.dbf", "Pag8.dbf", "Datorii.dbf"};
const QStringList kRegisterTables = {"Volume.dbf", "Identificare.dbf", "Cap1.dbf", "Cap2A.dbf",
                                     "Cap2B.dbf",  "Cap11.dbf",        "Cap7.dbf", "Cap6.dbf"};

// A registry value that cannot be written is reported; nothing else changes.
bool writeMachineSetting(MachineSettings& machine, const QString& name, const QString& value,
                         const QString& title, Interaction& interaction) {
  try {
    machine.WriteRegistry(name, value);
    return true;
  } catch (const StoreError& e) {
    interaction.error(title, e.message());
    return false;
  }
}

}  // namespace

QString withoutTrailingSeparator(const QString& path) {
  QString clean = path;
  while (clean.size() > 1 && (clean.endsWith('\\') || clean.endsWith('/'))) clean.chop(1);
  return clean;
}

QStringList missingFiles(const QString& directory, const QStringList& required) {
  const QDir dir(directory);
  QStringList present;
  if (!directory.isEmpty() && dir.exists())
    for (const QString& name : dir.entryList(QDir::Files)) present.append(name.toLower());
  QStringList missing;
  for (const QString& name : required)
    if (!present.contains(name.toLower())) missing.append(name);
  return missing;
}

bool holdsPath(const QString& shown) {
  const QString trimmed = shown.trimmed();
  return !trimmed.isEmpty() && trimmed != "-";
}

bool connectServer(const QString& chosen, MachineSettings& machine, Interaction& interaction) {
  if (chosen.trimmed().isEmpty()) return false;
  const QString path = withoutTrailingSeparator(chosen);
  if (!missingFiles(path, kServerTables).isEmpty()) {
    interaction.error("Conectare server", "Baza de date " + path + "\rNU este accesibila!\r" +
                                              "Verificati conexiunea si reporniti programul!");
    return false;
  }
  if (!writeMachineSetting(machine, "SERVER", path, "Conectare server", interaction)) return false;
  interaction.info("Conectat la server",
                   "Conectarea la server a reusit!\rPorniti programul din nou !");
  return true;
}

bool disconnectServer(const QString& shown, MachineSettings& machine, Interaction& interaction) {
  if (!holdsPath(shown)) {
    interaction.problem("Nu aveti ce sterge.", kServerPathField);
    return false;
  }
  if (!interaction.confirm("Stergere cale server", "Doriti sa va deconectati de la server?"))
    return false;
  if (!writeMachineSetting(machine, "SERVER", "", "Stergere cale server", interaction))
    return false;
  interaction.info("Deconectat de la server",
                   "Sunteti deconectat de la server!\rPorniti programul din nou !");
  return true;
}

bool mayChooseBackupPath(bool worksLocally, Interaction& interaction) {
  if (worksLocally) return true;
  interaction.error("Salvare Automata", "Numai Serverul poate salva automat!");
  return false;
}

bool setBackupPath(const QString& chosen, MachineSettings& machine, Interaction& interaction) {
  if (chosen.trimmed().isEmpty()) return false;
  const QString path = withoutTrailingSeparator(chosen);
  // A probe file of its own name: a file the user keeps there is never overwritten.
  QTemporaryFile probe(QDir(path).filePath("test_XXXXXX.txt"));
  if (!QDir(path).exists() || !probe.open()) {
    interaction.error("Stabilire cale salvari", "Nu pot scrie in " + path + " !\r" +
                                                    "Alegeti alta cale, unde sa pot scrie!");
    return false;
  }
  probe.close();
  if (!writeMachineSetting(machine, "CALESALVARI", path, "Stabilire cale salvari", interaction))
    return false;
  interaction.info("Salvari automate", "Calea pentru Salvari Automate este acum\r" + path + ".");
  return true;
}

bool clearBackupPath(const QString& shown, MachineSettings& machine, Interaction& interaction) {
  if (!holdsPath(shown)) {
    interaction.problem("Nu aveti ce sterge.", kBackupPathField);
    return false;
  }
  if (!interaction.confirm("Stergere cale salvari", "Doriti sa dezactivati salvarea automata?"))
    return false;
  if (!writeMachineSetting(machine, "CALESALVARI", "", "Stergere cale salvari", interaction))
    return false;
  interaction.info("Salvare Automata", "Salvarea automata a fost dezactivata!");
  return true;
}

QString checkAgriculturalRegisterPath(const QString& chosen, Interaction& interaction) {
  if (chosen.trimmed().isEmpty()) return {};
  const QString path = withoutTrailingSeparator(chosen);
  if (missingFiles(path, kRegisterTables).isEmpty()) return path;
  interaction.error("Setare director RA 2010",
                    "Baza de date " + path + "\rNU este de la RA 2010-2014!");
  return {};
}

}  // namespace dajdor::admin
