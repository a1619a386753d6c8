// Running the dajdor-cli program as a test drives it: exit code, stdout, stderr.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace dajdor::testing {

struct CliRun {
  int code = -1;
  QString out, err;
};

inline CliRun cli(const QStringList& arguments) {
  QProcess p;
  p.start(QStringLiteral(DAJDOR_BIN_DIR "/dajdor-cli"), arguments);
  EXPECT_TRUE(p.waitForFinished(60000));
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace dajdor::testing
