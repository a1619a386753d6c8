#include "admin/settings_store.h"

#include "admin/path_settings.h"
#include "admin/settings_catalogue.h"
#include "admin/storable_text.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/machine_settings.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"

#include <QHash>

namespace dajdor::admin {
namespace {

QString iniPath(const engine::Database& database) {
  return QString::fromStdString(database.directory()) + "/" + kIniTable;
}

QString iniTable(const engine::Database& database) { return sql::table(iniPath(database)); }

// "1", "0.1", "1.25": as few decimals as the number needs, never an exponent.
QString formatRate(double value) {
  QString text = QString::number(value, 'f', 6);
  while (text.endsWith('0')) text.chop(1);
  if (text.endsWith('.')) text.chop(1);
  return text;
}

QString sectionOf(const SettingInput& in, const SettingsStores& stores) {
  return in.store == FileStore::User ? stores.userName : kServerSection;
}

bool keptInSettingsFile(const SettingInput& in, const SettingsStores& stores) {
  if (in.store == FileStore::Server) return true;
  return in.store == FileStore::User && !stores.userName.trimmed().isEmpty();
}

// The text an option is written with, from the value the window holds.
QString fileText(const SettingInput& in, const Rates& values) {
  switch (in.kind) {
    case InputKind::Check: return Rates::yesNo(values.option(in.name));
    case InputKind::Time: return Rates::timeText(values.autoImportTime());
    case InputKind::Integer:
    case InputKind::Decimal: return formatRate(values.value(in.name));
    default: return values.text(in.name);
  }
}

// The value the window shows for an option read from the settings file.
QString loadedText(const SettingInput& in, const QString& stored) {
  switch (in.kind) {
    // A new installation has no key yet: the option starts as the window gives it.
    case InputKind::Check:
      if (stored.trimmed().isEmpty()) return in.initial;
      return Rates::yesNo(stored.trimmed().compare("DA", Qt::CaseInsensitive) == 0);
    case InputKind::Time: {
      Rates probe;
      probe.setText(in.name, stored);
      return Rates::timeText(probe.autoImportTime());
    }
    case InputKind::Integer:
    case InputKind::Decimal: {
      double v = 0;
      return Rates::parseRate(stored, v) ? formatRate(v) : in.initial;
    }
    default: return stored;
  }
}

// A flag of section "Server" that other windows read; written "NU" when missing.
QString loadFlag(SettingsFile& settings, const QString& key) {
  QString value = settings.ReadSetting(kServerSection, key).trimmed().toUpper();
  if (value.isEmpty()) {
    value = "NU";
    settings.WriteSetting(kServerSection, key, value);
  }
  return value;
}

// The rows Ini.dbf holds now: owner + name (upper case) -> (stored name, value).
struct IniRowState {
  QString name;
  QString value;
};
QHash<QString, IniRowState> readIniRows(engine::Database& database) {
  QHash<QString, IniRowState> rows;
  auto rs = sql::query(database, "SELECT * FROM " + iniTable(database) + " ORDER BY FORMA, NUME");
  for (rs->first(); !rs->eof(); rs->next()) {
    const QString owner = QString::fromStdString(rs->asText("FORMA")).trimmed().toUpper();
    const QString name = QString::fromStdString(rs->asText("NUME"));
    rows.insert(owner + "|" + name.trimmed().toUpper(),
                {name, QString::fromStdString(rs->asText("VALOARE"))});
  }
  return rows;
}

QString rowKey(const SettingInput& in) { return in.owner.toUpper() + "|" + in.name.toUpper(); }

// Stored inputs in the order the table keeps them: window, FR12, FRCOMB.
QList<const SettingInput*> storedInputs() {
  QList<const SettingInput*> inputs;
  for (const QString& owner : {kOwnerWindow, kOwnerHeavy, kOwnerCombinations})
    for (const SettingInput& in : settingInputs())
      if (in.inIniTable() && in.owner == owner) inputs.append(&in);
  return inputs;
}

QString numberProblem(const SettingInput& in, const QString& text) {
  double v = 0;
  const bool whole = !text.contains('.');
  if (!Rates::parseRate(text, v) || (in.kind == InputKind::Integer && !whole))
    return in.kind == InputKind::Integer
               ? QString("\"%1\" nu este un numar intreg pozitiv!").arg(text.trimmed())
               : QString("\"%1\" nu este un numar pozitiv! Folositi punctul pentru zecimale.")
                     .arg(text.trimmed());
  if (text.trimmed().size() > in.maxLength && in.maxLength > 0)
    return QString("Numarul are mai mult de %1 caractere!").arg(in.maxLength);
  return {};
}

}  // namespace

Rates LoadSettings(const SettingsStores& stores) {
  Rates values;
  engine::Database& database = stores.database;
  if (database.tableExists(iniPath(database).toStdString())) {
    const auto rows = readIniRows(database);
    for (const SettingInput* in : storedInputs()) {
      const auto it = rows.constFind(rowKey(*in));
      if (it == rows.constEnd()) continue;
      QString text = it->value;
      if (in->isNumeric()) text = text.trimmed();
      if (in->kind == InputKind::Combo && !in->items.contains(text)) text.clear();
      values.setText(in->name, text);
    }
  }
  for (const SettingInput& in : settingInputs()) {
    if (!keptInSettingsFile(in, stores)) continue;
    values.setText(in.name,
                   loadedText(in, stores.settings.ReadSetting(sectionOf(in, stores), in.fileKey)));
  }
  values.setText("FARAMAJORARI", loadFlag(stores.settings, "FARAMAJORARI"));
  const QString closedKey = Rates::closedYearKey(stores.workYear);
  values.setText(closedKey, loadFlag(stores.settings, closedKey));
  const MachineSettings machine;
  values.setText(kServerPathField, machine.ReadRegistry(QStringLiteral("SERVER")));
  values.setText(kBackupPathField, machine.ReadRegistry(QStringLiteral("CALESALVARI")));
  return values;
}

void loadUserOptions(Rates& values, const SettingsFile& settings, const QString& userName) {
  if (userName.trimmed().isEmpty()) return;
  for (const SettingInput& in : settingInputs()) {
    if (in.store == FileStore::User) values.setText(in.name, loadedText(in, settings.ReadSetting(userName, in.fileKey)));
  }
}

bool findSettingProblem(const Rates& values, SettingProblem& problem) {
  for (const SettingInput& in : settingInputs()) {
    const QString text = values.text(in.name);
    QString message;
    if (in.isNumeric()) {
      message = numberProblem(in, text);
    } else if (in.inIniTable()) {
      message = storableTextProblem(text, kIniValueWidth);
      if (message.isEmpty() && in.kind == InputKind::Combo && !text.isEmpty() &&
          !in.items.contains(text))
        message = QString("Alegeti o valoare din lista!");
    } else if (in.kind == InputKind::Path) {
      message = storableTextProblem(text, 255);
    }
    if (!message.isEmpty()) {
      problem = {in.name, message};
      return true;
    }
  }
  return false;
}

bool SaveSettings(const SettingsStores& stores, const Rates& values, Interaction& interaction) {
  SettingProblem problem;
  if (findSettingProblem(values, problem)) {
    interaction.problem(problem.text, problem.field);
    return false;
  }
  interaction.progressStart("Salvare Constante", 10);
  interaction.progressStep(6);

  // Old texts of the options, to put back when a later step fails.
  struct Written {
    QString section, key, old;
  };
  QList<Written> written;
  const auto restoreOptions = [&] {
    for (auto it = written.crbegin(); it != written.crend(); ++it) {
      try {
        stores.settings.WriteSetting(it->section, it->key, it->old);
      } catch (const StoreError&) {
      }
    }
  };
  engine::Database& database = stores.database;
  try {
    if (!database.tableExists(iniPath(database).toStdString())) CreateSettingsTable(database, values);
    for (const SettingInput& in : settingInputs()) {
      if (!keptInSettingsFile(in, stores)) continue;
      const QString section = sectionOf(in, stores);
      const QString text = fileText(in, values);
      // Written even when unchanged: a key still missing (an empty path) is
      // written too, so the file always holds every option the window saves.
      const QString old = stores.settings.ReadSetting(section, in.fileKey);
      written.append({section, in.fileKey, old});
      stores.settings.WriteSetting(section, in.fileKey, text);
    }
    const auto rows = readIniRows(database);
    engine::Transaction transaction(database);
    for (const SettingInput* in : storedInputs()) {
      const auto it = rows.constFind(rowKey(*in));
      const QString text = values.text(in->name);
      if (it == rows.constEnd() || it->value == text) continue;  // no row: not stored
      sql::execute(database, "UPDATE " + iniTable(database) + " SET VALOARE=" + sql::quote(text) +
                                 " WHERE FORMA=" + sql::quote(in->owner) + " AND NUME=" + sql::quote(it->name));
    }
    transaction.commit();
  } catch (const engine::Error& e) {
    restoreOptions();
    interaction.progressEnd();
    interaction.error("Salvare Constante", QString::fromStdString(e.what()));
    return false;
  } catch (const StoreError& e) {
    restoreOptions();
    interaction.progressEnd();
    interaction.error("Salvare Constante", e.message());
    return false;
  }
  interaction.progressStep(4);
  interaction.progressEnd();
  return true;
}

void CreateSettingsTable(engine::Database& database, const Rates& values) {
  const QString table = iniTable(database);
  if (database.tableExists(iniPath(database).toStdString())) sql::execute(database, "DROP TABLE " + table);
  sql::execute(database, "CREATE TABLE " + table + " (FORMA CHAR(12), NUME CHAR(32), VALOARE CHAR(40) )");
  try {
    engine::Transaction transaction(database);
    for (const SettingInput* in : storedInputs()) {
      sql::execute(database, "INSERT INTO " + table + " (FORMA, NUME, VALOARE) VALUES (" + sql::quote(in->owner) +
                                 ", " + sql::quote(in->name) + ", " + sql::quote(values.text(in->name)) + ")");
    }
    transaction.commit();
  } catch (const engine::Error&) {
    // An empty table would be taken for one whose rows were deleted: leave none.
    try {
      sql::execute(database, "DROP TABLE " + table);
    } catch (const engine::Error&) {
    }
    throw;
  }
}

}  // namespace dajdor::admin
