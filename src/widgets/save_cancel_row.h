// The "&Memoreaza" / "&Renunt" pair every editor dialog ends with: Alt+M
// stores and Alt+R cancels, whichever input has the focus. Also the layout and
// the modal showing every editor shares.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QHBoxLayout;
class QLayout;
class QPushButton;
class QWidget;

namespace dajdor {

struct SaveCancelRow {
  QPushButton* save;    // objectName "Memoreaza"
  QPushButton* cancel;  // objectName "Renunt"; rejects the dialog
  QHBoxLayout* layout;  // stretch, then the two buttons on the right
};

// Neither button is an auto-default: Enter walks the inputs, as in every editor.
SaveCancelRow makeSaveCancelRow(QDialog* dialog, std::function<void()> onSave);

// An editor laid out: its heading, its inputs, then the pair; Enter walks the
// inputs and, in `lastInput`, stores.
SaveCancelRow layOutEditor(QDialog* dialog, QWidget* heading, QLayout* inputs, QWidget* lastInput,
                           const std::function<void()>& onSave);

// An editor's edit(): filled with `entry` under `header`, shown modally; true
// when stored, the dialog's checked result then in `entry`.
template <typename Dialog, typename Entry>
bool editIn(Dialog& dialog, const QString& header, Entry& entry) {
  dialog.fill(header, entry);
  if (dialog.exec() != QDialog::Accepted) return false;
  entry = dialog.result();
  return true;
}

}  // namespace dajdor
