// dajdor-cli DIR COMMAND ...: the domain's operations on a data directory,
// without a window, acting as a user of its s.mpg with the same rights.
//
// Output follows dajdor-sql: results on stdout, one line per problem on stderr,
// exit code 0 when the command ran, 1 when it was refused or failed, 2 for a
// command line that cannot be understood.
#pragma once

#include <QString>
#include <QStringList>
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
bool checkLogin(const QString& dir, const Login& login, const QList<int>& levels, const QString& what,
                Streams streams);

// The commands.
int transferCommand(const QString& dir, const QStringList& arguments, Streams streams);
int balanceCommand(const QString& dir, const QStringList& arguments, Streams streams);

}  // namespace dajdor::cli
