// dajdor-cli DIR transfer --user NAME --password PW (--all | IDGOS...): the
// unattended AddAllPlata, for the whole commune or the taxpayers named.
#include "cli.h"

#include "admin/settings_store.h"
#include "register/transfer_to_debts.h"
#include "store/lists.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"
#include "store/version.h"
#include "users/current_user.h"

namespace dajdor::cli {
namespace {

struct TransferArguments {
  Login login;
  bool all = false;
  QList<std::int64_t> ids;
  QString problem;
};

TransferArguments parse(const QStringList& arguments) {
  TransferArguments parsed;
  bool haveUser = false, havePassword = false;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if ((a == "--user" || a == "--password") && i + 1 < arguments.size()) {
      (a == "--user" ? parsed.login.name : parsed.login.password) = arguments[++i];
      (a == "--user" ? haveUser : havePassword) = true;
    } else if (a == "--all") {
      parsed.all = true;
    } else {
      bool ok = false;
      const std::int64_t id = a.toLongLong(&ok);
      if (!ok || id <= 0) {
        parsed.problem = "Argument neinteles: " + a;
        return parsed;
      }
      parsed.ids.append(id);
    }
  }
  if (!haveUser || !havePassword) parsed.problem = "Lipsesc --user sau --password.";
  else if (parsed.all == !parsed.ids.isEmpty()) parsed.problem = "Dati fie --all, fie IDGOS-urile contribuabililor.";
  return parsed;
}

}  // namespace

int transferCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  const TransferArguments parsed = parse(arguments);
  if (const int refused =
          admit(dir, parsed.problem, parsed.login, {UserLevel::Admin, UserLevel::Operator}, "adauge la plata", streams))
    return refused;
  try {
    engine::Database db(dir.toStdString());
    SettingsFile settings(sql::tablePath(dir, SettingsFile::kFileName));
    const admin::Rates rates = admin::LoadSettings({db, settings, CleanSpaces(parsed.login.name), kWorkYear});
    reg::TransferSummary summary;
    QList<reg::Taxpayer> taxpayers;
    if (parsed.all) {
      taxpayers = reg::taxpayersToTransfer(db, dir, FillVillageList(db, dir));
    } else {
      QList<std::int64_t> unknown;
      taxpayers = reg::taxpayersById(db, dir, parsed.ids, &unknown);
      for (const std::int64_t id : unknown) {
        ++summary.refused;
        summary.refusals.append(QStringLiteral("Nu exista contribuabilul cu IDGOS %1.").arg(id));
      }
    }
    reg::TransferStore store(db, dir, settings, rates, kWorkYear, 1024);
    const reg::TransferSummary done = reg::transferTaxpayers(store, taxpayers, rates, kWorkYear);
    summary.added += done.added;
    summary.refused += done.refused;
    summary.refusals += done.refusals;
    for (const QString& refusal : summary.refusals) streams.err << refusal << "\n";
    streams.out << reg::transferSummaryText(summary) << "\n";
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

}  // namespace dajdor::cli
