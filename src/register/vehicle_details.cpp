#include "register/vehicle_details.h"

#include "store/settings_file.h"
#include "store/row_fields.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

namespace dajdor::reg {
QStringList vehicleTypes() { return {"Autoturisme", "Alte autovehicule", "Remorci", "Tractoare", "Autobuze"}; }

QStringList vehicleMakes() {
  return {"* nespecificata *", "ACURA", "AIXAM", "ALFA ROMEO", "ARO", "ASIA", "ASTON MARTIN", "AUDI", "AUSTIN",
          "BENTLEY", "BMW", "BUGATTI", "BUICK", "CADILLAC", "CATERHAM", "CHEVROLET", "CHRYSLER", "CITROEN",
          "COMARTH", "DACIA", "DAEWOO", "DAIHATSU", "DATSUN", "DODGE", "EAGLE", "EXCALIBUR", "FERRARI", "FIAT",
          "FORD", "GAZ", "GEELY", "GMC", "GWM", "HONDA", "HUMMER", "HYUNDAI", "INFINITI", "INNOCENTI", "ISUZU",
          "IVECO", "JAGUAR", "JDM", "JEEP", "KAWASAKI", "KIA", "LADA", "LAMBORGHINI", "LANCIA", "LAND ROVER",
          "LANDWIND", "LEXUS", "LIGIER", "LINCOLN", "LOTUS", "LTI", "LUAZ", "MAHINDRA", "MARTIN MOTORS", "MARUTI",
          "MASERATI", "MAYBACH", "MAZDA", "MERCEDES", "MERCURY", "MG", "MICROCAR", "MINI", "MITSUBISHI", "MORGAN",
          "MORRIS", "MOSKVITCH", "NISSAN", "OLDSMOBILE", "OLTCIT", "OPEL", "PEUGEOT", "PLYMOUTH", "PONTIAC",
          "PORSCHE", "PROTON", "RAYTON FISSORE", "RENAULT", "REVA", "ROLLS ROYCE", "ROVER", "SAAB", "SANTANA",
          "SATURN", "SCION", "SEAT", "SHUANGHUAN", "SKODA", "SMART", "SSANG YONG", "SUBARU", "SUZUKI", "TALBOT",
          "TATA", "TESLA", "TOFAS", "TOYOTA", "TRABANT", "TRIUMPH", "TVR", "UAZ", "VAUXHALL", "VOLGA", "VOLKSWAGEN",
          "VOLVO", "WARSZAWA", "WARTBURG", "WIESMANN", "WOLSELEY", "ZAZ"};
}

PageProblem checkVehicleDetail(VehicleDetail& detail) {
  if (detail.capacity < 10) return {QStringLiteral("Capacitate incorecta!"), VehicleDetailField::Capacity};
  if (detail.capacity > 999999) return {QStringLiteral("Capacitate incorecta!"), VehicleDetailField::Capacity};
  detail.fileNumber = CleanSpaces(detail.fileNumber).toUpper();
  detail.chassis = CleanSpaces(detail.chassis).toUpper();
  detail.engine = CleanSpaces(detail.engine).toUpper();
  detail.observations = CleanSpaces(detail.observations);
  const struct {
    QString field;
    const QString& value;
    int width;
  } widths[] = {{VehicleDetailField::FileNumber, detail.fileNumber, 18},
                {QStringLiteral("Serie"), detail.chassis, 24},
                {QStringLiteral("SerieM"), detail.engine, 24},
                {QStringLiteral("Obs"), detail.observations, 100}};
  for (const auto& w : widths)
    if (w.value.size() > w.width)
      return {QStringLiteral("Textul are %1 caractere; se pot memora cel mult %2!").arg(w.value.size()).arg(w.width),
              w.field};
  return {};
}

QString vehicleDetailHint(const VehicleDetail& d) {
  return QStringLiteral("Marca: %1 caros.:%2, motor:%3").arg(d.make, d.chassis, d.engine);
}

QList<VehicleDetail> vehicleDetails(engine::Database& db, const QString& dataDir, std::int64_t idgos) {
  const auto rows = sql::query(db, "SELECT * FROM " + sql::table(dataDir, kVehicleDetailTable) +
                                       "\nWHERE IDGOS=" + sql::number(idgos) + "\nORDER BY IDDETA");
  QList<VehicleDetail> details;
  for (std::size_t r = 0; r < rows->rowCount(); ++r)
    details.append({rowWhole(*rows, r, "IDGOS"), rowWhole(*rows, r, "IDDETA"), rowText(*rows, r, "NrDos"),
                    rowText(*rows, r, "TipAuto"), rowText(*rows, r, "Marca"), rowWhole(*rows, r, "Capacit"),
                    rowText(*rows, r, "Serie"), rowText(*rows, r, "SerieM"), rowText(*rows, r, "Obs")});
  return details;
}

std::int64_t addVehicleDetail(engine::Database& db, const QString& dataDir, SettingsFile& settings,
                              const VehicleDetail& d) {
  const std::int64_t id = settings.NextCounter("SERVER", "IDDETA").toLongLong();
  sql::execute(db, "INSERT INTO " + sql::table(dataDir, kVehicleDetailTable) +
                       "\n(IDGOS, IDDETA, NrDos, TipAuto, Marca, Capacit, Serie, SerieM, Obs)\nVALUES (" +
                       QStringList{sql::number(d.idgos), sql::number(id), sql::quote(d.fileNumber), sql::quote(d.type),
                                   sql::quote(d.make), sql::number(d.capacity), sql::quote(d.chassis),
                                   sql::quote(d.engine), sql::quote(d.observations)}
                           .join(", ") +
                       ")");
  return id;
}

void modifyVehicleDetail(engine::Database& db, const QString& dataDir, const VehicleDetail& d) {
  sql::execute(db, "UPDATE " + sql::table(dataDir, kVehicleDetailTable) + "\nSET TIPAUTO=" + sql::quote(d.type) +
                       ",\nNRDOS=" + sql::quote(d.fileNumber) + ",\nMARCA=" + sql::quote(d.make) +
                       ",\nCapacit=" + sql::number(d.capacity) + ",\nSERIE=" + sql::quote(d.chassis) +
                       ",\nSERIEM=" + sql::quote(d.engine) + ",\nOBS=" + sql::quote(d.observations) +
                       "\nWHERE IDDETA=" + sql::number(d.iddeta));
}

void deleteVehicleDetail(engine::Database& db, const QString& dataDir, std::int64_t iddeta) {
  sql::execute(db, "DELETE FROM " + sql::table(dataDir, kVehicleDetailTable) + "\nWHERE IDDETA=" + sql::number(iddeta));
}

}  // namespace dajdor::reg
