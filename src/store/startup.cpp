#include "store/startup.h"

#include "store/day_number.h"
#include "store/create_tables.h"
#include "store/files.h"
#include "store/lists.h"
#include "store/machine_settings.h"
#include "store/settings_file.h"
#include "store/store_error.h"
#include "store/sql_helpers.h"
#include "store/table_maintenance.h"
#include "store/upgrade_tables.h"
#include "store/version.h"
#include "store/village_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace dajdor {
namespace {

const QString kServerSection = QStringLiteral("SERVER");
const QString kDatorii = QStringLiteral("Datorii.dbf");

// Packed on the first start of a day, with the progress each one adds; the
// index of Datorii.dbf is added after Pag8.
struct PackStep {
  QString table;
  int progress;
};
const QList<PackStep> kPacksBeforeIndex = {{"DefZone.dbf", 2}, {"Gospodar.dbf", 5}, {"Pag1.dbf", 5},
                                           {"Pag2.dbf", 5},    {"Pag4.dbf", 5},     {"Pag5.dbf", 5},
                                           {"Pag6.dbf", 5},    {"Pag7.dbf", 5},     {"Pag8.dbf", 5}};
const QList<PackStep> kPacksAfterIndex = {{"SoldCalc.dbf", 5}, {"Chitante.dbf", 5}, {"UndelDat.dbf", 3},
                                          {"UndelSold.dbf", 2}, {"CodCL.dbf", 3},    {"ChitAnul.dbf", 2},
                                          {"Confirm.dbf", 3}};

// Gathers the notices of the whole sequence into one message, so that one
// locked table does not bring up a message for every step that needed it.
class GatheredNotices : public Interaction {
 public:
  explicit GatheredNotices(Interaction& ui) : ui_(ui) {}

  int message(const QString& title, const QString& text, int buttons, MessageKind kind) override {
    if (buttons != Button::Ok) return ui_.message(title, text, buttons, kind);
    notices_.append(title + QStringLiteral(":\r") + text);
    if (kind == MessageKind::Error || (kind == MessageKind::Warning && worst_ != MessageKind::Error)) worst_ = kind;
    return Answer::Ok;
  }
  void problem(const QString& text, const QString& field) override { ui_.problem(text, field); }
  void progressStart(const QString& text, int maximum) override { ui_.progressStart(text, maximum); }
  void progressStep(int steps) override { ui_.progressStep(steps); }
  void progressEnd() override { ui_.progressEnd(); }

  void flush() {
    if (notices_.isEmpty()) return;
    ui_.message(QStringLiteral("Initializare"), notices_.join(QStringLiteral("\r\r")), Button::Ok, worst_);
    notices_.clear();
  }

 private:
  Interaction& ui_;
  QStringList notices_;
  MessageKind worst_ = MessageKind::Information;
};

bool canWriteIn(const QString& dir) {
  QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".dajdor-probe-XXXXXX")));
  return probe.open();
}

QString withoutTrailingSeparator(QString path) {
  while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))) path.chop(1);
  return path;
}

class Startup {
 public:
  Startup(const StartupOptions& options, Interaction& ui) : options_(options), direct_(ui), ui_(ui) {}

  StartupResult run() {
    StartupResult result = steps();
    ui_.flush();
    return result;
  }

 private:
  StartupResult steps() {
    resolveDataDir();
    removeLeftoverScratchTables(result_.paths.appDir);
    openDatabase();
    if (!result_.database) return std::move(result_);
    SettingsFile settings(result_.paths.dataFile(SettingsFile::kFileName));
    reportDamagedSettings(settings);
    decideDailyMaintenance(settings);
    const bool maintains = result_.isLocal && result_.dataDirWritable;
    if (maintains) maintainSchema(settings);
    recordVersion();
    const bool villagesRead = buildVillageList();
    if (maintains && result_.dailyMaintenance && villagesRead) {
      rewriteVillageFile();
      removeVanishedVillages();
    }
    if (result_.dataDirWritable) upkeepModels();
    status(QStringLiteral("Incarcare ..."));
    if (maintains) {
      if (result_.dailyMaintenance) packTables();
      primeCounters(settings);
    }
    return std::move(result_);
  }

  engine::Database& db() { return *result_.database; }
  QString table(const QString& file) const { return sql::table(result_.paths.dataDir, file); }
  QString tablePath(const QString& file) const { return sql::tablePath(result_.paths.dataDir, file); }
  void status(const QString& text) {
    if (options_.showStatus) options_.showStatus(text);
  }
  void stepProgress(int n) {
    if (options_.stepProgress) options_.stepProgress(n);
  }
  void reportProblems(const QString& title, const QString& heading, const QStringList& problems) {
    if (!problems.isEmpty()) ui_.error(title, heading + QLatin1Char('\r') + problems.join(QLatin1Char('\r')));
  }

