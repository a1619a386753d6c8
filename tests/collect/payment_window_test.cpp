// The payment windows over a data directory: a payment typed in the
// collections window and confirmed in "Operare", the choices of Operare and
// "Detalii / Modificari", the receipt history's buttons and cancellation, the
// cancelled documents, and the payments without a debt.
#include "collect/cancellation.h"
#include "collect/cancelled_receipts_window.h"
#include "collect/collect_window_fixture.h"
#include "collect/collections_window.h"
#include "collect/line_amounts_dialog.h"
#include "collect/operation_window.h"
#include "collect/payment_window_fixture.h"
#include "collect/payment_without_debt_window.h"
#include "collect/receipt_change_dialog.h"
#include "collect/receipt_history_window.h"
#include "collect/work_table_grid_widget.h"
#include "register/cnp_edit_widget.h"
#include "store/qt_printers.h"
#include "store/sql_helpers.h"
#include "support/modal_dialogs.h"
#include "support/statement_rows.h"
#include "widgets/numeric_edit_widget.h"
#include "widgets/record_grid_widget.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

namespace dajdor::testing {
namespace {

using namespace collect;

const QDate kMay(2014, 5, 2);

class PaymentWindowsTest : public PaymentWindowTest {
 protected:
  void SetUp() override {
    PaymentWindowTest::SetUp();
    add(StoredTaxpayer{});
    add(StoredBalance{1, "Impozit pe cladiri", 100, 100});  // IDRES 1
    add(StoredDebt{1, "Taxa salubrizare", 20, 30});         // IDDAT 2
  }
  PaymentContext& payment() {
    if (!payment_) payment_.emplace(context(active));
    return *payment_;
  }
  // The operation "&OPEREAZA" would show for the amounts `enter` puts on the balance.
  PreparedOperation prepare(const std::function<void(Balance&)>& enter) {
    Balance balance = computeBalance(source(), false, kMay, true, 1);
    enter(balance);
    const auto taxpayer = readTaxpayerHeader(*db_, dataDir(), 1);
    auto prepared = prepareOperation(payment(), {balance, *taxpayer, kMay, false});
    EXPECT_TRUE(std::holds_alternative<PreparedOperation>(prepared));
    return std::get<PreparedOperation>(prepared);
  }
  QStringList receipts() {
    return statementRows(*db_, "SELECT IDGOS, SERIA, NR, GRUPA, RESTANTA, CURENT, TOTAL, TIP, PLATNUME FROM " +
                                   sql::table(dataDir(), "Chitante.dbf"));
  }
  // The collections window of taxpayer 1, on screen, its receipts going to presenter_.
  std::unique_ptr<CollectionsWindow> collections() {
    auto window = std::make_unique<CollectionsWindow>(context_);
    window->setReportPresenter(&presenter_);
    EXPECT_TRUE(window->openFor(1, "DEALU"));
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }
  static QPushButton* button(QWidget* window, const QString& name) { return window->findChild<QPushButton*>(name); }
  static QString cell(RecordGrid* grid, int row, int column) { return grid->item(row, column)->text(); }

