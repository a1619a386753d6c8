// The page widget as an operator uses it: typing, Enter from input to input,
// storing, reloading, the refusals, and a screenshot of every page.
#include "register/pages_fixture.h"

#include "register/assessment_page_widget.h"
#include "store/paths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace dajdor::reg;

namespace dajdor::testing {
namespace {

// The page area of the register window on a 1366x768 screen, beside its navigator.
constexpr int kPageWidth = 1110;
constexpr int kPageHeight = 600;

class PageWidgetTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    context_.paths = Paths::forAppDir(dir_.path());
    context_.interaction = &ui_;
    context_.database = std::move(db_);
    context_.rates = rates_;
    context_.rates.setText("ICZCR2", "10");
    context_.rates.setText("IC2ZCR2", "6");
  }
  void TearDown() override { db_ = std::move(context_.database); }
  engine::Database& db() { return *context_.database; }

  std::unique_ptr<AssessmentPageWidget> open(int page, qint64 idgos) {
    auto widget = std::make_unique<AssessmentPageWidget>(page, context_);
    widget->resize(kPageWidth, kPageHeight);
    widget->show();
    widget->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(widget.get()));
    widget->load(idgos);
    return widget;
  }
  qint64 taxpayer(qint64 idgos, const QString& type = "FIZICA") {
    db_ = std::move(context_.database);
    addTaxpayer(idgos, type);
    context_.database = std::move(db_);
    return idgos;
  }
  QString stored(const QString& table, const QString& field, qint64 idgos) {
    db_ = std::move(context_.database);
    const QString value = column(table, field, idgos);
    context_.database = std::move(db_);
    return value;
  }
  static void enter(QWidget* page) { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : page, Qt::Key_Return); }
  static void screenshot(QWidget* widget, const QString& name) {
    const QString folder = QStringLiteral(DAJDOR_BIN_DIR) + "/../screenshots";
    QDir().mkpath(folder);
    QApplication::processEvents();
    EXPECT_TRUE(widget->grab().save(folder + "/" + name + ".png"));
  }

  AppContext context_;
};

