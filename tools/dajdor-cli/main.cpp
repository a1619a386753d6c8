// dajdor-cli DIR COMMAND ...: the domain's operations without a window.
#include "cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout), err(stderr);
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  return dajdor::cli::run(arguments, {out, err});
}
