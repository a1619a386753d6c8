// Runs one operation of a window and tells the user when a store fails, instead
// of letting the failure end the program. The operation's own checks have run
// before anything is written, so a failure leaves the stores as they were or as
// the engine's transaction restored them.
#pragma once

#include "store/engine/database.h"
#include "store/interaction.h"
#include "store/store_error.h"

#include <QString>

namespace dajdor::admin {

template <typename Operation>
bool reportErrors(Interaction& interaction, const QString& title, Operation&& operation) {
  try {
    operation();
    return true;
  } catch (const engine::Error& e) {
    interaction.error(title, QString::fromStdString(e.what()));
  } catch (const StoreError& e) {
    interaction.error(title, e.message());
  }
  return false;
}

}  // namespace dajdor::admin
