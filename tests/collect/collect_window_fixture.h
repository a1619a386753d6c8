// The collect fixture with a run's context for the windows, and screenshots.
#pragma once

#include "collect/collect_fixture.h"
#include "session/app_context.h"
#include "store/scripted_interaction.h"

class QWidget;

namespace dajdor::testing {

// A run's context over the program folder `appDir` and its data directory, on
// 31.03.2014 at 10:00, with the cashier CASIER logged in.
void setUpWindowContext(AppContext& context, const QString& appDir, ScriptedInteraction& ui,
                        const admin::Rates& rates);
// Saved under the build's screenshots folder for looking at.
void saveScreenshot(QWidget* widget, const QString& file);

class CollectWindowTest : public CollectTest {
 protected:
  void SetUp() override;
  // Saved under the build's screenshots folder for looking at.
  static void grab(QWidget* widget, const QString& file);

  ScriptedInteraction ui_;
  AppContext context_;
};

}  // namespace dajdor::testing
