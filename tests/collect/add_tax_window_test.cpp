// "Adauga o taxa/amenda" of the collections window: the fine dialog, the row
// with its bonus percent, the balance rebuilt.
#include "collect/collect_window_fixture.h"
#include "collect/collections_window.h"

#include "store/qt_printers.h"
#include "store/schema.h"
#include "store/sql_helpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/statement_rows.h"

namespace dajdor::testing {
namespace {

TEST_F(CollectWindowTest, AddsAFineWithItsBonusPercentAndRebuildsTheBalance) {
  sql::execute(*db_, "CREATE TABLE " + sql::table(dataDir(), "CODCL.dbf") + " " +
                         schema::findTable("CODCL.dbf")->createList());
  insert("CODCL.dbf", {{"IDCOD", "5"}, {"GRUPA", "\"Salubritate\""}, {"CODCLF", "\"\""}, {"CODCLJ", "\"\""},
                       {"TIP", "\"T\""}});
  add(StoredTaxpayer{});
  collect::CollectionsWindow window(context_);
  ASSERT_TRUE(window.openFor(1, "DEALU"));
  window.show();
  auto* button = window.findChild<QPushButton*>("AdaugaTaxa");
  ASSERT_TRUE(button->isEnabled());
  QTimer::singleShot(0, &window, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), "TFTaxe");
    EXPECT_EQ(dialog->findChild<QLabel*>("HeaderLabel")->text(), "Adaugare Taxa / Amenda");
    dialog->findChild<QLineEdit*>("Rest")->setText("0");
    dialog->findChild<QLineEdit*>("Reduc")->setText("15");  // a bonus alone: nothing owed to take a percent of
    dialog->findChild<QPushButton*>("Memoreaza")->click();
    if (dialog->isVisible()) dialog->close();
  });
  button->click();
  EXPECT_EQ(statementRows(*db_, "SELECT GRUPA, DINDATA, SUMA, REST, REDUC, REDUCP, TIP, SATUL, ROL FROM " +
                                    sql::table(dataDir(), "Datorii.dbf")),
            QStringList{"Salubritate|31.03.2014|0|0|15|0|M|DEALU|12"});
  EXPECT_EQ(window.totalText(), "-15");
}

}  // namespace
}  // namespace dajdor::testing
