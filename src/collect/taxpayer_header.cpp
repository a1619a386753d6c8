#include "collect/taxpayer_header.h"

#include "store/sql_helpers.h"

namespace dajdor::collect {

std::optional<TaxpayerHeader> readTaxpayerHeader(engine::Database& data, const QString& dataDir,
                                                 std::int64_t IDGOS) {
  const auto rows = sql::query(data,
                               "SELECT SATUL, ROL, IDGOS, NUMEP, CNP, ADRESA, TIP, SCCLAD, SCCC, SCAUTO, SCTI, "
                               "SCTE, OBS, NOTAX FROM " +
                                   sql::table(dataDir, "Gospodar.dbf") + " WHERE IDGOS=" + sql::number(IDGOS));
  if (rows->isEmpty()) return std::nullopt;
  rows->first();
  const auto text = [&](const char* field) { return QString::fromStdString(rows->asText(field)); };
  TaxpayerHeader h;
  h.SATUL = text("SATUL");
  h.ROL = text("ROL");
  h.IDGOS = rows->asInt("IDGOS");
  h.NUMEP = text("NUMEP");
  h.CNP = text("CNP");
  h.ADRESA = text("ADRESA");
  h.TIP = text("TIP");
  h.SCCLAD = text("SCCLAD");
  h.SCCC = text("SCCC");
  h.SCAUTO = text("SCAUTO");
  h.SCTI = text("SCTI");
  h.SCTE = rows->asInt("SCTE");
  h.OBS = text("OBS");
  h.NOTAX = text("NOTAX");
  return h;
}

}  // namespace dajdor::collect