  std::optional<PaymentContext> payment_;
};

TEST_F(PaymentWindowsTest, APaymentTypedInTheCollectionsWindowIsStoredPrintedAndTheBalanceRebuilt) {
  const auto opened = collections();
  CollectionsWindow& window = *opened;
  const std::int64_t before = window.totalText().toLongLong();
  window.grid(WorkTable::OtherTaxes)->workModel()->togglePaid(0);  // the 50 lei due
  bool shown = false;
  whenModal(&window, [&](QWidget* modal) {
    auto* operation = qobject_cast<OperationWindow*>(modal);
    ASSERT_NE(operation, nullptr);
    shown = true;
    EXPECT_EQ(operation->objectName(), "TChitantaF");
    QStringList types;
    for (int i = 0; i < operation->typeList()->count(); ++i) types.append(operation->typeList()->itemText(i));
    EXPECT_EQ(types, (QStringList{"CHITANTA", "VIRAMENT"}));
    EXPECT_EQ(operation->numberInput()->text(), "1");
    EXPECT_TRUE(operation->numberInput()->isReadOnly());
    EXPECT_EQ(operation->payerInput()->text(), "POPESCU ION");
    EXPECT_EQ(operation->dateInput()->date(), kMay);
    ASSERT_EQ(operation->lines()->recordCount(), 1);
    EXPECT_EQ(cell(operation->lines(), 0, 0), "Taxa salubrizare - Decizie");
    EXPECT_EQ(cell(operation->lines(), 0, 9), "50");
    EXPECT_EQ(operation->totalText(), "50");
    button(operation, "Opereaza")->click();
  });
  button(&window, "OperBut")->click();
  EXPECT_TRUE(shown);
  EXPECT_EQ(receipts(), QStringList{"1|AB|1|Taxa salubrizare|30|20|50|C|POPESCU ION"});
  EXPECT_EQ(counter("ANA", "CHIT"), "2");
  EXPECT_EQ(presenter_.printed.size(), 1);
  EXPECT_EQ(window.receiptValueText(), "0");
  EXPECT_EQ(window.totalText().toLongLong(), before - 50);
  EXPECT_TRUE(ui_.messages.isEmpty()) << messageTexts().join("; ").toStdString();
}

TEST_F(PaymentWindowsTest, AReceiptThatCannotBePrintedStaysStored) {
  presenter_.works = false;
  const auto opened = collections();
  CollectionsWindow& window = *opened;
  const std::int64_t before = window.totalText().toLongLong();
  window.grid(WorkTable::OtherTaxes)->workModel()->togglePaid(0);
  whenModal(&window, [&](QWidget* modal) { button(modal, "Opereaza")->click(); });
  button(&window, "OperBut")->click();
  EXPECT_EQ(receipts().size(), 1);
  EXPECT_EQ(messageTexts(), QStringList{"Listare chitanta: Imprimanta nu este pregatita sau nu este instalata!\r"
                                        "Intrati la istoric chitante si listati din nou!"});
  EXPECT_EQ(window.totalText().toLongLong(), before - 50);
}

TEST_F(PaymentWindowsTest, TheTypeListDecidesTheNumberAndOperareChecksTheChoice) {
  // A payment order: only amounts taken out; a typed number, the payer asked.
  PreparedOperation order = prepare([](Balance& b) { b.others[0].ACHITAT = -10; });
  OperationWindow orderWindow(context_, payment());
  orderWindow.load(order);
  EXPECT_EQ(orderWindow.typeList()->currentText(), "Ordin de plata");
  EXPECT_EQ(orderWindow.typeList()->count(), 1);
  EXPECT_FALSE(orderWindow.numberInput()->isReadOnly());
  EXPECT_EQ(orderWindow.numberInput()->text(), "");
  EXPECT_TRUE(orderWindow.payerInput()->isEnabled());

  PreparedOperation receipt = prepare([](Balance& b) { b.others[0].ACHITAT = 50; });
  OperationWindow window(context_, payment());
  window.load(receipt);
  window.show();
  NumericEdit* number = window.numberInput();
  window.typeList()->setCurrentText("VIRAMENT");
  EXPECT_FALSE(number->isReadOnly());
  EXPECT_EQ(number->text(), "");
  QTest::keyClicks(number, "77");
  window.typeList()->setCurrentText("CHITANTA");  // the proposed number again, not to be typed over
  EXPECT_EQ(number->text(), "1");
  EXPECT_TRUE(number->isReadOnly());
  window.typeList()->setCurrentText("VIRAMENT");
  EXPECT_EQ(number->text(), "77");

  number->clear();
  EXPECT_FALSE(window.operate());
  number->setText("77");
  window.payerInput()->setText("  ");
  EXPECT_FALSE(window.operate());
  EXPECT_EQ(problemTexts(), (QStringList{"NrDoc: Numar incorect!", "Platitor: Nu ati scris Platitorul!"}));
  window.payerInput()->clear();
  QTest::keyClicks(window.payerInput(), "ionescu");
  EXPECT_EQ(window.payerInput()->text(), "IONESCU");
  EXPECT_TRUE(window.operate());
  EXPECT_EQ(window.result(), QDialog::Accepted);
  const OperationChoice choice = window.choice();
  EXPECT_EQ(choice.type, "VIRAMENT");
  EXPECT_EQ(choice.number, "77");
  EXPECT_TRUE(receipts().isEmpty());  // stored only by the commit
}

TEST_F(PaymentWindowsTest, DetailsRefuseAmountsThatNoLongerMakeTheLineTotal) {
  PreparedOperation operation = prepare([](Balance& b) { b.taxes[0].ACHITAT = 60; });
  OperationWindow window(context_, payment());
  window.load(operation);
  window.resize(1100, 420);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  saveScreenshot(&window, "operare-lines.png");
  ASSERT_EQ(window.lines()->recordCount(), 1);
  const DocumentLine line = operation.lines[0];
  bool shown = false;
  whenModal(&window, [&](QWidget* modal) {
    auto* dialog = qobject_cast<LineAmountsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    shown = true;
    saveScreenshot(dialog, "detalii-modificari.png");
    EXPECT_EQ(dialog->input(3)->text(), QString::number(line.amounts.CURENT));
    dialog->input(3)->setText(QString::number(line.amounts.CURENT + 5));
    EXPECT_FALSE(dialog->save());
    EXPECT_TRUE(dialog->isVisible());
    dialog->input(4)->setText(QString::number(line.amounts.REDUCERE + 5));  // the same cash again
    EXPECT_TRUE(dialog->save());
  });
  window.lines()->setFocus();
  QTest::keyClick(window.lines(), Qt::Key_Return);
  EXPECT_TRUE(shown);
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].text, QString("Suma totala incasata trebuie sa fie %1!\rAcum aveti suma %2. Mai studiati "
                                          "problema...")
                                       .arg(line.TOTAL)
                                       .arg(line.TOTAL + 5));
  EXPECT_EQ(operation.lines[0].amounts.CURENT, line.amounts.CURENT + 5);
  EXPECT_EQ(cell(window.lines(), 0, 6), QString::number(line.amounts.CURENT + 5));
  EXPECT_EQ(cell(window.lines(), 0, 8), QString::number(line.amounts.REDUCERE + 5));
  EXPECT_EQ(cell(window.lines(), 0, 9), QString::number(line.TOTAL));
}

