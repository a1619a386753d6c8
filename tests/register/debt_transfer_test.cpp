// TransferToDebts on real tables: lines created, recomputed with the payments
// kept, dropped when empty, arrears carried, the four balances, refusals, a
// rerun that changes nothing, and batches that stay whole per taxpayer when a
// process dies in the middle.
#include "register/taxpayer_fixture.h"
#include "register/taxpayer_register.h"
#include "register/transfer_to_debts.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <csignal>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace dajdor::testing {
namespace {

using reg::Taxpayer;

class DebtTransferTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    rates_.setText("Alte2", "1.5");  // lighting, per unit
    rates_.setText("AUTO1", "50");
    rates_.setText("ICZAR4", "806");
    rates_.setText("CotaMajC", "0.1");
    rates_.setText("ICRED", "7");
  }

  std::int64_t page(const QString& table, const QString& assignments, std::int64_t idgos) {
    return sql::execute(*db_, "UPDATE " + sql::table(dataDir(), table) + " SET " + assignments +
                                  " WHERE IDGOS=" + sql::number(idgos));
  }
  Taxpayer taxpayer(std::int64_t idgos) { return *reg::findTaxpayer(*db_, dataDir(), idgos); }
  reg::TransferOutcome transfer(std::int64_t idgos) {
    reg::TransferStore store(*db_, dataDir(), *settings_, rates_, 2014);
    const Taxpayer t = taxpayer(idgos);
    return reg::TransferToDebts(store, t, {t, rates_, 2014});
  }
  reg::TransferSummary transferAll(int perTransaction = 500, Interaction* ui = nullptr) {
    reg::TransferStore store(*db_, dataDir(), *settings_, rates_, 2014, 64);
    return reg::transferTaxpayers(store, reg::taxpayersToTransfer(*db_, dataDir(), {"VALENI", "DEALU"}), rates_, 2014,
                                  {perTransaction, ui});
  }
  // "GRUPA|DENUM|SUMA|SUMA2|REST|RESTINI|REDUC|REDUCP|UM|CANT" of the taxpayer's lines.
  QStringList debts(std::int64_t idgos) {
    return rows("SELECT GRUPA, DENUM, SUMA, SUMA2, REST, RESTINI, REDUC, REDUCP, UM, CANT FROM %1 WHERE IDGOS=" +
                    sql::number(idgos) + " ORDER BY GRUPA, DENUM",
                "Datorii.dbf");
  }
  QString debt(std::int64_t idgos, const QString& name) {
    for (const QString& row : debts(idgos))
      if (row.section('|', 1, 1) == name) return row;
    return "<none>";
  }
  // "SUMA|REST|REDUC|DATOR|DEPOZ|MAJOR|DATORI|DEPOZI|MAJORI|TIP" of a balance.
  QString balance(std::int64_t idgos, const QString& group) {
    const QStringList found =
        rows("SELECT SUMA, REST, REDUC, DATOR, DEPOZ, MAJOR, DATORI, DEPOZI, MAJORI, TIP FROM %1 WHERE IDGOS=" +
                 sql::number(idgos) + " AND GRUPA=" + sql::quote(group),
             "SoldCalc.dbf");
    return found.join(" / ");
  }
  void receipt(std::int64_t idgos, const QString& group, const QString& amounts) {
    exec("INSERT INTO %1 (IDCHIT, IDGOS, GRUPA, RESTANTA, MAJOREST, DEPOZIT, CURENT, MAJOR, REDUCERE) VALUES (" +
             sql::number(idgos * 100 + rows("SELECT * FROM %1", "Chitante.dbf").size()) + ", " + sql::number(idgos) +
             ", " + sql::quote(group) + ", " + amounts + ")",
         "Chitante.dbf");
  }
};

