#include "register/land_tax.h"

#include "register/page_catalogue.h"
#include "store/text_rules.h"

namespace dajdor::reg {
namespace {

const QStringList kZones = {"A", "B", "C", "D", "E"};

struct ZoneSum {
  Currency surface;
  Currency tax;  // sum of rate x surface, each product to four decimals
};

// The page input and the rate share one name per zone: <prefix><zone key>.
QStringList zoneNames(const QString& prefix, const QStringList& keys) {
  QStringList names;
  for (const QString& key : keys) names.append(prefix + key);
  return names;
}

ZoneSum zoneSum(const PageValues& page, const TaxContext& context, const QStringList& names) {
  ZoneSum sum;
  for (const QString& name : names) {
    const Currency surface = pageQuantity(page, name);
    if (surface == Currency()) continue;
    sum.surface += surface;
    sum.tax += context.rate(name) * surface;
  }
  return sum;
}

// The zone names of each category, built once: <prefix><category number><zone key>.
QList<QStringList> categoryZoneNames(const QString& prefix, qsizetype categories, const QStringList& keys) {
  QList<QStringList> all;
  for (qsizetype c = 1; c <= categories; ++c) all.append(zoneNames(prefix + QString::number(c), keys));
  return all;
}

const QString kOpenBonus = QStringLiteral("ERED");
const QString kBuiltBonus = QStringLiteral("IIRED");

void setBonus(DebtLine& line, const TaxContext& context, const QString& percentRate, bool granted) {
  if (!granted) return;
  line.reductionPercent = context.rate(percentRate);
  line.reduction = Currency::whole(line.tax.percent(line.reductionPercent).rounded());
}

}  // namespace

DebtLines AssessExtravilan(const PageValues& page, const TaxContext& context) {
  const Currency exemption = Currency::whole(context.taxpayer.exemptOutside);
  Currency left = exemption;
  // A legal person that is not granted the bonus loses it on unbuilt land only
  // when part of that tax is exempted.
  const bool bonus = context.bonusGranted() || exemption == Currency();
  static const QStringList categories = openLandCategories();
  static const QList<QStringList> names =
      categoryZoneNames(QStringLiteral("EC"), categories.size(), zoneNames(QStringLiteral("Z"), kZones));
  DebtLines lines;
  for (int l = 1; l <= categories.size(); ++l) {
    const ZoneSum sum = zoneSum(page, context, names[l - 1]);
    Currency tax = sum.tax;
    if (left > Currency()) {
      const Currency t = left - tax;
      if (t >= Currency()) {
        tax = Currency();
        left = t;
      } else {
        tax = -t;
        left = Currency();
      }
    }
    DebtLine line{kGroupLandOutside, categories[l - 1], QStringLiteral("ha"), sum.surface, {}, {}, {},
                  Currency::whole(tax.rounded())};
    setBonus(line, context, kOpenBonus, bonus);
    lines.append(line);
  }
  return lines;
}

DebtLines AssessIntravilan(const PageValues& page, const TaxContext& context) {
  DebtLines lines;
  static const QStringList yardNames = zoneNames(QStringLiteral("ICC"), kZones);
  const ZoneSum yards = zoneSum(page, context, yardNames);
  const bool yardsExempt = context.taxpayer.exemptYard;
  DebtLine yardLine{kGroupLandInside, QStringLiteral("Curti-constructii"), QStringLiteral("mp"), yards.surface,
                    {}, {}, {}, yardsExempt ? Currency() : Currency::whole(yards.tax.rounded())};
  setBonus(yardLine, context, kBuiltBonus, context.bonusGranted() && !yardsExempt);
  lines.append(yardLine);

  const bool otherExempt = context.taxpayer.exemptInside;
  static const QStringList categories = builtLandCategories();
  static const QList<QStringList> names =
      categoryZoneNames(QStringLiteral("IA"), categories.size(), {"1", "2", "3", "4", "5"});
  for (int r = 1; r <= categories.size(); ++r) {
    const ZoneSum sum = zoneSum(page, context, names[r - 1]);
    DebtLine line{kGroupLandInside, categories[r - 1], QStringLiteral("ha"), sum.surface, {}, {}, {},
                  otherExempt ? Currency() : Currency::whole(sum.tax.rounded())};
    setBonus(line, context, kBuiltBonus, context.bonusGranted() && !otherExempt);
    lines.append(line);
  }
  return lines;
}

}  // namespace dajdor::reg
