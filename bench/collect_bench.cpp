// bench-collect DIR: the collections window on a data directory made by
// gen-commune (offscreen). Opening the window for 200 random taxpayers
// (the balance built from the stored tables and the three grids filled; the
// search snapshot taken once beforehand and not counted), and filtering the
// search list on every keystroke of a name and a role; then 100 payment commits,
// their cancellations and receipt PDFs on a copy of the directory beside it,
// against the time of one disk sync there. The directory itself is only read;
// work tables go to a scratch program folder.
#include "collect/collections_window.h"
#include "payment_bench.h"
#include "timing.h"
#include "collect/taxpayer_search.h"
#include "collect/taxpayer_search_window.h"
#include "session/app_context.h"
#include "store/scripted_interaction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <random>
#include <vector>

namespace {

constexpr double kOpenGoalMs = 20;
constexpr double kKeystrokeGoalMs = 30;
constexpr int kTaxpayers = 200;

void printRow(const char* what, const std::vector<double>& samples, double goal) {
  const double m = median(samples);
  const double worst = samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
  std::printf("| %s | %.2f ms | %.2f ms | under %.0f ms: %s |\n", what, m, worst, goal, m < goal ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "Utilizare: bench-collect DIRECTOR (un director de date scris de gen-commune)\n";
    return 2;
  }
  QTemporaryDir programFolder;
  dajdor::ScriptedInteraction ui;
  dajdor::AppContext context;
  const QString dataDir = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  context.paths = {programFolder.path(), dataDir, dataDir};
  context.interaction = &ui;
  context.database = std::make_unique<engine::Database>(dataDir.toStdString());
  context.clock.setFixed(QDateTime(QDate(2014, 10, 15), QTime(10, 0)));

  const dajdor::collect::TaxpayerSnapshot snapshot(*context.database, context.paths.dataDir, programFolder.path());
  const auto& rows = snapshot.rows();
  std::mt19937 random(20140101);
  std::uniform_int_distribution<int> pick(0, int(rows.size()) - 1);

  dajdor::collect::CollectionsWindow window(context);
  window.resize(1366, 768);
  window.show();
  std::vector<double> domain, opening, computed;
  const dajdor::admin::Rates rates;
  for (int i = 0; i < kTaxpayers + 5; ++i) {
    const dajdor::collect::SearchRow& who = rows[pick(random)];
    const double shown = millis([&] {
      window.openFor(who.IDGOS, who.SATUL);
      QApplication::processEvents();
    });
    const double built = millis([&] { window.sheet()->BuildBalance(false, QDate(2014, 10, 15), true, who.IDGOS); });
    const double read = millis([&] {
      dajdor::collect::computeBalance({*context.database, dataDir, rates, 2014}, false, QDate(2014, 10, 15), true,
                                      who.IDGOS);
    });
    if (i < 5) continue;  // warm-up
    computed.push_back(read);
    opening.push_back(shown);
    domain.push_back(built);
  }

  dajdor::collect::TaxpayerSearchWindow search(context);
  search.prepare(snapshot);
  search.show();
  auto* name = search.findChild<QLineEdit*>("Nume");
  auto* rol = search.findChild<QLineEdit*>("ROL");
  std::vector<double> keystrokes;
  for (int i = 0; i < 20; ++i) {
    const dajdor::collect::SearchRow& who = rows[pick(random)];
    for (QLineEdit* input : {name, rol}) {
      const QString text = input == name ? who.NUMEP.left(4) : who.ROL;
      for (const QChar c : text) {
        if (c.unicode() > 127 || !c.isLetterOrNumber()) continue;
        keystrokes.push_back(millis([&] {
          QTest::keyClick(input, c.toLatin1());
          QApplication::processEvents();
        }));
      }
      input->clear();
    }
  }

  std::cout << "\nCollections on " << argv[1] << " (" << rows.size() << " taxpayers)\n\n"
            << "| Measure | Median | Worst | Goal |\n|---|---:|---:|---|\n";
  printRow("Balance read and computed, without the work tables", computed, kOpenGoalMs);
  printRow("BuildBalance alone", domain, kOpenGoalMs);
  printRow("Collections window opened and filled", opening, kOpenGoalMs);
  printRow("Search list filtered, per keystroke", keystrokes, kKeystrokeGoalMs);
  const bool paymentsMet = benchPayments(dataDir, int(rows.size()));
  return ui.messages.isEmpty() && paymentsMet ? 0 : 1;
}
