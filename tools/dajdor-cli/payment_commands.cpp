// dajdor-cli DIR pay | receipt | cancel: a payment entered as a cashier enters
// it, the reprint of a receipt as PDF, and the cancellation of a document, with
// the windows' rights, messages and log rows.
#include "cli.h"

#include "collect/cancellation.h"
#include "collect/entered_payment.h"
#include "collect/locked_year.h"
#include "collect/receipt_output.h"
#include "collect/receipt_record.h"
#include "store/clock.h"
#include "store/settings_file.h"
#include "store/store_error.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"
#include "store/version.h"

#include <QTemporaryDir>

namespace dajdor::cli {
namespace {

const QList<int> kAnyUser{UserLevel::Admin, UserLevel::Operator, UserLevel::Cashier};

// "Impozite:<IDRES>=AMOUNT", "Taxe:<IDDAT>=AMOUNT", "Debite:<IDDEB>=AMOUNT".
bool parseAmount(const QString& text, collect::EnteredAmount& out) {
  const qsizetype colon = text.indexOf(':'), equals = text.indexOf('=');
  if (colon < 0 || equals < colon) return false;
  const QString table = text.left(colon);
  bool idOk = false, amountOk = false;
  out.id = text.mid(colon + 1, equals - colon - 1).toLongLong(&idOk);
  out.amount = text.mid(equals + 1).toLongLong(&amountOk);
  for (const collect::WorkTable t : {collect::WorkTable::Taxes, collect::WorkTable::OtherTaxes, collect::WorkTable::Debits})
    if (table.compare(collect::workTableName(t), Qt::CaseInsensitive) == 0) {
      out.table = t;
      return idOk && amountOk;
    }
  return false;
}

// The document's Chitante lines as dajdor-sql prints a SELECT.
void printDocument(engine::Database& db, const QString& dir, std::int64_t IDCHIT, QTextStream& out) {
  const auto rows = sql::query(db, "SELECT * FROM " + sql::table(dir, collect::kReceiptsTable) +
                                       " WHERE IDCHIT=" + sql::number(IDCHIT));
  QStringList names;
  for (std::size_t c = 0; c < rows->columnCount(); ++c) names.append(QString::fromStdString(rows->columnName(c)));
  out << names.join('\t') << "\n";
  for (std::size_t r = 0; r < rows->rowCount(); ++r) {
    QStringList values;
    for (std::size_t c = 0; c < rows->columnCount(); ++c)
      values.append(QString::fromStdString(rows->value(r, c).toString()));
    out << values.join('\t') << "\n";
  }
}

// The data directory, the settings as the user's program reads them, and the
// moment of the run, for one command.
struct Session {
  QTemporaryDir scratch;
  std::unique_ptr<engine::Database> db;
  admin::Rates rates;
  Clock clock;

