// TPerSelect ("Rapoarte"): village, role range, calculation date and the first
// registration number of the documents a report or notice run produces. The
// numbers and dates stay as last entered from one opening to the next.
#pragma once

#include <QDate>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace dajdor {
struct AppContext;
}

namespace dajdor::collect {

class ReportRangeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ReportRangeDialog(AppContext& context, QWidget* parent = nullptr);

  bool prepare(const QString& title);
  bool ask(const QString& title);
  // "Raporteaza": false (and the problem shown) when a choice is wrong.
  bool confirm();

  QString village() const;
  std::int64_t firstRol() const;
  std::int64_t lastRol() const;
  QDate calculationDate() const;
  QString firstRegistrationNumber() const;
  QDate registrationDate() const;

 private:
  AppContext& context_;
  QLabel* heading_;
  QComboBox* village_;
  QLineEdit* rol0_;
  QLineEdit* rol1_;
  QDateEdit* date_;
  QLineEdit* number_;
  QDateEdit* numberDate_;
};

}  // namespace dajdor::collect
