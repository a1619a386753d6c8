#include "payment_bench.h"
#include "timing.h"

#include "admin/settings_store.h"
#include "collect/cancellation.h"
#include "collect/payment_commit.h"
#include "collect/receipt_output.h"
#include "store/scripted_interaction.h"
#include "store/sql_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSamples = 100;
constexpr int kWarmUp = 5;
constexpr double kPdfGoalMs = 200;
const QDate kDay(2014, 10, 15);

double worst(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

// One small write made durable, as the engine syncs its journal.
double syncMillis(const QString& folder) {
  const QByteArray path = (folder + "/sync-probe.bin").toLocal8Bit();
  std::vector<double> samples;
  for (int i = 0; i < kSamples; ++i) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) return 0;
    const char bytes[64] = {static_cast<char>(i)};
    samples.push_back(millis([&] {
      if (::pwrite(fd, bytes, sizeof bytes, 0) == sizeof bytes) ::fdatasync(fd);
    }));
    ::close(fd);
  }
  ::unlink(path.constData());
  return median(samples);
}

bool copyFolder(const QString& from, const QString& to) {
  for (const QString& f : QDir(from).entryList(QDir::Files))
    if (f != "Dajdor.lck" && !QFile::copy(from + "/" + f, to + "/" + f)) return false;
  return true;
}

}  // namespace

bool benchPayments(const QString& source, int taxpayers) {
  // Beside the directory: the same disk, and the original stays untouched.
  QTemporaryDir copy(QFileInfo(source).absolutePath() + "/bench-payments-XXXXXX");
  if (!copy.isValid() || !copyFolder(source, copy.path())) {
    std::cerr << "Nu pot copia directorul de date.\n";
    return false;
  }
  const QString dir = copy.path();
  engine::Database db(dir.toStdString());
  dajdor::CurrentUser cashier;
  {
    const auto rows = dajdor::sql::query(db, "SELECT INCANUME FROM " + dajdor::sql::table(dir, "Chitante.dbf") +
                                                 " WHERE TIP=" + dajdor::sql::quote("C"));
    cashier.name = rows->rowCount() ? QString::fromStdString(rows->value(0, 0).toString()).trimmed() : "CASIER";
  }
  cashier.level = dajdor::UserLevel::Cashier;
  dajdor::SettingsFile settingsFile(dir + "/" + dajdor::SettingsFile::kFileName);
  const dajdor::admin::Rates rates = dajdor::admin::LoadSettings({db, settingsFile, cashier.name, 2014});
  dajdor::collect::PaymentContext context{db, dir, settingsFile, cashier, rates, QDateTime(kDay, QTime(10, 0)), 2014};

  const auto owing = dajdor::sql::query(db, "SELECT IDGOS FROM " + dajdor::sql::table(dir, "SoldCalc.dbf") +
                                                " WHERE REST>0");
  std::vector<std::int64_t> ids;
  for (std::size_t r = 0; r < owing->rowCount(); ++r) ids.push_back(owing->value(r, 0).toInt());
  std::mt19937 random(20141015);
  std::shuffle(ids.begin(), ids.end(), random);
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

  std::vector<double> commits, cancels, pdfs;
  dajdor::ScriptedInteraction ui;
  const QString pdf = dir + "/Chit.pdf";
  int failures = 0;
  for (std::size_t i = 0; i < ids.size() && commits.size() < kSamples; ++i) {
    const auto header = dajdor::collect::readTaxpayerHeader(db, dir, ids[i]);
    if (!header) continue;
    const bool noPenalties = dajdor::collect::penaltiesWaived(rates, header->NOTAX);
    dajdor::collect::Balance balance = dajdor::collect::computeBalance({db, dir, rates, 2014}, noPenalties, kDay,
                                                                       header->naturalPerson(), ids[i]);
    for (dajdor::collect::TaxLine& t : balance.taxes)
      if (t.DEPLATA > 0) t.ACHITAT = t.DEPLATA;
    auto prepared = dajdor::collect::prepareOperation(context, {balance, *header, kDay, noPenalties});
    auto* op = std::get_if<dajdor::collect::PreparedOperation>(&prepared);
    if (!op || op->kind != dajdor::collect::DocumentKind::Receipt || op->hasNoLines()) continue;
    const dajdor::collect::OperationChoice choice{"CHITANTA", op->header.proposedNumber, kDay, header->NUMEP};
    if (dajdor::collect::checkOperation(context, *op, choice)) {
      ++failures;
      continue;
    }
    std::variant<dajdor::collect::Problem, dajdor::collect::CommittedDocument> result;
    const double commit = millis([&] { result = dajdor::collect::commitPayment(context, *op, choice); });
    const auto* doc = std::get_if<dajdor::collect::CommittedDocument>(&result);
    if (!doc) {
      ++failures;
      continue;
    }
    const double printed = millis([&] { dajdor::collect::writeReceiptPdf(context, doc->IDCHIT, pdf, ui); });
    bool cancelled = false;
    const double cancel = millis([&] { cancelled = dajdor::collect::cancelDocument(context, doc->IDCHIT, ui); });
    if (!cancelled) ++failures;
    if (i < kWarmUp) continue;
    commits.push_back(commit);
    pdfs.push_back(printed);
    cancels.push_back(cancel);
  }
  const double sync = syncMillis(dir);
  const double goal = 4 * sync + 5;
  const auto row = [&](const char* what, const std::vector<double>& v, double limit) {
    const double m = median(v);
    std::printf("| %s | %.2f ms | %.2f ms | at most %.1f ms: %s |\n", what, m, worst(v), limit,
                m <= limit ? "met" : "NOT met");
    return m <= limit;
  };
  std::cout << "\nPayments on a copy of " << source.toStdString() << " (" << taxpayers << " taxpayers, "
            << commits.size() << " payments)\n\n| Measure | Median | Worst | Goal |\n|---|---:|---:|---|\n";
  std::printf("| One fdatasync of a small file on the same disk | %.2f ms | | |\n", sync);
  bool met = row("Payment commit (snapshot, balances, lines, log, counters)", commits, goal);
  met = row("Cancellation (copy, zeroed lines, restored balances)", cancels, goal) && met;
  met = row("Receipt PDF written", pdfs, kPdfGoalMs) && met;
  if (failures) std::cout << failures << " operations refused or failed\n";
  return met && failures == 0 && commits.size() == kSamples;
}