TEST_F(DebtTransferTest, LinesAndBalancesOfAFirstTransfer) {
  const std::int64_t id = add("VALENI", "12", "POPESCU ION");
  page("Pag7.dbf", "LIN2=10", id);
  page("Pag5.dbf", "AUTO1=2", id);
  page("Pag2.dbf", "C1S=200, C1A=1970, C1C=0, C1Z=\"A\", C1R=\"IV\", NR1=2", id);
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(debts(id), QStringList({"Iluminat|Iluminat|15|15|0|0|0|0|buc|10",
                                    "Impozit pe cladiri|Cladiri|251|251|0|0|18|7|mp|200",
                                    "Impozit pe mijloace de transport|Autoturisme cap.cil. 1201 - 1400 cmc|100|100|0|0|7|"
                                    "7|buc|2"}));
  const QStringList first = rows("SELECT IDDAT, SATUL, ROL, TIP, DINDATA, DOCJUS FROM %1", "Datorii.dbf");
  for (const QString& row : first) EXPECT_TRUE(row.endsWith("|VALENI|12|A|01.01.2014|")) << row.toStdString();
  EXPECT_EQ(balance(id, "Impozit pe cladiri"), "251|251|18|0|0|0|0|0|0|M");
  EXPECT_EQ(balance(id, "Impozit pe mijloace de transport"), "100|100|7|0|0|0|0|0|0|M");
  EXPECT_EQ(balance(id, "Impozit pe teren intravilan"), "0|0|0|0|0|0|0|0|0|M");
  EXPECT_EQ(balance(id, "Impozit pe teren extravilan"), "0|0|0|0|0|0|0|0|0|M");
  EXPECT_EQ(rows("SELECT * FROM %1", "SoldCalc.dbf").size(), 4);
}

TEST_F(DebtTransferTest, RecomputingKeepsWhatPaymentsChanged) {
  const std::int64_t id = add("VALENI", "12", "POPESCU ION");
  rates_.setText("Alte2", "2");
  page("Pag7.dbf", "LIN2=50", id);  // 100 lei of lighting
  ASSERT_TRUE(transfer(id).transferred);
  ASSERT_EQ(debt(id, "Iluminat").section('|', 2, 3), "100|100");
  exec("UPDATE %1 SET SUMA=60 WHERE DENUM=\"Iluminat\"", "Datorii.dbf");  // a payment of 40
  page("Pag7.dbf", "LIN2=60", id);                                      // 120 lei now
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(debt(id, "Iluminat").section('|', 2, 3), "80|120");
}

TEST_F(DebtTransferTest, EmptyLinesGoUnlessTheyCarryArrearsOrABonus) {
  const std::int64_t id = add("VALENI", "12", "POPESCU ION");
  page("Pag5.dbf", "AUTO1=2, AUTO2=1", id);
  rates_.setText("AUTO2", "40");
  ASSERT_TRUE(transfer(id).transferred);
  ASSERT_EQ(debts(id).size(), 2);
  exec("UPDATE %1 SET RESTINI=30, REST=30 WHERE DENUM=\"Autoturisme cap.cil. 1401 - 1600 cmc\"", "Datorii.dbf");
  exec("UPDATE %1 SET SUMA=0 WHERE DENUM=\"Autoturisme cap.cil. 1201 - 1400 cmc\"", "Datorii.dbf");  // paid
  page("Pag5.dbf", "AUTO1=0, AUTO2=0", id);
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(debts(id), QStringList({"Impozit pe mijloace de transport|Autoturisme cap.cil. 1401 - 1600 cmc|0|0|30|30|0|"
                                    "7|buc|0"}));
  EXPECT_EQ(balance(id, "Impozit pe mijloace de transport"), "0|0|0|0|0|0|0|0|0|M");
}

TEST_F(DebtTransferTest, ArrearsOfTheMainTaxesAndThePaymentsOnThem) {
  const std::int64_t id = add("VALENI", "12", "POPESCU ION");
  page("Pag8.dbf", "LIN2=100, PEN2=12, SOLD4=25", id);
  receipt(id, "Impozit pe cladiri", "30, 4, 0, 0, 0, 0");
  receipt(id, "Impozit pe mijloace de transport", "0, 0, 5, 0, 2, 0");
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(balance(id, "Impozit pe cladiri"), "0|0|0|70|0|8|100|0|12|M");
  // No debts in the group: penalties paid there count as money in advance.
  EXPECT_EQ(balance(id, "Impozit pe mijloace de transport"), "0|0|0|0|32|0|0|25|0|M");
  page("Pag8.dbf", "LIN2=80", id);
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(balance(id, "Impozit pe cladiri"), "0|0|0|50|0|8|80|0|12|M");
  EXPECT_EQ(rows("SELECT * FROM %1", "SoldCalc.dbf").size(), 4) << "the rows are found again, not added";

  // A balance of kind "A" keeps what it has; no penalties for NOTAX under the waiver.
  exec("UPDATE %1 SET TIP=\"A\" WHERE GRUPA=\"Impozit pe cladiri\"", "SoldCalc.dbf");
  exec("UPDATE %1 SET NOTAX=\"DA\"", "Gospodar.dbf");
  rates_.setOption("FARAMAJORARI", true);
  page("Pag8.dbf", "LIN2=500, LIN3=40, PEN3=9", id);
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(balance(id, "Impozit pe cladiri"), "0|0|0|50|0|8|80|0|12|A");
  EXPECT_EQ(balance(id, "Impozit pe teren intravilan"), "0|0|0|40|0|0|40|0|0|M");
}

