#include "store/machine_settings.h"

#include <gtest/gtest.h>

#include "store/qt_printers.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace dajdor {
namespace {

class MachineSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  }
  QTemporaryDir dir_;
};

TEST_F(MachineSettingsTest, ValuesAreFoundWhateverTheirCase) {
  MachineSettings machine;
  EXPECT_EQ(machine.ReadRegistry("SERVER"), "");
  machine.WriteRegistry("SERVER", "/srv/taxe/Data");
  machine.WriteRegistry("Cale", "/opt/dajdor");
  EXPECT_EQ(machine.ReadRegistry("server"), "/srv/taxe/Data");
  EXPECT_EQ(machine.ReadRegistry("CALE"), "/opt/dajdor");
  machine.WriteRegistry("cale", "/opt/dajdor2014");
  EXPECT_EQ(MachineSettings().ReadRegistry("Cale"), "/opt/dajdor2014");
}

TEST_F(MachineSettingsTest, PreviousYearsKeyIsReadApart) {
  {
    QSettings previous("Velmora", "55");
    previous.setValue("Cale", "/opt/dajdor2013");
  }
  EXPECT_EQ(MachineSettings(MachineSettings::kPreviousVersion).ReadRegistry("CALE"), "/opt/dajdor2013");
  EXPECT_EQ(MachineSettings().ReadRegistry("CALE"), "");
}

}  // namespace
}  // namespace dajdor
