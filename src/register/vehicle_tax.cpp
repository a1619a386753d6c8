#include "register/vehicle_tax.h"

#include "store/text_rules.h"

namespace dajdor::reg {
namespace {

// The caption of each car and trailer class on the vehicles page, which names its line.
QString vehicleClass(int n) {
  static const QHash<int, QString> captions = {
      {1, "1201 - 1400 cmc"},  {2, "1401 - 1600 cmc"},  {3, "1601 - 1800 cmc"},
      {4, "1801 - 2000 cmc"},  {5, "2001 - 2200 cmc"},  {6, "2201 - 2400 cmc"},
      {7, "2401 - 2600 cmc"},  {8, "2601 - 2800 cmc"},  {9, "2801 - 3000 cmc"},
      {10, "peste 3000 cmc: Cap.(cmc)"},
      {14, "pana la 1 tona inclusiv"}, {15, "peste 1 tona - pana la 3 tone"},
      {16, "peste 3 tone - pana la 5 tone"}, {17, "peste 5 tone"},
      {18, "1001 - 1200 cmc"}, {19, "801 - 1000 cmc"},   {20, "601 - 800 cmc"},
      {21, "401 - 600 cmc"},   {22, "201 - 400 cmc"},    {23, "pana la 200 cmc"}};
  return captions.value(n);
}

QString carLineName(int n) {
  if (n == 11) return QStringLiteral("Alte autovehicule");
  if (n >= 14 && n <= 17) return "Remorci, rulote " + vehicleClass(n);
  return "Autoturisme cap.cil. " + vehicleClass(n);
}

const QStringList kTruckClasses = {
    "Vehicule 2 axe,12-13t,",    "Vehicule 2 axe,13-14t,",   "Vehicule 2 axe,14-15t,",
    "Vehicule 2 axe,peste 15t,", "Vehicule 3 axe,15-17t,",   "Vehicule 3 axe,17-19t,",
    "Vehicule 3 axe,19-21t,",    "Vehicule 3 axe,21-23t,",   "Vehicule 3 axe,23-25t,",
    "Vehicule 3 axe,peste 25t,", "Vehicule 4 axe,23-25t,",   "Vehicule 4 axe,25-27t,",
    "Vehicule 4 axe,27-29t,",    "Vehicule 4 axe,29-31t,",   "Vehicule 4 axe,peste 31t,"};

const QStringList kCombinationClasses = {
    "Vehicule 2+1 axe,12-14t,",    "Vehicule 2+1 axe,14-16t,",    "Vehicule 2+1 axe,16-18t,",
    "Vehicule 2+1 axe,18-20t,",    "Vehicule 2+1 axe,20-22t,",    "Vehicule 2+1 axe,22-23t,",
    "Vehicule 2+1 axe,23-25t,",    "Vehicule 2+1 axe,peste 25t,", "Vehicule 2+2 axe,23-25t,",
    "Vehicule 2+2 axe,25-26t,",    "Vehicule 2+2 axe,26-28t,",    "Vehicule 2+2 axe,28-29t,",
    "Vehicule 2+2 axe,29-31t,",    "Vehicule 2+2 axe,31-33t,",    "Vehicule 2+2 axe,33-36t,",
    "Vehicule 2+2 axe,peste 36t,", "Vehicule 2+3 axe,36-38t,",    "Vehicule 2+3 axe,peste 38t,",
    "Vehicule 3+2 axe,36-38t,",    "Vehicule 3+2 axe,38-40t,",    "Vehicule 3+2 axe,peste 40t,",
    "Vehicule 3+3 axe,36-38t,",    "Vehicule 3+3 axe,38-40t,",    "Vehicule 3+3 axe,peste 40t,"};

const QStringList kWaterVehicles = {"Luntre,barca,scuter,uz personal", "Barca fara motor",
                                    "Barca cu motor",                  "Nave de sport si agrement",
                                    "Scutere de apa",                  "Remorcher pana la 500CP",
                                    "Remorcher pana la 2000CP",        "Remorcher pana la 4000CP",
                                    "Remorcher peste 4000CP",          "Vapoare",
                                    "Ceam,slep,barja pana la 1500to",  "Ceam,slep,barja 1500-3000to",
                                    "Ceam,slep,barja peste 3000to"};

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
                  classes[n - 1] + (column == "B" ? "fara " : "") + "susp.pneum."});
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
  static const QList<GridClass> truckClasses = gridClasses("G", kTruckClasses);
  static const QList<GridClass> combinationClasses = gridClasses("GC", kCombinationClasses);
  countedClasses(lines, trucks, context, truckClasses);
  countedClasses(lines, combinations, context, combinationClasses);
  static const QStringList waterInputs = [] {
    QStringList names;
    for (int n = 1; n <= kWaterVehicles.size(); ++n) names.append(QStringLiteral("APA%1").arg(n));
    return names;
  }();
  for (int n = 1; n <= kWaterVehicles.size(); ++n) {
    const QString& name = waterInputs[n - 1];
    const std::int64_t input = pageWhole(water, name);
    const std::int64_t taxed = n == 10 ? capacityUnits(input, 1000) : input;
    lines.append(vehicleLine(context, kWaterVehicles[n - 1], n == 10 ? QStringLiteral("tdw") : "buc", Currency::whole(input),
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
