#include "taxpayer_file.h"

#include "commune_names.h"
#include "identity_codes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>

namespace gencommune {
namespace {

using engine::DayNumber;

DayNumber dayOf(int year, int month, int day) {
  DayNumber n = 0;
  engine::dayFromDate(year, month, day, n);
  return n;
}

int roundLei(double v) { return static_cast<int>(v >= 0 ? std::floor(v + 0.5) : std::ceil(v - 0.5)); }

// A working day between two dates (inclusive), or `from` when there is none.
DayNumber workingDay(RandomSource& rng, DayNumber from, DayNumber to) {
  if (to < from) return from;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const DayNumber d = static_cast<DayNumber>(rng.between(from, to));
    // Day 0 (30.12.1899) was a Saturday.
    const int weekday = ((d % 7) + 7) % 7;  // 0 Saturday, 1 Sunday
    if (weekday > 1) return d;
  }
  return from;
}

std::string format(const char* pattern, const std::string& word) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, pattern, word.c_str());
  return buffer;
}

constexpr const char* kOpenLandNames[11] = {"Teren arabil",
                                            "Pasuni - fanete",
                                            "Vie pe rod",
                                            "Vie pana la intrarea pe rod",
                                            "Livada pe rod",
                                            "Livada pana la intrarea pe rod",
                                            "Fond forestier sau alt teren",
                                            "Teren de constructii",
                                            "Teren neproductiv",
                                            "Teren cu apa, fara amenajari piscicole",
                                            "Teren cu amenajari piscicole"};
constexpr double kOpenLandRates[11] = {40, 28, 56, 0, 56, 0, 12, 22, 0, 1, 28};  // lei/ha, zone A
constexpr const char* kBuiltLandNames[8] = {"Teren arabil", "Pasune", "Faneata", "Vie",
                                            "Livada",       "Neproductiv", "Padure", "Teren cu ape"};
constexpr double kBuiltLandRates[8] = {28, 21, 21, 46, 53, 0, 28, 15};  // lei/ha, zone A

// Car classes: page column, capacity range, tax per car.
struct CarClass {
  const char* column;
  int low, high, tax;
  int weight;
};
constexpr std::array kCarClasses = {
    CarClass{"AUTO11", 1001, 1200, 48, 5},  CarClass{"AUTO1", 1201, 1400, 56, 30},
    CarClass{"AUTO2", 1401, 1600, 64, 35},  CarClass{"AUTO3", 1601, 1800, 162, 15},
    CarClass{"AUTO4", 1801, 2000, 180, 12}, CarClass{"AUTO5", 2001, 2200, 792, 5},
    CarClass{"AUTO6", 2201, 2400, 864, 2},  CarClass{"AUTO7", 2401, 2600, 936, 1},
    CarClass{"AUTO8", 2601, 2800, 2016, 1},
};

double zoneFactor(char zone) { return zone == 'A' ? 1.0 : zone == 'B' ? 0.95 : zone == 'C' ? 0.9 : 0.85; }

// A debt line while the year is simulated; becomes a Datorii row.
struct Debt {
  std::string group, denum, um, docjus;
  double quantity = 0;
  int assessed = 0;  // SUMA2
  int initialArrears = 0;  // RESTINI
  int reduction = 0, reductionPercent = 0;
  char kind = 'A';
  DayNumber date = 0;
  std::int64_t number = 0;
  int current = 0;  // SUMA, lowered by payments of other taxes
  int arrears = 0;  // REST
};

// One of the four main taxes: debts and balance of the group.
struct MainTax {
  const char* group;
  int initialArrears = 0, initialPenalties = 0, initialPlus = 0;
  int paidArrears = 0, paidPenalties = 0, paidCurrent = 0, paidLatePenalty = 0;
};

struct Debit {
  std::string group, docjus, category, denum, page;
  std::int64_t number = 0;
  DayNumber date = 0;
  int amount = 0, unpaid = 0;
  std::vector<std::pair<std::string, std::string>> description;
  bool willPay = false;
};

// A payment plan: on each day, the share of what is still owed.
struct Instalment {
  DayNumber day;
  double share;
};

class FileBuilder {
 public:
  FileBuilder(RandomSource& rng, const CommuneYear& year, std::size_t index, std::int64_t idgos, std::size_t village,
              const std::string& rol)
      : rng_(rng), year_(year), village_(villages()[village]), index_(index) {
    file_.header.idgos = idgos;
    file_.header.village = village;
    file_.header.rol = rol;
  }

