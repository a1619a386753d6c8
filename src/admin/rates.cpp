#include "admin/rates.h"

#include "admin/settings_catalogue.h"
#include "store/text_rules.h"

#include <QRegularExpression>

#include <cmath>

namespace dajdor::admin {

Rates::Rates() {
  for (const SettingInput& in : settingInputs()) setText(in.name, in.initial);
}

QString Rates::text(const QString& name) const { return texts_.value(name.trimmed().toUpper()); }

void Rates::setText(const QString& name, const QString& text) {
  texts_.insert(name.trimmed().toUpper(), text);
}

bool Rates::has(const QString& name) const { return texts_.contains(name.trimmed().toUpper()); }

bool Rates::parseRate(const QString& text, double& out) {
  static const QRegularExpression number(R"(^\d+(\.\d*)?$|^\.\d+$)");
  const QString trimmed = text.trimmed();
  if (!number.match(trimmed).hasMatch()) return false;
  out = trimmed.toDouble();
  return std::isfinite(out);
}

double Rates::value(const QString& name) const {
  double v = 0;
  if (parseRate(text(name), v)) return v;
  const SettingInput* in = findSettingInput(name);
  return in && parseRate(in->initial, v) ? v : 0;
}

std::int64_t Rates::whole(const QString& name) const { return RoundToInt(value(name)); }

bool Rates::option(const QString& key) const {
  return text(key).trimmed().compare("DA", Qt::CaseInsensitive) == 0;
}

QTime Rates::autoImportTime() const {
  const QString t = text("ORAAUTORA").trimmed();
  for (const char* format : {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"}) {
    const QTime time = QTime::fromString(t, format);
    if (time.isValid()) return time;
  }
  return QTime(0, 0);
}

}  // namespace dajdor::admin