TEST_F(PaymentWindowsTest, HistoryButtonsFollowTheUserAndTheDocument) {
  pay(1, kMay, {{WorkTable::OtherTaxes, 2, 10}});
  pay(1, kMay, {{WorkTable::OtherTaxes, 2, 15}});
  ScriptedInteraction answers;
  {
    PaymentContext c = context(cashier);
    ASSERT_TRUE(cancelDocument(c, 2, answers));
  }
  struct Case {
    CurrentUser user;
    int document;
    bool modify, cancel, deleteShown;
  };
  const CurrentUser admin = user("ADMIN", UserLevel::Admin);
  for (const Case& c : {Case{cashier, 0, false, true, false}, Case{cashier, 1, false, false, false},
                        Case{admin, 0, true, true, false}, Case{admin, 1, false, false, true}}) {
    SCOPED_TRACE(c.user.name.toStdString() + " document " + std::to_string(c.document));
    logIn(c.user);
    ReceiptHistoryWindow history(context_, presenter_);
    ASSERT_TRUE(history.load("POPESCU ION - Istoric chitante.", {1}, !context_.user.isRestrictedUser()));
    ASSERT_EQ(history.documents()->recordCount(), 2);
    EXPECT_EQ(history.selected()->IDCHIT, 2);  // the list opens on the latest
    history.documents()->selectRecord(c.document);
    EXPECT_TRUE(button(&history, "Listeaza")->isEnabled());
    EXPECT_EQ(button(&history, "Modifica")->isEnabled(), c.modify);
    EXPECT_EQ(button(&history, "Anuleaza")->isEnabled(), c.cancel);
    EXPECT_EQ(!button(&history, "Sterge")->isHidden(), c.deleteShown);
  }
  // The filters: the cancelled document shows the payer "ANULAT".
  ReceiptHistoryWindow history(context_, presenter_);
  ASSERT_TRUE(history.load("POPESCU ION - Istoric chitante.", {1}, true));
  QStringList payers;
  for (int i = 0; i < history.payerFilter()->count(); ++i) payers.append(history.payerFilter()->itemText(i));
  EXPECT_EQ(payers, (QStringList{" * indiferent *", "ANULAT", "POPESCU ION"}));
  history.payerFilter()->setCurrentText("POPESCU ION");
  ASSERT_EQ(history.documents()->recordCount(), 1);
  EXPECT_EQ(cell(history.documents(), 0, 0), "Chitanta");
  EXPECT_EQ(cell(history.documents(), 0, 3), "02.05.2014");
  EXPECT_EQ(cell(history.documents(), 0, 4), "10");
  EXPECT_EQ(history.lines()->recordCount(), 1);
}