  TaxpayerFile build() {
    makePerson();
    makeOpenLand();
    makeBuildings();
    makeBuiltLand();
    makeVehicles();
    makeUnregisteredVehicles();
    makeOtherTaxes();
    makeArrears();
    if (!file_.header.rol.empty()) {
      makeYearDebts();
      makeDebits();
      makePayments();
      writeDebts();
      writeBalances();
      writeDebits();
    }
    return std::move(file_);
  }

 private:
  TableRecord& page(const char* table) {
    for (auto& p : file_.pages)
      if (p.layout().file == table) return p;
    file_.pages.emplace_back(communeTable(table));
    file_.pages.back().set("IDGOS", file_.header.idgos);
    return file_.pages.back();
  }
  bool legal() const { return file_.header.legal; }
  // Companies pay mostly by bank transfer, some by payment order, the rest at the desk.
  char legalDocumentKind() {
    const double draw = rng_.unit();
    return draw < 0.6 ? 'V' : draw < 0.75 ? 'O' : 'C';
  }
  std::string zone() const { return std::string(1, village_.zone); }
  DayNumber jan1(int yearsBack = 0) const { return dayOf(year_.year - yearsBack, 1, 1); }

  void makePerson() {
    auto& h = file_.header;
    h.legal = rng_.chance(0.06);
    if (h.legal) {
      const std::string word = std::string(rng_.pick(companyWords())) +
                               (rng_.chance(0.5) ? std::string(" ") + rng_.pick(companyWords()) : "");
      h.name = format(rng_.pick(companyForms()), word);
      h.code = makeCui(static_cast<std::uint32_t>(rng_.between(100000, 39999999)));
    } else {
      const bool male = rng_.chance(0.5);
      h.name = std::string(rng_.pick(surnames())) + " " + (male ? rng_.pick(maleNames()) : rng_.pick(femaleNames()));
      if (rng_.chance(0.15)) h.name += std::string(" ") + (male ? rng_.pick(maleNames()) : rng_.pick(femaleNames()));
      const int born = static_cast<int>(rng_.between(1925, 1996));
      const int county = rng_.chance(0.8) ? 5 : static_cast<int>(rng_.between(1, 52));
      h.code = makeCnp(male ? 1 : 2, born, static_cast<int>(rng_.between(1, 12)), static_cast<int>(rng_.between(1, 28)),
                       county, static_cast<int>(rng_.between(1, 999)));
    }
    h.address = std::string(rng_.pick(streets())) + " nr. " + std::to_string(rng_.between(1, 420));
    if (rng_.chance(0.01)) h.code.clear();  // code never recorded

    TableRecord g(communeTable("Gospodar.dbf"));
    const bool exempt = !h.legal && rng_.chance(0.015);  // veterans and the like
    const char* yesNo = exempt ? "DA" : "NU";
    g.set("IDGOS", h.idgos)
        .set("SATUL", village_.name)
        .set("ROL", h.rol)
        .set("NUMEP", h.name)
        .set("CNP", h.code)
        .set("ADRESA", h.address)
        .set("TIP", h.legal ? "JURIDICA" : "FIZICA")
        .set("SCCLAD", yesNo)
        .set("SCCC", yesNo)
        .set("SCTI", yesNo)
        .set("SCAUTO", yesNo)
        .set("SCTE", rng_.chance(0.02) ? rng_.between(20, 100) : 0)
        .set("OBS", rng_.chance(0.03) ? "Decedat, mostenitorii platesc" : rng_.chance(0.02) ? "Plecat in strainatate" : "")
        .set("NOTAX", rng_.chance(0.01) ? "DA" : "NU");
    exempt_ = exempt;
    openLandExemption_ = static_cast<int>(g.get("SCTE").toInt());
    file_.register_.push_back(std::move(g));
  }

  // Unbuilt land outside the built-up area (page 1).
  void makeOpenLand() {
    auto& p = page("Pag1.dbf");
    for (int n = 1; n <= 11; ++n)
      for (char z : std::string("ABCDE")) p.setDecimal("L" + std::to_string(n) + z, 0, 4);
    static constexpr double kChance[11] = {0.8, 0.6, 0.1, 0.02, 0.22, 0.02, 0.25, 0.03, 0.05, 0.01, 0};
    static constexpr double kMaxHa[11] = {4.5, 2, 0.5, 0.3, 1, 0.3, 3, 0.2, 0.5, 1, 0};
    for (int l = 0; l < 11; ++l) {
      if (!rng_.chance(legal() ? kChance[l] / 2 : kChance[l])) continue;
      const double max = legal() ? kMaxHa[l] * 20 : kMaxHa[l];
      const double ha = std::round((0.05 + rng_.unit() * max) * 10000) / 10000;
      openLand_[l] = ha;
      p.setDecimal("L" + std::to_string(l + 1) + zone(), ha, 4);
    }
  }

