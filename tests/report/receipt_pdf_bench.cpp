// Producing a receipt PDF: laying the form out and writing the file, as the
// cashier waits for it after an operation. Prints the median of 50 runs.
#include "report/pdf_export.h"
#include "report/receipt_report.h"

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
  Receipt receipt;
  receipt.townHall = {"Bistrița-Năsăud", "Primăria Comunei Șieu-Măgheruș", "4347712", "Vardeni"};
  receipt.series = "BNSM";
  receipt.number = "104";
  receipt.date = QDate(2014, 3, 28);
  receipt.rol = "257";
  receipt.taxpayer = "Țăranu Ștefănică Ioana";
  receipt.address = "Str. Învățătorului nr. 7";
  receipt.personKind = "F";
  receipt.payer = "Țăranu Ion";
  receipt.cashier = "Măriuca Pop";
  for (int n = 1; n <= 8; ++n)
    receipt.lines.append({QString("Grupa %1").arg(n), "", "070201", n, n * 10, 0, 0});

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
