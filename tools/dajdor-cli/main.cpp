// dajdor-cli DIR COMMAND ...: the domain's operations without a window.
#include "cli.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
  // Receipts are laid out with fonts (a GUI application) but never shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTextStream out(stdout), err(stderr);
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  return dajdor::cli::run(arguments, {out, err});
}