  // Buildings and annexes (page 2).
  void makeBuildings() {
    auto& p = page("Pag2.dbf");
    for (int n = 1; n <= 8; ++n) {
      const std::string s = std::to_string(n);
      p.setDecimal("C" + s + "S", 0, 2).set("C" + s + "A", 0).set("C" + s + "C", 1);
      p.set("C" + s + "Z", zone()).set("C" + s + "R", village_.rank).set("NR" + s, n <= 4 ? n : -1);
    }
    for (int n = 1; n <= 12; ++n) {
      const std::string s = std::to_string(n);
      p.set("V" + s, 0).set("AM" + s, "NU").setDate("DINV" + s, jan1(1));
    }
    for (const std::string s : {"", "2"})
      p.setDecimal("CAS" + s, 0, 2).set("CAA" + s, 0).set("CAC" + s, 1).set("CAZ" + s, zone()).set("CAR" + s, village_.rank);
    for (const std::string s : {"1", "2"}) p.set("VA" + s, 0).set("AMA" + s, "NU").setDate("DINVA" + s, jan1(1));

    if (legal()) {
      const int count = rng_.chance(0.6) ? static_cast<int>(rng_.between(1, 3)) : 0;
      for (int j = 1; j <= count; ++j) {
        const std::int64_t value = rng_.between(100, 300) * 100;  // lei; the debt line of the buildings sums them
        const bool amortised = rng_.chance(0.1);
        const DayNumber evaluated = dayOf(static_cast<int>(rng_.between(year_.year - 6, year_.year - 1)), 12, 31);
        const std::string s = std::to_string(j);
        p.set("V" + s, value).set("AM" + s, amortised ? "DA" : "NU").setDate("DINV" + s, evaluated);
        buildingValue_ += static_cast<double>(value);
        buildingTax_ += static_cast<double>(value) * (amortised ? 0.0025 : 0.01);
      }
      return;
    }
    const int houses = rng_.chance(0.86) ? (rng_.chance(0.12) ? 2 : 1) : 0;
    for (int i = 1; i <= houses; ++i) {
      const double area = static_cast<double>(rng_.between(80, 320)) / 2;  // half square metres
      const int built = static_cast<int>(rng_.between(1930, year_.year - 1));
      const int material = rng_.chance(0.6) ? 0 : 1;
      const std::string s = std::to_string(i);
      p.setDecimal("C" + s + "S", area, 2).set("C" + s + "A", built).set("C" + s + "C", material).set("NR" + s, i);
      double v = area * (material == 0 ? 806 : 201) * zoneFactor(village_.zone);
      const double blocks = std::floor((area - 150 + 49.99) / 50);
      if (blocks > 0) v *= 1 + blocks * 5 / 100;
      const int age = year_.year - built;
      if (age > 30) v *= age <= 50 ? 0.9 : 0.8;
      if (i == 2) v *= 1.65;
      buildingTax_ += v * 0.001;
      buildingArea_ += area;
    }
    const int annexes = rng_.chance(0.7) ? (rng_.chance(0.25) ? 2 : 1) : 0;
    for (int i = 1; i <= annexes; ++i) {
      const double area = static_cast<double>(rng_.between(16, 120)) / 2;
      const std::string s = i == 1 ? "" : "2";
      p.setDecimal("CAS" + s, area, 2).set("CAA" + s, rng_.between(1950, year_.year - 1));
      annexTax_ += area * 201 * zoneFactor(village_.zone) * 0.001;
      annexArea_ += area;
    }
  }

