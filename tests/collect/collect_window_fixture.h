// The collect fixture with a run's context for the windows, and screenshots.
#pragma once

#include "collect/collect_fixture.h"
#include "session/app_context.h"
#include "store/scripted_interaction.h"

class QWidget;

namespace dajdor::testing {

class CollectWindowTest : public CollectTest {
 protected:
  void SetUp() override;
  // Saved under the build's screenshots folder for looking at.
  static void grab(QWidget* widget, const QString& file);

  ScriptedInteraction ui_;
  AppContext context_;
};

}  // namespace dajdor::testing
