// dajdor-cli DIR add-tax ... and DIR fixed-quantity ...: the register's two
// operations for a whole village, unattended: no question, the closing message
// printed.
#include "cli.h"

#include "register/fines.h"
#include "register/village_fees.h"
#include "store/lists.h"
#include "store/settings_file.h"
#include "store/sql_helpers.h"
#include "store/version.h"
#include "users/current_user.h"

#include <QRegularExpression>

namespace dajdor::cli {
namespace {

// The value or quantity as the dialog's input takes it: up to six digits, no sign.
bool parseWhole(const QString& text, Currency& out) {
  static const QRegularExpression shape(QStringLiteral("^\\d{1,6}([.,]\\d{1,4})?$"));
  return shape.match(text).hasMatch() && Currency::parsePlain(text, out);
}

struct VillageArguments {
  Options options;
  Currency number;
};

VillageArguments parse(const QStringList& arguments, const QString& numberOption, const QStringList& flags) {
  QStringList rest;
  VillageArguments parsed;
  QStringList given;
  for (const QString& a : arguments) (flags.contains(a) ? given : rest).append(a);
  parsed.options = parseOptions(rest, {"--user", "--password", "--village", "--tax", numberOption});
  for (const QString& f : given) parsed.options.values.insert(f, "1");
  QString& problem = parsed.options.problem;
  if (!problem.isEmpty()) return parsed;
  if (!parsed.options.positional.isEmpty()) problem = "Argument neinteles: " + parsed.options.positional.front();
  else if (!parsed.options.has("--village") || !parsed.options.has("--tax") || !parsed.options.has(numberOption))
    problem = "Lipsesc --village, --tax sau " + numberOption + ".";
  else if (!parseWhole(parsed.options.values.value(numberOption), parsed.number))
    problem = numberOption + " trebuie sa fie un numar pozitiv de cel mult 6 cifre.";
  return parsed;
}

// Runs one of the two operations as the checked user; prints its closing message.
template <typename Operation>
int runForVillage(const QString& dir, const VillageArguments& parsed, Streams streams, const QString& what,
                  Operation&& operation) {
  if (const int refused = admit(dir, parsed.options.problem, parsed.options.login(),
                                {UserLevel::Admin, UserLevel::Operator}, what, streams))
    return refused;
  try {
    engine::Database db(dir.toStdString());
    SettingsFile settings(sql::tablePath(dir, SettingsFile::kFileName));
    const QString village = parsed.options.values.value("--village");
    if (!FillVillageList(db, dir).contains(village)) {
      streams.err << "Localitatea " << village << " nu este in lista localitatilor; nu a fost modificat nimic.\n";
      return Refused;
    }
    StreamInteraction ui(streams.err);
    const reg::VillageRun run{db, dir, settings, ui, kWorkYear, true};
    const std::optional<QString> closing = operation(run, db);
    if (!closing) return Refused;
    streams.out << QString(*closing).replace('\r', ' ') << "\n";
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

}  // namespace

int addTaxCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  const VillageArguments parsed = parse(arguments, "--value", {"--only-with-houses"});
  const QString tax = parsed.options.values.value("--tax");
  return runForVillage(dir, parsed, streams, "adauge taxe", [&](const reg::VillageRun& run, engine::Database& db) {
    if (!reg::villageTaxes(db, dir).contains(tax)) {
      streams.err << "Taxa " << tax << " nu este o taxa (tip T) a nomenclatorului de coduri de clasificare.\n";
      return std::optional<QString>();
    }
    return reg::AddTaxToVillage(run, {parsed.options.values.value("--village"), tax,
                                      parsed.options.values.value("--value"), parsed.options.has("--only-with-houses")});
  });
}

int fixedQuantityCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  const VillageArguments parsed = parse(arguments, "--quantity", {});
  const QString tax = parsed.options.values.value("--tax");
  return runForVillage(dir, parsed, streams, "stabileasca taxe", [&](const reg::VillageRun& run, engine::Database&) {
    if (!reg::fixedQuantityTaxes().contains(tax)) {
      streams.err << "Taxa " << tax << " nu este una din: " << reg::fixedQuantityTaxes().join(", ") << ".\n";
      return std::optional<QString>();
    }
    return reg::SetVillageQuantity(run, {parsed.options.values.value("--village"), tax, parsed.number});
  });
}

}  // namespace dajdor::cli