  // Built-up land (page 4).
  void makeBuiltLand() {
    auto& p = page("Pag4.dbf");
    for (char z : std::string("ABCDE")) p.setDecimal(std::string("CC") + z, 0, 4);
    for (int r = 1; r <= 8; ++r)
      for (char z : std::string("ABCDE")) p.setDecimal("AL" + std::to_string(r) + z, 0, 4);
    if (rng_.chance(legal() ? 0.7 : 0.95)) {
      yard_ = static_cast<double>(rng_.between(150, 999));
      p.setDecimal("CC" + zone(), yard_, 4);
    }
    static constexpr double kChance[8] = {0.5, 0.1, 0.08, 0.1, 0.25, 0, 0.03, 0};
    static constexpr double kMaxHa[8] = {0.8, 0.5, 0.5, 0.2, 0.3, 0, 0.5, 0};
    for (int r = 0; r < 8; ++r) {
      if (!rng_.chance(kChance[r])) continue;
      builtLand_[r] = std::round((0.02 + rng_.unit() * kMaxHa[r]) * 10000) / 10000;
      p.setDecimal("AL" + std::to_string(r + 1) + zone(), builtLand_[r], 4);
    }
  }

  // Registered vehicles (page 5) and their details.
  void makeVehicles() {
    auto& p = page("Pag5.dbf");
    for (const auto& f : communeTable("Pag5.dbf").fields)
      if (f.name != "IDGOS") p.set(f.name, 0);
    const int cars = rng_.chance(legal() ? 0.45 : 0.38) ? (rng_.chance(legal() ? 0.5 : 0.08) ? 2 : 1) : 0;
    std::array<int, kCarClasses.size()> weights{};
    for (std::size_t i = 0; i < kCarClasses.size(); ++i) weights[i] = kCarClasses[i].weight;
    for (int c = 0; c < cars; ++c) {
      const CarClass& cls = kCarClasses[rng_.weighted(weights)];
      p.set(cls.column, p.get(cls.column).toInt() + 1);
      vehicleLines_.push_back({"Autoturisme cap.cil. " + std::to_string(cls.low) + " - " + std::to_string(cls.high) + " cmc",
                               "buc", 1, cls.tax});
      addVehicleDetail("Autoturisme", static_cast<int>(rng_.between(cls.low, cls.high)));
    }
    if (!legal() && rng_.chance(0.1)) {
      const int capacity = static_cast<int>(rng_.between(25, 45)) * 100;
      p.set("TRAC1", capacity).set("TBUC1", 1);
      vehicleLines_.push_back({"Tractoare inmatriculate 1", "cmc", capacity, 18 * ((capacity + 199) / 200)});
      addVehicleDetail("Tractoare", capacity);
    }
    if (rng_.chance(0.06)) {
      p.set("REM1", 1);
      vehicleLines_.push_back({"Remorci, rulote pana la 1 t", "buc", 1, 8});
      addVehicleDetail("Remorci", 10);
    }
    if (legal() && rng_.chance(0.2)) {
      const int trucks = static_cast<int>(rng_.between(1, 4));
      p.set("G4A", trucks);
      vehicleLines_.push_back({"Vehicule 2 axe,peste 15t,susp.pneum.", "buc", trucks, 1100 * trucks});
      for (int t = 0; t < trucks; ++t) addVehicleDetail("Alte autovehicule", static_cast<int>(rng_.between(6000, 12000)));
    }
  }

  void addVehicleDetail(const char* kind, int capacity) {
    static constexpr char kVin[] = "ABCDEFGHJKLMNPRSTUVWXYZ0123456789";
    auto serial = [&](int length) {
      std::string s;
      for (int i = 0; i < length; ++i) s += kVin[rng_.below(sizeof kVin - 1)];
      return s;
    };
    TableRecord d(communeTable("AutoDet.dbf"));
    d.set("IDGOS", file_.header.idgos)
        .set("NrDos", "D" + std::to_string(file_.header.idgos) + "/" + std::to_string(file_.vehicles.size() + 1))
        .set("TipAuto", kind)
        .set("Marca", rng_.pick(vehicleMakes()))
        .set("Capacit", capacity)
        .set("Serie", serial(17))
        .set("SerieM", serial(9))
        .set("Obs", "");
    file_.vehicles.push_back(std::move(d));
  }

  // Unregistered vehicles (page 6).
  void makeUnregisteredVehicles() {
    auto& p = page("Pag6.dbf");
    for (int k = 1; k <= 11; ++k) p.set("VN" + std::to_string(k), 0);
    if (rng_.chance(0.01)) {
      const int capacity = static_cast<int>(rng_.between(6, 24)) * 100;
      p.set("VN1", capacity);
      unregisteredCapacity_ = capacity;
    }
  }

