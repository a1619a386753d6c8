// The "&Memoreaza" / "&Renunt" pair every editor dialog ends with: Alt+M
// stores and Alt+R cancels, whichever input has the focus.
#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace dajdor {

struct SaveCancelRow {
  QPushButton* save;    // objectName "Memoreaza"
  QPushButton* cancel;  // objectName "Renunt"; rejects the dialog
  QHBoxLayout* layout;  // stretch, then the two buttons on the right
};

// Neither button is an auto-default: Enter walks the inputs, as in every editor.
SaveCancelRow makeSaveCancelRow(QDialog* dialog, std::function<void()> onSave);

}  // namespace dajdor
