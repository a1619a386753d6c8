#include "collect/collect_window_fixture.h"

#include <QDir>
#include <QWidget>

namespace dajdor::testing {

void CollectWindowTest::SetUp() {
  CollectTest::SetUp();
  context_.paths = Paths::forAppDir(appDir());
  context_.interaction = &ui_;
  context_.database = std::make_unique<engine::Database>(dataDir().toStdString());
  context_.rates = rates_;
  context_.clock.setFixed(QDateTime(QDate(2014, 3, 31), QTime(10, 0)));
  context_.user.name = "CASIER";
  context_.user.level = UserLevel::Cashier;
}

void CollectWindowTest::grab(QWidget* widget, const QString& file) {
  const QString dir = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
  QDir().mkpath(dir);
  widget->grab().save(dir + "/" + file);
}

}  // namespace dajdor::testing
