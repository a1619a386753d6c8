// One row of the register (Gospodar.dbf): a household or a legal person.
#pragma once

#include <QString>

#include <cstdint>

namespace dajdor::reg {

inline const QString kTaxpayerTable = QStringLiteral("Gospodar.dbf");
inline const QString kNaturalPerson = QStringLiteral("FIZICA");
inline const QString kLegalPerson = QStringLiteral("JURIDICA");

// Widths of the text fields, as the table holds them.
inline constexpr int kVillageWidth = 32;
inline constexpr int kRoleWidth = 9;
inline constexpr int kNameWidth = 40;
inline constexpr int kAddressWidth = 80;
inline constexpr int kObservationsWidth = 240;
inline constexpr int kExemptAmountDigits = 6;

// The editor's inputs, named for the problems reported on them.
namespace TaxpayerField {
inline const QString Village = QStringLiteral("SatCombo");
inline const QString Role = QStringLiteral("ROLEd");
inline const QString Name = QStringLiteral("CapGosp");
inline const QString Code = QStringLiteral("CNP1");
inline const QString Address = QStringLiteral("Adresa");
inline const QString Observations = QStringLiteral("Memo1");
inline const QString ExemptAmount = QStringLiteral("SCTE");
}  // namespace TaxpayerField

struct Taxpayer {
  std::int64_t idgos = 0;
  QString village;       // SATUL, upper case
  QString role;          // ROL, upper case
  QString name;          // NUMEP, upper case
  QString code;          // CNP: a CNP or a CUI, may be empty
  QString address;       // ADRESA, as typed
  QString type = kNaturalPerson;  // TIP
  bool exemptBuildings = false;   // SCCLAD
  bool exemptYard = false;        // SCCC: "curti-constructii" land
  bool exemptInside = false;      // SCTI: other built-up land
  bool exemptVehicles = false;    // SCAUTO
  std::int64_t exemptOutside = 0; // SCTE: lei of the unbuilt-land tax not charged
  QString observations;           // OBS
  bool noPenalties = false;       // NOTAX "DA"

  friend bool operator==(const Taxpayer&, const Taxpayer&) = default;
};

// "DA" / "NU", as the flags are stored.
inline QString yesNo(bool flag) { return flag ? QStringLiteral("DA") : QStringLiteral("NU"); }

}  // namespace dajdor::reg
