// bench-transfer DIR: AddAllPlata unattended over a copy of a data directory
// made by gen-commune, a first run and a rerun, with the cost per taxpayer.
// Prints a Markdown table for the README.
#include "admin/settings_store.h"
#include "register/transfer_to_debts.h"
#include "store/lists.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

bool copyDirectory(const QString& from, const QString& to) {
  for (const QString& file : QDir(from).entryList(QDir::Files))
    if (!QFile::copy(from + "/" + file, to + "/" + file)) return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "bench-transfer DIR (a data directory made by gen-commune)\n");
    return 2;
  }
  QTemporaryDir scratch;
  const QString dir = scratch.filePath("Data");
  if (!QDir().mkpath(dir) || !copyDirectory(QString::fromLocal8Bit(argv[1]), dir)) {
    std::fprintf(stderr, "cannot copy %s\n", argv[1]);
    return 1;
  }
  engine::Database db(dir.toStdString());
  dajdor::SettingsFile settings(dajdor::sql::tablePath(dir, dajdor::SettingsFile::kFileName));
  const dajdor::admin::Rates rates = dajdor::admin::LoadSettings({db, settings, "ADMIN", 2014});
  std::printf("| run | taxpayers | added | refused | tables grew by | seconds | CPU seconds | CPU ms per taxpayer |\n|---|---|---|---|---|---|---|---|\n");
  for (const char* run : {"first", "rerun"}) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    const QList<dajdor::reg::Taxpayer> taxpayers =
        dajdor::reg::taxpayersToTransfer(db, dir, dajdor::FillVillageList(db, dir));
    dajdor::reg::TransferStore store(db, dir, settings, rates, 2014, 1024);
    const qint64 before = QFileInfo(dir + "/Datorii.dbf").size() + QFileInfo(dir + "/SoldCalc.dbf").size();
    const dajdor::reg::TransferSummary summary = dajdor::reg::transferTaxpayers(store, taxpayers, rates, 2014);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const qint64 after = QFileInfo(dir + "/Datorii.dbf").size() + QFileInfo(dir + "/SoldCalc.dbf").size();
    std::printf("| %s | %lld | %d | %d | %+lld bytes | %.2f | %.2f | %.3f |\n", run,
                static_cast<long long>(taxpayers.size()), summary.added, summary.refused,
                static_cast<long long>(after - before), seconds, cpu,
                cpu * 1000 / std::max<qsizetype>(1, taxpayers.size()));
    for (const QString& refusal : summary.refusals.mid(0, 3)) std::fprintf(stderr, "%s\n", qPrintable(refusal));
    std::fflush(stdout);
  }
  return 0;
}
