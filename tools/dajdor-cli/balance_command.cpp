// dajdor-cli DIR balance --user NAME --password PW IDGOS DD.MM.YYYY: the three
// work tables of the collections window as computed at that date.
#include "cli.h"

#include "admin/settings_store.h"
#include "collect/balance.h"
#include "collect/collection_sheet.h"
#include "collect/taxpayer_header.h"
#include "store/engine/value.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/store_error.h"
#include "store/text_rules.h"
#include "store/version.h"
#include "users/current_user.h"

#include <QFile>
#include <QTemporaryDir>

namespace dajdor::cli {
namespace {

struct BalanceArguments {
  Login login;
  std::int64_t idgos = 0;
  QDate calcDate;
  QString problem;
};

BalanceArguments parse(const QStringList& arguments) {
  BalanceArguments parsed;
  bool haveUser = false, havePassword = false;
  QStringList positional;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if ((a == "--user" || a == "--password") && i + 1 < arguments.size()) {
      (a == "--user" ? parsed.login.name : parsed.login.password) = arguments[++i];
      (a == "--user" ? haveUser : havePassword) = true;
    } else {
      positional.append(a);
    }
  }
  if (!haveUser || !havePassword) {
    parsed.problem = "Lipsesc --user sau --password.";
    return parsed;
  }
  if (positional.size() != 2) {
    parsed.problem = "Dati IDGOS-ul contribuabilului si data calcularii (ZZ.LL.AAAA).";
    return parsed;
  }
  bool ok = false;
  parsed.idgos = positional[0].toLongLong(&ok);
  if (!ok || parsed.idgos <= 0) {
    parsed.problem = "IDGOS neinteles: " + positional[0];
    return parsed;
  }
  parsed.calcDate = QDate::fromString(positional[1], "dd.MM.yyyy");
  if (!parsed.calcDate.isValid()) parsed.problem = "Data calcularii nu este de forma ZZ.LL.AAAA: " + positional[1];
  return parsed;
}

void printTable(collect::WorkTables& tables, collect::WorkTable which, QTextStream& out) {
  const schema::Table& layout = collect::workTableLayout(which);
  QStringList names;
  for (const schema::Field& f : layout.fields) names.append(f.name);
  out << collect::workTableName(which) << "\n" << names.join('\t') << "\n";
  const auto rows =
      sql::query(tables.database(), "SELECT " + names.join(", ") + " FROM " + sql::table(tables.path(which)));
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    QStringList values;
    for (std::size_t c = 0; c < rows->columnCount(); ++c)
      values.append(QString::fromStdString(rows->value(r, c).toString()));
    out << values.join('\t') << "\n";
  }
  out << "\n";
}

}  // namespace

int balanceCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  const BalanceArguments parsed = parse(arguments);
  if (const int refused = admit(dir, parsed.problem, parsed.login,
                                {UserLevel::Admin, UserLevel::Operator, UserLevel::Cashier}, "vada situatia", streams))
    return refused;
  QTemporaryDir scratch;
  if (!scratchReady(scratch, streams)) return Refused;
  try {
    engine::Database db(dir.toStdString());
    const admin::Rates rates = readSettingsCopy(db, dir, CleanSpaces(parsed.login.name), scratch.path());
    const auto taxpayer = collect::readTaxpayerHeader(db, dir, parsed.idgos);
    if (!taxpayer) {
      streams.err << QStringLiteral("Nu exista contribuabilul cu IDGOS %1.").arg(parsed.idgos) << "\n";
      return Refused;
    }
    collect::CollectionSheet sheet({db, dir, rates, kWorkYear}, scratch.path());
    sheet.BuildBalance(collect::penaltiesWaived(rates, taxpayer->NOTAX), parsed.calcDate, taxpayer->naturalPerson(),
                       parsed.idgos);
    for (collect::WorkTable t : {collect::WorkTable::Taxes, collect::WorkTable::OtherTaxes, collect::WorkTable::Debits})
      printTable(sheet.workTables(), t, streams.out);
    streams.out << "Total datorie\t" << sheet.balance().total << "\n";
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

}  // namespace dajdor::cli
