// bench-village-fee DIR [VILLAGE]: "Adauga o taxa la toti" and "Adauga la Alte
// taxe o cantitate fixa" unattended for the largest village (or the one named)
// of a copy of a data directory made by gen-commune, three runs each. Prints a
// Markdown table for the README.
#include "register/village_fees.h"
#include "store/files.h"
#include "store/interaction.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

class Silent : public dajdor::Interaction {
 public:
  int message(const QString&, const QString& text, int, dajdor::MessageKind) override {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return dajdor::Answer::Da;
  }
  void problem(const QString& text, const QString&) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void progressStart(const QString&, int) override {}
  void progressStep(int) override {}
  void progressEnd() override {}
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "bench-village-fee DIR [VILLAGE] (a data directory made by gen-commune)\n");
    return 2;
  }
  QTemporaryDir scratch;
  const QString dir = scratch.filePath("Data");
  if (!QDir().mkpath(dir) || !dajdor::CopyDirectory(QString::fromLocal8Bit(argv[1]), dir)) {
    std::fprintf(stderr, "cannot copy %s\n", argv[1]);
    return 1;
  }
  engine::Database db(dir.toStdString());
  dajdor::SettingsFile settings(dajdor::sql::tablePath(dir, dajdor::SettingsFile::kFileName));
  QString village = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (village.isEmpty()) {
    const auto rows = dajdor::sql::query(db, "SELECT SATUL, COUNT(*) AS N FROM " +
                                                 dajdor::sql::table(dir, "Gospodar.dbf") +
                                                 " GROUP BY SATUL ORDER BY N DESC");
    village = QString::fromStdString(rows->value(0, 0).toString()).trimmed();
  }
  const std::int64_t taxpayers = dajdor::sql::scalar(
      db, "SELECT COUNT(*) FROM " + dajdor::sql::table(dir, "Gospodar.dbf") + " WHERE SATUL=" + dajdor::sql::quote(village));
  Silent ui;
  const dajdor::reg::VillageRun run{db, dir, settings, ui, 2014, true};
  std::printf("Village of %lld taxpayers.\n\n| operation | run | seconds | CPU seconds |\n|---|---|---|---|\n",
              static_cast<long long>(taxpayers));
  const auto measure = [&](const char* name, const auto& operation) {
    for (int n = 1; n <= 3; ++n) {
      QElapsedTimer timer;
      timer.start();
      const std::clock_t cpuStart = std::clock();
      if (!operation()) std::fprintf(stderr, "%s failed\n", name);
      std::printf("| %s | %d | %.2f | %.2f |\n", name, n, static_cast<double>(timer.nsecsElapsed()) / 1e9,
                  static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
      std::fflush(stdout);
    }
  };
  measure("Adauga o taxa la toti", [&] {
    return dajdor::reg::AddTaxToVillage(run, {village, "Paza", "25", false}).has_value();
  });
  measure("Adauga la Alte taxe o cantitate fixa", [&] {
    return dajdor::reg::SetVillageQuantity(run, {village, "Paza", dajdor::Currency::whole(2)}).has_value();
  });
  return 0;
}
