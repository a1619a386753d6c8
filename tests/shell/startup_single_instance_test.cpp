#include "shell/single_instance.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QUuid>

namespace dajdor {
namespace {

QString uniqueKey() { return "Dajdor test " + QUuid::createUuid().toString(QUuid::Id128); }

TEST(SingleInstance, ASecondStartAsksTheFirstToComeForwardAndEnds) {
  const QString key = uniqueKey();
  SingleInstance first(key);
  ASSERT_TRUE(first.claim());
  QSignalSpy activations(&first, &SingleInstance::activationRequested);

  SingleInstance second(key);
  EXPECT_FALSE(second.claim());
  EXPECT_TRUE(activations.count() == 1 || activations.wait(5000));
  EXPECT_EQ(activations.count(), 1);
}

TEST(SingleInstance, OnceTheFirstHasEndedTheNextStartRuns) {
  const QString key = uniqueKey();
  QString lockFile;
  {
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    lockFile = first.lockFilePath();
    EXPECT_TRUE(QFile::exists(lockFile));
  }
  EXPECT_FALSE(QFile::exists(lockFile));
  SingleInstance next(key);
  EXPECT_TRUE(next.claim());
}

TEST(SingleInstance, ALockLeftByACrashedCopyDoesNotBlock) {
  const QString key = uniqueKey();
  SingleInstance probe(key);
  // A lock file naming a process that no longer exists, and no one listening.
  QFile stale(probe.lockFilePath());
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.write("999999999\ndajdor\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  stale.close();
  EXPECT_TRUE(probe.claim());
}

}  // namespace
}  // namespace dajdor
