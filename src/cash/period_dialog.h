// `TFAlegePerioada`: a period for a listing. One dialog serves every caller,
// so each opening shows the dates and the check box last chosen; the check box
// "Inclusiv platile prin virament" shows only when the caller asks for it.
#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QCheckBox;
class QDateEdit;
class QPushButton;

namespace dajdor {
class Interaction;
}

namespace dajdor::cash {

struct Period {
  QDate first;
  QDate last;
  bool withTransfers = false;
};

class PeriodDialog : public QDialog {
  Q_OBJECT
 public:
  PeriodDialog(const QDate& today, Interaction& interaction, QWidget* parent = nullptr);

  std::optional<Period> ask(bool offerTransfers);
  void choose();

  QDateEdit* first() const { return first_; }
  QDateEdit* last() const { return last_; }
  QCheckBox* transfers() const { return transfers_; }
  QPushButton* chooseButton() const { return choose_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  Interaction& interaction_;
  QDateEdit* first_;
  QDateEdit* last_;
  QCheckBox* transfers_;
  QPushButton* choose_;
};

}  // namespace dajdor::cash