TEST_F(DebtTransferTest, ArrearsOfOtherTaxesKeepWhatWasPaidAndTheTaxedQuantity) {
  const std::int64_t id = add("VALENI", "12", "POPESCU ION");
  page("Pag8.dbf", "LIN8=50, LIN6=20", id);  // lighting, pasture
  page("Pag7.dbf", "LIN2=10", id);
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(debt(id, "Iluminat"), "Iluminat|Iluminat|15|15|50|50|0|0|buc|10");
  EXPECT_EQ(debt(id, "Taxa pe pasune"), "Taxa pe pasune|Taxa pe pasune|0|0|20|20|0|0| -|1");
  exec("UPDATE %1 SET REST=35 WHERE DENUM=\"Iluminat\"", "Datorii.dbf");  // 15 of the arrears paid
  page("Pag8.dbf", "LIN8=60, LIN6=0", id);
  ASSERT_TRUE(transfer(id).transferred);
  EXPECT_EQ(debt(id, "Iluminat"), "Iluminat|Iluminat|15|15|45|60|0|0|buc|10");
  EXPECT_EQ(debt(id, "Taxa pe pasune"), "<none>");
}

TEST_F(DebtTransferTest, ASecondTransferChangesNoByte) {
  const std::int64_t a = add("VALENI", "1", "POPESCU ION");
  const std::int64_t b = add("DEALU", "2", "IONESCU ANA");
  page("Pag7.dbf", "LIN2=10, LIN3=2", a);
  page("Pag5.dbf", "AUTO1=1, TRAC1=650, TBUC1=2", b);
  page("Pag8.dbf", "LIN2=100, LIN8=7", b);
  receipt(b, "Impozit pe cladiri", "30, 0, 0, 0, 0, 0");
  ASSERT_EQ(transferAll().added, 2);
  const auto content = [&](const QString& file) {
    QFile f(dataFile(file));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    return bytes.remove(1, 3);  // the date of the last update
  };
  const QByteArray debtsBefore = content("Datorii.dbf"), balancesBefore = content("SoldCalc.dbf");
  EXPECT_EQ(transferAll().added, 2);
  EXPECT_EQ(content("Datorii.dbf"), debtsBefore);
  EXPECT_EQ(content("SoldCalc.dbf"), balancesBefore);
}

// A batch reads its files ahead; a taxpayer listed again must be read again
// after his first write, not from what was read before it.
TEST_F(DebtTransferTest, ATaxpayerListedTwiceInABatchEndsAsOneSentOnce) {
  const std::int64_t twice = add("VALENI", "1", "POPESCU ION");
  const std::int64_t once = add("VALENI", "3", "POPESCU ION");
  for (const std::int64_t id : {twice, once}) {
    page("Pag7.dbf", "LIN2=10, LIN3=2", id);
    page("Pag5.dbf", "AUTO1=1", id);
    receipt(id, "Impozit pe cladiri", "30, 0, 0, 0, 0, 0");
  }
  reg::TransferStore store(*db_, dataDir(), *settings_, rates_, 2014, 64);
  EXPECT_EQ(reg::transferTaxpayers(store, {taxpayer(twice), taxpayer(once), taxpayer(twice)}, rates_, 2014).added, 3);
  EXPECT_FALSE(debts(twice).isEmpty());
  EXPECT_EQ(debts(twice), debts(once));
  for (const QString& group : {kGroupBuildings, kGroupVehicles})
    EXPECT_EQ(balance(twice, group), balance(once, group)) << group.toStdString();
}

