#include "register/other_taxes.h"

#include "register/page_catalogue.h"
#include "store/text_rules.h"

namespace dajdor::reg {

DebtLines AssessOtherTaxes(const PageValues& page, const TaxContext& context) {
  DebtLines lines;
  static const QStringList names = otherTaxNames();
  static const QStringList inputs = [] {
    QStringList all;
    for (int k = 1; k <= names.size(); ++k) all.append(QStringLiteral("Alte%1").arg(k));
    return all;
  }();
  for (int k = 1; k <= names.size(); ++k) {
    const QString& input = inputs[k - 1];
    const Currency quantity = pageQuantity(page, input);
    lines.append(
        {names[k - 1], names[k - 1], QStringLiteral("buc"), quantity, {}, {}, {}, context.rate(input) * quantity});
  }
  return lines;
}

QList<OtherArrears> otherTaxArrears(const PageValues& page) {
  static const QStringList labels = {"Vehicule lente", "Taxa pe pasune", "Concesionari", "Iluminat",
                                     "Salubritate",    "PSI",            "Paza"};
  QList<OtherArrears> arrears;
  for (int k = 0; k < labels.size(); ++k)
    arrears.append({labels[k], pageQuantity(page, QStringLiteral("NumericEdit%1").arg(17 + k)).rounded()});
  return arrears;
}

QList<TaxArrears> mainTaxArrears(const PageValues& page, const TaxContext& context) {
  const QStringList groups = {kGroupLandOutside, kGroupBuildings, kGroupLandInside, kGroupVehicles};
  const bool noPenalties = context.rates.noPenaltiesMode() && context.taxpayer.noPenalties;
  QList<TaxArrears> arrears;
  for (int k = 1; k <= groups.size(); ++k) {
    TaxArrears a{groups[k - 1], pageQuantity(page, QStringLiteral("NumericEdit%1").arg(11 + k)).rounded(),
                 pageQuantity(page, QStringLiteral("Sold%1").arg(k)).rounded(),
                 pageQuantity(page, QStringLiteral("Pen%1").arg(11 + k)).rounded()};
    if (noPenalties) a.penalties = 0;
    arrears.append(a);
  }
  return arrears;
}

}  // namespace dajdor::reg