  // Other local taxes (page 7): quantities per tax.
  void makeOtherTaxes() {
    auto& p = page("Pag7.dbf");
    static constexpr double kChance[6] = {0.03, 0.9, 0.92, 0.8, 0.7, 0.05};
    for (int k = 0; k < 6; ++k) {
      int quantity = 0;
      if (rng_.chance(kChance[k])) quantity = k == 2 ? static_cast<int>(rng_.between(1, legal() ? 40 : 6)) : 1;
      p.set("LIN" + std::to_string(k + 1), quantity);
      otherQuantity_[k] = quantity;
    }
  }

  // Arrears brought from earlier records (page 8).
  void makeArrears() {
    auto& p = page("Pag8.dbf");
    for (int k = 1; k <= 11; ++k) p.set("LIN" + std::to_string(k), 0);
    for (int k = 1; k <= 4; ++k) p.set("PEN" + std::to_string(k), 0).set("SOLD" + std::to_string(k), 0);
    const bool debtor = rng_.chance(0.2);
    for (int k = 0; k < 4; ++k) {
      if (debtor && rng_.chance(0.55)) {
        const int arrears = static_cast<int>(rng_.between(5, legal() ? 20000 : 600));
        mainArrears_[k] = arrears;
        mainPenalties_[k] = roundLei(arrears * (0.1 + rng_.unit() * 0.5));
      } else if (rng_.chance(0.02)) {
        mainPlus_[k] = static_cast<int>(rng_.between(5, 100));
      }
      p.set("LIN" + std::to_string(k + 1), mainArrears_[k])
          .set("PEN" + std::to_string(k + 1), mainPenalties_[k])
          .set("SOLD" + std::to_string(k + 1), mainPlus_[k]);
    }
    if (rng_.chance(0.08)) {
      const int k = static_cast<int>(rng_.below(7));
      otherArrears_[k] = static_cast<int>(rng_.between(10, 300));
      p.set("LIN" + std::to_string(k + 5), otherArrears_[k]);
    }
  }

  Debt& openLine(const std::string& group, const std::string& name) {
    for (auto& d : debts_)
      if (d.kind == 'A' && d.group == group && d.denum == name) return d;
    Debt d;
    d.group = group;
    d.denum = name;
    d.date = jan1();
    debts_.push_back(d);
    return debts_.back();
  }
  void assess(const std::string& group, const std::string& name, const std::string& um, double quantity, double tax,
              int reductionPercent) {
    const int t = roundLei(tax);
    if (t == 0) return;
    Debt& d = openLine(group, name);
    d.um = um;
    d.quantity = quantity;
    d.assessed = t;
    d.reductionPercent = reductionPercent;
    d.reduction = roundLei(reductionPercent * t / 100.0);
  }