  // The local data directory, or the shared one the machine settings name when
  // it holds every table a shared directory must have.
  void resolveDataDir() {
    result_.paths = Paths::forAppDir(options_.appDir);
    if (!QDir().mkpath(result_.paths.localDataDir)) {
      ui_.error(QStringLiteral("Director de date"),
                QStringLiteral("Directorul de date %1 nu poate fi creat.\rVerificati drepturile de scriere in "
                               "directorul programului.")
                    .arg(QDir::toNativeSeparators(result_.paths.localDataDir)));
    }
    const QString server = withoutTrailingSeparator(MachineSettings().ReadRegistry(QStringLiteral("SERVER")).trimmed());
    if (!server.isEmpty()) {
      bool complete = QFileInfo(server).isDir();
      for (const QString& file : sharedDirectoryTables()) complete = complete && QFileInfo::exists(fileInDir(server, file));
      if (complete) {
        result_.paths.dataDir = server;
      } else {
        // The connection message stands on its own, before the work starts.
        direct_.message(QStringLiteral("Conectare server"),
                        QStringLiteral("Baza de date ") + server + QStringLiteral("\r") +
                            QStringLiteral("NU este accesibila sau este incompleta!") + QStringLiteral("\r") +
                            QStringLiteral("Verificati conexiunea si baza si reporniti programul!"),
                        Button::Ok, MessageKind::Error);
      }
    }
    result_.isLocal = result_.paths.isLocal();
  }

  void openDatabase() {
    const QString dir = result_.paths.dataDir;
    if (!QFileInfo(dir).isDir()) return;  // reported when it could not be created
    try {
      result_.database = std::make_unique<engine::Database>(dir.toStdString());
    } catch (const std::exception& e) {
      ui_.error(QStringLiteral("Baza de date"), QStringLiteral("Baza de date din %1 nu poate fi deschisa:\r%2")
                                                    .arg(QDir::toNativeSeparators(dir), sql::message(e)));
      return;
    }
    result_.dataDirWritable = canWriteIn(dir);
    if (!result_.dataDirWritable) {
      ui_.error(QStringLiteral("Director de date"),
                QStringLiteral("Nu pot scrie in directorul de date %1.\rDatele pot fi consultate, dar nu pot fi "
                               "modificate. Verificati drepturile de scriere.")
                    .arg(QDir::toNativeSeparators(dir)));
    }
  }

  void reportDamagedSettings(const SettingsFile& settings) {
    try {
      const QString report = settings.damageReport();
      if (!report.isEmpty()) ui_.error(QStringLiteral("Fisier de setari"), report);
    } catch (const std::exception& e) {
      ui_.error(QStringLiteral("Fisier de setari"), sql::message(e));
    }
  }

  // The first start of each day on this data directory. When the settings
  // cannot be read there is no telling, and no maintenance is risked.
  void decideDailyMaintenance(const SettingsFile& settings) {
    try {
      result_.dailyMaintenance =
          settings.ReadSetting(kServerSection, QStringLiteral("LASTPACK")) != QString::number(dayNumber(options_.today));
    } catch (const std::exception&) {
      result_.dailyMaintenance = false;  // already reported with the settings file
    }
  }

  void maintainSchema(SettingsFile& settings) {
    result_.createdTables = CreateTables(db(), result_.paths.dataDir, options_.iniRows, settings, ui_, options_.modelRoot);
    if (result_.dailyMaintenance) {
      QStringList problems;
      try {
        PackTable(db(), tablePath(kDatorii));
      } catch (const std::exception& e) {
        problems.append(QStringLiteral("%1: %2").arg(kDatorii, sql::message(e)));
      }
      try {
        settings.WriteSetting(kServerSection, QStringLiteral("LASTPACK"), QString::number(dayNumber(options_.today)));
      } catch (const std::exception& e) {
        problems.append(sql::message(e));
      }
      reportProblems(QStringLiteral("Intretinere zilnica"), QStringLiteral("Intretinerea zilnica nu s-a putut face complet:"),
                     problems);
    }
    const UpgradeResult upgrade = UpgradeTables(db(), result_.paths.dataDir, ui_);
    result_.databaseEmpty = upgrade.databaseEmpty;
    result_.repairs = upgrade.repairs;
  }

  void recordVersion() {
    try {
      MachineSettings machine;
      if (machine.ReadRegistry(QStringLiteral("VER")) != kVersionTitle) {
        machine.WriteRegistry(QStringLiteral("CALE"), QDir::toNativeSeparators(result_.paths.appDir));
        machine.WriteRegistry(QStringLiteral("VER"), kVersionTitle);
      }
    } catch (const std::exception& e) {
      ui_.error(QStringLiteral("Setarile calculatorului"), sql::message(e));
    }
  }

  bool buildVillageList() {
    try {
      result_.villages = FillVillageList(db(), result_.paths.dataDir);
      return true;
    } catch (const std::exception& e) {
      ui_.error(QStringLiteral("Lista satelor"),
                QStringLiteral("Lista satelor nu poate fi citita:\r%1").arg(sql::message(e)));
      return false;
    }
  }

