// Storing payments, numbering them, the history's changes and cancellations.
#include "collect/cancellation.h"
#include "collect/cancelled_receipts.h"
#include "collect/payment_fixture.h"
#include "collect/payment_without_debt.h"
#include "collect/receipt_history.h"
#include "collect/receipt_output.h"
#include "store/scripted_interaction.h"
#include "store/sql_helpers.h"
#include "support/statement_rows.h"
#include "store/qt_printers.h"

#include <QFile>
#include <QRegularExpression>

namespace dajdor::testing {
namespace {

using collect::EnteredAmount;
using collect::WorkTable;

const QDate kMay(2014, 5, 2);

class PaymentCommitTest : public PaymentTest {
 protected:
  void SetUp() override {
    PaymentTest::SetUp();
    add(StoredTaxpayer{});
    add(StoredBalance{1, "Impozit pe cladiri", 100, 100, 10});                 // IDRES 1
    add(StoredBalance{1, "Impozit pe teren intravilan", 0, 0, 0, 0, 0, 40});  // IDRES 2, a deposit of 40
    add(StoredDebt{1, "Taxa salubrizare", 20, 30});                            // IDDAT 3
    add(StoredDebit{1, "Impozit pe mijloace de transport", "Vanzare", QDate(2014, 3, 31), 80, 80});  // IDDEB 4
    StoredTaxpayer other;
    other.idgos = 2;
    other.name = "IONESCU MARIA";
    other.rol = "13";
    add(other);
    add(StoredBalance{2, "Impozit pe cladiri", 200, 200});  // IDRES 5
  }
  QStringList log() { return statementRows(*db_, "SELECT UTILIZATOR, ROL, ACTIUNE FROM " + sql::table(dataDir(), "Log.dbf")); }
  QStringList debts() {
    QStringList rows;
    for (const QString table : {"SoldCalc", "Datorii", "Debit"})
      rows += statementRows(*db_, "SELECT * FROM " + sql::table(dataDir(), table + ".dbf"));
    return rows;
  }
  bool cancel(std::int64_t IDCHIT, const CurrentUser& who, ScriptedInteraction& ui) {
    collect::PaymentContext c = context(who);
    return collect::cancelDocument(c, IDCHIT, ui);
  }
  static void yes(ScriptedInteraction& ui) { ui.queueAnswer(Answer::Da); }
};

TEST_F(PaymentCommitTest, AReceiptStoresLinesSnapshotNewBalancesLogAndCounters) {
  const auto doc = pay(1, kMay, {{WorkTable::Taxes, 1, 102}, {WorkTable::OtherTaxes, 3, 50}, {WorkTable::Debits, 4, 100}});
  EXPECT_EQ(doc.IDCHIT, 1);
  EXPECT_EQ(doc.IDANUL, 1);
  EXPECT_EQ(doc.number, "1");
  EXPECT_TRUE(doc.printed());
  EXPECT_EQ(statementRows(*db_, "SELECT IDCHIT, IDGOS, IDANUL, SERIA, NR, DATAI, SATUL, ROL, GRUPA, DENUM, CODCLAS, "
                                "NUMEP, TIPF, PLATNUME, INCANUME, LEGITIMA, RESTANTA, MAJOREST, DEPOZIT, CURENT, "
                                "MAJOR, REDUCERE, TOTAL, TIP FROM " + sql::table(dataDir(), "Chitante.dbf")),
            (QStringList{
                "1|1|1|AB|1|02.05.2014|DEALU|12|Impozit pe cladiri||07.02.01.01|POPESCU ION|F|POPESCU ION|ANA|LEG ANA|0|0|0|100|2|0|102|C",
                "1|1|1|AB|1|02.05.2014|DEALU|12|Impozit pe mijloace de transport|Contract|16.02.02.01|POPESCU ION|F|POPESCU ION|ANA|LEG ANA|0|0|0|100|0|0|100|C",
                "1|1|1|AB|1|02.05.2014|DEALU|12|Taxa salubrizare|Decizie|36.02.06|POPESCU ION|F|POPESCU ION|ANA|LEG ANA|30|0|0|20|0|0|50|C"}));
  EXPECT_EQ(statementRows(*db_, "SELECT IDANUL, IDGOS, IDRES, SUMA, REST, REDUC, DEPOZ FROM " +
                                    sql::table(dataDir(), "UndelSold.dbf")),
            (QStringList{"1|1|1|100|100|10|0", "1|1|2|0|0|0|40"}));
  EXPECT_EQ(statementRows(*db_, "SELECT IDANUL, IDDAT, SUMA, REST FROM " + sql::table(dataDir(), "UndelDat.dbf")),
            (QStringList{"1|3|20|30"}));
  EXPECT_EQ(statementRows(*db_, "SELECT IDANUL, IDDEB, SUMAC FROM " + sql::table(dataDir(), "UndelDebit.dbf")),
            (QStringList{"1|4|80"}));
  // REDUC rewritten as 0 after 31 March.
  EXPECT_EQ(statementRows(*db_, "SELECT IDRES, REST, REDUC, DEPOZ FROM " + sql::table(dataDir(), "SoldCalc.dbf") +
                                    " WHERE IDGOS=1"),
            (QStringList{"1|0|0|0", "2|0|0|40"}));
  EXPECT_EQ(statementRows(*db_, "SELECT SUMA, REST FROM " + sql::table(dataDir(), "Datorii.dbf")), QStringList{"0|0"});
  EXPECT_EQ(statementRows(*db_, "SELECT SUMAC FROM " + sql::table(dataDir(), "Debit.dbf")), QStringList{"-20"});
  EXPECT_EQ(log(), QStringList{"ANA|12|Operat C nr.1"});
  EXPECT_EQ(counter("SERVER", "IDCHIT"), "2");
  EXPECT_EQ(counter("SERVER", "IDANUL"), "2");
  EXPECT_EQ(counter("ANA", "CHIT"), "2");
}

TEST_F(PaymentCommitTest, EachCashierDrawsFromOwnSequence) {
  EXPECT_EQ(pay(1, kMay, {{WorkTable::Taxes, 1, 10}}).number, "1");
  active = user("ION", UserLevel::Cashier);
  EXPECT_EQ(pay(2, kMay, {{WorkTable::Taxes, 5, 10}}).number, "100");
  active = cashier;
  const auto third = pay(1, kMay, {{WorkTable::Taxes, 1, 10}});
  EXPECT_EQ(third.number, "2");
  EXPECT_EQ(third.IDCHIT, 3);
  EXPECT_EQ(statementRows(*db_, "SELECT IDCHIT, SERIA, NR, INCANUME FROM " + sql::table(dataDir(), "Chitante.dbf")),
            (QStringList{"1|AB|1|ANA", "2|CD|100|ION", "3|AB|2|ANA"}));
}

TEST_F(PaymentCommitTest, AnAccountingNoteCarriesTheTypedNumberAndPrintsNothing) {
  const auto note = pay(1, kMay, {{WorkTable::Taxes, 1, 40}, {WorkTable::Taxes, 2, -40}}, {{}, "77", {}, {}});
  EXPECT_FALSE(note.printed());
  EXPECT_EQ(statementRows(*db_, "SELECT SERIA, NR, GRUPA, DEPOZIT, CURENT, MAJOR, TOTAL, TIP FROM " +
                                    sql::table(dataDir(), "Chitante.dbf")),
            (QStringList{" -|77|Impozit pe cladiri|0|38|2|40|N", " -|77|Impozit pe teren intravilan|-40|0|0|-40|N"}));
  EXPECT_EQ(log(), QStringList{"ANA|12|Operat N nr.77"});
  EXPECT_EQ(counter("ANA", "CHIT"), "1");  // only receipts advance it
  collect::PaymentContext c = context(cashier);
  ScriptedInteraction ui;
  EXPECT_FALSE(collect::writeReceiptPdf(c, note.IDCHIT, dir_.filePath("x.pdf"), ui));
  EXPECT_EQ(ui.messages.value(0).text, "Chitanta nu contine nimic!");
}

TEST_F(PaymentCommitTest, RefusalsStoreNothing) {
  const QStringList before = storedState();
  const QString settingsCopy = dir_.filePath("before.set");
  ASSERT_TRUE(QFile::copy(dataDir() + "/Dajdor.set", settingsCopy));
  EXPECT_EQ(refusal(1, kMay, {{WorkTable::Taxes, 1, 100}, {WorkTable::Taxes, 2, -60}}).text,
            "Nota contabila nu se inchide cu 0!");
  EXPECT_EQ(refusal(1, kMay, {}).text, "Nu aveti nimic operat!");
  const auto zero = refusal(1, kMay, {{WorkTable::Taxes, 1, 40}, {WorkTable::Taxes, 2, -40}}, {{}, "0", {}, {}});
  EXPECT_EQ(zero.text, "Numar incorect!");
  EXPECT_EQ(zero.field, collect::kDocumentNumberField);
  EXPECT_EQ(refusal(1, kMay, {{WorkTable::Taxes, 1, 10}}, {{}, {}, {}, QString("   ")}).text, "Nu ati scris Platitorul!");
  SettingsFile(dataDir() + "/Dajdor.set").WriteSetting("VARIABILE", "ANINCHIS", "2014");
  EXPECT_EQ(refusal(1, kMay, {{WorkTable::Taxes, 1, 10}}).text, "Anul 2014 este inchis!\rNu mai puteti lucra in el! Adios...");
  SettingsFile(dataDir() + "/Dajdor.set").WriteSetting("VARIABILE", "ANINCHIS", "");
  sql::execute(*db_, "DELETE FROM " + sql::table(dataDir(), "CODCL.dbf") + " WHERE GRUPA=" + sql::quote("Taxa salubrizare"));
  EXPECT_EQ(refusal(1, kMay, {{WorkTable::OtherTaxes, 3, 10}}).text,
            "Nu aveti Contul la Taxa salubrizare!\rApasati pe butonul Coduri clasificare si adaugati-l!");
  EXPECT_EQ(storedState(), before);
  for (const auto& [section, key] : QList<QPair<QString, QString>>{{"ANA", "CHIT"}, {"SERVER", "IDCHIT"}, {"SERVER", "IDANUL"}})
    EXPECT_EQ(counter(section, key), SettingsFile(settingsCopy).ReadCounter(section, key)) << key.toStdString();
}

TEST_F(PaymentCommitTest, AReceiptNumberAlreadyStoredIsRefusedUnderTheLock) {
  insert("Chitante.dbf", {{"IDCHIT", "500"}, {"IDGOS", "2"}, {"ROL", sql::quote("13")}, {"SERIA", sql::quote("AB")},
                          {"NR", "1"}, {"DATAI", sql::date(kMay)}, {"TIP", sql::quote("C")}});
  const QStringList before = storedState();
  const auto dup = refusal(1, kMay, {{WorkTable::Taxes, 1, 10}});
  EXPECT_EQ(dup.title, "Verificare de dubluri");
  EXPECT_EQ(dup.text, "Mai exista chitanta aceasta la  ROL 13 !\rContactati Operatorul de ROL sau Administratorul sa "
                      "va modifice numarul chitantei!");
  EXPECT_EQ(storedState(), before);
  EXPECT_EQ(counter("ANA", "CHIT"), "1");
}

TEST_F(PaymentCommitTest, OperareProposesByKindOfDocument) {
  collect::PaymentContext c = context(cashier);
  const auto header = collect::readTaxpayerHeader(*db_, dataDir(), 1);
  const auto prepare = [&](std::int64_t onTax, std::int64_t onDeposit) {
    collect::Balance b = collect::computeBalance({*db_, dataDir(), rates_, 2014}, false, kMay, true, 1);
    b.taxes[0].ACHITAT = onTax;
    b.taxes[1].ACHITAT = onDeposit;
    return collect::prepareOperation(c, {b, *header, kMay, false});
  };
  const auto receipt = std::get<collect::PreparedOperation>(prepare(30, 0));
  EXPECT_EQ(receipt.header.types, (QStringList{"CHITANTA", "VIRAMENT"}));
  EXPECT_EQ(receipt.header.series, "AB");
  EXPECT_EQ(receipt.header.proposedNumber, "1");
  EXPECT_FALSE(receipt.header.numberEditable);
  EXPECT_TRUE(receipt.header.payerEnabled);
  EXPECT_EQ(receipt.header.defaultPayer, "POPESCU ION");
  EXPECT_EQ(receipt.header.total, 30);
  EXPECT_EQ(receipt.lines.value(0).CODCLAS, "07.02.01.01");
  const auto transfer = collect::numberFieldFor(receipt.header, "VIRAMENT", "1");
  EXPECT_TRUE(transfer.editable);
  const auto back = collect::numberFieldFor(receipt.header, "CHITANTA", "44");
  EXPECT_EQ(back.text, "1");
  EXPECT_FALSE(back.editable);

  const auto note = std::get<collect::PreparedOperation>(prepare(40, -40));
  EXPECT_EQ(note.header.types, QStringList{"Nota contabila"});
  EXPECT_EQ(note.header.series, "-");
  EXPECT_TRUE(note.header.numberEditable);
  EXPECT_FALSE(note.header.payerEnabled);
  const auto order = std::get<collect::PreparedOperation>(prepare(0, -40));
  EXPECT_EQ(order.header.types, QStringList{"Ordin de plata"});
  EXPECT_TRUE(order.header.payerEnabled);

  // A negative amount on a row without deposit settles nothing: no line to store.
  const auto empty = std::get<collect::PreparedOperation>(prepare(-30, 0));
  EXPECT_TRUE(empty.hasNoLines());
  EXPECT_EQ(collect::noLinesProblem().text, "Nu ati facut nici o operatiune!\rNu aveti ce opera...");
}

TEST_F(PaymentCommitTest, RowsChangedOnAnotherWorkstationRefuseTheCommit) {
  collect::PaymentContext c = context(cashier);
  const auto header = collect::readTaxpayerHeader(*db_, dataDir(), 1);
  collect::Balance balance = collect::computeBalance({*db_, dataDir(), rates_, 2014}, false, kMay, true, 1);
  balance.taxes[0].ACHITAT = 50;
  auto prepared = collect::prepareOperation(c, {balance, *header, kMay, false});
  const auto& op = std::get<collect::PreparedOperation>(prepared);
  sql::execute(*db_, "UPDATE " + sql::table(dataDir(), "SoldCalc.dbf") + " SET REST=70 WHERE IDRES=1");
  const QStringList before = storedState();
  const auto result = collect::commitPayment(c, op, {"CHITANTA", "1", kMay, "POPESCU ION"});
  ASSERT_TRUE(std::holds_alternative<collect::Problem>(result));
  EXPECT_EQ(storedState(), before);
}

TEST_F(PaymentCommitTest, CancellationRestoresEveryRowExactly) {
  const QStringList before = debts();
  const auto doc = pay(1, kMay, {{WorkTable::Taxes, 1, 150}, {WorkTable::OtherTaxes, 3, 50}, {WorkTable::Debits, 4, 30}});
  ASSERT_NE(debts(), before);
  const QStringList stored = statementRows(*db_, "SELECT * FROM " + sql::table(dataDir(), "Chitante.dbf"));
  ScriptedInteraction ui;
  yes(ui);
  ASSERT_TRUE(cancel(doc.IDCHIT, cashier, ui));
  EXPECT_EQ(ui.messages.last().text, "Operatiunea a fost anulata!");
  EXPECT_EQ(debts(), before);
  for (const QString table : {"UndelSold", "UndelDat", "UndelDebit"})
    EXPECT_TRUE(statementRows(*db_, "SELECT * FROM " + sql::table(dataDir(), table + ".dbf")).isEmpty()) << table.toStdString();
  EXPECT_EQ(statementRows(*db_, "SELECT PLATNUME, RESTANTA, MAJOREST, DEPOZIT, CURENT, MAJOR, REDUCERE, TOTAL FROM " +
                                    sql::table(dataDir(), "Chitante.dbf")),
            QStringList(3, "ANULAT|0|0|0|0|0|0|0"));
  // ChitAnul keeps the lines as they were.
  QStringList kept;
  for (QString row : stored) kept.append(row.remove(QRegularExpression("^1\\|1\\|1\\|")).prepend("1|1|"));
  EXPECT_EQ(statementRows(*db_, "SELECT * FROM " + sql::table(dataDir(), "ChitAnul.dbf")), kept);
  EXPECT_EQ(log().last(), "ANA|12|Anulat Chitanta AB nr.1 / 02.05.2014 - POPESCU ION");
  // Reprinted: zero amounts and the payer "ANULAT".
  const auto reprint = collect::receiptOf(collect::readDocument(*db_, dataDir(), doc.IDCHIT), rates_);
  ASSERT_TRUE(reprint);
  EXPECT_EQ(reprint->payer, "ANULAT");
  EXPECT_EQ(report::receiptTotals(*reprint).total, 0);
  // Its number stays taken.
  EXPECT_EQ(collect::documentWithNumber(*db_, dataDir(), "AB", 1)->IDCHIT, doc.IDCHIT);
}

TEST_F(PaymentCommitTest, OnlyTheLastOperationOfTheTaxpayerCanBeCancelled) {
  const auto first = pay(1, kMay, {{WorkTable::Taxes, 1, 20}});
  active = user("ION", UserLevel::Cashier);
  const auto second = pay(1, kMay, {{WorkTable::Taxes, 1, 30}});
  // Whatever the history shows (here filtered to ANA's receipts), ION's later one counts.
  collect::ReceiptHistory history(*db_, dataDir(), {1});
  ASSERT_EQ(history.filtered(collect::kAnyFilter, "ANA").size(), 1);
  ScriptedInteraction refused;
  yes(refused);
  EXPECT_FALSE(cancel(first.IDCHIT, user("ADMIN", UserLevel::Admin), refused));
  EXPECT_EQ(refused.messages.last().text, "Nu puteti anula decat ultima chitanta!");
  ScriptedInteraction ui;
  yes(ui);
  ASSERT_TRUE(cancel(second.IDCHIT, user("ION", UserLevel::Cashier), ui));
  ScriptedInteraction again;
  yes(again);
  EXPECT_TRUE(cancel(first.IDCHIT, cashier, again));
  EXPECT_EQ(statementRows(*db_, "SELECT REST FROM " + sql::table(dataDir(), "SoldCalc.dbf") + " WHERE IDRES=1"),
            QStringList{"100"});
}

TEST_F(PaymentCommitTest, RestrictedUsersCancelOnlyTheirOwnAndModifyNothing) {
  const auto doc = pay(1, kMay, {{WorkTable::Taxes, 1, 20}});
  ScriptedInteraction ui;
  yes(ui);
  EXPECT_FALSE(cancel(doc.IDCHIT, user("ION", UserLevel::Cashier), ui));
  EXPECT_EQ(ui.messages.last().text, "Nu puteti anula chitanta altuia!");
  const CurrentUser ion = user("ION", UserLevel::Cashier);
  collect::PaymentContext c = context(ion);
  EXPECT_TRUE(collect::modifyDocument(c, doc.IDCHIT, kMay, "AB", "9"));
  collect::ReceiptHistory history(*db_, dataDir(), {1});
  const auto buttons = collect::historyButtons(&history.documents().first(), !ion.isRestrictedUser(), ion);
  EXPECT_FALSE(buttons.modify);
  EXPECT_TRUE(buttons.cancel);
  EXPECT_FALSE(buttons.deleteVisible);
  ScriptedInteraction no;
  no.queueAnswer(Answer::Nu);
  EXPECT_FALSE(cancel(doc.IDCHIT, cashier, no));  // "Anulati chitanta selectata ?" answered NU
  EXPECT_EQ(statementRows(*db_, "SELECT PLATNUME FROM " + sql::table(dataDir(), "Chitante.dbf")),
            QStringList{"POPESCU ION"});
}

TEST_F(PaymentCommitTest, ModifyingRefusesANumberAnotherDocumentHas) {
  const auto first = pay(1, kMay, {{WorkTable::Taxes, 1, 20}, {WorkTable::Taxes, 2, 20}});
  const auto second = pay(2, kMay, {{WorkTable::Taxes, 5, 20}});
  const CurrentUser admin = user("ADMIN", UserLevel::Admin);
  collect::PaymentContext c = context(admin);
  const auto taken = collect::modifyDocument(c, second.IDCHIT, kMay, "ab", "1");
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->field, collect::kModifyNumberField);
  EXPECT_TRUE(taken->text.startsWith("Seria AB nr.1 este deja folosita de alta chitanta (ROL 12"));
  EXPECT_EQ(collect::modifyDocument(c, second.IDCHIT, kMay, "AB", "0")->text, "Numar incorect!");
  EXPECT_FALSE(collect::modifyDocument(c, first.IDCHIT, QDate(2014, 5, 3), "xy", "55"));
  EXPECT_EQ(statementRows(*db_, "SELECT IDCHIT, SERIA, NR, DATAI FROM " + sql::table(dataDir(), "Chitante.dbf")),
            (QStringList{"1|XY|55|03.05.2014", "1|XY|55|03.05.2014", "2|AB|2|02.05.2014"}));
}

TEST_F(PaymentCommitTest, AnAdministratorDeletesACancelledDocumentWhoseCopyStays) {
  const auto doc = pay(1, kMay, {{WorkTable::Taxes, 1, 20}});
  const CurrentUser admin = user("ADMIN", UserLevel::Admin);
  collect::PaymentContext c = context(admin);
  ScriptedInteraction notYet;
  yes(notYet);
  EXPECT_FALSE(collect::deleteCancelledDocument(c, doc.IDCHIT, notYet));  // still active
  ScriptedInteraction ui;
  yes(ui);
  ASSERT_TRUE(cancel(doc.IDCHIT, cashier, ui));
  collect::PaymentContext byCashier = context(cashier);
  ScriptedInteraction refused;
  yes(refused);
  EXPECT_FALSE(collect::deleteCancelledDocument(byCashier, doc.IDCHIT, refused));
  collect::ReceiptHistory history(*db_, dataDir(), {1});
  EXPECT_TRUE(collect::historyButtons(&history.documents().first(), true, admin).deleteVisible);
  EXPECT_FALSE(collect::historyButtons(&history.documents().first(), true, cashier).deleteVisible);
  ScriptedInteraction del;
  yes(del);
  ASSERT_TRUE(collect::deleteCancelledDocument(c, doc.IDCHIT, del));
  EXPECT_TRUE(collect::readDocument(*db_, dataDir(), doc.IDCHIT).isEmpty());
  const auto cancelled = collect::cancelledDocuments(*db_, dataDir());
  ASSERT_EQ(cancelled.size(), 1);
  EXPECT_EQ(cancelled[0].DOCJUS(), "Chit.AB nr.1 / 02.05.2014");
  EXPECT_EQ(cancelled[0].SUMA, 20);
  EXPECT_EQ(collect::cancelledReportRows(cancelled).value(0, "INCANUME"), "ANA");
  // The number is free again.
  EXPECT_FALSE(collect::documentWithNumber(*db_, dataDir(), "AB", 1));
}

TEST_F(PaymentCommitTest, HistoryListsDocumentsWithTypeNamesFiltersAndButtons) {
  pay(1, kMay, {{WorkTable::Taxes, 1, 20}});
  pay(1, QDate(2014, 5, 1), {{WorkTable::Taxes, 1, 40}, {WorkTable::Taxes, 2, -40}}, {{}, "7", {}, {}});
  pay(1, kMay, {{WorkTable::Taxes, 1, 5}}, {QString("VIRAMENT"), QString("31"), {}, QString("BANCA")});
  collect::ReceiptHistory history(*db_, dataDir(), {1});
  QStringList shown;
  for (const auto& d : history.documents())
    shown.append(QString("%1 %2 %3 %4 %5 %6").arg(d.typeName(), d.SERIA).arg(d.NR).arg(d.SUMA).arg(d.PLATNUME, d.INCANUME));
  EXPECT_EQ(shown, (QStringList{"Nota contabila  - 7 0 POPESCU ION ANA", "Chitanta AB 1 20 POPESCU ION ANA",
                                "Virament  - 31 5 BANCA ANA"}));
  EXPECT_EQ(history.payers(), (QStringList{collect::kAnyFilter, "BANCA", "POPESCU ION"}));
  EXPECT_EQ(history.filtered("BANCA", collect::kAnyFilter).size(), 1);
  EXPECT_EQ(history.lines(2).size(), 2);
  const auto none = collect::historyButtons(nullptr, true, cashier);
  EXPECT_FALSE(none.print || none.modify || none.cancel || none.deleteVisible);
}

TEST_F(PaymentCommitTest, PaymentsWithoutADebt) {
  collect::PaymentContext c = context(cashier);
  const auto accounts = collect::BudgetAccounts::read(*db_);
  EXPECT_EQ(accounts.groupsWithoutDebt(), (QStringList{"Amenzi", "Taxa salubrizare"}));
  collect::WithoutDebtHeader h{collect::WithoutDebtKind::Incasare, kMay, "  VASILE  DAN ", "", "Str. Noua 1", "VASILE DAN", true};
  EXPECT_EQ(collect::proposeWithoutDebtNumber(c, h.kind).number, "1");
  QList<collect::WithoutDebtLine> lines;
  EXPECT_EQ(collect::checkWithoutDebt(h, lines)->text, "Nu aveti nimic pe chitanta!");
  EXPECT_EQ(collect::addWithoutDebtLine(lines, h, "Amenzi", "", "0", accounts)->text, "Nu ati trecut suma!");
  EXPECT_EQ(collect::addWithoutDebtLine(lines, h, "", "", "10", accounts)->text, "Nu ales grupa!");
  EXPECT_FALSE(collect::addWithoutDebtLine(lines, h, "Amenzi", " PV 12 ", "150", accounts));
  EXPECT_FALSE(collect::addWithoutDebtLine(lines, h, "Taxa salubrizare", "", "30", accounts));
  EXPECT_EQ(collect::withoutDebtTotal(lines), 180);
  EXPECT_EQ(collect::removeWithoutDebtLine(lines, 5)->text, "Nu aveti ce sterge!");
  h.code = "1800101221145";
  EXPECT_EQ(collect::checkWithoutDebt(h, lines)->text, "C.N.P. incorect!");
  h.code = "1800101221144";
  EXPECT_FALSE(collect::checkWithoutDebt(h, lines));
  const auto receipt = collect::commitWithoutDebt(c, h, lines);
  EXPECT_TRUE(receipt.printed());
  h.kind = collect::WithoutDebtKind::Plata;
  EXPECT_EQ(collect::proposeWithoutDebtNumber(c, h.kind).label, "O.P. seria");
  const auto order = collect::commitWithoutDebt(c, h, lines.mid(0, 1));
  EXPECT_FALSE(order.printed());
  EXPECT_EQ(statementRows(*db_, "SELECT IDCHIT, IDGOS, IDANUL, SERIA, NR, NUMEP, GRUPA, DENUM, CODCLAS, CURENT, TOTAL, TIP FROM " +
                                    sql::table(dataDir(), "Chitante.dbf")),
            (QStringList{"1|-1|-1|AB|1|VASILE DAN|Amenzi|PV 12|35.02.01|150|150|C",
                         "1|-1|-1|AB|1|VASILE DAN|Taxa salubrizare||36.02.06|30|30|C",
                         "2|-1|-1||1|VASILE DAN|Amenzi|PV 12|35.02.01|150|150|O"}));
  EXPECT_EQ(counter("ANA", "CHIT"), "2");
  EXPECT_EQ(counter("SERVER", "OP"), "2");
  EXPECT_EQ(log(), (QStringList{"ANA|FARA|Operat C nr.1", "ANA|FARA|Operat O nr.1"}));
  collect::ReceiptHistory history(*db_, dataDir(), {});
  ASSERT_EQ(history.documents().size(), 2);
  // Cancelled without the rule of the last document, nothing to restore.
  ScriptedInteraction ui;
  yes(ui);
  EXPECT_TRUE(cancel(1, cashier, ui));
  EXPECT_EQ(log().last(), "ANA|FARA|Anulat Chitanta AB nr.1 / 02.05.2014 - VASILE DAN");
}

TEST_F(PaymentCommitTest, APaymentWithoutADebtGetsTheNumberFreeWhenItIsStored) {
  collect::PaymentContext c = context(cashier);
  const collect::WithoutDebtHeader h{collect::WithoutDebtKind::Incasare, kMay, "VASILE DAN", "", "Str. Noua 1",
                                     "VASILE DAN", true};
  EXPECT_EQ(collect::proposeWithoutDebtNumber(c, h.kind).number, "1");
  // Meanwhile the same cashier's receipt on another workstation takes number 1.
  pay(1, kMay, {{WorkTable::Taxes, 1, 10}});
  const auto doc = collect::commitWithoutDebt(c, h, {{"Amenzi", "35.02.01", "", 100}});
  EXPECT_EQ(doc.number, "2");
  EXPECT_EQ(doc.lines.value(0).NR, 2);
}

TEST(ReceiptContent, LinesOfTheFormFromTheStoredDocument) {
  QList<collect::ReceiptRecord> lines;
  for (int g = 1; g <= 9; ++g) {
    collect::ReceiptRecord r;
    r.GRUPA = QString("Grupa %1").arg(g);
    r.CODCLAS = "07";
    r.TIP = "C";
    r.SERIA = "AB";
    r.NR = 4;
    r.RESTANTA = 10;
    r.DEPOZIT = 5;
    r.CURENT = 100;
    r.MAJOREST = 1;
    r.MAJOR = 2;
    r.REDUCERE = 3;
    lines.append(r);
  }
  // Two debit lines of one group with different documents, and a line of another type.
  lines[1].GRUPA = lines[0].GRUPA;
  lines[1].DENUM = "Contract 2";
  collect::ReceiptRecord note = lines[2];
  note.TIP = "N";
  lines.append(note);
  const auto receipt = collect::receiptOf(lines, admin::Rates());
  ASSERT_TRUE(receipt);
  ASSERT_EQ(receipt->lines.size(), 9);
  EXPECT_EQ(receipt->lines[0].document, "");
  EXPECT_EQ(receipt->lines[1].document, "Contract 2");
  EXPECT_EQ(receipt->lines[0].current, 105);    // a deposit counts under "Curente"
  EXPECT_EQ(receipt->lines[0].penalties, 3);
  const report::ReceiptTotals totals = report::receiptTotals(*receipt);
  EXPECT_EQ(totals.current, 9 * 105);
  EXPECT_EQ(totals.total, 9 * (105 + 10 + 3 - 3));
  EXPECT_EQ(receipt->number, "4");
  lines.erase(lines.begin(), lines.end() - 1);
  EXPECT_FALSE(collect::receiptOf(lines, admin::Rates()));  // only a note's line: nothing to print
}

}  // namespace
}  // namespace dajdor::testing
