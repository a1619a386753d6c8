// A payment, a cancellation and a payment without a debt killed at every write
// step, and two workstations taking receipts at once: the data are as before or
// fully written, and no receipt number is skipped or handed out twice.
#include "collect/cancellation.h"
#include "collect/payment_fixture.h"
#include "collect/payment_without_debt.h"
#include "store/engine/storage/journal_io.h"
#include "store/qt_printers.h"
#include "store/scripted_interaction.h"
#include "store/sql_helpers.h"
#include "support/statement_rows.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <functional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace dajdor::testing {
namespace {

using collect::EnteredAmount;
using collect::WorkTable;

const QDate kMay(2014, 5, 2);

class PaymentCrashTest : public PaymentTest {
 protected:
  void SetUp() override {
    PaymentTest::SetUp();
    for (int i = 1; i <= 2; ++i) {
      StoredTaxpayer t;
      t.idgos = i;
      t.rol = QString::number(10 + i);
      add(t);
      add(StoredBalance{i, "Impozit pe cladiri", 500, 500});  // IDRES 1, 3
      add(StoredDebt{i, "Taxa salubrizare", 20, 30});        // IDDAT 2, 4
    }
    sql::execute(*db_, "CREATE TABLE " + sql::table(dataDir(), "Log.dbf") + " (DATAA DATE, ORA CHAR(12), "
                       "UTILIZATOR CHAR(20), ROL CHAR(9), ACTIUNE CHAR(120))");
  }
  QStringList state() {
    QStringList rows = storedState();
    rows += statementRows(*db_, "SELECT * FROM " + sql::table(dataDir(), "Log.dbf"));
    return rows;
  }
  void copyData(const QString& from, const QString& to) {
    QDir(to).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(to));
    for (const QString& f : QDir(from).entryList(QDir::Files)) ASSERT_TRUE(QFile::copy(from + "/" + f, to + "/" + f));
  }
  // Runs `work` on its own database in a child process killed at write step
  // `step` (0: never). True when it was killed.
  bool inChild(int step, const std::function<void(collect::PaymentContext&)>& work) {
    db_.reset();
    const pid_t pid = fork();
    if (pid == 0) {
      int code = 0;
      try {
        engine::io::killAtStep(step);
        db_ = std::make_unique<engine::Database>(dataDir().toStdString());
        collect::PaymentContext c = context(active);
        work(c);
      } catch (...) {
        code = 3;
      }
      _exit(code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    db_ = std::make_unique<engine::Database>(dataDir().toStdString());  // recovers what the child left
    if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGKILL;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    return false;
  }
  static void payFirst(collect::PaymentContext& c) {
    const auto r = collect::payEnteredAmounts(c, 1, kMay, {{WorkTable::Taxes, 1, 300}, {WorkTable::OtherTaxes, 2, 50}});
    if (!std::holds_alternative<collect::CommittedDocument>(r)) throw std::runtime_error("refused");
  }

  // Kills `work` at every step in turn from the state in `start`; after each,
  // the state must be `start`'s or `done`'s, and `check` sees the outcome.
  void killAtEveryStep(const QString& start, const std::function<void(collect::PaymentContext&)>& work,
                       const std::function<void(bool written)>& check) {
    copyData(dataDir(), start);
    inChild(0, work);
    const QStringList done = state();
    int steps = 0;
    for (int step = 1;; ++step) {
      db_.reset();
      copyData(start, dataDir());
      db_ = std::make_unique<engine::Database>(dataDir().toStdString());
      const QStringList before = state();
      const bool killed = inChild(step, work);
      const QStringList now = state();
      const bool written = now == done;
      EXPECT_TRUE(written || now == before) << "half-written after a kill at step " << step;
      check(written);
      if (!killed) break;
      ++steps;
    }
    EXPECT_GT(steps, 3);
  }
};

TEST_F(PaymentCrashTest, AKilledPaymentIsWholeOrAbsentAndTheNextReceiptGetsTheRightNumber) {
  killAtEveryStep(dir_.filePath("start"), payFirst, [&](bool written) {
    // The next receipt, on this workstation: number 2 after the first, 1 instead of it.
    const auto next = pay(2, kMay, {{WorkTable::Taxes, 3, 10}});
    EXPECT_EQ(next.number, written ? "2" : "1");
    EXPECT_EQ(next.IDCHIT, written ? 2 : 1);
    EXPECT_EQ(next.IDANUL, written ? 2 : 1);
  });
}

TEST_F(PaymentCrashTest, AStoredPaymentWhoseCountersWereNotWrittenIsPassedOver) {
  const QString counters = dir_.filePath("Dajdor.set.before");
  ASSERT_TRUE(QFile::copy(dataDir() + "/Dajdor.set", counters));
  inChild(0, payFirst);
  // As a crash between the data's commit and the settings file's rewrite leaves it.
  QFile::remove(dataDir() + "/Dajdor.set");
  ASSERT_TRUE(QFile::copy(counters, dataDir() + "/Dajdor.set"));
  const auto next = pay(2, kMay, {{WorkTable::Taxes, 3, 10}});
  EXPECT_EQ(next.number, "2");
  EXPECT_EQ(next.IDCHIT, 2);
  EXPECT_EQ(next.IDANUL, 2);
  EXPECT_EQ(counter("ANA", "CHIT"), "3");
  EXPECT_EQ(counter("SERVER", "IDCHIT"), "3");
}

TEST_F(PaymentCrashTest, AKilledCancellationIsWholeOrAbsent) {
  pay(1, kMay, {{WorkTable::Taxes, 1, 300}, {WorkTable::OtherTaxes, 2, 50}});
  const QStringList paid = storedState();
  killAtEveryStep(
      dir_.filePath("paid"),
      [](collect::PaymentContext& c) {
        ScriptedInteraction ui;
        if (!collect::cancelDocument(c, 1, ui)) throw std::runtime_error("refused");
      },
      [&](bool written) {
        if (!written) EXPECT_EQ(storedState(), paid);
        else EXPECT_EQ(statementRows(*db_, "SELECT REST FROM " + sql::table(dataDir(), "SoldCalc.dbf") + " WHERE IDRES=1"),
                       QStringList{"500"});
      });
}

TEST_F(PaymentCrashTest, AKilledPaymentWithoutADebtIsWholeOrAbsent) {
  const auto work = [](collect::PaymentContext& c) {
    collect::WithoutDebtHeader h{collect::WithoutDebtKind::Incasare, kMay, "VASILE DAN", "", "Str. Noua 1", "VASILE DAN", true};
    QList<collect::WithoutDebtLine> lines{{"Amenzi", "35.02.01", "PV 1", 100}, {"Taxa salubrizare", "36.02.06", "", 20}};
    collect::commitWithoutDebt(c, h, lines);
  };
  killAtEveryStep(dir_.filePath("start"), work, [&](bool written) {
    EXPECT_EQ(pay(2, kMay, {{WorkTable::Taxes, 3, 10}}).number, written ? "2" : "1");
  });
}

TEST_F(PaymentCrashTest, TwoWorkstationsTakingReceiptsAtOnceNeverShareANumber) {
  constexpr int kEach = 25;
  db_.reset();
  std::vector<pid_t> children;
  for (int who = 1; who <= 2; ++who) {
    const pid_t pid = fork();
    if (pid == 0) {
      int code = 0;
      try {
        db_ = std::make_unique<engine::Database>(dataDir().toStdString());
        collect::PaymentContext c = context(cashier);
        for (int i = 0; i < kEach; ++i) {
          const auto r = collect::payEnteredAmounts(c, who, kMay, {{WorkTable::Taxes, who == 1 ? 1 : 3, 5}});
          if (const auto* refused = std::get_if<collect::Problem>(&r)) {
            std::fprintf(stderr, "refused: %s\n", qPrintable(refused->text));
            code = 4;
          }
        }
      } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        code = 3;
      }
      _exit(code);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  db_ = std::make_unique<engine::Database>(dataDir().toStdString());
  const QStringList numbers = statementRows(*db_, "SELECT SERIA, NR, IDCHIT FROM " + sql::table(dataDir(), "Chitante.dbf"));
  ASSERT_EQ(numbers.size(), 2 * kEach);
  std::set<int> nr, ids;
  for (const QString& row : numbers) {
    const QStringList f = row.split('|');
    EXPECT_EQ(f[0], "AB");
    nr.insert(f[1].toInt());
    ids.insert(f[2].toInt());
  }
  EXPECT_EQ(nr.size(), std::size_t(2 * kEach));
  EXPECT_EQ(*nr.begin(), 1);
  EXPECT_EQ(*nr.rbegin(), 2 * kEach);
  EXPECT_EQ(ids.size(), std::size_t(2 * kEach));
  EXPECT_EQ(counter("ANA", "CHIT"), QString::number(2 * kEach + 1));
}

}  // namespace
}  // namespace dajdor::testing
