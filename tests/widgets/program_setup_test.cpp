#include "store/qt_printers.h"
#include "widgets/program_setup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

namespace dajdor {
namespace {

struct ProgramSetupTest : ::testing::Test {
  void SetUp() override { setUpProgram(*qApp, "Dajdor 2014"); }
};

TEST_F(ProgramSetupTest, CaptionsAreWhatEachWindowSetsWithNothingAppended) {
  // Qt appends an application display name, once one is set, to every caption
  // the desktop shows ("... >> ADMIN — Dajdor 2014"); unset, it follows the name.
  QApplication::setApplicationName("proba");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "proba");
  QApplication::setApplicationName("Dajdor 2014");
}

TEST_F(ProgramSetupTest, TheFolderChooserSpeaksRomanian) {
  QFileDialog chooser(nullptr, "Indicati directorul DATA din RA 2010");
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOption(QFileDialog::ShowDirsOnly);
  chooser.show();
  EXPECT_EQ(chooser.findChild<QLabel*>("lookInLabel")->text(), "Cauta in:");
  auto* buttons = chooser.findChild<QDialogButtonBox*>("buttonBox");
  ASSERT_NE(buttons, nullptr);
  QStringList captions;
  for (QAbstractButton* b : buttons->buttons()) captions << b->text();
  captions.sort();
  EXPECT_EQ(captions, (QStringList{"&Alege", "Renunt"}));
  auto* files = chooser.findChild<QTreeView*>("treeView");
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->model()->headerData(0, Qt::Horizontal).toString(), "Nume");
  chooser.close();

  QDialogButtonBox standard(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
  EXPECT_EQ(standard.button(QDialogButtonBox::Yes)->text(), "&Da");
  EXPECT_EQ(standard.button(QDialogButtonBox::No)->text(), "&Nu");
  EXPECT_EQ(standard.button(QDialogButtonBox::Cancel)->text(), "Renunt");
}

// Mean brightness of a band of rows of an image.
double brightness(const QImage& image, int fromRow, int toRow) {
  double sum = 0;
  int count = 0;
  for (int y = fromRow; y < toRow; ++y)
    for (int x = 0; x < image.width(); ++x, ++count) sum += qGray(image.pixel(x, y));
  return sum / count;
}

TEST_F(ProgramSetupTest, TheScrollBarThumbIsItsDarkestPartAndSitsWhereThePageIs) {
  QScrollBar bar(Qt::Vertical);
  bar.setRange(0, 100);
  bar.setPageStep(60);
  bar.resize(16, 300);
  bar.show();
  for (const int value : {0, 100}) {
    bar.setValue(value);
    const QImage image = bar.grab().toImage();
    const double top = brightness(image, 30, 90);
    const double bottom = brightness(image, 210, 270);
    if (value == 0) {
      EXPECT_LT(top, bottom - 20) << "at the top of the page the thumb is at the top";
    } else {
      EXPECT_LT(bottom, top - 20) << "at the end of the page the thumb is at the bottom";
    }
  }
}

TEST_F(ProgramSetupTest, AComboBoxShowsWhenItHasTheFocus) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* other = new QComboBox(&window);
  auto* combo = new QComboBox(&window);
  combo->addItems({"A", "B", "C", "D"});
  layout->addWidget(other);
  layout->addWidget(combo);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QColor mark = combo->palette().color(QPalette::Highlight);
  const auto marked = [&] {
    const QImage image = combo->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == mark ? 1 : 0;
    return count;
  };
  other->setFocus(Qt::MouseFocusReason);
  const int unfocused = marked();
  combo->setFocus(Qt::MouseFocusReason);  // a click gives no keyboard focus cue of Qt's own
  EXPECT_GT(marked(), unfocused + 2 * combo->width());
}

}  // namespace
}  // namespace dajdor