TEST_F(DebtTransferTest, TwoVillagesWithOneTaxpayerWithoutARole) {
  for (const char* role : {"1", "2", "3"}) add("VALENI", role, QStringLiteral("VALENI ") + role);
  add("DEALU", "7", "DEALU 7");
  exec("INSERT INTO %1 (IDGOS, SATUL, ROL, NUMEP, TIP) VALUES (900, \"DEALU\", \"\", \"FARA ROL\", \"FIZICA\")",
       "Gospodar.dbf");
  ScriptedInteraction told;
  const reg::TransferSummary summary = transferAll(2, &told);
  EXPECT_EQ(summary.added, 4);
  EXPECT_EQ(summary.refused, 1);
  EXPECT_EQ(reg::transferSummaryText(summary), "Au fost adaugate la plata 4 ROL-uri si respinse 1 ROL-uri.");
  ASSERT_EQ(told.messages.size(), 1);
  EXPECT_EQ(told.messages[0].title, "Adaugare la plata");
  EXPECT_EQ(told.messages[0].text, "FARA ROL nu are trecut ROL-ul si a fost respins.");
  EXPECT_EQ(rows("SELECT DISTINCT IDGOS FROM %1", "SoldCalc.dbf").size(), 4);
  EXPECT_TRUE(rows("SELECT * FROM %1 WHERE IDGOS=900", "SoldCalc.dbf").isEmpty());
}

TEST_F(DebtTransferTest, AnAmountThatDoesNotFitRefusesThatTaxpayerOnly) {
  const std::int64_t a = add("VALENI", "1", "POPESCU ION");
  const std::int64_t b = add("VALENI", "2", "IONESCU ANA");
  const std::int64_t c = add("VALENI", "3", "VASILE DAN");
  rates_.setText("Alte1", "100");
  for (const std::int64_t id : {a, b, c}) page("Pag7.dbf", "LIN2=10", id);
  page("Pag7.dbf", "LIN1=99999", b);  // 9,999,900 lei does not fit SUMA
  const reg::TransferSummary summary = transferAll(10);
  EXPECT_EQ(summary.added, 2);
  EXPECT_EQ(summary.refused, 1);
  ASSERT_EQ(summary.refusals.size(), 1);
  EXPECT_EQ(summary.refusals[0],
            "IONESCU ANA (ROL 2, VALENI) a fost respins: valoarea 9999900 nu incape in campul SUMA din Datorii "
            "(Concesionari).");
  EXPECT_TRUE(debts(b).isEmpty());
  EXPECT_TRUE(balance(b, "Impozit pe cladiri").isEmpty());
  EXPECT_EQ(debts(a).size(), 1);
  EXPECT_EQ(debts(c).size(), 1);
}

// Every taxpayer's rows without identifiers, by IDGOS.
QMap<std::int64_t, QStringList> transferredRows(engine::Database& db, const QString& dir) {
  QMap<std::int64_t, QStringList> out;
  const auto collect = [&](const QString& select) {
    const auto rs = sql::query(db, select);
    for (std::size_t r = 0; r < rs->rowCount(); ++r) {
      QStringList columns;
      for (std::size_t c = 0; c < rs->columnCount(); ++c) columns.append(QString::fromStdString(rs->value(r, c).toString()));
      out[rs->value(r, 0).toInt()].append(columns.join('|'));
    }
  };
  collect("SELECT IDGOS, GRUPA, DENUM, TIP, SUMA, SUMA2, REST, RESTINI, REDUC, CANT FROM " + sql::table(dir, "Datorii.dbf") +
          " ORDER BY IDGOS, GRUPA, DENUM");
  collect("SELECT IDGOS, GRUPA, TIP, SUMA, REST, DATOR, DEPOZ, MAJOR, DATORI FROM " + sql::table(dir, "SoldCalc.dbf") +
          " ORDER BY IDGOS, GRUPA");
  return out;
}

std::set<std::int64_t> identifiers(engine::Database& db, const QString& dir, const QString& field, const QString& table) {
  std::set<std::int64_t> ids;
  const auto rs = sql::query(db, "SELECT " + field + " FROM " + sql::table(dir, table));
  for (std::size_t r = 0; r < rs->rowCount(); ++r) ids.insert(rs->value(r, 0).toInt());
  EXPECT_EQ(ids.size(), rs->rowCount()) << field.toStdString() << " values repeat";
  return ids;
}

