// bench-cash DIR: opening the cash register on a data directory made by
// gen-commune (the work rows of a year of documents and one day's view), and
// filling the register template with 20,000 rows and saving it. Prints a
// Markdown table for the README.
#include "cash/cash_listings.h"
#include "cash/cash_register.h"
#include "process_memory.h"
#include "store/models.h"
#include "store/scripted_interaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double seconds(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e9; }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "bench-cash DIR (a data directory made by gen-commune)\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  std::printf("| measure | rows | median seconds | peak MB |\n|---|---|---|---|\n");
  // The workbook first, so its peak does not count the tables read afterwards.

  QTemporaryDir scratch;
  const QString model = scratch.filePath(dajdor::cash::kRegisterTemplate);
  if (!dajdor::ExtractModel("REGCASA", model)) {
    std::fprintf(stderr, "the embedded register template is missing\n");
    return 1;
  }
  dajdor::cash::CashDay big;
  for (int n = 0; n < 20000; ++n)
    big.rows.append({n + 1, QDate(2014, 6, 16), QStringLiteral("Chitanta diverse %1").arg(n), n % 3 ? 0 : 15,
                     n % 3 ? 40 : 0, n % 2 ? "IONESCU MARIA" : "POPA ELENA"});
  std::vector<double> filling;
  std::int64_t peak = 0;
  qint64 size = 0;
  for (int run = 0; run < 3; ++run) {
    bench::resetPeakMemory();
    QElapsedTimer timer;
    timer.start();
    dajdor::ScriptedInteraction interaction;
    dajdor::TemplateExport xls(interaction);
    const QString out = scratch.filePath("out.xlsx");
    if (!dajdor::cash::writeRegisterWorkbook(xls, model, {"Dealu", "Ionescu"}, QDate(2014, 6, 16), "", big) ||
        !xls.saveAs(out)) {
      std::fprintf(stderr, "the register could not be written\n");
      return 1;
    }
    filling.push_back(seconds(timer));
    peak = std::max(peak, bench::currentMemory().peakBytes);
    size = QFileInfo(out).size();
  }
  std::printf("| filling RegCasa.xlsx and saving (%lld KB) | 20000 | %.3f | %.0f |\n",
              static_cast<long long>(size / 1024), median(filling), static_cast<double>(peak) / 1e6);
  engine::Database db(dir.toStdString());
  std::vector<double> opening;
  qsizetype workRows = 0;
  for (int run = 0; run < 5; ++run) {
    QElapsedTimer timer;
    timer.start();
    dajdor::cash::CashRegister cashRegister(db, dir);
    cashRegister.load();
    const dajdor::cash::CashDay day = cashRegister.Filtru(QDate(2014, 6, 16), dajdor::cash::kAnyCashier);
    opening.push_back(seconds(timer));
    workRows = cashRegister.rows().size();
    if (day.rows.isEmpty()) std::fprintf(stderr, "no rows on the day measured\n");
  }
  std::printf("| opening the register (load + Filtru) | %lld work rows | %.3f | |\n", static_cast<long long>(workRows),
              median(opening));

  return 0;
}