  // The lines the debt generation writes from the pages, in its order.
  void makeYearDebts() {
    const int bonus = legal() ? 0 : 10;
    const double factor = zoneFactor(village_.zone);
    int exemption = openLandExemption_;
    for (int l = 0; l < 11; ++l) {
      double tax = openLand_[l] * kOpenLandRates[l] * factor;
      if (exemption > 0) {
        const double left = exemption - tax;
        tax = left >= 0 ? 0 : -left;
        exemption = left >= 0 ? static_cast<int>(left) : 0;
      }
      assess(kOpenLand, kOpenLandNames[l], "ha", openLand_[l], tax, bonus);
    }
    if (!exempt_) {
      if (legal())
        assess(kBuildings, "Cladiri", "Lei-Val.", buildingValue_, buildingTax_, 0);
      else
        assess(kBuildings, "Cladiri", "mp", buildingArea_, buildingTax_, bonus);
      assess(kBuildings, "Cladiri-Anexe", "mp", annexArea_, annexTax_, bonus);
      static constexpr double kYardRates[4] = {0.0711, 0.0533, 0.0355, 0.0178};
      assess(kBuiltLand, "Curti-constructii", "mp", yard_, yard_ * kYardRates[village_.zone - 'A'], bonus);
      for (int r = 0; r < 8; ++r)
        assess(kBuiltLand, kBuiltLandNames[r], "ha", builtLand_[r], builtLand_[r] * kBuiltLandRates[r] * factor, bonus);
      for (const auto& v : vehicleLines_) assess(kVehicles, v.name, v.um, v.quantity, v.tax, bonus);
    }
    if (unregisteredCapacity_ > 0)
      assess("Auto neinmatriculate", "Vehicule neinmatriculate pana la 4800 cmc", "cmc", unregisteredCapacity_,
             4.0 * ((unregisteredCapacity_ + 199) / 200), 0);
    static constexpr const char* kOther[6] = {"Concesionari", "Iluminat", "Salubritate", "PSI", "Paza", "Vehicule lente"};
    static constexpr double kOtherRates[6] = {120, 12, 36, 10, 24, 34};
    for (int k = 0; k < 6; ++k)
      assess(kOther[k], kOther[k], "buc", otherQuantity_[k], otherQuantity_[k] * kOtherRates[k], 0);
    // The arrears step reopens every other-tax line: it sets the arrears and
    // leaves its own unit and quantity on the line.
    static constexpr const char* kArrearsLines[7] = {"Vehicule lente", "Taxa pe pasune", "Concesionari", "Iluminat",
                                                     "Salubritate",    "PSI",            "Paza"};
    for (int k = 0; k < 7; ++k) {
      const int a = otherArrears_[k];
      const bool exists = std::any_of(debts_.begin(), debts_.end(), [&](const Debt& d) { return d.group == kArrearsLines[k]; });
      if (a == 0 && !exists) continue;
      Debt& d = openLine(kArrearsLines[k], kArrearsLines[k]);
      d.initialArrears = a;
      d.um = " - ";
      d.quantity = a > 0 ? 1 : 0;
    }
    // Pasture contracts entered during the year.
    if (!legal() && rng_.chance(0.25)) {
      Debt d;
      d.group = d.denum = "Taxa pe pasune";
      d.kind = 'M';
      d.date = workingDay(rng_, dayOf(year_.year, 2, 1), dayOf(year_.year, 5, 31));
      d.number = rng_.between(1, 900);
      d.docjus = "Contract pasunat nr. " + std::to_string(d.number);
      d.assessed = static_cast<int>(rng_.between(40, 400));
      d.um = "buc";
      d.quantity = 1;
      debts_.push_back(d);
    }
    for (auto& d : debts_) {
      d.current = d.assessed;
      d.arrears = d.initialArrears;
    }
  }

  void makeDebits() {
    if (!rng_.chance(0.025)) return;
    Debit d;
    d.date = workingDay(rng_, dayOf(year_.year, 3, 1), dayOf(year_.year, 10, 31));
    d.number = rng_.between(1, 500);
    d.group = kVehicles;
    d.page = "PAG5";
    const CarClass& cls = kCarClasses[static_cast<std::size_t>(rng_.between(1, 4))];
    d.denum = "Autoturisme cap.cil. " + std::to_string(cls.low) + " - " + std::to_string(cls.high) + " cmc";
    d.description = {{cls.column, "1"}};
    const int months = 12 - (d.date - dayOf(year_.year, 1, 1)) / 31;
    const int amount = std::max(1, cls.tax * months / 12);
    if (rng_.chance(0.8)) {
      d.category = "Cumparare";
      d.docjus = "Declaratie cumparare autoturism";
      d.amount = amount;
      d.willPay = rng_.chance(0.5);
    } else {
      d.category = "Vanzare";
      d.docjus = "Declaratie vanzare autoturism";
      d.amount = -amount;
    }
    d.unpaid = d.amount;
    debits_.push_back(d);
  }

  std::vector<Instalment> paymentPlan() {
    const int y = year_.year;
    auto on = [&](int m1, int d1, int m2, int d2) {
      return workingDay(rng_, dayOf(y, m1, d1), std::min(dayOf(y, m2, d2), year_.lastDay));
    };
    const int behaviour = static_cast<int>(rng_.weighted(legal() ? std::span<const int>(kLegalPlans) : std::span<const int>(kPersonPlans)));
    switch (behaviour) {
      case 0:  // all at once, early, with the bonus
        return {{on(1, 10, 3, 31), 1.0}};
      case 1:  // the two instalments
        return {{on(2, 1, 3, 31), 0.5}, {on(8, 1, 11, 30), 1.0}};
      case 2:  // every quarter
        return {{on(3, 1, 3, 31), 0.25}, {on(6, 1, 6, 30), 1.0 / 3}, {on(9, 1, 9, 30), 0.5}, {on(12, 1, 12, 31), 1.0}};
      case 3:  // a part, late
        return {{on(4, 1, 11, 30), 0.5}};
      default:  // nothing this year
        return {};
    }
  }
  static constexpr int kPersonPlans[5] = {25, 33, 30, 5, 7};
  static constexpr int kLegalPlans[5] = {40, 40, 0, 5, 15};