TEST_F(PaymentWindowsTest, ModifyKeepsTheDialogOpenOnANumberTakenAndShowsTheNewOne) {
  pay(1, kMay, {{WorkTable::OtherTaxes, 2, 10}});
  pay(1, kMay, {{WorkTable::OtherTaxes, 2, 15}});
  logIn(user("ADMIN", UserLevel::Admin));
  ReceiptHistoryWindow history(context_, presenter_);
  ASSERT_TRUE(history.load("POPESCU ION - Istoric chitante.", {1}, true));
  history.resize(1000, 560);
  history.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&history));
  saveScreenshot(&history, "istoric-chitante.png");
  whenModal(&history, [&](QWidget* modal) {
    auto* dialog = qobject_cast<ReceiptChangeDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    saveScreenshot(dialog, "modificare-chitanta.png");
    EXPECT_EQ(dialog->numberInput()->text(), "2");
    dialog->numberInput()->setText("1");  // the other document's
    EXPECT_FALSE(dialog->confirm());
    EXPECT_TRUE(dialog->isVisible());
    dialog->seriesInput()->setText("");
    QTest::keyClicks(dialog->seriesInput(), "xy");
    dialog->numberInput()->setText("40");
    QTest::keyClick(dialog->numberInput(), Qt::Key_Return);  // Enter on the number presses "Modifica"
  });
  button(&history, "Modifica")->click();
  EXPECT_EQ(ui_.messages.size() + ui_.problems.size(), 1);
  EXPECT_EQ(history.selected()->IDCHIT, 2);
  EXPECT_EQ(cell(history.documents(), history.documents()->currentRow(), 1), "XY");
  EXPECT_EQ(cell(history.documents(), history.documents()->currentRow(), 2), "40");
}

TEST_F(PaymentWindowsTest, CancellingFromTheHistoryRebuildsTheBalance) {
  const auto opened = collections();
  CollectionsWindow& window = *opened;
  const QString before = window.totalText();
  pay(1, kMay, {{WorkTable::OtherTaxes, 2, 50}});
  window.CalcOm();
  ASSERT_NE(window.totalText(), before);
  bool shown = false;
  whenModal(&window, [&](QWidget* modal) {
    auto* history = qobject_cast<ReceiptHistoryWindow*>(modal);
    ASSERT_NE(history, nullptr);
    shown = true;
    EXPECT_EQ(history->windowTitle(), "POPESCU ION - Istoric chitante.");
    ui_.queueAnswer(Answer::Da);
    button(history, "Anuleaza")->click();
    EXPECT_TRUE(history->anythingCancelled());
    EXPECT_EQ(cell(history->documents(), 0, 5), "ANULAT");
    EXPECT_FALSE(button(history, "Anuleaza")->isEnabled());
    button(history, "Inchide")->click();
  });
  button(&window, "IstoricChitante")->click();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(messageTexts().contains("Anulare operatiune: Operatiunea a fost anulata!"));
  EXPECT_EQ(window.totalText(), before);
}

