// The taxpayer's vehicle details (AutoDet.dbf): a free list of his vehicles
// with file number, type, make, capacity, chassis and engine numbers. Shown on
// the vehicles page and in a read-only viewer; they do not enter the tax.
#pragma once

#include "register/assessment_pages.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dajdor {
class SettingsFile;
}

namespace dajdor::reg {

inline const QString kVehicleDetailTable = QStringLiteral("AutoDet.dbf");

struct VehicleDetail {
  std::int64_t idgos = 0;
  std::int64_t iddeta = 0;
  QString fileNumber = QStringLiteral("0");  // NrDos, upper case
  QString type = QStringLiteral("Autoturisme");
  QString make = QStringLiteral("* nespecificata *");
  std::int64_t capacity = 0;  // cm3, at least 10
  QString chassis, engine;    // Serie, SerieM, upper case
  QString observations;       // Obs

  friend bool operator==(const VehicleDetail&, const VehicleDetail&) = default;
};

// The detail editor's inputs, named for the problems reported on them.
namespace VehicleDetailField {
inline const QString FileNumber = QStringLiteral("NrDos");
inline const QString Capacity = QStringLiteral("Capacit");
}  // namespace VehicleDetailField

QStringList vehicleTypes();  // "Autoturisme", "Alte autovehicule", "Remorci", "Tractoare", "Autobuze"
QStringList vehicleMakes();  // 114 makes, "* nespecificata *" first

// "Memoreaza": blanks cleaned and upper case where the table keeps it; a
// capacity under 10 cm3 or a text too long for its column is refused.
PageProblem checkVehicleDetail(VehicleDetail& detail);
// "Marca: <make> caros.:<chassis>, motor:<engine>", the hint of a grid row.
QString vehicleDetailHint(const VehicleDetail& detail);

// The taxpayer's details in the order they were added.
QList<VehicleDetail> vehicleDetails(engine::Database& db, const QString& dataDir, std::int64_t idgos);
// Adds the detail with the next IDDETA and returns it.
std::int64_t addVehicleDetail(engine::Database& db, const QString& dataDir, SettingsFile& settings,
                              const VehicleDetail& detail);
void modifyVehicleDetail(engine::Database& db, const QString& dataDir, const VehicleDetail& detail);
void deleteVehicleDetail(engine::Database& db, const QString& dataDir, std::int64_t iddeta);

}  // namespace dajdor::reg
