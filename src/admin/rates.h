// Every rate and option of the administration window, by name.
//
// Calculations read a rate by the name of its input ("ICZAR4", "EC3ZB",
// "CotaMajC", "G12A") and an option by its settings-file key ("BONIF50",
// "FARAMAJORARI", "ADMINBLOCAT2014"). Names are matched without regard to case.
// A value that is missing, not a number or negative reads as the input's initial
// value, so a damaged row never turns into a wrong tax.
#pragma once

#include <QHash>
#include <QString>
#include <QTime>

#include <cstdint>

namespace dajdor::admin {

class Rates {
 public:
  // Every input at its initial value.
  Rates();

  // The stored text; "" for a name nothing holds.
  QString text(const QString& name) const;
  void setText(const QString& name, const QString& text);
  bool has(const QString& name) const;

  // A rate as a number: the text when it is a non-negative number, otherwise the
  // input's initial value (0 for a name without an input).
  double value(const QString& name) const;
  // The rate rounded half away from zero.
  std::int64_t whole(const QString& name) const;
  // True when the text is "DA" (trimmed, any case).
  bool option(const QString& key) const;
  // Stores an option as "DA" or "NU".
  void setOption(const QString& key, bool on) { setText(key, yesNo(on)); }
  // Stores a time of day as the stores keep it, "HH:mm:ss".
  void setTime(const QString& name, const QTime& time) { setText(name, timeText(time)); }

  // Options with a meaning of their own.
  bool previewReceipts() const { return option("PREVIEWL"); }
  bool pdfReceipts() const { return option("FORMATPDF"); }
  bool bonusUnder50() const { return option("BONIF50"); }
  bool bonusLegalPersons() const { return option("REDUCERE_JURIDICE"); }
  bool autoImport() const { return option("AUTORA"); }
  bool noPenaltiesMode() const { return option("FARAMAJORARI"); }
  bool yearClosed(int workYear) const { return option(closedYearKey(workYear)); }
  QTime autoImportTime() const;  // 00:00 when the text is not a time
  QString defaultZone() const { return text("ComboBox2"); }
  QString defaultRank() const { return text("ComboBox3"); }

  static QString closedYearKey(int workYear) { return "ADMINBLOCAT" + QString::number(workYear); }
  static QString yesNo(bool on) { return on ? QStringLiteral("DA") : QStringLiteral("NU"); }
  static QString timeText(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }
  // A non-negative number written with '.', as the rate inputs accept it.
  static bool parseRate(const QString& text, double& out);

 private:
  QHash<QString, QString> texts_;  // upper-case name -> text
};

}  // namespace dajdor::admin
