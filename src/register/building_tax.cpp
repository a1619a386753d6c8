#include "register/building_tax.h"

#include "admin/legal_building_tax.h"
#include "register/page_catalogue.h"
#include "store/text_rules.h"

#include <QDate>

#include <array>

namespace dajdor::reg {
namespace {

const QString kBuildingsLine = QStringLiteral("Cladiri");
const QString kAnnexesLine = QStringLiteral("Cladiri-Anexe");
const QString kSquareMetres = QStringLiteral("mp");
const QString kInventoryValue = QStringLiteral("Lei-Val.");

QString gridRate(const QString& prefix, const QString& zone, int rank) {
  return QStringLiteral("%1Z%2R%3").arg(prefix, zone.trimmed()).arg(rank);
}

// Older buildings are taxed less: over 30 years x 0.9, over 50 years x 0.8.
Currency ageReduced(Currency value, int workYear, std::int64_t year) {
  const std::int64_t age = workYear - year;
  if (age <= 30) return value;
  return value * Currency::fromUnits(age <= 50 ? 9000 : 8000);
}

// +5 % for each started 50 m2 above 150 m2.
Currency sizeIncreased(Currency value, Currency area) {
  const Currency over = area - Currency::whole(150) + Currency::fromUnits(499900);
  const std::int64_t blocks = over < Currency() ? 0 : over.units() / Currency::whole(50).units();
  return value * (Currency::whole(1) + Currency::fromUnits(500) * blocks);
}

// A second, third, fourth and further dwelling of the same owner is taxed more.
Currency dwellingIncreased(Currency value, int dwelling) {
  if (value <= Currency()) return value;
  if (dwelling == 2) return value * Currency::fromUnits(16500);
  if (dwelling == 3) return value * Currency::fromUnits(25000);
  if (dwelling >= 4 && dwelling <= 10) return value * Currency::whole(4);
  return value;
}

int position(const PageValues& page, const QString& name) { return static_cast<int>(pageWhole(page, name)); }

bool ticked(const PageValues& page, const QString& name) { return page.value(name).trimmed().toUpper() == "DA"; }

QDate evaluationDate(const PageValues& page, const QString& name) {
  return QDate::fromString(page.value(name).trimmed(), QStringLiteral("dd.MM.yyyy"));
}

// The bonus of a legal person's line: granted only when the administration gives it to them.
void legalBonus(DebtLine& line, const TaxContext& context, const QString& percentRate, bool exempt, bool rounded) {
  if (!context.rates.bonusLegalPersons() || exempt) return;
  line.reductionPercent = context.rate(percentRate);
  line.reduction = line.tax.percent(line.reductionPercent);
  if (rounded) line.reduction = Currency::whole(line.reduction.rounded());
}

// The inputs of one of a natural person's eight buildings.
struct BuildingInputs {
  QString area, material, zone, rank, year, dwelling;
};
const std::array<BuildingInputs, 8>& buildingInputs() {
  static const std::array<BuildingInputs, 8> inputs = [] {
    std::array<BuildingInputs, 8> all;
    for (int i = 1; i <= 8; ++i) {
      const QString n = QString::number(i);
      all[static_cast<std::size_t>(i - 1)] = {"SupC" + n, "CodMC" + n, "ZonaC" + n, "RangC" + n, "AnC" + n, "NrC" + n};
    }
    return all;
  }();
  return inputs;
}

const QString kBuildingsIncrease = QStringLiteral("CotaMajC");
const QString kBuildingsBonus = QStringLiteral("ICRED");
const QString kAnnexesIncrease = QStringLiteral("CotaMajA");
const QString kAnnexesBonus = QStringLiteral("IARED");

DebtLine naturalBuildings(const PageValues& page, const TaxContext& context, bool exempt) {
  Currency sum, area;
  for (const BuildingInputs& b : buildingInputs()) {
    const Currency s = pageQuantity(page, b.area);
    // Nothing built adds nothing, whatever its other inputs.
    if (s == Currency()) continue;
    const QString rateName =
        gridRate(position(page, b.material) == 0 ? "IC" : "IC2", page.value(b.zone), rankPosition(page.value(b.rank)));
    Currency v = s * context.rate(rateName);
    v = sizeIncreased(v, s);
    v = ageReduced(v, context.workYear, pageWhole(page, b.year));
    v = dwellingIncreased(v, position(page, b.dwelling));
    sum += v;
    area += s;
  }
  DebtLine line{kGroupBuildings, kBuildingsLine, kSquareMetres, area, {}, {}, {}, {}};
  line.tax = exempt ? Currency() : Currency::whole(sum.percent(context.rate(kBuildingsIncrease)).rounded());
  line.reductionPercent = context.rate(kBuildingsBonus);
  line.reduction = Currency::whole(line.tax.percent(line.reductionPercent).rounded());
  return line;
}

DebtLine legalBuildings(const PageValues& page, const TaxContext& context, bool exempt) {
  std::int64_t sum = 0;
  Currency values;
  for (int j = 1; j <= 12; ++j) {
    const QString n = QString::number(j);
    const Currency value = pageQuantity(page, "CladJur" + n);
    sum += admin::LegalBuildingTax(context.rates, context.workYear, ticked(page, "Amor" + n),
                                   evaluationDate(page, "DataEval" + n), value.toDouble());
    values += value;
  }
  DebtLine line{kGroupBuildings, kBuildingsLine, kInventoryValue, values, {}, {}, {}, {}};
  line.tax = exempt ? Currency() : Currency::whole(sum);
  legalBonus(line, context, kBuildingsBonus, exempt, false);
  return line;
}

struct AnnexInputs {
  QString area, year, material, zone, rank;
};
const AnnexInputs kAnnexes[2] = {{"NumericEdit11", "NumericEdit10", "ComboBox16", "ComboBox15", "ComboBox17"},
                                 {"NumericEdit1", "NumericEdit16", "ComboBox1", "ComboBox2", "ComboBox18"}};

DebtLine naturalAnnexes(const PageValues& page, const TaxContext& context, bool exempt) {
  Currency sum, area;
  for (const AnnexInputs& a : kAnnexes) {
    const Currency s = pageQuantity(page, a.area);
    sum += AnnexValue(context, s, pageWhole(page, a.year), position(page, a.material), page.value(a.zone),
                      rankPosition(page.value(a.rank)));
    area += s;
  }
  DebtLine line{kGroupBuildings, kAnnexesLine, kSquareMetres, area, {}, {}, {}, {}};
  line.tax = exempt ? Currency() : Currency::whole(sum.rounded());
  line.reductionPercent = context.rate(kAnnexesBonus);
  line.reduction = line.tax.percent(line.reductionPercent);
  return line;
}

DebtLine legalAnnexes(const PageValues& page, const TaxContext& context, bool exempt) {
  std::int64_t sum = 0;
  Currency values;
  for (int k = 1; k <= 2; ++k) {
    const QString n = QString::number(k);
    const Currency value = pageQuantity(page, "ValInvCAPJ" + n);
    sum += admin::LegalAnnexTax(context.rates, context.workYear, ticked(page, "AmoCA" + n),
                                evaluationDate(page, "DataECA" + n), value.toDouble());
    values += value;
  }
  DebtLine line{kGroupBuildings, kAnnexesLine, kInventoryValue, values, {}, {}, {}, {}};
  line.tax = exempt ? Currency() : Currency::whole(sum);
  legalBonus(line, context, kAnnexesBonus, exempt, true);
  return line;
}

}  // namespace

int rankPosition(const QString& rank) { return static_cast<int>(buildingRanks().indexOf(rank.trimmed())); }

Currency AnnexValue(const TaxContext& context, Currency area, std::int64_t year, int material, const QString& zone,
                    int rank) {
  const Currency rate = context.rate(gridRate(material <= 0 ? "IA1" : "IA2", zone, rank));
  const Currency v = (area * rate).percent(context.rate(kAnnexesIncrease));
  return ageReduced(v, context.workYear, year);
}

DebtLine AssessBuildings(const PageValues& page, const TaxContext& context) {
  const bool exempt = context.taxpayer.exemptBuildings;
  return context.legalPerson() ? legalBuildings(page, context, exempt) : naturalBuildings(page, context, exempt);
}

DebtLine AssessAnnexes(const PageValues& page, const TaxContext& context) {
  const bool exempt = context.taxpayer.exemptBuildings;
  return context.legalPerson() ? legalAnnexes(page, context, exempt) : naturalAnnexes(page, context, exempt);
}

}  // namespace dajdor::reg
