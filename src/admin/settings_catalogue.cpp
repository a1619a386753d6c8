#include "admin/settings_catalogue.h"

#include <QHash>

namespace dajdor::admin {
namespace {

const QStringList kZones5 = {"A", "B", "C", "D", "E"};
const QStringList kZones4 = {"A", "B", "C", "D"};
const QStringList kRanks = {"0", "I", "II", "III", "IV", "V"};
const QString kEarlyPayment = QStringLiteral("Reducere la plata integrala in avans");

SettingInput input(const QString& name, InputKind kind, int maxLength, const QString& initial,
                   const QString& owner = kOwnerWindow) {
  SettingInput in;
  in.owner = owner;
  in.name = name;
  in.kind = kind;
  in.maxLength = maxLength;
  in.initial = initial;
  return in;
}

SettingInput withStore(SettingInput in, FileStore store, const QString& key) {
  in.store = store;
  in.fileKey = key;
  return in;
}

SettingInput withHint(SettingInput in, const QString& hint) {
  in.hint = hint;
  return in;
}

SettingInput withUnit(SettingInput in, const QString& unit) {
  in.unit = unit;
  return in;
}

// Row labels are copied into the inputs so a flat list still says what each input is.
SettingRow row(const QString& label, QList<SettingInput> inputs) {
  for (int c = 0; c < inputs.size(); ++c) {
    inputs[c].label = label;
    inputs[c].column = c;
  }
  return {label, inputs};
}

SettingRow single(const QString& label, const SettingInput& in) { return row(label, {in}); }

// A row of one input per zone or rank: <prefix><key><suffix>.
SettingRow gridRow(const QString& label, const QString& prefix, const QStringList& keys,
                   const QString& suffix, InputKind kind, int width, const QString& initial,
                   const QStringList& initials = {}) {
  QList<SettingInput> inputs;
  for (int i = 0; i < keys.size(); ++i)
    inputs.append(input(prefix + keys[i] + suffix, kind, width,
                        initials.isEmpty() ? initial : initials[i]));
  return row(label, inputs);
}

// "1. Masa peste 12 tone, dar nu mai mult de 13 tone" ... "n. Masa peste 15 tone".
QStringList massRows(const QList<int>& limits) {
  QStringList labels;
  for (int i = 0; i < limits.size(); ++i) {
    QString text = QString("%1. Masa peste %2 tone").arg(i + 1).arg(limits[i]);
    if (i + 1 < limits.size()) text += QString(", dar nu mai mult de %1 tone").arg(limits[i + 1]);
    labels.append(text);
  }
  return labels;
}

// Sections of axle groups: inputs <prefix><n>A and <prefix><n>B, n counted across groups.
QList<SettingSection> axleSections(const QString& owner, const QString& prefix,
                                   const QStringList& columns,
                                   const QList<QPair<QString, QList<int>>>& groups) {
  QList<SettingSection> sections;
  int n = 0;
  for (const auto& [heading, limits] : groups) {
    SettingSection section{heading, {}, columns, {}};
    for (const QString& label : massRows(limits)) {
      ++n;
      const QString base = prefix + QString::number(n);
      section.rows.append(row(label, {input(base + "A", InputKind::Integer, 6, "0", owner),
                                      input(base + "B", InputKind::Integer, 6, "0", owner)}));
    }
    sections.append(section);
  }
  return sections;
}

SettingPage generalPage() {
  SettingPage page{"PageGeneral", "   - general", "", "Administrator program", "Date generale",
                   false, {}};
  SettingSection data{"Primaria", "", {}, {}};
  const QList<QPair<QString, QString>> texts = {
      {"PrimariaLab", "Primaria"}, {"JudetulLab", "Judetul"},         {"PrimarLab", "Primar"},
      {"ContabilLab", "Contabil"}, {"LocalitateaLab", "Localitatea"}};
  for (const auto& [name, label] : texts)
    data.rows.append(single(label, input(name, InputKind::Text, 50, "")));
  data.rows.append(single("C.U.I.", input("CUILab", InputKind::Text, 12, "")));

  SettingSection paths{"Cai", "", {}, {}};
  paths.rows.append(single("Cale Server :", withStore(input("CaleServer", InputKind::Path, 0, ""),
                                                      FileStore::Registry, "SERVER")));
  paths.rows.append(
      single("Cale Salvari :", withStore(input("CaleSalvari", InputKind::Path, 0, ""),
                                         FileStore::Registry, "CALESALVARI")));
  paths.rows.append(
      single("Cale DATA din RA2010", withStore(input("CALEAUTORA", InputKind::Path, 0, ""),
                                               FileStore::Server, "CALEAUTORA")));

  SettingSection options{"Optiuni", "", {}, {}};
  const auto check = [](const QString& key, const QString& initial, FileStore store) {
    return withStore(input(key, InputKind::Check, 0, initial), store, key);
  };
  options.rows.append(
      single("Arata chitanta inainte de listare", check("PREVIEWL", "DA", FileStore::Server)));
  options.rows.append(
      single("Arata chitanta in format PDF", check("FORMATPDF", "NU", FileStore::User)));
  options.rows.append(single("Acorda bonificatie pentru sume sub 50 ron",
                             check("BONIF50", "NU", FileStore::Server)));
  options.rows.append(single("Acorda bonificatie la persoane juridice",
                             check("REDUCERE_JURIDICE", "NU", FileStore::Server)));
  options.rows.append(single("Actualizare zilnica automata din Registru Agricol 2010-2014",
                             check("AUTORA", "NU", FileStore::Server)));
  options.rows.append(
      single("Ora actualizarii :", withStore(input("ORAAUTORA", InputKind::Time, 5, "00:00"),
                                             FileStore::Server, "ORAAUTORA")));
  page.sections = {data, paths, options};
  return page;
}

SettingPage zonesPage() {
  SettingPage page{"PageZones",          "   - definirea zonelor", "", "Stabilirea zonelor",
                   "Identificarea zonelor de impozitare", false, {}};
  SettingInput zone = input("ComboBox2", InputKind::Combo, 1, "A");
  zone.items = kZones4;
  SettingInput rank = input("ComboBox3", InputKind::Combo, 3, "IV");
  rank.items = kRanks;
  page.sections = {SettingSection{"", "", {}, {single("Zona implicita", zone),
                                               single("Rangul implicit", rank)}}};
  return page;
}

SettingPage extravilanPage() {
  SettingPage page{"PageExtravilan", "   - teren extravilan", "TAXE - Valori fixate",
                   "Impozit pentru terenul extravilan", "Nivel impozit pe zone  - lei / ha", true,
                   {}};
  struct Category {
    QString label;
    QStringList initials;
  };
  const QStringList zeros = {"0", "0", "0", "0", "0"};
  const QList<Category> categories = {
      {"Teren arabil", {"40", "37", "35", "30", "30"}},
      {"Pasuni - fanete", {"22", "20", "18", "14", "14"}},
      {"Vie pe rod", {"44", "42", "40", "34", "34"}},
      {"Vie pana la intrarea pe rod", zeros},
      {"Livada pe rod", {"44", "42", "40", "34", "34"}},
      {"Livada pana la intrarea pe rod", zeros},
      {"Fond forestier sau alt teren\ncu vegetatie forestiera", {"13", "11", "9", "6", "6"}},
      {"Teren de constructii", {"24", "22", "20", "16", "16"}},
      {"Teren neproductiv", zeros},
      {"Teren cu apa, fara amenajari piscicole", zeros},
      {"Teren cu cu amenajari piscicole", zeros}};
  SettingSection grid{"", "", kZones5, {}};
  for (int n = 0; n < categories.size(); ++n)
    grid.rows.append(gridRow(categories[n].label, QString("EC%1Z").arg(n + 1), kZones5, "",
                             InputKind::Integer, 8, "", categories[n].initials));
  SettingSection reduction{"", "", {}, {}};
  reduction.rows.append(
      single(kEarlyPayment, withUnit(input("ERED", InputKind::Integer, 2, "7"), "%")));
  page.sections = {grid, reduction};
  return page;
}

// The building and annex pages share their layout: two value grids by zone and
// rank, the reduction, the legal persons' rates by age and the natural persons' rate.
struct BuildingNames {
  QString grid1, grid2, reduction, legalRate, naturalRate, legalKey, naturalKey;
};

SettingPage buildingPage(SettingPage page, const BuildingNames& names,
                         const QString& heading1, const QString& heading2) {
  const auto valueGrid = [&](const QString& heading, const QString& prefix) {
    SettingSection section{heading, "", kRanks, {}};
    for (const QString& z : kZones4)
      section.rows.append(
          gridRow("Zona " + z, prefix + "Z" + z + "R", {"0", "1", "2", "3", "4", "5"}, "",
                  InputKind::Integer, 8, "0"));
    return section;
  };
  SettingSection reduction{"", "", {}, {}};
  reduction.rows.append(
      single(kEarlyPayment, withUnit(input(names.reduction, InputKind::Integer, 2, "7"), "%")));

  SettingSection legal{"Cota de impozitare pe valoare la Persoanele Juridice (%)", "",
                       {"0-3 ani", "3-5 ani", "peste 5 ani"}, {}};
  const QStringList initials = {"1", "10", "30"};
  const QStringList hints = {"Introduceti o valoare intre 0.25 si 1.50.",
                             "Introduceti o valoare intre 10 si 20.",
                             "Introduceti o valoare intre 30 si 40."};
  QList<SettingInput> rates;
  for (int i = 0; i < 3; ++i) {
    const QString n = QString::number(i + 1);
    rates.append(withHint(withStore(input(names.legalRate + n, InputKind::Decimal, 4, initials[i]),
                                    FileStore::Server, names.legalKey + n),
                          hints[i]));
  }
  legal.rows.append(row("Evaluate in ultimii:", rates));

  SettingSection natural{"", "", {}, {}};
  natural.rows.append(single(
      "Cota aplicata valorii impozabile Persoane Fizice",
      withUnit(withStore(input(names.naturalRate, InputKind::Decimal, 6, "0.1"), FileStore::Server,
                         names.naturalKey),
               "%")));
  page.sections = {valueGrid(heading1, names.grid1), valueGrid(heading2, names.grid2), reduction,
                   legal, natural};
  return page;
}

SettingPage buildingsPage() {
  return buildingPage(
      {"PageBuildings", "   - cladiri", "", "Impozit pe cladiri",
       "Nivelul valorii impozabile la cladiri fara utilitati  -  lei / mp", true, {}},
      {"IC", "IC2", "ICRED", "CotaPJC", "CotaMajC", "COTAPJC", "COTAMAJC"},
      "1. Cladiri cu cadre din beton armat sau cu pereti exteriori din caramida arsa sau\n"
      "materiale rezultate in urma unui tratament termic sau chimic, pana la 150 mp.",
      "2. Cladiri cu pereti exteriori din lemn, din piatra naturala, caramida nearsa, valatuci\n"
      "sau alte materiale nesupuse unui tratament termic sau chimic, pana la 150 mp.");
}

SettingPage annexesPage() {
  return buildingPage(
      {"PageAnnexes", "   - cladiri anexe", "", "Impozit pe cladiri-anexe",
       "Nivelul valorii impozabile la cladiri anexe  -  lei / mp", true, {}},
      {"IA1", "IA2", "IARED", "CotaPJCA", "CotaMajA", "COTAPJCA", "COTAMAJA"},
      "1. Cladiri anexe cu cadre din beton armat sau cu pereti exteriori din caramida arsa\n"
      "sau materiale rezultate in urma unui tratament termic si/sau chimic.",
      "2. Cladiri anexe cu pereti exteriori din lemn, din piatra naturala, caramida nearsa\n"
      "valatuci sau alte materiale nesupuse unui tratament termic si/sau chimic.");
}

SettingPage intravilanPage() {
  SettingPage page{"PageIntravilan", "   - teren intravilan", "", "Impozit pe teren intravilan",
                   "Nivel impozit stabilit", true, {}};
  SettingSection yards{"Curti - constructii", "lei / mp", kZones5, {}};
  yards.rows.append(gridRow("", "ICC", kZones5, "", InputKind::Decimal, 10, "0"));
  SettingSection other{"Alte categorii de folosinta", "lei / ha", kZones5, {}};
  const QStringList categories = {"Teren arabil", "Pasune", "Faneata",     "Vie",
                                  "Livada",       "Neproductiv", "Padure", "Teren cu ape"};
  const QStringList zoneNumbers = {"1", "2", "3", "4", "5"};
  for (int k = 0; k < categories.size(); ++k)
    other.rows.append(gridRow(categories[k], QString("IA%1").arg(k + 1), zoneNumbers, "",
                              InputKind::Decimal, 9, "0"));
  SettingSection reduction{"", "", {}, {}};
  reduction.rows.append(
      single(kEarlyPayment, withUnit(input("IIRED", InputKind::Decimal, 5, "7"), "%")));
  page.sections = {yards, other, reduction};
  return page;
}

SettingPage vehiclesPage() {
  SettingPage page{"PageVehicles", "   - mijloace de transport", "",
                   "Impozit pe mijloacele de transport", "", false, {}};
  const auto rate = [](const QString& name, const QString& unit, const QString& initial = "0") {
    return withUnit(input(name, InputKind::Integer, 6, initial), unit);
  };
  SettingSection cars{"Autoturisme si\nmotociclete - cmc", "", {"Valoare impozit\ncalculat - lei"},
                      {}};
  const QList<QPair<QString, QString>> classes = {
      {"AUTO23", "cap. cil. pana in 200"}, {"AUTO22", "cap. cil.   201 -   400"},
      {"AUTO21", "cap. cil.   401 -   600"}, {"AUTO20", "cap. cil.   601 -   800"},
      {"AUTO19", "cap. cil.   801 - 1000"}, {"AUTO18", "cap. cil. 1001 - 1200"},
      {"AUTO1", "cap. cil. 1201 - 1400"}, {"AUTO2", "cap. cil. 1401 - 1600"},
      {"AUTO3", "cap. cil. 1601 - 1800"}, {"AUTO4", "cap. cil. 1801 - 2000"},
      {"AUTO5", "cap. cil. 2001 - 2200"}, {"AUTO6", "cap. cil. 2201 - 2400"},
      {"AUTO7", "cap. cil. 2401 - 2600"}, {"AUTO8", "cap. cil. 2601 - 2800"},
      {"AUTO9", "cap. cil. 2801 - 3000"}};
  for (const auto& [name, label] : classes) cars.rows.append(single(label, rate(name, "lei")));
  cars.rows.append(single("peste 3000 cmc (lei/200 cmc)", rate("AUTO10", "lei/200 cmc")));

  SettingSection others{"", "", {"Impozit lei/200cmc"}, {}};
  others.rows.append(single(
      "Alte autovehicule cu masa totala maxima\nautorizata de pana la 12 tone inclusiv,\n"
      "precum si autoturisme de\nteren din productia interna",
      rate("AUTO11", "lei/200 cmc")));
  others.rows.append(single("Autobuze, autocare, microbuze", rate("AUTO12", "lei/200 cmc")));
  others.rows.append(single("Tractoare inmatriculate", rate("AUTO13", "lei/200 cmc")));

  SettingSection trailers{"", "", {}, {}};
  trailers.rows.append(
      single(" Remorci, semiremorci, rulote \npana la 1 tona inclusiv", rate("AUTO14", "lei")));
  trailers.rows.append(single("peste 1 tona - pana la 3 tone", rate("AUTO15", "lei")));
  trailers.rows.append(single("peste 3 tone - pana la 5 tone", rate("AUTO16", "lei")));
  trailers.rows.append(single("peste 5 tone", rate("AUTO17", "lei")));
  trailers.rows.append(
      single("Reducere\nla plata integrala in avans", rate("NumericEdit3", "%", "7")));
  page.sections = {cars, others, trailers};
  return page;
}

SettingPage unregisteredPage() {
  SettingPage page{"PageUnregistered", "   - auto neinmatriculate", "",
                   "Impozit pe autovehicule neinmatriculate", "", false, {}};
  const auto rate = [](const QString& name, const QString& unit, const QString& hint) {
    return withHint(withUnit(input(name, InputKind::Decimal, 8, "0"), unit), hint);
  };
  SettingSection section{"", "", {}, {}};
  section.rows.append(single("Auto cu capacitatea cilindrica pana la 4800 cmc",
                             rate("VN1", "Tarif lei/200 cmc",
                                  "Intre 2 si 4 lei / 200 cmc sau fractiune.")));
  section.rows.append(single("Auto cu capacitatea cilindrica peste 4800 cmc",
                             rate("VN2", "Tarif lei/200 cmc",
                                  "Intre 4 si 6 lei / 200 cmc sau fractiune.")));
  section.rows.append(single("Auto cu capacitatea cilindrica neevidentiata",
                             rate("VN3", "Tarif lei/buc.", "Intre 50 si 150 lei/an.")));
  page.sections = {section};
  return page;
}

SettingPage otherTaxesPage() {
  SettingPage page{"PageOtherTaxes", "   - alte taxe", "", "Alte taxe", "", false, {}};
  SettingSection section{"", "", {}, {}};
  const QStringList labels = {"Taxa pentru concesionari  ( lei / mp )", "Iluminat  ( lei / u.m.)",
                              "Salubritate (lei/UM)", "Taxa PSI", "Taxa pentru paza",
                              "Taxa pe vehicule lente"};
  for (int i = 0; i < labels.size(); ++i)
    section.rows.append(
        single(labels[i], input(QString("Alte%1").arg(i + 1), InputKind::Integer, 9, "0")));
  page.sections = {section};
  return page;
}

SettingPage heavyPage() {
  SettingPage page{"PageHeavy", "   - mijloace transp. peste 12 tone", "",
                   "Mijloace de transport peste 12 t", "Numarul axelor si masa totala", false, {}};
  page.sections = axleSections(kOwnerHeavy, "G",
                               {"Cu sistem de\nde suspensie\npneumatic", "Fara suspensie\npneumatica"},
                               {{"Vehicule cu doua axe", {12, 13, 14, 15}},
                                {"Vehicule cu trei axe", {15, 17, 19, 21, 23, 25}},
                                {"Vehicule cu patru axe", {23, 25, 27, 29, 31}}});
  page.sections.first().note = "Impozit - lei";
  return page;
}

SettingPage combinationsPage() {
  SettingPage page{"PageCombinations", "   - combinatii auto peste 12 tone", "",
                   "Combinatii autovehicule marfa peste 12 tone", "", false, {}};
  page.sections = axleSections(
      kOwnerCombinations, "GC",
      {"Axa motoare\ncu suspensie\npneumatica", "Axa motoare\nfara suspensie\npneumatica"},
      {{"Vehicule cu 2+1 axe", {12, 14, 16, 18, 20, 22, 23, 25}},
       {"Vehicule cu 2+2 axe", {23, 25, 26, 28, 29, 31, 33, 36}},
       {"Vehicule cu 2+3 axe", {36, 38}},
       {"Vehicule cu 3+2 axe", {36, 38, 40}},
       {"Vehicule cu 3+3 axe", {36, 38, 40}}});
  page.sections.first().note = "lei";
  return page;
}

SettingPage waterPage() {
  SettingPage page{"PageWater", "   - mijloace de transport pe apa", "",
                   "Mijloace de transport pe apa", "", false, {}};
  const auto rate = [](int n) {
    return input(QString("APA%1").arg(n), InputKind::Integer, 4, "0");
  };
  const QStringList column = {"Impozit - lei"};
  SettingSection boats{"", "", column, {}};
  boats.rows.append(single(
      "1. Luntre, barci fara motor, scutere de apa, folosite\npentru uz si agrement personal",
      rate(1)));
  boats.rows.append(single("2. Barci fara motor, folosite in alte scopuri", rate(2)));
  boats.rows.append(single("3. Barci cu motor", rate(3)));
  boats.rows.append(single("4. Nave de sport si agrement", rate(4)));
  boats.rows.append(single("5. Scutere de apa", rate(5)));
  SettingSection tugs{"6. Remorchere si impingatoare", "", {}, {}};
  tugs.rows.append(single("a) Pana la 500 CP inclusiv", rate(6)));
  tugs.rows.append(single("b) Peste 500 CP, dar nu peste 2.000 CP", rate(7)));
  tugs.rows.append(single("c) Peste 2.000 CP, dar nu peste 4.000 CP", rate(8)));
  tugs.rows.append(single("d) Peste 4.000 CP", rate(9)));
  SettingSection ships{"", "", {}, {}};
  ships.rows.append(single("7. Vapoare - pt.fiecare tdw sau fractiune din acesta", rate(10)));
  SettingSection barges{"8. Ceamuri, slepuri si barje fluviale:", "", {}, {}};
  barges.rows.append(single("a) Cu cap.de incarcare pana la 1.500 t inclusiv", rate(11)));
  barges.rows.append(
      single("b) Cu cap.de incarcare peste 1.500 t, dar nu peste 3.000 t", rate(12)));
  barges.rows.append(single("c) Cu capacitate de incarcare de peste 3.000 tone", rate(13)));
  page.sections = {boats, tugs, ships, barges};
  return page;
}

QList<SettingInput> flatten(const QList<SettingPage>& pages) {
  QList<SettingInput> all;
  for (const SettingPage& page : pages)
    for (const SettingSection& section : page.sections)
      for (const SettingRow& r : section.rows) all.append(r.inputs);
  return all;
}

}  // namespace

const QList<SettingPage>& settingPages() {
  static const QList<SettingPage> pages = {
      generalPage(),    zonesPage(),        extravilanPage(),   buildingsPage(),
      annexesPage(),    intravilanPage(),   vehiclesPage(),     unregisteredPage(),
      otherTaxesPage(), heavyPage(),        combinationsPage(), waterPage()};
  return pages;
}

const QList<SettingInput>& settingInputs() {
  static const QList<SettingInput> inputs = flatten(settingPages());
  return inputs;
}

const SettingInput* findSettingInput(const QString& name) {
  static const QHash<QString, int> index = [] {
    QHash<QString, int> byName;
    const QList<SettingInput>& all = settingInputs();
    for (int i = 0; i < all.size(); ++i) byName.insert(all[i].name.toUpper(), i);
    return byName;
  }();
  const auto it = index.constFind(name.trimmed().toUpper());
  return it == index.constEnd() ? nullptr : &settingInputs()[*it];
}

QList<IniRow> initialIniRows() {
  QList<IniRow> rows;
  for (const QString& owner : {kOwnerWindow, kOwnerHeavy, kOwnerCombinations})
    for (const SettingInput& in : settingInputs())
      if (in.inIniTable() && in.owner == owner) rows.append({in.owner, in.name, in.initial});
  return rows;
}

QStringList zoneLetters() { return kZones4; }
QStringList rankNumerals() { return kRanks; }

}  // namespace dajdor::admin
