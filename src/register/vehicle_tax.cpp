#include "register/vehicle_tax.h"

#include "register/vehicle_classes.h"
#include "store/text_rules.h"

namespace dajdor::reg {
namespace {

// Exemption and bonus, the same for every vehicle line.
DebtLine vehicleLine(const TaxContext& context, const QString& name, const QString& unit, Currency quantity,
                     Currency tax) {
  const bool exempt = context.taxpayer.exemptVehicles;
  DebtLine line{kGroupVehicles, name, unit, quantity, {}, {}, {}, exempt ? Currency() : tax};
  static const QString bonusRate = QStringLiteral("NumericEdit3");
  if (context.bonusGranted() && !exempt) {
    line.reductionPercent = context.rate(bonusRate);
    line.reduction = line.tax.percent(line.reductionPercent);
  }
  return line;
}

// The inputs (also the rates) and line names of a grid page, column A then B.
struct GridClass {
  QString input, line;
};
QList<GridClass> gridClasses(const QString& prefix, const QStringList& classes) {
  QList<GridClass> all;
  for (const QString& column : {QStringLiteral("A"), QStringLiteral("B")})
    for (int n = 1; n <= classes.size(); ++n)
      all.append({prefix + QString::number(n) + column,
                  gridLineName(classes[n - 1], column == "A")});
  return all;
}

// A rate per vehicle times the number of vehicles, for each class of a grid page.
void countedClasses(DebtLines& lines, const PageValues& page, const TaxContext& context,
                    const QList<GridClass>& classes) {
  for (const GridClass& c : classes) {
    const std::int64_t count = pageWhole(page, c.input);
    lines.append(vehicleLine(context, c.line, QStringLiteral("buc"), Currency::whole(count), context.rate(c.input) * count));
  }
}

// The rows of the tractors or the buses: line name, capacity and count inputs, rate.
struct CapacityRow {
  QString line, capacity, count, rate;
};
QList<CapacityRow> capacityRows(const QString& name, const QString& capacityInput, const QString& countInput,
                                const QString& rate, int rows) {
  QList<CapacityRow> all;
  for (int r = 1; r <= rows; ++r) {
    const QString n = QString::number(r);
    all.append({name + n, capacityInput + n, countInput + n, rate});
  }
  return all;
}

// Tractors and buses: a rate per 200 cm3 of each vehicle, times the number of vehicles.
void capacityLines(DebtLines& lines, const PageValues& page, const TaxContext& context,
                   const QList<CapacityRow>& rows) {
  for (const CapacityRow& row : rows) {
    const std::int64_t capacity = std::max<std::int64_t>(0, pageWhole(page, row.capacity));
    const std::int64_t count = pageWhole(page, row.count);
    lines.append(vehicleLine(context, row.line, QStringLiteral("cmc"), Currency::whole(capacity * count),
                             context.rate(row.rate) * (capacityUnits(capacity) * count)));
  }
}

}  // namespace

DebtLines AssessVehicles(const PageValues& vehicles, const PageValues& trucks, const PageValues& combinations,
                         const PageValues& water, const TaxContext& context) {
  DebtLines lines;
  lines.reserve(128);
  static const QStringList inputs = [] {
    QStringList names;
    for (int n = 0; n <= 23; ++n) names.append(QStringLiteral("AUTO%1").arg(n));
    return names;
  }();
  static const QStringList lineNames = [] {
    QStringList names;
    for (int n = 0; n <= 23; ++n) names.append(carLineName(n));
    return names;
  }();
  for (int n = 1; n <= 23; ++n) {
    if (n == 12 || n == 13) continue;
    const std::int64_t input = pageWhole(vehicles, inputs[n]);
    const std::int64_t quantity = n == 10 || n == 11 ? capacityUnits(input) : input;
    lines.append(vehicleLine(context, lineNames[n], n == 11 ? QStringLiteral("unit") : "buc", Currency::whole(quantity),
                             context.rate(inputs[n]) * quantity));
  }
  static const QList<CapacityRow> tractors = capacityRows("Tractoare inmatriculate ", "TRACCAP", "TRACBUC", "AUTO13", 4);
  static const QList<CapacityRow> buses = capacityRows("Autobuze,autocare,microbuze ", "ATBCAP", "ATBCANT", "AUTO12", 2);
  capacityLines(lines, vehicles, context, tractors);
  capacityLines(lines, vehicles, context, buses);
  static const QList<GridClass> trucksGrid = gridClasses("G", truckClasses());
  static const QList<GridClass> combinationsGrid = gridClasses("GC", combinationClasses());
  countedClasses(lines, trucks, context, trucksGrid);
  countedClasses(lines, combinations, context, combinationsGrid);
  static const QStringList waterInputs = [] {
    QStringList names;
    for (int n = 1; n <= waterVehicles().size(); ++n) names.append(QStringLiteral("APA%1").arg(n));
    return names;
  }();
  for (int n = 1; n <= waterVehicles().size(); ++n) {
    const QString& name = waterInputs[n - 1];
    const std::int64_t input = pageWhole(water, name);
    const std::int64_t taxed = n == 10 ? capacityUnits(input, 1000) : input;
    lines.append(vehicleLine(context, waterVehicles()[n - 1], n == 10 ? QStringLiteral("tdw") : "buc", Currency::whole(input),
                             context.rate(name) * taxed));
  }
  return lines;
}

DebtLines AssessUnregisteredVehicles(const PageValues& page, const TaxContext& context) {
  DebtLines lines;
  const auto byCapacity = [&](const QString& name, int first, const QString& rate) {
    std::int64_t units = 0, vehicles = 0;
    for (int k = first; k < first + 5; ++k) {
      const std::int64_t capacity = pageWhole(page, QStringLiteral("VN%1").arg(k));
      units += capacityUnits(capacity);
      if (capacity > 0) ++vehicles;
    }
    lines.append(
        vehicleLine(context, name, QStringLiteral("buc"), Currency::whole(vehicles), context.rate(rate) * units));
  };
  byCapacity(QStringLiteral("Auto neinmatriculate pana la 4800 cmc"), 1, QStringLiteral("VN1"));
  byCapacity(QStringLiteral("Auto neinmatriculate peste 4800 cmc"), 6, QStringLiteral("VN2"));
  const std::int64_t unrecorded = pageWhole(page, "VN11");
  lines.append(vehicleLine(context, QStringLiteral("Auto neinmat. cu cap.cil.neevidentiabila"), QStringLiteral("buc"),
                           Currency::whole(unrecorded), context.rate(QStringLiteral("VN3")) * unrecorded));
  return lines;
}

}  // namespace dajdor::reg
