// dajdor-cli DIR cash-register --user NAME --password PW DD.MM.YYYY --out FILE
// [--cashier NAME]: the day's cash register workbook, as "Listeaza Registru de
// casa" writes it, and the day's balances on stdout.
#include "cash/cash_listings.h"
#include "cash/cash_register.h"
#include "cash_template.h"
#include "cli.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

#include <QTemporaryDir>

namespace dajdor::cli {

int cashRegisterCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  Options options = parseOptions(arguments, {"--user", "--password", "--out", "--cashier"});
  QDate day;
  if (options.problem.isEmpty()) {
    if (options.positional.size() != 1 || !options.has("--out"))
      options.problem = "Dati ziua registrului (ZZ.LL.AAAA) si --out FISIER.xlsx.";
    else if (!(day = parseDay(options.positional[0])).isValid())
      options.problem = "Ziua nu este de forma ZZ.LL.AAAA: " + options.positional[0];
  }
  CurrentUser user;
  if (const int refused = admit(dir, options.problem, options.login(),
                                {UserLevel::Admin, UserLevel::Operator, UserLevel::Cashier}, "vada registrul de casa",
                                streams, &user))
    return refused;
  QTemporaryDir scratch;
  if (!scratchReady(scratch, streams)) return Refused;
  try {
    engine::Database db(dir.toStdString());
    const admin::Rates rates = readSettingsCopy(db, dir, CleanSpaces(user.name), scratch.path());
    cash::CashRegister cashRegister(db, dir);
    cashRegister.load();
    const QString cashier = CleanSpaces(options.values.value("--cashier"));
    const cash::CashDay view = cashRegister.Filtru(day, cashier);

    const QString model = cashTemplate(dir, cash::kRegisterTemplate, "REGCASA", scratch.path());
    StreamInteraction interaction(streams.err);
    TemplateExport xls(interaction);
    const QString out = options.values.value("--out");
    if (!cash::writeRegisterWorkbook(xls, model, {rates.text("PrimariaLab"), rates.text("ContabilLab")}, day, cashier, view) ||
        !xls.saveAs(out)) {
      streams.err << "Registrul de casa nu a fost scris.\n";
      return Refused;
    }
    streams.out << "Registru de casa " << day.toString("dd.MM.yyyy")
                << (cashier.isEmpty() ? QString() : ", casier " + cashier) << "\n"
                << "Sold precedent\t" << view.previousBalance << "\n"
                << "Operatiuni\t" << view.rows.size() << "\n"
                << "Total incasat\t" << view.totalReceived << "\n"
                << "Total platit\t" << view.totalPaid << "\n"
                << "De reportat\t" << view.carriedForward() << "\n"
                << "Fisier\t" << out << "\n";
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

}  // namespace dajdor::cli
