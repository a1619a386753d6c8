// bench-startup DIR: the program's start-up sequence (without its windows) on
// a copy of a data directory made by gen-commune, first as the first start of
// a day (with the daily maintenance: packing, village list, cleanup) and then
// as a later start of the same day.
#include "admin/settings_catalogue.h"
#include "store/clock.h"
#include "store/scripted_interaction.h"
#include "store/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <iostream>

namespace {

struct Run {
  const char* name;
  double goalSeconds;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2 || !QDir(argv[1]).exists()) {
    std::cerr << "Utilizare: bench-startup DIRECTOR\n"
                 "  DIRECTOR: un director de date scris de gen-commune (nu este modificat).\n";
    return 2;
  }
  QTemporaryDir appDir;
  if (!appDir.isValid() || !QDir().mkpath(appDir.filePath("Data"))) {
    std::cerr << "bench-startup: nu pot crea un director temporar.\n";
    return 1;
  }
  const QDir source(QString::fromLocal8Bit(argv[1]));
  for (const QString& file : source.entryList(QDir::Files))
    QFile::copy(source.filePath(file), appDir.filePath("Data/" + file));
  // The machine settings of this run stay in the scratch folder.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, appDir.filePath("machine"));

  dajdor::StartupOptions options;
  options.appDir = appDir.path();
  options.today = QDate(2014, 12, 19);
  for (const auto& row : dajdor::admin::initialIniRows()) options.iniRows.append({row.owner, row.name, row.value});

  std::cout << "\n| Start-up on " << argv[1] << " | Time | Goal |\n|---|---:|---|\n";
  int status = 0;
  for (const Run& run : {Run{"first start of the day (daily maintenance)", 10}, Run{"later start the same day", 2}}) {
    dajdor::ScriptedInteraction ui;
    QElapsedTimer timer;
    timer.start();
    const dajdor::StartupResult result = dajdor::runStartup(options, ui);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    char line[160];
    std::snprintf(line, sizeof line, "| %s | %.2f s | under %.0f s: %s |\n", run.name, seconds, run.goalSeconds,
                  seconds < run.goalSeconds ? "met" : "MISSED");
    std::cout << line;
    for (const auto& m : ui.messages)
      std::cerr << "  " << m.title.toStdString() << ": " << m.text.toStdString() << '\n';
    if (!result.database) status = 1;
  }
  return status;
}
