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
ZoneSum zoneSum(const PageValues& page, const TaxContext& context, const QString& prefix, const QStringList& keys) {
  ZoneSum sum;
  for (const QString& key : keys) {
    const Currency surface = pageQuantity(page, prefix + key);
    sum.surface += surface;
    sum.tax += context.rate(prefix + key) * surface;
  }
  return sum;
}

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
  QStringList zoneKeys;
  for (const QString& z : kZones) zoneKeys.append("Z" + z);
  DebtLines lines;
  const QStringList categories = openLandCategories();
  for (int l = 1; l <= categories.size(); ++l) {
    const ZoneSum sum = zoneSum(page, context, QStringLiteral("EC%1").arg(l), zoneKeys);
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
    DebtLine line{kGroupLandOutside, categories[l - 1], "ha", sum.surface, {}, {}, {}, Currency::whole(tax.rounded())};
    setBonus(line, context, "ERED", bonus);
    lines.append(line);
  }
  return lines;
}

DebtLines AssessIntravilan(const PageValues& page, const TaxContext& context) {
  DebtLines lines;
  const ZoneSum yards = zoneSum(page, context, "ICC", kZones);
  const bool yardsExempt = context.taxpayer.exemptYard;
  DebtLine yardLine{kGroupLandInside, "Curti-constructii", "mp", yards.surface, {}, {}, {},
                    yardsExempt ? Currency() : Currency::whole(yards.tax.rounded())};
  setBonus(yardLine, context, "IIRED", context.bonusGranted() && !yardsExempt);
  lines.append(yardLine);

  const bool otherExempt = context.taxpayer.exemptInside;
  const QStringList categories = builtLandCategories();
  const QStringList zoneNumbers = {"1", "2", "3", "4", "5"};
  for (int r = 1; r <= categories.size(); ++r) {
    const ZoneSum sum = zoneSum(page, context, QStringLiteral("IA%1").arg(r), zoneNumbers);
    DebtLine line{kGroupLandInside, categories[r - 1], "ha", sum.surface, {}, {}, {},
                  otherExempt ? Currency() : Currency::whole(sum.tax.rounded())};
    setBonus(line, context, "IIRED", context.bonusGranted() && !otherExempt);
    lines.append(line);
  }
  return lines;
}

}  // namespace dajdor::reg
