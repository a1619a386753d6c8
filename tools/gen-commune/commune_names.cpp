#include "commune_names.h"

#include <array>
#include <stdexcept>

namespace gencommune {
namespace {

constexpr std::array kVillages = {
    Village{"Vârdeni", 'A', "IV", 30},      Village{"Poiana Mărului", 'B', "V", 18},
    Village{"Valea Seacă", 'B', "V", 15},   Village{"Dealu Mare", 'C', "V", 14},
    Village{"Fântânele", 'C', "V", 12},     Village{"Brădeşti", 'D', "V", 11},
};
constexpr std::array kVillageWeights = {30, 18, 15, 14, 12, 11};

constexpr std::array kGroups = {
    TaxGroup{"Impozit pe cladiri", "07020101", "07020102", 'I'},
    TaxGroup{"Impozit pe teren intravilan", "07020201", "07020202", 'I'},
    TaxGroup{"Impozit pe mijloace de transport", "16020201", "16020202", 'I'},
    TaxGroup{"Impozit pe teren extravilan", "07020203", "07020203", 'I'},
    TaxGroup{"Salubritate", "36020601", "36020601", 'T'},
    TaxGroup{"Concesionari", "30020530", "30020530", 'T'},
    TaxGroup{"Iluminat", "36020602", "36020602", 'T'},
    TaxGroup{"PSI", "36020603", "36020603", 'T'},
    TaxGroup{"Paza", "36020604", "36020604", 'T'},
    TaxGroup{"Taxa pe pasune", "36020605", "36020605", 'T'},
    TaxGroup{"Vehicule lente", "16020250", "16020250", 'T'},
    TaxGroup{"Auto neinmatriculate", "16020251", "16020251", 'T'},
};

constexpr std::array kSurnames = {
    "POPESCU",  "IONESCU",  "POPA",     "RADU",     "DUMITRU",  "STAN",     "STOICA",   "GHEORGHE",
    "MATEI",    "CIOBANU",  "CONSTANTIN", "ROTARU", "MUNTEANU", "BĂLAN",    "LUPU",     "MOLDOVAN",
    "ŢURCANU",  "ŞERBAN",   "NEAGU",    "DRĂGAN",   "ENACHE",   "COMAN",    "TUDOR",    "FLOREA",
    "BARBU",    "NISTOR",   "MIHAI",    "ANDREI",   "CRĂCIUN",  "OPREA",    "DOBRE",    "VOICU",
    "ŞTEFAN",   "PAVEL",    "MARIN",    "ZAHARIA",  "COSTEA",   "IORDACHE", "PETRESCU", "NICULAE",
    "TĂNASE",   "BĂDESCU",  "GRIGORE",  "SIMION",   "VASILE",   "FILIP",    "MOCANU",   "ŢÎRLEA",
};
constexpr std::array kMaleNames = {
    "ION",     "GHEORGHE", "VASILE",  "CONSTANTIN", "NICOLAE", "DUMITRU", "MIHAI",   "ALEXANDRU",
    "ŞTEFAN",  "PETRU",    "ANDREI",  "ADRIAN",     "MARIN",   "GRIGORE", "COSTEL",  "FLORIN",
    "DANIEL",  "VIOREL",   "TUDOR",   "ILIE",       "TRAIAN",  "CĂTĂLIN", "MARIUS",  "DORIN",
};
constexpr std::array kFemaleNames = {
    "MARIA",   "ELENA",  "IOANA",   "ANA",      "GEORGETA", "VASILICA", "FLOAREA", "ANGELA",
    "MIHAELA", "ELISABETA", "VICTORIA", "AURELIA", "RODICA", "DOINA",  "LUMINIŢA", "CRISTINA",
    "ŞTEFANIA", "TUDORA", "NICOLETA", "MARIANA", "IRINA",   "LENUŢA",  "DOMNICA",  "PARASCHIVA",
};
constexpr std::array kStreets = {
    "Str. Principală", "Str. Morii",    "Str. Bisericii", "Str. Şcolii",  "Str. Viilor",   "Str. Livezii",
    "Str. Izvorului",  "Str. Florilor", "Str. Dealului",  "Str. Ţarinei", "Str. Pădurii",  "Str. Gării",
};
constexpr std::array kCompanyWords = {
    "AGRO",  "FERMA", "CONSTRUCT", "TRANS", "COM",   "SERV",  "IMPEX", "NATURA", "DOMENIUL",
    "VÂRFUL", "LIVADA", "MECANICA", "LEMN",  "PRODCOM", "GRÂUL", "ZOOTEHNIA",
};
constexpr std::array kCompanyForms = {"SC %s SRL", "SC %s SA", "%s SRL", "ÎI %s", "PFA %s", "ASOCIAŢIA %s"};
constexpr std::array kMakes = {"DACIA", "VOLKSWAGEN", "OPEL",  "FORD",     "RENAULT", "SKODA",  "AUDI",
                               "BMW",   "MERCEDES",   "FIAT",  "PEUGEOT",  "TOYOTA",  "HYUNDAI", "ARO"};

}  // namespace

std::span<const Village> villages() { return kVillages; }
std::span<const int> villageWeights() { return kVillageWeights; }
std::span<const TaxGroup> taxGroups() { return kGroups; }

const TaxGroup& taxGroup(const std::string& name) {
  for (const auto& g : kGroups)
    if (name == g.name) return g;
  throw std::logic_error("unknown tax group " + name);
}

std::span<const char* const> surnames() { return kSurnames; }
std::span<const char* const> maleNames() { return kMaleNames; }
std::span<const char* const> femaleNames() { return kFemaleNames; }
std::span<const char* const> streets() { return kStreets; }
std::span<const char* const> companyWords() { return kCompanyWords; }
std::span<const char* const> companyForms() { return kCompanyForms; }
std::span<const char* const> vehicleMakes() { return kMakes; }

}  // namespace gencommune
