// The payment data directory with a run's context for the payment windows, and
// a presenter that keeps what would have gone to the screen or the printer.
#pragma once

#include "collect/payment_fixture.h"
#include "report/report_output.h"
#include "session/app_context.h"
#include "store/scripted_interaction.h"

namespace dajdor::testing {

struct RecordingPresenter final : report::ReportPresenter {
  bool preview(const report::ReportDocument& document) override;
  bool print(const report::ReportDocument& document) override;
  bool open(const QString& path) override;

  QStringList previewed, printed, opened;  // titles, titles, paths
  bool works = true;                       // false: every output fails, as without a printer
};

class PaymentWindowTest : public PaymentTest {
 protected:
  // The cashier ANA logged in on 02.05.2014.
  void SetUp() override;
  void logIn(const CurrentUser& who);
  QStringList messageTexts() const;
  QStringList problemTexts() const;

  ScriptedInteraction ui_;
  AppContext context_;
  RecordingPresenter presenter_;
};

}  // namespace dajdor::testing