TEST_F(PageWidgetTest, AnOperatorEditsTheBuildingsPageByKeyboardAndFindsItAgain) {
  taxpayer(11);
  auto page = open(2, 11);
  QSignalSpy edits(page.get(), &AssessmentPageWidget::modified);
  EXPECT_TRUE(page->findChild<QWidget*>("Panel4")->isVisible());
  EXPECT_FALSE(page->findChild<QWidget*>("Panel5")->isVisible());
  EXPECT_FALSE(page->isModified());

  auto* area = qobject_cast<QLineEdit*>(page->input("SupC1"));
  area->setFocus();
  area->selectAll();
  QTest::keyClicks(area, "1234567");  // no more digits than the column holds
  EXPECT_EQ(area->text(), "12345");
  EXPECT_TRUE(page->isModified());
  EXPECT_GE(edits.count(), 1);
  area->selectAll();
  QTest::keyClicks(area, "12x3,5");  // the letter is refused, the comma is the point
  EXPECT_EQ(area->text(), "123.5");
  // Zone C, rank II, walls of the second kind: 6 lei/mp.
  EXPECT_EQ(qobject_cast<QLabel*>(page->input("ValImp1"))->text(), "741");

  enter(page.get());
  ASSERT_EQ(QApplication::focusWidget(), page->input("AnC1"));
  QTest::keyClicks(QApplication::focusWidget(), "1987");
  enter(page.get());
  ASSERT_EQ(QApplication::focusWidget(), page->input("CodMC1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);  // "1 SAU 2"
  EXPECT_EQ(qobject_cast<QLabel*>(page->input("ValImp1"))->text(), "1235");
  enter(page.get());
  ASSERT_EQ(QApplication::focusWidget(), page->input("ZonaC1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // C -> D
  enter(page.get());
  enter(page.get());
  ASSERT_EQ(QApplication::focusWidget(), page->input("NrC1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);  // "MOSTENITA"
  enter(page.get());
  EXPECT_EQ(QApplication::focusWidget(), page->input("SupC2"));  // the display is skipped

  ASSERT_TRUE(page->store());
  EXPECT_FALSE(page->isModified());
  EXPECT_EQ(stored("Pag2.dbf", "C1S,C1A,C1C,C1Z,C1R,NR1", 11), "123.5|1987|0|D|II|0");

  auto again = open(2, 11);
  EXPECT_EQ(qobject_cast<QLineEdit*>(again->input("SupC1"))->text(), "123.5");
  EXPECT_EQ(qobject_cast<QComboBox*>(again->input("ZonaC1"))->currentText(), "D");
  EXPECT_EQ(qobject_cast<QComboBox*>(again->input("NrC1"))->currentText(), "MOSTENITA");
  EXPECT_EQ(qobject_cast<QComboBox*>(again->input("NrC6"))->currentIndex(), -1);
  EXPECT_FALSE(again->isModified());

  // Abandoning an edit is loading the page again: the stored values come back.
  QTest::keyClicks(again->input("SupC1"), "7");
  EXPECT_TRUE(again->isModified());
  again->load(11);
  EXPECT_EQ(qobject_cast<QLineEdit*>(again->input("SupC1"))->text(), "123.5");
  EXPECT_FALSE(again->isModified());
}

// The inputs a natural person's page offers, in the order Enter visits them.
QStringList enterOrder(int page) {
  QStringList names;
  for (const PageSection& section : assessmentPage(page).sections) {
    if (section.audience == Audience::LegalPersons) continue;
    for (const PageRow& row : section.rows)
      for (const PageInput& in : row.inputs)
        if (in.kind != PageInputKind::Display) names.append(in.name);
  }
  return names;
}

TEST_F(PageWidgetTest, EnterWalksEveryInputOfEachPageAndTheFocusedOneIsScrolledIntoView) {
  taxpayer(12);
  for (int n = kFirstPage; n <= kLastPage; ++n) {
    SCOPED_TRACE(n);
    auto page = open(n, 12);
    page->resize(kPageWidth, 400);  // a smaller window: long pages must scroll
    const QStringList order = enterOrder(n);
    page->input(order.first())->setFocus();
    auto* scroll = page->findChild<QScrollArea*>("PageScroll");
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 0);
    int scrolled = 0;
    for (int i = 1; i < order.size(); ++i) {
      enter(page.get());
      QWidget* now = QApplication::focusWidget();
      ASSERT_EQ(now, page->input(order[i])) << order[i].toStdString();
      const QRect shown(now->mapTo(scroll->viewport(), QPoint(0, 0)), now->size());
      EXPECT_TRUE(scroll->viewport()->rect().contains(shown)) << order[i].toStdString();
      scrolled = std::max(scrolled, scroll->verticalScrollBar()->value());
    }
    if (n == 5 || n == 9) {
      EXPECT_GT(scrolled, 0);
    }
    enter(page.get());
    EXPECT_EQ(QApplication::focusWidget(), page->input(order.first()));  // and round again
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 0);
  }
}

TEST_F(PageWidgetTest, ARefusedStoreKeepsTheEditsAndALockedOneShowsTheStoredValues) {
  taxpayer(13);
  auto page = open(11, 13);
  QTest::keyClicks(page->input("Sold2"), "100");
  QTest::keyClicks(page->input("Pen13"), "5");
  EXPECT_FALSE(page->store());
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems.first().text, "Nu puteti avea si sold si restanta!");
  EXPECT_EQ(QApplication::focusWidget(), page->input("Sold2"));
  EXPECT_TRUE(page->isModified());
  EXPECT_EQ(stored("Pag8.dbf", "SOLD2,PEN2", 13), "0|0");

  db_ = std::move(context_.database);
  setSetting("ADMINBLOCAT2014", "DA");
  context_.database = std::move(db_);
  qobject_cast<QLineEdit*>(page->input("Pen13"))->clear();
  EXPECT_FALSE(page->store());
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages.first().title, "Modificare matricola");
  EXPECT_FALSE(page->isModified());
  EXPECT_EQ(qobject_cast<QLineEdit*>(page->input("Sold2"))->text(), "0");
  EXPECT_EQ(stored("Pag8.dbf", "SOLD2", 13), "0");
}

TEST_F(PageWidgetTest, ClearingAfterAnotherTaxpayerShowsTheDefaults) {
  taxpayer(14, "JURIDICA");
  auto page = open(3, 14);
  EXPECT_TRUE(page->findChild<QWidget*>("Panel10")->isVisible());
  EXPECT_FALSE(page->findChild<QWidget*>("CLAnx1")->isVisible());
  QTest::keyClicks(page->input("ValInvCAPJ1"), "250000");
  qobject_cast<QCheckBox*>(page->input("AmoCA1"))->click();
  ASSERT_TRUE(page->store());
  EXPECT_EQ(stored("Pag2.dbf", "VA1,AMA1,DINVA1", 14), "250000|DA|01.01.2014");
  page->clear();
  EXPECT_EQ(page->values(), ClearPage(3, context_.rates, 2014));
  EXPECT_FALSE(page->isModified());
}

TEST_F(PageWidgetTest, EveryPageOnThePageAreaOfTheRegister) {
  taxpayer(21);
  taxpayer(22, "JURIDICA");
  for (int n = kFirstPage; n <= kLastPage; ++n) {
    auto page = open(n, 21);
    // Every stored input is on the page, and the page reads without sideways scrolling.
    for (const PageInput* in : assessmentPage(n).inputs()) EXPECT_NE(page->input(in->name), nullptr);
    for (const PageSection& section : assessmentPage(n).sections)
      for (const PageRow& row : section.rows)
        if (!row.captionId.isEmpty()) {
          auto* caption = page->findChild<QLabel*>(row.captionId);
          ASSERT_NE(caption, nullptr) << row.captionId.toStdString();
          EXPECT_EQ(caption->text(), row.caption);
        }
    EXPECT_FALSE(page->findChild<QScrollArea*>("PageScroll")->horizontalScrollBar()->isVisible()) << n;
    screenshot(page.get(), QString("assessment-page-%1").arg(n, 2, 10, QChar('0')));
    if (n == 2 || n == 3) {
      page->load(22);
      screenshot(page.get(), QString("assessment-page-%1-legal").arg(n, 2, 10, QChar('0')));
    }
  }
}

}  // namespace
}  // namespace dajdor::testing