  void makePayments() {
    for (int k = 0; k < 4; ++k) {
      MainTax& m = main_[k];
      m.initialArrears = mainArrears_[k];
      m.initialPenalties = mainPenalties_[k];
      m.initialPlus = mainPlus_[k];
    }
    std::vector<Instalment> plan = paymentPlan();
    std::erase_if(plan, [&](const Instalment& s) { return s.day > year_.lastDay; });
    std::sort(plan.begin(), plan.end(), [](const Instalment& a, const Instalment& b) { return a.day < b.day; });
    const DayNumber bonusDeadline = dayOf(year_.year, 3, 31);
    for (std::size_t i = 0; i < plan.size(); ++i) {
      const Instalment& step = plan[i];
      PaymentDocument doc;
      doc.taxpayer = index_;
      doc.day = step.day;
      doc.kind = legal() ? legalDocumentKind() : (rng_.chance(0.04) ? 'N' : 'C');
      doc.cashier = static_cast<int>(rng_.below(2));
      doc.typedNumber = doc.kind == 'C' ? 0 : rng_.between(1, 9999);
      const bool fullEarly = step.share >= 1.0 && step.day <= bonusDeadline && i == 0;
      const int lateMonths = std::max(0, month(step.day) - 9);
      for (auto& m : main_) payMainTax(doc, m, step.share, fullEarly, lateMonths);
      for (auto& d : debts_)
        if (!isMain(d.group) && d.date <= step.day) payOtherTax(doc, d, step.share);
      for (auto& d : debits_)
        if (d.willPay && d.unpaid > 0 && d.date <= step.day && i + 1 == plan.size()) {
          DocumentLine line{d.group, d.docjus};
          line.current = d.unpaid;
          d.unpaid = 0;
          doc.lines.push_back(line);
          // The balance update sums every receipt line of the group, debits included.
          for (auto& m : main_)
            if (d.group == m.group) m.paidCurrent += line.current;
        }
      if (!doc.lines.empty()) file_.payments.push_back(std::move(doc));
    }
  }

  static int month(DayNumber day) {
    int y, m, d;
    engine::dateFromDay(day, y, m, d);
    return m;
  }
  static bool isMain(const std::string& group) {
    return group == kBuildings || group == kBuiltLand || group == kOpenLand || group == kVehicles;
  }

  std::pair<int, int> mainDebts(const MainTax& m) const {
    int current = 0, reduction = 0;
    for (const auto& d : debts_)
      if (d.group == m.group) {
        current += d.assessed;
        reduction += d.reduction;
      }
    return {current, reduction};
  }

  // Settlement order: carried penalties, arrears, then the current year.
  void payMainTax(PaymentDocument& doc, MainTax& m, double share, bool fullEarly, int lateMonths) {
    const auto [current, reduction] = mainDebts(m);
    const int penalties = m.initialPenalties - m.paidPenalties;
    const int arrears = m.initialArrears - m.paidArrears;
    const int due = current - m.paidCurrent;
    const int owed = penalties + arrears + due;
    if (owed <= 0) return;
    int amount = share >= 1.0 ? owed : roundLei(owed * share);
    DocumentLine line{m.group, ""};
    line.carriedPenalty = std::min(amount, penalties);
    amount -= line.carriedPenalty;
    line.arrears = std::min(amount, arrears);
    amount -= line.arrears;
    line.current = amount;
    if (fullEarly && line.current == current) line.reduction = reduction;
    line.penalty = roundLei(line.current * 0.01 * lateMonths);
    if (line.total() == 0) return;
    m.paidPenalties += line.carriedPenalty;
    m.paidArrears += line.arrears;
    m.paidCurrent += line.current;
    m.paidLatePenalty += line.penalty;
    doc.lines.push_back(line);
  }

  void payOtherTax(PaymentDocument& doc, Debt& d, double share) {
    const int owed = d.arrears + d.current;
    if (owed <= 0) return;
    int amount = share >= 1.0 ? owed : roundLei(owed * share);
    if (amount == 0) return;
    DocumentLine line{d.group, d.docjus};
    line.arrears = std::min(amount, d.arrears);
    line.current = amount - line.arrears;
    d.arrears -= line.arrears;
    d.current -= line.current;
    doc.lines.push_back(line);
  }

