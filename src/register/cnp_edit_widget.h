// TCNPEdit: the input of a personal numeric code. It takes digits only (from
// either row of keys), at most 13, and tells whether the text is a valid CNP,
// the birth date and the sex it encodes. Enter, Tab and Escape go on to the
// window, so the editor's navigation and cancel keep working.
#pragma once

#include <QDate>
#include <QLineEdit>

namespace dajdor::reg {

class CnpEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(bool Corect READ Corect)
  Q_PROPERTY(QDate NascutLa READ NascutLa)
  Q_PROPERTY(bool AcceptGol READ AcceptGol WRITE setAcceptGol)
 public:
  explicit CnpEdit(QWidget* parent = nullptr);

  bool Corect() const;
  QDate NascutLa() const;
  QString Sexul() const;
  bool AcceptGol() const { return acceptEmpty_; }
  void setAcceptGol(bool accept) { acceptEmpty_ = accept; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void typeDigit(QChar digit);
  void erase(bool before);

  bool acceptEmpty_ = false;
};

}  // namespace dajdor::reg
