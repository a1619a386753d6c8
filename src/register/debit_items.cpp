#include "register/debit_items.h"

#include "register/page_catalogue.h"
#include "register/vehicle_classes.h"

#include <algorithm>

namespace dajdor::reg {
namespace {

QList<VehicleEntry> registeredVehicles() {
  const QString pag5 = QStringLiteral("PAG5");
  QList<VehicleEntry> all;
  for (int n = 1; n <= 23; ++n) {
    if (n == 12 || n == 13) continue;
    if (n == 11) all.append({carLineName(n), pag5, carColumn(n), {}});
    else all.append({carLineName(n), pag5, {}, carColumn(n)});
  }
  all.append({QStringLiteral("Autobuze,autocare,microbuze 1"), pag5, "ATB1", "ATBNR1"});
  all.append({QStringLiteral("Tractoare inmatriculate 1"), pag5, "TRAC1", "TBUC1"});
  for (int n = 1; n <= truckClasses().size(); ++n)
    for (const bool pneumatic : {true, false})
      all.append({gridLineName(truckClasses()[n - 1], pneumatic), pag5, {},
                  QStringLiteral("G%1%2").arg(n).arg(pneumatic ? 'A' : 'B')});
  for (int n = 1; n <= combinationClasses().size(); ++n)
    for (const bool pneumatic : {true, false})
      all.append({gridLineName(combinationClasses()[n - 1], pneumatic), pag5, {},
                  QStringLiteral("GC%1%2").arg(n).arg(pneumatic ? 'A' : 'B')});
  for (int n = 1; n <= waterVehicles().size(); ++n) {
    const QString column = QStringLiteral("APA%1").arg(n);
    if (n == 10) all.append({waterVehicles()[n - 1], pag5, column, {}, true});
    else all.append({waterVehicles()[n - 1], pag5, {}, column});
  }
  std::sort(all.begin(), all.end(), [](const VehicleEntry& a, const VehicleEntry& b) {
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
  });
  return all;
}

}  // namespace

const QList<VehicleEntry>& vehicleEntries() {
  static const QList<VehicleEntry> entries = [] {
    QList<VehicleEntry> all = registeredVehicles();
    const QString pag6 = QStringLiteral("PAG6");
    all.append({QStringLiteral("Vehicule neinmatriculate pana la 4800 cmc"), pag6, "VN1", {}});
    all.append({QStringLiteral("Vehicule neinmatriculate peste 4800 cmc"), pag6, "VN6", {}});
    all.append({QStringLiteral("Vehicule neinmatriculate cu cap.neevidentiata"), pag6, {}, "VN11"});
    return all;
  }();
  return entries;
}

const VehicleEntry* vehicleEntry(const QString& name) {
  for (const VehicleEntry& e : vehicleEntries())
    if (e.name == name) return &e;
  return nullptr;
}

QStringList debitBuiltLandCategories() { return QStringList{kYardCategory} + builtLandCategories(); }
QStringList builtLandZones() { return {"A", "B", "C", "D", "E"}; }
QStringList openLandZones() { return {"A", "B", "C", "D"}; }

}  // namespace dajdor::reg
