// bench-register DIR: the taxpayer register on a data directory made by
// gen-commune, with the domain alone and through the window (offscreen):
// opening the register, choosing a village, typing a name prefix and typing a
// role, one keystroke at a time. The directory is not modified: the register's
// tables are copied into a scratch folder first.
#include "register/register_list.h"
#include "register/register_window.h"
#include "session/app_context.h"
#include "store/lists.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

namespace {

using dajdor::reg::RegisterList;
using dajdor::reg::SearchInput;

constexpr double kOpenGoalMs = 300;
constexpr double kKeystrokeGoalMs = 30;

double millis(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

struct Row {
  std::string what;
  std::vector<double> samples;
  double goal;
  double median() const {
    std::vector<double> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
  double worst() const { return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end()); }
};

// What an operator types: the first letters of a name in the middle of a
// village, and a role of that village, one character at a time.
struct Typing {
  QString village;
  QString name;
  QString role;
};

std::vector<Typing> typingsFor(RegisterList& list, const QStringList& villages) {
  std::vector<Typing> typings;
  for (const QString& village : villages) {
    list.setFilter(village, {});
    if (list.count() == 0) continue;
    const dajdor::reg::Taxpayer t = list.taxpayer(list.count() / 2);
    typings.push_back({village, t.name.left(6), t.role});
  }
  list.setFilter({}, {});
  return typings;
}

void print(const char* title, const std::vector<Row>& rows, int& status) {
  std::cout << "\n| " << title << " | Median | Worst | Goal |\n|---|---:|---:|---|\n";
  for (const Row& row : rows) {
    const bool met = row.worst() < row.goal;
    if (!met) status = 1;
    char line[200];
    std::snprintf(line, sizeof line, "| %s | %.2f ms | %.2f ms | under %.0f ms: %s |\n", row.what.c_str(),
                  row.median(), row.worst(), row.goal, met ? "met" : "MISSED");
    std::cout << line;
  }
}

std::vector<Row> domainRows(const QString& dataDir, const QStringList& villages) {
  Row cold{"open the register (first statement on the table)", {}, kOpenGoalMs};
  Row warm{"open the register again", {}, kOpenGoalMs};
  Row village{"choose a village", {}, kKeystrokeGoalMs};
  Row name{"type a name, per keystroke", {}, kKeystrokeGoalMs};
  Row role{"type a role, per keystroke", {}, kKeystrokeGoalMs};
  auto db = std::make_unique<engine::Database>(dataDir.toStdString());
  RegisterList list;
  cold.samples.push_back(millis([&] { list.open(*db, dataDir); }));
  for (int i = 0; i < 5; ++i) warm.samples.push_back(millis([&] { list.open(*db, dataDir); }));
  for (const Typing& t : typingsFor(list, villages)) {
    village.samples.push_back(millis([&] { list.search(SearchInput::Village, {t.village, {}, {}}); }));
    for (int n = 1; n <= t.name.size(); ++n)
      name.samples.push_back(millis([&] { list.search(SearchInput::Name, {t.village, t.name.left(n), {}}); }));
    for (int n = 1; n <= t.role.size(); ++n)
      role.samples.push_back(millis([&] { list.search(SearchInput::Role, {t.village, {}, t.role.left(n)}); }));
  }
  return {cold, warm, village, name, role};
}

std::vector<Row> windowRows(const QString& appDir, const QStringList& villages) {
  Row build{"build the window (once per run)", {}, 2000};
  Row open{"open the register", {}, kOpenGoalMs};
  Row village{"choose a village", {}, kKeystrokeGoalMs};
  Row name{"type a name, per keystroke", {}, kKeystrokeGoalMs};
  Row role{"type a role, per keystroke", {}, kKeystrokeGoalMs};
  dajdor::AppContext context;
  context.paths = dajdor::Paths::forAppDir(appDir);
  context.database = std::make_unique<engine::Database>(context.paths.dataDir.toStdString());
  context.villages = villages;
  std::unique_ptr<dajdor::reg::RegisterWindow> window;
  build.samples.push_back(millis([&] { window = std::make_unique<dajdor::reg::RegisterWindow>(context); }));
  for (int i = 0; i < 5; ++i) {
    if (i > 0) window->close();
    open.samples.push_back(millis([&] {
      window->openRegister();
      QApplication::processEvents();
    }));
  }
  RegisterList list;
  list.open(*context.database, context.paths.dataDir);
  QWidget* page = window->findChild<QWidget*>("IdentificareP");
  auto* combo = page->findChild<QComboBox*>("SatCombo");
  auto* nameEdit = page->findChild<QLineEdit*>("CapGosp");
  auto* roleEdit = page->findChild<QLineEdit*>("ROLEd");
  const auto keystroke = [](QLineEdit* edit, QChar c) {
    return millis([&] {
      QTest::keyClick(edit, c.toLatin1() ? c.toLatin1() : 'X');
      QApplication::processEvents();
    });
  };
  for (const Typing& t : typingsFor(list, villages)) {
    village.samples.push_back(millis([&] {
      combo->setCurrentIndex(combo->findText(t.village));
      emit combo->activated(combo->currentIndex());
      QApplication::processEvents();
    }));
    nameEdit->clear();
    for (const QChar c : t.name) name.samples.push_back(keystroke(nameEdit, c));
    roleEdit->clear();
    for (const QChar c : t.role) role.samples.push_back(keystroke(roleEdit, c));
  }
  return {build, open, village, name, role};
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2 || !QDir(argv[1]).exists()) {
    std::cerr << "Utilizare: bench-register DIRECTOR\n"
                 "  DIRECTOR: un director de date scris de gen-commune (nu este modificat).\n";
    return 2;
  }
  QTemporaryDir appDir;
  if (!appDir.isValid() || !QDir().mkpath(appDir.filePath("Data"))) {
    std::cerr << "bench-register: nu pot crea un director temporar.\n";
    return 1;
  }
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, appDir.filePath("machine"));
  const QDir source(QString::fromLocal8Bit(argv[1]));
  const QString dataDir = appDir.filePath("Data");
  for (const QString& file : {QStringLiteral("Gospodar.dbf"), QStringLiteral("DefZone.dbf")})
    QFile::copy(source.filePath(file), dataDir + "/" + file);

  QStringList villages;
  {
    engine::Database db(dataDir.toStdString());
    villages = dajdor::FillVillageList(db, dataDir);
  }
  int status = 0;
  std::cout << "\nRegister on " << argv[1] << " (" << villages.size() << " villages)\n";
  print("Domain", domainRows(dataDir, villages), status);
  print("Window, offscreen", windowRows(appDir.path(), villages), status);
  return status;
}
