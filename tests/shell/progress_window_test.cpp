#include "shell/progress_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

namespace dajdor {
namespace {

struct ProgressFixture : ::testing::Test {
  ProgressFixture() {
    mainWindow.setGeometry(100, 80, 900, 600);
    mainWindow.show();
    owner.setGeometry(200, 200, 300, 200);
    auto* layout = new QVBoxLayout(&owner);
    input = new QLineEdit(&owner);
    layout->addWidget(input);
    owner.show();
    QApplication::setActiveWindow(&owner);
  }
  QWidget mainWindow;
  QWidget owner;
  QLineEdit* input = nullptr;
  ProgressWindow progress{&mainWindow};
};

TEST_F(ProgressFixture, ShownBorderlessCentredOnTheMainWindowWithTheOwnerBlocked) {
  progress.bar()->setValue(40);
  progress.Arata(&owner);

  EXPECT_TRUE(progress.isVisible());
  EXPECT_TRUE(progress.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(progress.objectName(), "TContor");
  EXPECT_EQ(progress.bar()->value(), 0);
  EXPECT_EQ(progress.geometry().center(), mainWindow.frameGeometry().center());
  EXPECT_FALSE(owner.isEnabled());
  EXPECT_EQ(owner.cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // not modal

  progress.Distruge(&owner);
  EXPECT_FALSE(progress.isVisible());
  EXPECT_TRUE(owner.isEnabled());
  EXPECT_EQ(owner.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ProgressFixture, OwnerKeepsItsOwnCursor) {
  owner.setCursor(Qt::PointingHandCursor);
  progress.Arata(&owner);
  progress.Distruge(&owner);
  EXPECT_EQ(owner.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ProgressFixture, StepsAdvanceAndANewStepStartsAtZero) {
  progress.Arata(&owner);
  progress.SetStep("Calcul debite");
  progress.bar()->setMaximum(3);
  progress.Step();
  progress.Step();
  EXPECT_EQ(progress.description()->text(), "Calcul debite");
  EXPECT_EQ(progress.bar()->value(), 2);
  const QString folder = QString(DAJDOR_BIN_DIR) + "/../screenshots";
  QDir().mkpath(folder);
  progress.grab().save(folder + "/progress_window.png");
  progress.Step(5);  // never past the end
  EXPECT_EQ(progress.bar()->value(), 3);

  progress.SetStep("Actualizare solduri");
  EXPECT_EQ(progress.description()->text(), "Actualizare solduri");
  EXPECT_EQ(progress.bar()->value(), 0);
  progress.Distruge(&owner);
}

TEST_F(ProgressFixture, WithoutAnOwnerOnlyTheWindowComesAndGoes) {
  progress.Arata(nullptr);
  EXPECT_TRUE(progress.isVisible());
  progress.Distruge(nullptr);
  EXPECT_FALSE(progress.isVisible());
}

}  // namespace
}  // namespace dajdor