  void writeDebts() {
    for (const auto& d : debts_) {
      TableRecord r(communeTable("Datorii.dbf"));
      r.set("IDGOS", file_.header.idgos)
          .setDate("DINDATA", d.date)
          .set("SATUL", village_.name)
          .set("ROL", file_.header.rol)
          .set("GRUPA", d.group)
          .set("DENUM", d.denum)
          .set("DOCJUS", d.docjus)
          .set("NR", d.number)
          .set("SUMA", d.current)
          .set("REST", d.arrears)
          .set("REDUC", d.reduction)
          .set("UM", d.um)
          .setDecimal("CANT", d.quantity, 4)
          .set("REDUCP", d.reductionPercent)
          .set("SCUTIT", 0)
          .set("TIP", std::string(1, d.kind))
          .set("SUMA2", d.assessed)
          .set("RESTINI", d.initialArrears);
      file_.debts.push_back(std::move(r));
    }
  }

  // The balance rows as the debt generation leaves them after the payments.
  void writeBalances() {
    for (const MainTax& m : main_) {
      const auto [current, reduction] = mainDebts(m);
      const bool hasDebts = std::any_of(debts_.begin(), debts_.end(), [&](const Debt& d) { return d.group == m.group; });
      TableRecord r(communeTable("SoldCalc.dbf"));
      r.set("IDGOS", file_.header.idgos)
          .set("SATUL", village_.name)
          .set("ROL", file_.header.rol)
          .set("GRUPA", m.group)
          .set("SUMA", hasDebts ? current : 0)
          .set("REST", (hasDebts ? current : 0) - m.paidCurrent)
          .set("REDUC", hasDebts ? reduction : 0)
          .set("SCUTIRE", 0)
          .set("DATOR", m.initialArrears - m.paidArrears)
          .set("DEPOZ", m.initialPlus + (hasDebts ? 0 : m.paidLatePenalty))
          .set("MAJOR", m.initialPenalties - m.paidPenalties)
          .set("DATORI", m.initialArrears)
          .set("DEPOZI", m.initialPlus)
          .set("MAJORI", m.initialPenalties)
          .set("TIP", "M");
      file_.balances.push_back(std::move(r));
    }
  }

  void writeDebits() {
    for (const auto& d : debits_) {
      int y, m, day;
      engine::dateFromDay(d.date, y, m, day);
      m += 2;
      if (m > 12) {
        m -= 12;
        ++y;
      }
      TableRecord r(communeTable("Debit.dbf"));
      r.set("IDGOS", file_.header.idgos)
          .set("GRUPA", d.group)
          .set("DOCJUS", d.docjus)
          .set("NR", d.number)
          .set("CATEG", d.category)
          .set("DENUM", d.denum)
          .setDate("DINDATA", d.date)
          .setDate("PENDATA", dayOf(y, m, 1))
          .set("FISIER", d.page)
          .set("SUMAINI", d.amount)
          .set("SUMAC", d.unpaid);
      for (std::size_t i = 0; i < d.description.size(); ++i) {
        r.set("CAMP" + std::to_string(i + 1), d.description[i].first);
        r.set("VAL" + std::to_string(i + 1), d.description[i].second);
      }
      file_.debits.push_back(std::move(r));
    }
  }

  struct VehicleLine {
    std::string name, um;
    int quantity, tax;
  };

  RandomSource& rng_;
  const CommuneYear& year_;
  const Village& village_;
  std::size_t index_;
  TaxpayerFile file_;

  bool exempt_ = false;
  int openLandExemption_ = 0;
  double openLand_[11] = {};
  double builtLand_[8] = {};
  double yard_ = 0;
  double buildingTax_ = 0, buildingArea_ = 0, buildingValue_ = 0, annexTax_ = 0, annexArea_ = 0;
  std::vector<VehicleLine> vehicleLines_;
  int unregisteredCapacity_ = 0;
  int otherQuantity_[6] = {};
  int mainArrears_[4] = {}, mainPenalties_[4] = {}, mainPlus_[4] = {};  // arrears page order
  int otherArrears_[7] = {};
  // Same order as the arrears page: extravilan, buildings, built-up land, vehicles.
  MainTax main_[4] = {{kOpenLand}, {kBuildings}, {kBuiltLand}, {kVehicles}};
  std::vector<Debt> debts_;
  std::vector<Debit> debits_;
};

}  // namespace

TaxpayerFile makeTaxpayerFile(RandomSource& rng, const CommuneYear& year, std::size_t index, std::int64_t idgos,
                              std::size_t village, const std::string& rol) {
  return FileBuilder(rng, year, index, idgos, village, rol).build();
}

}  // namespace gencommune
