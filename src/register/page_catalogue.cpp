#include "register/page_catalogue.h"

#include "admin/settings_catalogue.h"
#include "store/schema.h"

#include <stdexcept>
#include <string>

namespace dajdor::reg {
namespace {

const QStringList kZoneLetters5 = {"A", "B", "C", "D", "E"};
const QStringList kZoneColumns = {"Zona A", "Zona B", "Zona C", "Zona D", "Zona E"};
const QString kCount = QStringLiteral("Numar\n(bucati)");
const QString kCapacity = QStringLiteral("Capacitate\n(cmc)");

PageInput quantity(const QString& name, const QString& column) {
  PageInput in;
  in.name = name;
  in.column = column;
  return in;
}

PageInput list(const QString& name, const QString& column, PageInputKind kind, const QStringList& items,
               DefaultRule rule, const QString& defaultText = {}) {
  PageInput in = quantity(name, column);
  in.kind = kind;
  in.items = items;
  in.defaultRule = rule;
  in.defaultText = defaultText;
  return in;
}

PageInput yesNo(const QString& name, const QString& column) {
  PageInput in = quantity(name, column);
  in.kind = PageInputKind::YesNo;
  in.label = QStringLiteral("Amortizata");
  in.defaultText = QStringLiteral("NU");
  return in;
}

PageInput evaluationDate(const QString& name, const QString& column) {
  PageInput in = quantity(name, column);
  in.kind = PageInputKind::Date;
  in.defaultRule = DefaultRule::EvaluationDate;
  in.defaultText.clear();
  return in;
}

PageInput display(const QString& name) {
  PageInput in;
  in.name = name;
  in.kind = PageInputKind::Display;
  in.defaultText.clear();
  return in;
}

// Captions are copied into the inputs, so a flat list still says what each input is.
PageRow row(const QString& caption, QList<PageInput> inputs) {
  for (int c = 0; c < inputs.size(); ++c) {
    inputs[c].caption = caption;
    inputs[c].position = c;
  }
  return {caption, {}, inputs};
}

PageRow named(PageRow r, const QString& captionId) {
  r.captionId = captionId;
  return r;
}

PageSection section(const QString& heading, const QStringList& columns, QList<PageRow> rows = {}) {
  PageSection s;
  s.heading = heading;
  s.columns = columns;
  s.rows = std::move(rows);
  return s;
}

PageSection panel(const QString& id, Audience audience, PageSection s) {
  s.id = id;
  s.audience = audience;
  return s;
}

// A row of one quantity per zone: <name><key> <-> <column><zone>.
PageRow zoneRow(const QString& caption, const QString& namePrefix, const QStringList& nameKeys,
                const QString& columnPrefix, const QString& nameSuffix = {}) {
  QList<PageInput> inputs;
  for (int z = 0; z < kZoneLetters5.size(); ++z)
    inputs.append(quantity(namePrefix + nameKeys[z] + nameSuffix, columnPrefix + kZoneLetters5[z]));
  return row(caption, inputs);
}

// The label of an administration rate, for the page inputs that count what that rate taxes.
QString rateLabel(const QString& name) {
  const admin::SettingInput* in = admin::findSettingInput(name);
  return in ? in->label : QString();
}

// The sections from `first` on go beside the earlier ones.
void besides(QList<PageSection>& sections, int first) {
  for (int i = first; i < sections.size(); ++i) sections[i].side = 1;
}

// Sections of an administration page whose rates are named like the page's columns
// (axle groups, water vehicles): the same headings and rows, one count per rate.
QList<PageSection> countsLike(const QString& adminPage, const QStringList& columns) {
  QList<PageSection> sections;
  for (const admin::SettingPage& page : admin::settingPages()) {
    if (page.id != adminPage) continue;
    for (const admin::SettingSection& rates : page.sections) {
      PageSection s = section(rates.heading, columns);
      for (const admin::SettingRow& r : rates.rows) {
        QList<PageInput> inputs;
        for (const admin::SettingInput& in : r.inputs) inputs.append(quantity(in.name, in.name));
        s.rows.append(row(r.label, inputs));
      }
      sections.append(s);
    }
  }
  return sections;
}

AssessmentPage openLandPage() {
  AssessmentPage page{1, "Pag1", "teren extravilan", "Pag1.dbf", "Teren Extravilan",
                      "Suprafata (ha) pe categorii de folosinta si zone", {}};
  PageSection grid = section({}, kZoneColumns);
  const QStringList categories = openLandCategories();
  const QStringList zoneKeys = {"ZA", "ZB", "ZC", "ZD", "ZE"};
  for (int l = 1; l <= categories.size(); ++l) {
    QString caption = categories[l - 1];
    if (l == 7) caption += "\ncu vegetatie forestiera";
    grid.rows.append(
        named(zoneRow(caption, QString("EC%1").arg(l), zoneKeys, QString("L%1").arg(l)), QString("C1L%1Lab").arg(l)));
  }
  page.sections = {grid};
  return page;
}

AssessmentPage buildingsPage() {
  AssessmentPage page{2, "Pag2", "cladiri", "Pag2.dbf", "Impozit pe cladiri", {}, {}};
  PageSection natural = panel(
      "Panel4", Audience::NaturalPersons,
      section("Persoane fizice",
              {"Suprafata\nconstruita (mp)", "Anul darii\nin folosinta", "Cod material\nconstructie", "Zona",
               "Rang", "A cata\ncasa este", "Val. impozab."}));
  for (int i = 1; i <= 8; ++i) {
    const QString n = QString::number(i);
    natural.rows.append(
        row(n + ".",
            {quantity("SupC" + n, "C" + n + "S"), quantity("AnC" + n, "C" + n + "A"),
             list("CodMC" + n, "C" + n + "C", PageInputKind::Position, materialItems(), DefaultRule::Fixed, "1"),
             list("ZonaC" + n, "C" + n + "Z", PageInputKind::ListText, buildingZones(), DefaultRule::Zone),
             list("RangC" + n, "C" + n + "R", PageInputKind::ListText, buildingRanks(), DefaultRule::Rank),
             list("NrC" + n, "NR" + n, PageInputKind::Position, dwellingItems(), DefaultRule::Fixed, n),
             display("ValImp" + n)}));
  }
  PageSection legal = panel("Panel5", Audience::LegalPersons,
                            section("Persoane juridice", {"Valoare inventar\n(lei)", "Data evaluarii", ""}));
  for (int j = 1; j <= 12; ++j) {
    const QString n = QString::number(j);
    legal.rows.append(row("Cladirea " + n, {quantity("CladJur" + n, "V" + n),
                                            evaluationDate("DataEval" + n, "DINV" + n), yesNo("Amor" + n, "AM" + n)}));
  }
  page.sections = {natural, legal};
  return page;
}

AssessmentPage annexesPage() {
  AssessmentPage page{3, "Pag3", "cladiri anexe", "Pag2.dbf", "Impozit pe cladiri anexe", {}, {}};
  const QStringList columns = {"Suprafata\nconstruita (mp)", "Anul darii\nin folosinta", "Cod material\nconstructie",
                               "Zona", "Rang", "Val. impozab."};
  struct Annex {
    QString panel, area, year, material, zone, rank, value, suffix;
  };
  const QList<Annex> annexes = {
      {"CLAnx1", "NumericEdit11", "NumericEdit10", "ComboBox16", "ComboBox15", "ComboBox17", "ValImpA1", ""},
      {"CLAnx2", "NumericEdit1", "NumericEdit16", "ComboBox1", "ComboBox2", "ComboBox18", "ValImpA2", "2"}};
  for (int a = 0; a < annexes.size(); ++a) {
    const Annex& x = annexes[a];
    const QString s = x.suffix;
    PageSection natural = panel(x.panel, Audience::NaturalPersons, section(QString("Anexa %1").arg(a + 1), columns));
    natural.rows.append(
        row({}, {quantity(x.area, "CAS" + s), quantity(x.year, "CAA" + s),
                 list(x.material, "CAC" + s, PageInputKind::Position, materialItems(), DefaultRule::Fixed, "1"),
                 list(x.zone, "CAZ" + s, PageInputKind::ListText, buildingZones(), DefaultRule::Zone),
                 list(x.rank, "CAR" + s, PageInputKind::ListText, buildingRanks(), DefaultRule::Rank),
                 display(x.value)}));
    page.sections.append(natural);
  }
  PageSection legal = panel("Panel10", Audience::LegalPersons,
                            section("Persoane juridice", {"Valoare inventar\n(lei)", "Data evaluarii", ""}));
  for (int a = 1; a <= 2; ++a) {
    const QString n = QString::number(a);
    legal.rows.append(row("Anexa " + n, {quantity("ValInvCAPJ" + n, "VA" + n),
                                         evaluationDate("DataECA" + n, "DINVA" + n), yesNo("AmoCA" + n, "AMA" + n)}));
  }
  page.sections.append(legal);
  return page;
}

AssessmentPage builtLandPage() {
  AssessmentPage page{4, "Pag4", "teren intravilan", "Pag4.dbf", "Teren intravilan", {}, {}};
  PageSection yards = section("Curti - constructii (mp)", kZoneColumns);
  yards.rows.append(zoneRow("Curti - constructii", "ICC", kZoneLetters5, "CC"));
  PageSection other = section("Alte categorii de folosinta (ha)", kZoneColumns);
  const QStringList categories = builtLandCategories();
  const QStringList zoneNumbers = {"1", "2", "3", "4", "5"};
  for (int r = 1; r <= categories.size(); ++r)
    other.rows.append(named(zoneRow(categories[r - 1], QString("IA%1").arg(r), zoneNumbers, QString("AL%1").arg(r)),
                            QString("IntraLab%1").arg(r)));
  page.sections = {yards, other};
  return page;
}

AssessmentPage vehiclesPage() {
  AssessmentPage page{5, "Pag5", "mijloace de transport", "Pag5.dbf", "Mijloace de transport", {}, {}};
  // Inputs named like the administration's rates count what those rates tax.
  const auto counted = [](const QString& name, const QString& column) {
    return row(rateLabel(name), {quantity(name, column)});
  };
  PageSection cars = section("Autoturisme si motociclete", {kCount});
  for (int k = 23; k >= 18; --k) cars.rows.append(counted(QString("AUTO%1").arg(k), QString("AUTO%1").arg(k - 7)));
  for (int k = 1; k <= 9; ++k) cars.rows.append(counted(QString("AUTO%1").arg(k), QString("AUTO%1").arg(k)));
  cars.rows.append(row("peste 3000 cmc: Cap.(cmc)", {quantity("AUTO10", "AUTO10")}));

  PageSection others = section("Alte autovehicule", {kCapacity}, {counted("AUTO11", "ALTE")});
  PageSection trailers = section("Remorci, semiremorci si rulote", {kCount});
  for (int k = 14; k <= 17; ++k) trailers.rows.append(counted(QString("AUTO%1").arg(k), QString("REM%1").arg(k - 13)));

  PageSection tractors = section(rateLabel("AUTO13"), {kCapacity, kCount});
  for (int k = 1; k <= 4; ++k) {
    const QString n = QString::number(k);
    tractors.rows.append(row(n + ".", {quantity("TRACCAP" + n, "TRAC" + n), quantity("TRACBUC" + n, "TBUC" + n)}));
  }
  PageSection buses = section(rateLabel("AUTO12"), {kCapacity, kCount});
  for (int k = 1; k <= 2; ++k) {
    const QString n = QString::number(k);
    buses.rows.append(row(n + ".", {quantity("ATBCAP" + n, "ATB" + n), quantity("ATBCANT" + n, "ATBNR" + n)}));
  }
  page.sections = {cars, others, trailers, tractors, buses};
  besides(page.sections, 1);
  return page;
}

AssessmentPage unregisteredPage() {
  AssessmentPage page{6, "Pag6", "vehicule neinmatriculate", "Pag6.dbf", "Impozit pe vehicule neinmatriculate",
                      {}, {}};
  const auto vehicles = [](const QString& heading, int first) {
    PageSection s = section(heading, {kCapacity});
    for (int k = 0; k < 5; ++k)
      s.rows.append(row(QString("Vehiculul %1").arg(k + 1), {quantity(QString("VN%1").arg(first + k),
                                                                      QString("VN%1").arg(first + k))}));
    return s;
  };
  page.sections = {vehicles("Auto cu capacitatea cilindrica pana la 4800 cmc", 1),
                   vehicles("Auto cu capacitatea cilindrica peste 4800 cmc", 6),
                   section("Auto cu capacitatea cilindrica neevidentiata", {},
                           {row("Numar de bucati", {quantity("VN11", "VN11")})})};
  return page;
}

AssessmentPage otherTaxesPage() {
  AssessmentPage page{7, "Pag7", "alte taxe", "Pag7.dbf", "Alte taxe", {}, {}};
  PageSection taxes = section({}, {"Cantitate"});
  const QStringList names = otherTaxNames();
  for (int k = 1; k <= names.size(); ++k)
    taxes.rows.append(named(row(names[k - 1], {quantity(QString("Alte%1").arg(k), QString("LIN%1").arg(k))}),
                            QString("AlteLab%1").arg(k)));
  page.sections = {taxes};
  return page;
}

AssessmentPage heavyPage() {
  AssessmentPage page{8, "Pag8", "auto.transp.peste 12 tone", "Pag5.dbf",
                      "Autovechicule transport marfa peste 12 tone / bucati", "Numarul axelor si masa totala", {}};
  page.sections = countsLike("PageHeavy", {"Cu suspensie\npneumatica", "Fara suspensie\npneumatica"});
  besides(page.sections, 2);
  return page;
}

AssessmentPage combinationsPage() {
  AssessmentPage page{9, "Pag9", "auto combinatii peste 12 t", "Pag5.dbf",
                      "Combinatii autovehicule peste 12 tone / bucati", "Numarul axelor si masa totala", {}};
  page.sections = countsLike("PageCombinations", {"Axa motoare\ncu suspensie\npneumatica",
                                                  "Axa motoare\nfara suspensie\npneumatica"});
  besides(page.sections, 2);
  return page;
}

AssessmentPage waterPage() {
  AssessmentPage page{10, "Pag10", "mijloace transport pe apa", "Pag5.dbf", "Mijloace de transport pe apa", {}, {}};
  page.sections = countsLike("PageWater", {kCount});
  // Ships are declared by their total deadweight, not counted.
  for (PageSection& s : page.sections)
    for (PageRow& r : s.rows)
      if (r.inputs.first().name == "APA10") {
        r = row("7. Vapoare - total tdw", r.inputs);
        s.columns = QStringList{"Total\n(tdw)"};
      }
  return page;
}

AssessmentPage arrearsPage() {
  AssessmentPage page{11, "Pag11", "Restante", "Pag8.dbf", "Restante din evidentele anterioare",
                      "Valoare totala restante, majorari si solduri la initializarea programului", {}};
  PageSection main = section("Impozite (lei)", {"Plus", "Restanta", "Majorari"});
  const QStringList taxes = {"Teren extravilan", "Cladiri", "Teren intravilan", "Mijloace de transport"};
  for (int k = 1; k <= taxes.size(); ++k) {
    const QString n = QString::number(k);
    main.rows.append(row(taxes[k - 1], {quantity("Sold" + n, "SOLD" + n),
                                        quantity(QString("NumericEdit%1").arg(11 + k), "LIN" + n),
                                        quantity(QString("Pen%1").arg(11 + k), "PEN" + n)}));
  }
  PageSection other = section("Restante taxe (lei)", {"Restanta"});
  const QStringList fees = {"Vehicule lente", "Taxa pe pasune", "Concesionari", "Iluminat",
                            "Salubritate",    "PSI",            "Paza"};
  for (int k = 0; k < fees.size(); ++k)
    other.rows.append(
        row(fees[k], {quantity(QString("NumericEdit%1").arg(17 + k), QString("LIN%1").arg(5 + k))}));
  page.sections = {main, other};
  return page;
}

// Widths and decimals come from the table layout, so they can never disagree with it.
void takeFieldLimits(AssessmentPage& page) {
  const schema::Table* table = schema::findTable(page.table);
  for (PageSection& s : page.sections)
    for (PageRow& r : s.rows)
      for (PageInput& in : r.inputs) {
        const schema::Field* field = table && in.stored() ? table->field(in.column) : nullptr;
        if (!field) continue;
        in.digits = field->size;
        in.decimals = field->decimals;
      }
}

QList<AssessmentPage> buildPages() {
  QList<AssessmentPage> pages = {openLandPage(),     buildingsPage(), annexesPage(),      builtLandPage(),
                                 vehiclesPage(),     unregisteredPage(), otherTaxesPage(), heavyPage(),
                                 combinationsPage(), waterPage(),     arrearsPage()};
  for (AssessmentPage& page : pages) takeFieldLimits(page);
  return pages;
}

}  // namespace

QList<const PageInput*> AssessmentPage::inputs() const {
  QList<const PageInput*> all;
  for (const PageSection& s : sections)
    for (const PageRow& r : s.rows)
      for (const PageInput& in : r.inputs) all.append(&in);
  return all;
}

const PageInput* AssessmentPage::input(const QString& name) const {
  for (const PageInput* in : inputs())
    if (in->name.compare(name, Qt::CaseInsensitive) == 0) return in;
  return nullptr;
}

const QList<AssessmentPage>& assessmentPages() {
  static const QList<AssessmentPage> pages = buildPages();
  return pages;
}

const AssessmentPage& assessmentPage(int number) {
  if (number < kFirstPage || number > kLastPage)
    throw std::out_of_range("assessment page " + std::to_string(number));
  return assessmentPages()[number - 1];
}

QStringList pageTables() {
  return {"Pag1.dbf", "Pag2.dbf", "Pag4.dbf", "Pag5.dbf", "Pag6.dbf", "Pag7.dbf", "Pag8.dbf"};
}

QStringList materialItems() { return {"1 SAU 2", "3,4 SAU 5"}; }
QStringList dwellingItems() { return {"MOSTENITA", "1", "2", "3", "4"}; }
QStringList buildingZones() { return admin::zoneLetters(); }
QStringList buildingRanks() { return admin::rankNumerals(); }

QStringList openLandCategories() {
  return {"Teren arabil",
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
}

QStringList builtLandCategories() {
  return {"Teren arabil", "Pasune", "Faneata", "Vie", "Livada", "Neproductiv", "Padure", "Teren cu ape"};
}

QStringList otherTaxNames() { return {"Concesionari", "Iluminat", "Salubritate", "PSI", "Paza", "Vehicule lente"}; }

}  // namespace dajdor::reg