class BatchProcessTest : public DebtTransferTest {
 protected:
  void SetUp() override {
    DebtTransferTest::SetUp();
    for (int i = 1; i <= kTaxpayers; ++i) {
      const std::int64_t id = add(i % 2 ? "VALENI" : "DEALU", QString::number(i), QStringLiteral("CONTRIBUABIL %1").arg(i));
      page("Pag7.dbf", "LIN2=" + sql::number(i), id);
      page("Pag5.dbf", "AUTO1=" + sql::number(i % 3), id);
      page("Pag8.dbf", "LIN2=" + sql::number(i % 5 * 10), id);
    }
  }
  // Runs the batch in a child process; kills it after `killAfterMs` (never when negative).
  int runChild(int killAfterMs, int perTransaction) {
    const pid_t pid = fork();
    if (pid == 0) {
      int code = 0;
      try {
        engine::Database db(dataDir().toStdString());
        SettingsFile settings(dataFile(SettingsFile::kFileName));
        reg::TransferStore store(db, dataDir(), settings, rates_, 2014, 8);
        reg::transferTaxpayers(store, reg::taxpayersToTransfer(db, dataDir(), {"VALENI", "DEALU"}), rates_, 2014,
                               {perTransaction, nullptr});
      } catch (...) {
        code = 3;
      }
      _exit(code);
    }
    if (killAfterMs >= 0) {
      usleep(static_cast<useconds_t>(killAfterMs) * 1000);
      kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
  }
  static constexpr int kTaxpayers = 120;
};

TEST_F(BatchProcessTest, AKilledBatchLeavesEveryTaxpayerWholeAndARerunCompletesIt) {
  // The reference: the same commune transferred by a clean run, in a copy.
  const QString reference = dir_.filePath("Reference");
  ASSERT_TRUE(QDir().mkpath(reference));
  db_.reset();
  for (const QString& file : QDir(dataDir()).entryList(QDir::Files))
    ASSERT_TRUE(QFile::copy(dataDir() + "/" + file, reference + "/" + file));
  QMap<std::int64_t, QStringList> expected, before;
  {
    engine::Database db(reference.toStdString());
    SettingsFile settings(reference + "/" + SettingsFile::kFileName);
    reg::TransferStore store(db, reference, settings, rates_, 2014);
    ASSERT_EQ(reg::transferTaxpayers(store, reg::taxpayersToTransfer(db, reference, {}), rates_, 2014).added,
              kTaxpayers);
    expected = transferredRows(db, reference);
  }
  ASSERT_EQ(expected.size(), kTaxpayers);

  bool sawPartial = false;
  for (const int killAfterMs : {40, 120, 250}) {
    runChild(killAfterMs, 3);
    engine::Database db(dataDir().toStdString());  // rolls back what the child left half-done
    const QMap<std::int64_t, QStringList> now = transferredRows(db, dataDir());
    int done = 0;
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
      const QStringList rows = now.value(it.key());
      EXPECT_TRUE(rows.isEmpty() || rows == it.value()) << "taxpayer " << it.key() << " half-written after "
                                                        << killAfterMs << " ms";
      done += !rows.isEmpty();
    }
    sawPartial |= done > 0 && done < kTaxpayers;
    identifiers(db, dataDir(), "IDDAT", "Datorii.dbf");
  }
  if (!sawPartial) GTEST_LOG_(INFO) << "no kill landed inside a batch on this machine";
  EXPECT_EQ(runChild(-1, 3), 0);
  engine::Database db(dataDir().toStdString());
  EXPECT_EQ(transferredRows(db, dataDir()), expected);
}

TEST_F(BatchProcessTest, TwoProcessesNeverShareAnIdentifier) {
  db_.reset();
  // Both send the whole commune at once; the lock orders them, the counters keep them apart.
  const pid_t first = fork();
  if (first == 0) _exit(runChild(-1, 7) == 0 ? 0 : 1);
  EXPECT_EQ(runChild(-1, 5), 0);
  int status = 0;
  waitpid(first, &status, 0);
  EXPECT_EQ(status, 0);
  engine::Database db(dataDir().toStdString());
  const std::set<std::int64_t> debts = identifiers(db, dataDir(), "IDDAT", "Datorii.dbf");
  const std::set<std::int64_t> balances = identifiers(db, dataDir(), "IDRES", "SoldCalc.dbf");
  EXPECT_EQ(balances.size(), 4u * kTaxpayers);
  const SettingsFile settings(dataFile(SettingsFile::kFileName));
  EXPECT_GT(settings.ReadCounter("SERVER", "IDDAT").toLongLong(), *debts.rbegin());
  EXPECT_GT(settings.ReadCounter("SERVER", "IDRES").toLongLong(), *balances.rbegin());
}

}  // namespace
}  // namespace dajdor::testing
