// The taxpayer shown at the top of the collections window.
#pragma once

#include "store/engine/database.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace dajdor::collect {

struct TaxpayerHeader {
  QString SATUL, ROL;
  std::int64_t IDGOS = 0;
  QString NUMEP, CNP, ADRESA, TIP;
  // Exemption marks ("DA"/"NU"), and the exempted amount of land outside the built-up area.
  QString SCCLAD, SCCC, SCAUTO, SCTI;
  std::int64_t SCTE = 0;
  QString OBS, NOTAX;

  bool naturalPerson() const { return TIP.trimmed() == QLatin1String("FIZICA"); }
};

// The taxpayer IDGOS of Gospodar, or nothing when there is none.
std::optional<TaxpayerHeader> readTaxpayerHeader(engine::Database& data, const QString& dataDir, std::int64_t IDGOS);

}  // namespace dajdor::collect
