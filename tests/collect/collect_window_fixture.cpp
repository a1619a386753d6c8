#include "collect/collect_window_fixture.h"

#include <QDir>
#include <QWidget>

namespace dajdor::testing {

void setUpWindowContext(AppContext& context, const QString& appDir, ScriptedInteraction& ui,
                        const admin::Rates& rates) {
  context.paths = Paths::forAppDir(appDir);
  context.interaction = &ui;
  context.database = std::make_unique<engine::Database>(context.paths.dataDir.toStdString());
  context.rates = rates;
  context.clock.setFixed(QDateTime(QDate(2014, 3, 31), QTime(10, 0)));
  context.user.name = "CASIER";
  context.user.level = UserLevel::Cashier;
}

void saveScreenshot(QWidget* widget, const QString& file) {
  const QString dir = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
  QDir().mkpath(dir);
  widget->grab().save(dir + "/" + file);
}

void CollectWindowTest::SetUp() {
  CollectTest::SetUp();
  setUpWindowContext(context_, appDir(), ui_, rates_);
}

void CollectWindowTest::grab(QWidget* widget, const QString& file) { saveScreenshot(widget, file); }

}  // namespace dajdor::testing