  collect::PaymentContext context(const QString& dir, const CurrentUser& user) {
    return {*db, dir, SettingsFile(sql::tablePath(dir, SettingsFile::kFileName)), user, rates, clock.now(), kWorkYear};
  }
};

std::unique_ptr<Session> openSession(const QString& dir, const CurrentUser& user) {
  auto s = std::make_unique<Session>();
  if (!s->scratch.isValid()) throw StoreError("Nu se poate crea un director temporar.");
  s->db = std::make_unique<engine::Database>(dir.toStdString());
  s->rates = readSettingsCopy(*s->db, dir, user.name, s->scratch.path());
  return s;
}

std::int64_t positiveNumber(const QString& text) {
  bool ok = false;
  const std::int64_t n = text.toLongLong(&ok);
  return ok && n > 0 ? n : 0;
}

}  // namespace

int payCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  Options options = parseOptions(arguments, {"--user", "--password", "--type", "--number", "--doc-date", "--payer", "--pdf"});
  std::int64_t idgos = 0;
  QDate calcDate;
  QList<collect::EnteredAmount> amounts;
  collect::EnteredChoice choice;
  if (options.problem.isEmpty()) {
    if (options.positional.size() < 2)
      options.problem = "Dati IDGOS-ul, data calcularii (ZZ.LL.AAAA) si sumele (Impozite:IDRES=SUMA ...).";
    else if ((idgos = positiveNumber(options.positional[0])) == 0)
      options.problem = "IDGOS neinteles: " + options.positional[0];
    else if (!(calcDate = parseDay(options.positional[1])).isValid())
      options.problem = "Data calcularii nu este de forma ZZ.LL.AAAA: " + options.positional[1];
    for (const QString& a : options.positional.mid(2)) {
      collect::EnteredAmount amount;
      if (!parseAmount(a, amount) && options.problem.isEmpty())
        options.problem = "Suma neinteleasa (Impozite:IDRES=SUMA, Taxe:IDDAT=SUMA, Debite:IDDEB=SUMA): " + a;
      amounts.append(amount);
    }
    if (options.has("--type")) choice.type = options.values.value("--type").toUpper();
    if (options.has("--number")) choice.number = options.values.value("--number");
    if (options.has("--payer")) choice.payer = options.values.value("--payer");
    if (options.has("--doc-date") && !(choice.documentDate = parseDay(options.values.value("--doc-date")))->isValid())
      options.problem = "Data documentului nu este de forma ZZ.LL.AAAA: " + options.values.value("--doc-date");
  }
  CurrentUser user;
  if (const int refused = admit(dir, options.problem, options.login(), kAnyUser, "opereze incasari", streams, &user))
    return refused;
  try {
    auto session = openSession(dir, user);
    if (!collect::collectionActions(session->rates, kWorkYear).operateShown) {
      streams.err << "Anul de lucru este blocat de administrator: nu se pot opera incasari.\n";
      return Refused;
    }
    collect::PaymentContext context = session->context(dir, user);
    const auto result = collect::payEnteredAmounts(context, idgos, calcDate, amounts, choice);
    if (const auto* problem = std::get_if<collect::Problem>(&result)) {
      StreamInteraction(streams.err).problem(problem->text, problem->field);
      return Refused;
    }
    const auto& doc = std::get<collect::CommittedDocument>(result);
    printDocument(*session->db, dir, doc.IDCHIT, streams.out);
    if (options.has("--pdf") && doc.printed()) {
      StreamInteraction interaction(streams.err);
      if (!collect::writeReceiptPdf(context, doc.IDCHIT, options.values.value("--pdf"), interaction)) {
        streams.err << "Documentul a fost memorat (IDCHIT " << doc.IDCHIT
                    << "); chitanta se poate lista din nou cu comanda receipt.\n";
        return Refused;
      }
    }
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

int receiptCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  Options options = parseOptions(arguments, {"--user", "--password", "--pdf"});
  std::int64_t idchit = 0;
  if (options.problem.isEmpty() && (options.positional.size() != 1 || !options.has("--pdf")))
    options.problem = "Dati IDCHIT-ul documentului si --pdf FISIER.";
  else if (options.problem.isEmpty() && (idchit = positiveNumber(options.positional[0])) == 0)
    options.problem = "IDCHIT neinteles: " + options.positional[0];
  CurrentUser user;
  if (const int refused = admit(dir, options.problem, options.login(), kAnyUser, "listeze chitante", streams, &user))
    return refused;
  try {
    auto session = openSession(dir, user);
    collect::PaymentContext context = session->context(dir, user);
    StreamInteraction interaction(streams.err);
    if (!collect::writeReceiptPdf(context, idchit, options.values.value("--pdf"), interaction)) return Refused;
    streams.out << "Chitanta\t" << idchit << "\t" << options.values.value("--pdf") << "\n";
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

int cancelCommand(const QString& dir, const QStringList& arguments, Streams streams) {
  Options options = parseOptions(arguments, {"--user", "--password"});
  std::int64_t idchit = 0;
  if (options.problem.isEmpty() && (options.positional.size() != 1 || (idchit = positiveNumber(options.positional[0])) == 0))
    options.problem = "Dati IDCHIT-ul documentului de anulat.";
  CurrentUser user;
  if (const int refused = admit(dir, options.problem, options.login(), kAnyUser, "anuleze chitante", streams, &user))
    return refused;
  try {
    auto session = openSession(dir, user);
    collect::PaymentContext context = session->context(dir, user);
    // The question "Anulati chitanta selectata ?" is answered by giving the command.
    StreamInteraction interaction(streams.err, Answer::Da);
    if (!collect::cancelDocument(context, idchit, interaction)) return Refused;
    printDocument(*session->db, dir, idchit, streams.out);
    return Done;
  } catch (const std::exception& e) {
    streams.err << sql::message(e) << "\n";
    return Refused;
  }
}

}  // namespace dajdor::cli
