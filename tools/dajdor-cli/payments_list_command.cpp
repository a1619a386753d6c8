// dajdor-cli DIR payments-list --user NAME --password PW DD.MM.YYYY DD.MM.YYYY
// --out FILE [--cashier NAME]: the hand-entered payments of the period, as
// "Lista plati" writes them.
#include "cash/cash_listings.h"
#include "cash_template.h"
#include "cli.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

#include <QTemporaryDir>

namespace dajdor::cli {

int paymentsListCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  Options options = parseOptions(arguments, {"--user", "--password", "--out", "--cashier"});
  QDate first, last;
  if (options.problem.isEmpty()) {
    if (options.positional.size() != 2 || !options.has("--out"))
      options.problem = "Dati perioada (ZZ.LL.AAAA ZZ.LL.AAAA) si --out FISIER.xlsx.";
    else if (!(first = parseDay(options.positional[0])).isValid() || !(last = parseDay(options.positional[1])).isValid())
      options.problem = "Datele perioadei nu sunt de forma ZZ.LL.AAAA.";
  }
  if (options.problem.isEmpty() && last < first) {
    streams.err << "Perioada incorecta!\n";
    return Usage;
  }
  CurrentUser user;
  if (const int refused = admit(dir, options.problem, options.login(),
                                {UserLevel::Admin, UserLevel::Operator, UserLevel::Cashier}, "vada lista platilor",
                                streams, &user))
    return refused;
  QTemporaryDir scratch;
  if (!scratchReady(scratch, streams)) return Refused;
  try {
    engine::Database db(dir.toStdString());
    const QString model = cashTemplate(dir, cash::kPaymentsTemplate, "LISTPLAT", scratch.path());
    StreamInteraction interaction(streams.err);
    TemplateExport xls(interaction);
    const QString out = options.values.value("--out");
    const QString cashier = CleanSpaces(options.values.value("--cashier"));
    if (!cash::writePaymentsWorkbook(xls, model, db, dir, first, last, cashier, user) || !xls.saveAs(out)) {
      streams.err << "Lista platilor nu a fost scrisa.\n";
      return Refused;
    }
    streams.out << "Lista platilor " << first.toString("dd.MM.yyyy") << " - " << last.toString("dd.MM.yyyy") << "\n"
                << "Fisier\t" << out << "\n";
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

}  // namespace dajdor::cli