TEST_F(PaymentWindowsTest, CancelledDocumentsOpenOnlyWhenThereAreSomeAndPrintTheirList) {
  CancelledReceiptsWindow window(context_, presenter_);
  EXPECT_FALSE(window.load());
  EXPECT_EQ(messageTexts(), QStringList{"Chitante anulate: Nu exista chitante anulate!"});

  pay(1, kMay, {{WorkTable::Taxes, 1, 20}});
  pay(1, kMay, {{WorkTable::OtherTaxes, 2, 50}});
  ScriptedInteraction answers;
  for (std::int64_t id : {2, 1}) {
    PaymentContext c = context(cashier);
    ASSERT_TRUE(cancelDocument(c, id, answers));
  }
  ASSERT_TRUE(window.load());
  window.resize(1000, 560);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  saveScreenshot(&window, "chitante-anulate.png");
  RecordGrid* documents = window.documents();
  ASSERT_EQ(documents->recordCount(), 2);
  EXPECT_EQ(cell(documents, 0, 0), "Chit.AB nr.1 / 02.05.2014");
  EXPECT_EQ(cell(documents, 1, 3), "50");
  // A sort by "Suma" keeps the document selected.
  documents->selectRecord(1);
  documents->horizontalHeader()->sectionClicked(3);
  documents->horizontalHeader()->sectionClicked(3);  // descending
  EXPECT_EQ(documents->currentRecord(), 1);
  EXPECT_EQ(documents->currentRow(), 0);
  EXPECT_EQ(cell(window.lines(), 0, 0), "Taxa salubrizare - Decizie");
  EXPECT_TRUE(window.printList());
  EXPECT_EQ(presenter_.previewed.size(), 1);
}

TEST_F(PaymentWindowsTest, APaymentWithoutADebtIsCheckedStoredAndPrinted) {
  bool shown = false;
  QWidget owner;
  whenModal(&owner, [&](QWidget* modal) {
    auto* window = qobject_cast<PaymentWithoutDebtWindow*>(modal);
    ASSERT_NE(window, nullptr);
    shown = true;
    const auto input = [&](const QString& name) { return window->findChild<QLineEdit*>(name); };
    EXPECT_EQ(window->findChild<QLineEdit*>("NrDoc")->text(), "1");
    EXPECT_FALSE(window->operate());  // no line
    window->addLine();                 // no amount
    auto* group = window->findChild<QComboBox*>("Contul");
    EXPECT_EQ(group->findText("Impozit pe cladiri"), -1);  // the taxes have their own lines
    group->setCurrentText("Taxa salubrizare");
    QTest::keyClicks(input("Detalii"), "Contract 5");
    QTest::keyClicks(input("Suma"), "45");
    QTest::keyClick(input("Suma"), Qt::Key_Return);  // Enter on the amount adds the line
    ASSERT_EQ(window->documentLines().size(), 1);
    EXPECT_EQ(window->totalText(), "45");
    EXPECT_FALSE(window->operate());  // no holder
    QTest::keyClicks(input("Titular"), "vasile ana");
    EXPECT_EQ(input("Platitor")->text(), "VASILE ANA");
    QTest::keyClicks(input("Adresa"), "Str. Lunga 3");
    window->resize(820, 560);
    saveScreenshot(window, "operatiuni-fara-debit.png");
    EXPECT_TRUE(window->operate());
  });
  const auto id = PaymentWithoutDebtWindow::run(context_, presenter_, &owner);
  EXPECT_TRUE(shown);
  EXPECT_EQ(problemTexts(), (QStringList{"LiniiChitanta: Nu aveti nimic pe chitanta!", "Suma: Nu ati trecut suma!",
                                         "Titular: Nu ati specificat Titularul!"}));
  ASSERT_TRUE(id);
  EXPECT_EQ(receipts(), QStringList{"-1|AB|1|Taxa salubrizare|0|45|45|C|VASILE ANA"});
  EXPECT_EQ(counter("ANA", "CHIT"), "2");
  EXPECT_EQ(presenter_.printed.size(), 1);
}

}  // namespace
}  // namespace dajdor::testing