  // Sate.lst, one village per line, for the windows that fill their combos from it.
  void rewriteVillageFile() {
    try {
      writeVillageFile(result_.paths.dataDir, result_.villages);
    } catch (const StoreError& e) {
      ui_.error(QStringLiteral("Lista satelor"), e.message());
    }
  }

  // Rows of villages that are neither a taxpayer's village nor a locality go.
  // Rows without a village or a role stay. With no village at all nothing is
  // removed: an empty list means the tables could not tell, not that every
  // row is orphaned.
  void removeVanishedVillages() {
    if (result_.villages.isEmpty()) return;
    QString condition = QStringLiteral("WHERE SATUL<>\"\" AND ROL<>\"\"");
    for (const QString& village : result_.villages) condition += QStringLiteral("\nAND SATUL<>") + sql::quote(village);
    QStringList problems;
    for (const QString& file : {QStringLiteral("Chitante.dbf"), kDatorii, QStringLiteral("SoldCalc.dbf")}) {
      try {
        sql::execute(db(), QStringLiteral("DELETE FROM %1\n%2").arg(table(file), condition));
      } catch (const std::exception& e) {
        problems.append(QStringLiteral("%1: %2").arg(file, sql::message(e)));
      }
    }
    reportProblems(QStringLiteral("Intretinere zilnica"),
                   QStringLiteral("Randurile satelor care nu mai exista nu au putut fi sterse din:"), problems);
  }

  void upkeepModels() {
    const ModelUpkeepResult models = UpkeepModels(result_.paths.dataDir, options_.modelRoot);
    reportProblems(QStringLiteral("Modele"), QStringLiteral("Nu pot scrie modelele:"), models.failed);
  }

  void packTables() {
    QStringList problems;
    const auto pack = [&](const PackStep& step) {
      try {
        PackTable(db(), tablePath(step.table));
      } catch (const std::exception& e) {
        problems.append(QStringLiteral("%1: %2").arg(step.table, sql::message(e)));
      }
      stepProgress(step.progress);
    };
    for (const PackStep& step : kPacksBeforeIndex) pack(step);
    try {
      AddTableIndex(db(), QStringLiteral("IDGOS"), tablePath(kDatorii));
    } catch (const std::exception&) {
      // Usually the index exists already; the table works without it.
    }
    for (const PackStep& step : kPacksAfterIndex) pack(step);
    reportProblems(QStringLiteral("Intretinere zilnica"),
                   QStringLiteral("Tabelele urmatoare nu au putut fi compactate (sunt folosite de alt program sau "
                                  "sunt deteriorate):"),
                   problems);
  }

  // Each counter continues after the largest identifier of its table. A table
  // that cannot be read leaves its counter as it was.
  void primeCounters(SettingsFile& settings) {
    QStringList problems;
    for (const PrimedCounter& c : primedCounters()) {
      try {
        const auto rows = sql::query(db(), QStringLiteral("SELECT MAX(%1) AS XX FROM %2").arg(c.field, table(c.table)));
        const engine::Value max = rows->isEmpty() ? engine::Value() : rows->value(0, 0);
        settings.WriteCounter(kServerSection, c.counter, QString::number(max.isNull() ? 1 : max.toInt() + 1));
      } catch (const std::exception& e) {
        problems.append(QStringLiteral("%1 (%2): %3").arg(c.counter, c.table, sql::message(e)));
      }
    }
    reportProblems(QStringLiteral("Contoare"), QStringLiteral("Contoarele urmatoare nu au putut fi actualizate:"), problems);
  }

  const StartupOptions& options_;
  Interaction& direct_;
  GatheredNotices ui_;
  StartupResult result_;
};

}  // namespace

const QStringList& sharedDirectoryTables() {
  static const QStringList tables = {"Gospodar.dbf", "Pag1.dbf", "Pag2.dbf", "Pag4.dbf",    "Pag5.dbf",
                                     "Pag6.dbf",     "Pag7.dbf", "Pag8.dbf", "Datorii.dbf", "SoldCalc.dbf"};
  return tables;
}

const QList<PrimedCounter>& primedCounters() {
  static const QList<PrimedCounter> counters = {
      {"IDGOS", "Gospodar.dbf", "IDGOS"}, {"IDDAT", "Datorii.dbf", "IDDAT"},  {"IDRES", "SoldCalc.dbf", "IDRES"},
      {"IDDEB", "Debit.dbf", "IDDEB"},    {"IDCHIT", "Chitante.dbf", "IDCHIT"}, {"IDRC", "RegCasa.dbf", "IDRC"},
      {"IDANUL", "UndelDat.dbf", "IDANUL"}, {"IDCOD", "CodCL.dbf", "IDCOD"},  {"IDCONF", "Confirm.dbf", "IDCONF"},
      {"IDDETA", "AutoDet.dbf", "IDDETA"},
  };
  return counters;
}

StartupResult runStartup(const StartupOptions& options, Interaction& ui) { return Startup(options, ui).run(); }

}  // namespace dajdor
