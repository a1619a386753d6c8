// dajdor-cli DIR COMMAND ...: the domain's operations on a data directory,
// without a window, acting as a user of its s.mpg with the same rights.
//
// Output follows dajdor-sql: results on stdout, one line per problem on stderr,
// exit code 0 when the command ran, 1 when it was refused or failed, 2 for a
// command line that cannot be understood.
#pragma once

#include "admin/rates.h"
#include "store/engine/database.h"
#include "store/interaction.h"
#include "users/current_user.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

namespace dajdor::cli {

enum ExitCode { Done = 0, Refused = 1, Usage = 2 };

struct Streams {
  QTextStream& out;
  QTextStream& err;
};

// The whole command line after the program name.
int run(const QStringList& arguments, Streams streams);
void printHelp(QTextStream& out);

// What every command needs before it runs: an existing data directory and a
// user whose name and password match s.mpg, with one of `levels`. Prints the
// refusal and returns false otherwise; nothing is created or written either way.
struct Login {
  QString name;
  QString password;
};
bool isDataDirectory(const QString& dir, Streams streams);
// `who`, when given, receives the checked user (name, level, legitimation).
bool checkLogin(const QString& dir, const Login& login, const QList<int>& levels, const QString& what,
                Streams streams, CurrentUser* who = nullptr);

// The steps every command takes before its work: a command line it could read
// (`problem` empty, else the problem and the help are printed), an existing data
// directory and a user checked as checkLogin does. Returns Done when the command
// may go on, otherwise its exit code.
int admit(const QString& dir, const QString& problem, const Login& login, const QList<int>& levels,
          const QString& what, Streams streams, CurrentUser* who = nullptr);

// A command's folder for its work tables and settings copy; false, with the
// message printed, when none can be made.
bool scratchReady(const QTemporaryDir& scratch, Streams streams);

// The settings as the program reads them for `user`, from a copy in `copyDir`:
// loading writes the flags that are missing, and the commands write nothing to
// the directory. Throws the stores' errors.
admin::Rates readSettingsCopy(engine::Database& db, const QString& dir, const QString& user, const QString& copyDir);

// "--name value" options among positional arguments. `names` are the options
// taking a value; anything else starting with "--" is a problem.
struct Options {
  QMap<QString, QString> values;
  QStringList positional;
  QString problem;

  bool has(const QString& name) const { return values.contains(name); }
  Login login() const { return {values.value("--user"), values.value("--password")}; }
};
Options parseOptions(const QStringList& arguments, const QStringList& names);
QDate parseDay(const QString& text);  // DD.MM.YYYY, invalid otherwise

// What the domain reports, as lines on stderr; questions get `answer` (NU
// unless the command itself is the confirmation, which is then not printed).
class StreamInteraction : public Interaction {
 public:
  explicit StreamInteraction(QTextStream& err, int answer = Answer::Nu) : err_(err), answer_(answer) {}
  int message(const QString& title, const QString& text, int buttons, MessageKind kind) override;
  void problem(const QString& text, const QString& field) override;
  void progressStart(const QString&, int) override {}
  void progressStep(int) override {}
  void progressEnd() override {}

 private:
  QTextStream& err_;
  int answer_;
};

// The commands.
int transferCommand(const QString& dir, const QStringList& arguments, Streams streams);
int balanceCommand(const QString& dir, const QStringList& arguments, Streams streams);
int cashRegisterCommand(const QString& dir, const QStringList& arguments, Streams streams);
int paymentsListCommand(const QString& dir, const QStringList& arguments, Streams streams);
int addTaxCommand(const QString& dir, const QStringList& arguments, Streams streams);
int fixedQuantityCommand(const QString& dir, const QStringList& arguments, Streams streams);
int payCommand(const QString& dir, const QStringList& arguments, Streams streams);
int receiptCommand(const QString& dir, const QStringList& arguments, Streams streams);
int cancelCommand(const QString& dir, const QStringList& arguments, Streams streams);

}  // namespace dajdor::cli
