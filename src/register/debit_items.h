// What a debit of the year can name in each detail tab of the "Impozite"
// dialog: the land categories and the 117 vehicle entries, each with the page
// table and columns of the assessment file it changes.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dajdor::reg {

// A vehicle entry: the capacity and the count it takes (either may be absent)
// and the columns of its page table that receive them.
struct VehicleEntry {
  QString name;
  QString file;            // "PAG5" or "PAG6"
  QString capacityColumn;  // empty: no capacity input
  QString countColumn;     // empty: no count input
  bool tonnage = false;    // the capacity is a total deadweight ("total tdw"), not cm3

  bool hasCapacity() const { return !capacityColumn.isEmpty(); }
  bool hasCount() const { return !countColumn.isEmpty(); }
};

// The 117 entries: the vehicle lines of the vehicle tax sorted by name, then the
// three unregistered classes.
const QList<VehicleEntry>& vehicleEntries();
// The entry of that name, or null.
const VehicleEntry* vehicleEntry(const QString& name);

// The built-up land categories of a debit: "Curti-constructii" first, then the
// categories of the built-up land page. Surfaces in mp for the first, ha for the others.
QStringList debitBuiltLandCategories();
inline const QString kYardCategory = QStringLiteral("Curti-constructii");
QStringList builtLandZones();  // A ... E
QStringList openLandZones();   // A ... D

}  // namespace dajdor::reg
