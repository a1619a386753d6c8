#include "collect/payment_window_fixture.h"

#include "collect/collect_window_fixture.h"

namespace dajdor::testing {

bool RecordingPresenter::preview(const report::ReportDocument& document) {
  previewed.append(document.title);
  return works;
}

bool RecordingPresenter::print(const report::ReportDocument& document) {
  printed.append(document.title);
  return works;
}

bool RecordingPresenter::open(const QString& path) {
  opened.append(path);
  return works;
}

void PaymentWindowTest::SetUp() {
  PaymentTest::SetUp();
  setUpWindowContext(context_, appDir(), ui_, rates_);
  context_.clock.setFixed(QDateTime(QDate(2014, 5, 2), QTime(9, 30)));
  // Receipts straight to the printer.
  context_.rates.setOption("PREVIEWL", false);
  context_.rates.setOption("FORMATPDF", false);
  logIn(cashier);
}

void PaymentWindowTest::logIn(const CurrentUser& who) {
  context_.user.name = who.name;
  context_.user.level = who.level;
  context_.user.legitimation = who.legitimation;
  active = who;
}

QStringList PaymentWindowTest::messageTexts() const {
  QStringList texts;
  for (const auto& m : ui_.messages) texts.append(m.title + ": " + m.text);
  return texts;
}

QStringList PaymentWindowTest::problemTexts() const {
  QStringList texts;
  for (const auto& p : ui_.problems) texts.append(p.field + ": " + p.text);
  return texts;
}

}  // namespace dajdor::testing
