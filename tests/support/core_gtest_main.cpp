// GoogleTest entry for tests of domain code: a QCoreApplication, so that event
// loops, signals and local sockets work, and no widget can be made.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
