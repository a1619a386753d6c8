// bench-pages DIR: loading and storing each assessment page of taxpayers spread
// over a copy of a data directory made by gen-commune, first with the domain
// alone and then through the page widget (offscreen). Prints a Markdown table.
#include "register/assessment_page_widget.h"
#include "register/assessment_pages.h"
#include "store/scripted_interaction.h"
#include "store/sql_helpers.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

constexpr int kSamples = 60;
constexpr double kGoalMs = 30;

struct Timing {
  std::vector<double> ms;
  double median() {
    std::sort(ms.begin(), ms.end());
    return ms.empty() ? 0 : ms[ms.size() / 2];
  }
  double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

template <typename Work>
double timed(Work work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The first quantity of a page: the bench changes it before each store, so every
// store writes a changed row, as an operator's does.
QString editedInput(int page) {
  for (const dajdor::reg::PageInput* in : dajdor::reg::assessmentPage(page).inputs())
    if (in->kind == dajdor::reg::PageInputKind::Quantity) return in->name;
  return {};
}

// Taxpayers spread evenly over the register.
std::vector<qint64> sampleTaxpayers(engine::Database& db, const QString& dataDir) {
  std::vector<qint64> all;
  const auto rows = dajdor::sql::query(db, "SELECT IDGOS FROM " + dajdor::sql::table(dataDir, "Gospodar.dbf"));
  for (std::size_t r = 0; r < rows->rowCount(); ++r) all.push_back(rows->value(r, 0).toInt());
  std::vector<qint64> picked;
  for (int i = 0; i < kSamples && !all.empty(); ++i) picked.push_back(all[all.size() * i / kSamples]);
  return picked;
}

void printRow(const char* layer, int page, Timing& load, Timing& store) {
  const bool met = load.worst() < kGoalMs && store.worst() < kGoalMs;
  std::printf("| %s | %d | %.2f | %.2f | %.2f | %.2f | %s |\n", layer, page, load.median(), load.worst(), store.median(),
              store.worst(), met ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2 || !QDir(argv[1]).exists()) {
    std::cerr << "Utilizare: bench-pages DIRECTOR\n"
                 "  DIRECTOR: un director de date scris de gen-commune (nu este modificat).\n";
    return 2;
  }
  QTemporaryDir appDir;
  if (!appDir.isValid() || !QDir().mkpath(appDir.filePath("Data"))) {
    std::cerr << "bench-pages: nu pot crea un director temporar.\n";
    return 1;
  }
  const QDir source(QString::fromLocal8Bit(argv[1]));
  for (const QString& name : source.entryList(QDir::Files))
    if (!name.endsWith(".jnl", Qt::CaseInsensitive) && !name.endsWith(".lck", Qt::CaseInsensitive))
      QFile::copy(source.filePath(name), appDir.filePath("Data/" + name));

  dajdor::ScriptedInteraction ui;
  dajdor::AppContext context;
  context.paths = dajdor::Paths::forAppDir(appDir.path());
  context.interaction = &ui;
  context.database = std::make_unique<engine::Database>(context.paths.dataDir.toStdString());
  const std::vector<qint64> taxpayers = sampleTaxpayers(*context.database, context.paths.dataDir);
  const dajdor::reg::AssessmentFile file{*context.database, context.paths.dataDir, context.rates, dajdor::kWorkYear};
  // The tables are read once before timing, as the register window has them open.
  for (int page = dajdor::reg::kFirstPage; page <= dajdor::reg::kLastPage; ++page)
    dajdor::reg::LoadPage(file, page, taxpayers.front());

  std::printf("\n%zu taxpayers sampled on %s; times in ms\n\n", taxpayers.size(), argv[1]);
  std::printf("| Layer | Page | Load median | Load worst | Store median | Store worst | Goal < %.0f ms |\n",
              kGoalMs);
  std::printf("|---|---:|---:|---:|---:|---:|---|\n");
  int status = 0;
  for (int page = dajdor::reg::kFirstPage; page <= dajdor::reg::kLastPage; ++page) {
    Timing load, store;
    int edit = 0;
    for (const qint64 id : taxpayers) {
      dajdor::reg::LoadedPage loaded;
      load.ms.push_back(timed([&] { loaded = dajdor::reg::LoadPage(file, page, id); }));
      loaded.values.insert(editedInput(page), QString::number(++edit % 9 + 1));
      store.ms.push_back(timed([&] {
        if (!dajdor::reg::StorePage(file, page, id, loaded.values, ui).stored()) status = 1;
      }));
    }
    if (load.worst() >= kGoalMs || store.worst() >= kGoalMs) status = 1;
    printRow("domain", page, load, store);
  }
  for (int page = dajdor::reg::kFirstPage; page <= dajdor::reg::kLastPage; ++page) {
    dajdor::reg::AssessmentPageWidget widget(page, context);
    widget.resize(1110, 600);
    widget.show();
    QApplication::processEvents();
    Timing load, store;
    auto* edited = qobject_cast<QLineEdit*>(widget.input(editedInput(page)));
    int edit = 0;
    for (const qint64 id : taxpayers) {
      load.ms.push_back(timed([&] {
        widget.load(id);
        widget.repaint();  // the page drawn with the new values
      }));
      edited->setText(QString::number(++edit % 9 + 11));  // not what the domain pass left
      store.ms.push_back(timed([&] {
        if (!widget.store()) status = 1;
      }));
    }
    if (load.worst() >= kGoalMs || store.worst() >= kGoalMs) status = 1;
    printRow("widget", page, load, store);
  }
  for (const auto& m : ui.messages) std::cerr << "  " << m.title.toStdString() << ": " << m.text.toStdString() << '\n';
  return status;
}
