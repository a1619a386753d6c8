// The input of one rate: takes only what leaves a non-negative number (whole for
// integer rates), and says why with a balloon when a keystroke or a paste is refused.
#pragma once

#include "admin/settings_catalogue.h"

#include <QLineEdit>

namespace dajdor::admin {

class RateEdit : public QLineEdit {
  Q_OBJECT
 public:
  RateEdit(const SettingInput& input, QWidget* parent = nullptr);

  // The text as a rate: "0" when the input was left empty.
  QString rateText() const;
  void setRateText(const QString& text);
  // What the balloon says when a text is refused.
  QString refusalMessage() const;
  // True when `text` is on the way to a valid rate (empty included).
  bool acceptable(const QString& text) const;

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void onEdited(const QString& text);

  InputKind kind_;
  QString accepted_;
};

}  // namespace dajdor::admin
