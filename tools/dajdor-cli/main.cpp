// dajdor-cli DIR COMMAND ...: the domain's operations without a window.
#include "cli.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

// stderr carries the program's own messages only; Qt's notes about the
// desktop it runs without (no display, no runtime folder) are dropped.
void onlyQtFailures(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  // Receipts are laid out with fonts (a GUI application) but never shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(onlyQtFailures);
  QGuiApplication app(argc, argv);
  QTextStream out(stdout), err(stderr);
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  return dajdor::cli::run(arguments, {out, err});
}
