// Producing a receipt PDF: laying the form out and writing the file, as the
// cashier waits for it after an operation. Prints the median of 50 runs.
#include "report/pdf_export.h"
#include "report/receipt_report.h"
#include "receipt_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  using namespace dajdor::report;
  // Eight lines, the most a receipt prints, at a town hall with the seal lines.
  Receipt receipt = testing::sampleReceipt(8);
  receipt.townHall.locality = "Vardeni";

  QTemporaryDir dir;
  const QString path = dir.filePath("Chit0.pdf");
  auto once = [&] {
    QElapsedTimer timer;
    timer.start();
    if (!writePdf(layOutReceipt(receipt), path))
      std::fprintf(stderr, "writing %s failed\n", qPrintable(path));
    return timer.nsecsElapsed() / 1e6;
  };
  const double first = once();  // fonts are loaded by the first receipt of a run
  std::vector<double> times;
  for (int i = 0; i < 50; ++i) times.push_back(once());
  std::sort(times.begin(), times.end());
  std::printf("receipt PDF: first of the run %.1f ms, median %.1f ms, slowest %.1f ms\n", first,
              times[times.size() / 2], times.back());
  return 0;
}
