// The tax calculators against hand-computed amounts: every line kind, zones and
// ranks, exemptions, legal against natural persons and the bonuses.
#include "register/building_tax.h"
#include "register/land_tax.h"
#include "register/other_taxes.h"
#include "register/vehicle_tax.h"

#include <gtest/gtest.h>

namespace dajdor::reg {
namespace {

Currency c(const char* text) { return Currency::fromText(text); }

}  // namespace
}  // namespace dajdor::reg

namespace dajdor {
void PrintTo(const Currency& value, std::ostream* out) { *out << value.text().toStdString(); }
}  // namespace dajdor

namespace dajdor::reg {
namespace {

class TaxCalculatorTest : public ::testing::Test {
 protected:
  TaxContext context() const { return {taxpayer, rates, 2014}; }
  PageValues page(int n) const { return ClearPage(n, rates, 2014); }
  void legal(bool bonus) {
    taxpayer.type = kLegalPerson;
    rates.setOption("REDUCERE_JURIDICE", bonus);
  }
  static const DebtLine& named(const DebtLines& lines, const QString& name) {
    for (const DebtLine& line : lines)
      if (line.name == name) return line;
    static const DebtLine none{};
    ADD_FAILURE() << "no line " << name.toStdString();
    return none;
  }

  admin::Rates rates;
  Taxpayer taxpayer;
};

TEST_F(TaxCalculatorTest, BuildingOfTheWorkedExample) {
  rates.setText("ICZAR4", "806");
  rates.setText("CotaMajC", "0.1");
  rates.setText("ICRED", "7");
  PageValues p = page(2);
  p["SupC1"] = "200";
  p["AnC1"] = "1970";
  p["CodMC1"] = "0";
  p["ZonaC1"] = "A";
  p["RangC1"] = "IV";
  p["NrC1"] = "2";
  p["SupC2"] = "0";  // the defaults of the other lines tax nothing
  const DebtLine line = AssessBuildings(p, context());
  EXPECT_EQ(line.group, "Impozit pe cladiri");
  EXPECT_EQ(line.name, "Cladiri");
  EXPECT_EQ(line.unit, "mp");
  EXPECT_EQ(line.quantity, c("200"));
  EXPECT_EQ(line.tax, c("251"));
  EXPECT_EQ(line.reductionPercent, c("7"));
  EXPECT_EQ(line.reduction, c("18"));
  EXPECT_EQ(line.exemption, Currency());
}

// One building at 1000 lei/m2 and 1 %: the tax is the taxable value / 100.
TEST_F(TaxCalculatorTest, BuildingSizeAgeAndDwelling) {
  struct Case {
    const char* area;
    int year;
    int dwelling;
    const char* tax;
  };
  const Case cases[] = {
      {"150", 2000, 1, "1500"},    {"150.01", 2000, 1, "1575"}, {"200", 2000, 1, "2100"},
      {"200.02", 2000, 1, "2200"}, {"40", 2000, 1, "400"},      {"100", 1984, 1, "1000"},
      {"100", 1983, 1, "900"},     {"100", 1964, 1, "900"},     {"100", 1963, 1, "800"},
      {"100", 0, 1, "800"},        {"100", 2000, 0, "1000"},    {"100", 2000, -1, "1000"},
      {"100", 2000, 2, "1650"},    {"100", 2000, 3, "2500"},    {"100", 2000, 4, "4000"},
      {"100", 2000, 10, "4000"},   {"100", 2000, 11, "1000"},   {"0", 2000, 4, "0"},
  };
  rates.setText("ICZBR2", "1000");
  rates.setText("CotaMajC", "1");
  for (const Case& k : cases) {
    for (int line = 1; line <= 8; line += 7) {  // the first and the eighth line alike
      PageValues p = page(2);
      const QString n = QString::number(line);
      p["SupC" + n] = k.area;
      p["AnC" + n] = QString::number(k.year);
      p["CodMC" + n] = "0";
      p["ZonaC" + n] = "B";
      p["RangC" + n] = "II";
      p["NrC" + n] = QString::number(k.dwelling);
      EXPECT_EQ(AssessBuildings(p, context()).tax, c(k.tax))
          << "line " << line << ", " << k.area << " m2, " << k.year << ", dwelling " << k.dwelling;
    }
  }
}

TEST_F(TaxCalculatorTest, BuildingRateByMaterialZoneAndRank) {
  rates.setText("CotaMajC", "100");
  rates.setText("ICZAR0", "1");
  rates.setText("IC2ZAR0", "2");
  rates.setText("ICZDR5", "3");
  rates.setText("IC2ZDR5", "4");
  struct Case {
    int material;
    const char *zone, *rank, *tax;
  };
  for (const Case& k : {Case{0, "A", "0", "10"}, Case{1, "A", "0", "20"}, Case{0, "D", "V", "30"},
                        Case{1, "D", "V", "40"}, Case{0, "B", "V", "0"}}) {
    PageValues p = page(2);
    p["SupC3"] = "10";
    p["AnC3"] = "2010";
    p["CodMC3"] = QString::number(k.material);
    p["ZonaC3"] = k.zone;
    p["RangC3"] = k.rank;
    p["NrC3"] = "1";
    EXPECT_EQ(AssessBuildings(p, context()).tax, c(k.tax)) << k.material << k.zone << k.rank;
  }
}

TEST_F(TaxCalculatorTest, BuildingsExemptedAreZeroOnBothLines) {
  rates.setText("ICZAR4", "806");
  rates.setText("IA1ZAR4", "200");
  rates.setText("CotaMajC", "0.1");
  rates.setText("CotaMajA", "0.1");
  PageValues buildings = page(2), annexes = page(3);
  buildings["SupC1"] = "100";
  buildings["CodMC1"] = "0";
  annexes["ComboBox16"] = "0";
  buildings["ZonaC1"] = "A";
  buildings["RangC1"] = "IV";
  annexes["NumericEdit11"] = "100";
  annexes["ComboBox15"] = "A";
  annexes["ComboBox17"] = "IV";
  EXPECT_GT(AssessBuildings(buildings, context()).tax, Currency());
  EXPECT_GT(AssessAnnexes(annexes, context()).tax, Currency());
  taxpayer.exemptBuildings = true;
  for (const DebtLine& line : {AssessBuildings(buildings, context()), AssessAnnexes(annexes, context())}) {
    EXPECT_EQ(line.tax, Currency()) << line.name.toStdString();
    EXPECT_EQ(line.reduction, Currency());
    EXPECT_EQ(line.quantity, c("100"));
  }
}

TEST_F(TaxCalculatorTest, LegalPersonBuildingsByValuationAge) {
  rates.setText("CotaPJC1", "1");
  rates.setText("CotaPJC2", "10");
  rates.setText("CotaPJC3", "30");
  rates.setText("ICRED", "7");
  struct Case {
    const char* date;
    const char* amortised;
    const char* tax;
  };
  const Case cases[] = {{"15.06.2011", "NU", "1000"},  {"01.01.2010", "NU", "10000"}, {"01.01.2009", "NU", "10000"},
                        {"01.01.2008", "NU", "30000"}, {"01.01.2015", "NU", "30000"}, {"01.01.2000", "DA", "850"}};
  legal(false);
  for (const Case& k : cases) {
    PageValues p = page(2);
    p["CladJur1"] = "100000";
    p["DataEval1"] = k.date;
    p["Amor1"] = k.amortised;
    const DebtLine line = AssessBuildings(p, context());
    EXPECT_EQ(line.tax, c(k.tax)) << k.date << " " << k.amortised;
    EXPECT_EQ(line.unit, "Lei-Val.");
    EXPECT_EQ(line.quantity, c("100000"));
    EXPECT_EQ(line.reduction, Currency()) << "no bonus without BonifPJ";
  }
}

TEST_F(TaxCalculatorTest, LegalPersonBuildingsSumTwelveAndTheBonus) {
  rates.setText("CotaPJC1", "1");
  rates.setText("ICRED", "7");
  PageValues p = page(2);
  for (int j = 1; j <= 12; ++j) {
    p[QStringLiteral("CladJur%1").arg(j)] = "1550";
    p[QStringLiteral("DataEval%1").arg(j)] = "01.01.2013";
  }
  legal(true);
  DebtLine line = AssessBuildings(p, context());
  EXPECT_EQ(line.tax, c("192"));  // 12 x RoundToInt(15.5)
  EXPECT_EQ(line.quantity, c("18600"));
  EXPECT_EQ(line.reductionPercent, c("7"));
  EXPECT_EQ(line.reduction, c("13.44"));
  taxpayer.exemptBuildings = true;
  line = AssessBuildings(p, context());
  EXPECT_EQ(line.tax, Currency());
  EXPECT_EQ(line.reductionPercent, Currency());
}

TEST_F(TaxCalculatorTest, NaturalPersonAnnexes) {
  rates.setText("IA1ZAR4", "200");
  rates.setText("IA2ZCR1", "100");
  rates.setText("CotaMajA", "0.1");
  rates.setText("IARED", "7");
  PageValues p = page(3);
  p["NumericEdit11"] = "50";  // annex 1: 50 x 200 x 0.1 % = 10
  p["NumericEdit10"] = "2000";
  p["ComboBox16"] = "0";
  p["ComboBox15"] = "A";
  p["ComboBox17"] = "IV";
  p["NumericEdit1"] = "300";  // annex 2: 300 x 100 x 0.1 % = 30, 60 years old: 24
  p["NumericEdit16"] = "1954";
  p["ComboBox1"] = "1";
  p["ComboBox2"] = "C";
  p["ComboBox18"] = "I";
  const DebtLine line = AssessAnnexes(p, context());
  EXPECT_EQ(line.name, "Cladiri-Anexe");
  EXPECT_EQ(line.tax, c("34"));
  EXPECT_EQ(line.quantity, c("350"));
  EXPECT_EQ(line.unit, "mp");
  EXPECT_EQ(line.reduction, c("2.38"));
  EXPECT_EQ(AnnexValue(context(), c("300"), 1954, 1, "C", 1), c("24"));
  EXPECT_EQ(AnnexValue(context(), c("50"), 2000, -1, "A", 4), c("10")) << "no material chosen is the first";
}

TEST_F(TaxCalculatorTest, LegalPersonAnnexes) {
  rates.setText("CotaPJCA1", "1");
  rates.setText("CotaPJCA3", "30");
  rates.setText("IARED", "7");
  PageValues p = page(3);
  p["ValInvCAPJ1"] = "100000";
  p["AmoCA1"] = "DA";
  p["DataECA1"] = "01.01.1990";
  p["ValInvCAPJ2"] = "1000";
  p["DataECA2"] = "01.01.2000";
  legal(false);
  DebtLine line = AssessAnnexes(p, context());
  EXPECT_EQ(line.tax, c("1150"));
  EXPECT_EQ(line.quantity, c("101000"));
  EXPECT_EQ(line.unit, "Lei-Val.");
  EXPECT_EQ(line.reduction, Currency());
  legal(true);
  line = AssessAnnexes(p, context());
  EXPECT_EQ(line.reductionPercent, c("7"));
  EXPECT_EQ(line.reduction, c("81"));  // RoundToInt(80.5)
}

TEST_F(TaxCalculatorTest, UnbuiltLandOfTheWorkedExample) {
  rates.setText("ERED", "7");
  taxpayer.exemptOutside = 50;
  PageValues p = page(1);
  p["EC1ZA"] = "1.5";
  p["EC1ZB"] = "0.25";
  const DebtLines lines = AssessExtravilan(p, context());
  ASSERT_EQ(lines.size(), 11);
  const DebtLine& arable = lines.first();
  EXPECT_EQ(arable.group, "Impozit pe teren extravilan");
  EXPECT_EQ(arable.name, "Teren arabil");
  EXPECT_EQ(arable.unit, "ha");
  EXPECT_EQ(arable.quantity, c("1.75"));
  EXPECT_EQ(arable.tax, c("19"));
  EXPECT_EQ(arable.reduction, c("1"));
  EXPECT_EQ(lines.last().name, "Teren cu amenajari piscicole");
  EXPECT_EQ(lines[6].name, "Fond forestier sau alt teren");
}

TEST_F(TaxCalculatorTest, UnbuiltLandExemptionInCategoryOrderAndTheLegalBonus) {
  // Category 1: 60 lei (1.5 ha at 40), category 2: 70 lei (3.5 ha at 20 in zone B).
  PageValues p = page(1);
  p["EC1ZA"] = "1.5";
  p["EC2ZB"] = "3.5";
  struct Case {
    bool legal, bonus;
    std::int64_t exemption;
    const char *first, *second, *percent;
  };
  const Case cases[] = {{false, false, 100, "0", "30", "7"}, {false, false, 1000, "0", "0", "7"},
                        {false, false, 0, "60", "70", "7"},  {true, false, 0, "60", "70", "7"},
                        {true, false, 10, "50", "70", "0"},  {true, true, 10, "50", "70", "7"}};
  for (const Case& k : cases) {
    taxpayer = {};
    if (k.legal) legal(k.bonus);
    taxpayer.exemptOutside = k.exemption;
    const DebtLines lines = AssessExtravilan(p, context());
    EXPECT_EQ(lines[0].tax, c(k.first)) << k.exemption;
    EXPECT_EQ(lines[1].tax, c(k.second)) << k.exemption;
    for (const DebtLine& line : lines) {
      EXPECT_EQ(line.reductionPercent, c(k.percent)) << k.legal << k.bonus << k.exemption;
      EXPECT_EQ(line.reduction, Currency::whole(line.tax.percent(c(k.percent)).rounded()));
    }
  }
}

TEST_F(TaxCalculatorTest, BuiltUpLandZonesExemptionsAndRounding) {
  rates.setText("ICCA", "0.5");
  rates.setText("ICCE", "2");
  rates.setText("IA35", "100");
  rates.setText("IIRED", "7");
  PageValues p = page(4);
  p["ICCA"] = "25";     // 12.5 lei
  p["ICCE"] = "0.0001";  // 0.0002 lei
  p["IA35"] = "1.5";    // "Faneata" in zone E: 150 lei
  struct Case {
    bool yards, other, legal, bonus;
    const char *yardTax, *yardPercent, *hayTax, *hayPercent;
  };
  const Case cases[] = {{false, false, false, false, "13", "7", "150", "7"},
                        {true, false, false, false, "0", "0", "150", "7"},
                        {false, true, false, false, "13", "7", "0", "0"},
                        {false, false, true, false, "13", "0", "150", "0"},
                        {false, false, true, true, "13", "7", "150", "7"}};
  for (const Case& k : cases) {
    taxpayer = {};
    if (k.legal) legal(k.bonus);
    taxpayer.exemptYard = k.yards;
    taxpayer.exemptInside = k.other;
    const DebtLines lines = AssessIntravilan(p, context());
    ASSERT_EQ(lines.size(), 9);
    const DebtLine& yards = named(lines, "Curti-constructii");
    const DebtLine& hay = named(lines, "Faneata");
    EXPECT_EQ(yards.unit, "mp");
    EXPECT_EQ(yards.quantity, c("25.0001"));
    EXPECT_EQ(yards.tax, c(k.yardTax));
    EXPECT_EQ(yards.reductionPercent, c(k.yardPercent));
    EXPECT_EQ(hay.group, "Impozit pe teren intravilan");
    EXPECT_EQ(hay.tax, c(k.hayTax));
    EXPECT_EQ(hay.quantity, c("1.5"));
    EXPECT_EQ(hay.reductionPercent, c(k.hayPercent));
    EXPECT_EQ(hay.reduction, Currency::whole(hay.tax.percent(c(k.hayPercent)).rounded()));
  }
}

TEST_F(TaxCalculatorTest, VehicleLinesByCapacityCountAndDeadweight) {
  for (const char* rate : {"AUTO1", "AUTO10", "AUTO11", "AUTO12", "AUTO13", "AUTO17", "AUTO23", "G1A", "G1B",
                           "GC24B", "APA3", "APA10"})
    rates.setText(rate, "10");
  struct Case {
    int page;
    const char *input, *value, *line, *unit, *quantity, *tax;
  };
  const Case cases[] = {
      {5, "AUTO1", "2", "Autoturisme cap.cil. 1201 - 1400 cmc", "buc", "2", "20"},
      {5, "AUTO23", "1", "Autoturisme cap.cil. pana la 200 cmc", "buc", "1", "10"},
      {5, "AUTO10", "3001", "Autoturisme cap.cil. peste 3000 cmc: Cap.(cmc)", "buc", "16", "160"},
      {5, "AUTO10", "3200", "Autoturisme cap.cil. peste 3000 cmc: Cap.(cmc)", "buc", "16", "160"},
      {5, "AUTO10", "3201", "Autoturisme cap.cil. peste 3000 cmc: Cap.(cmc)", "buc", "17", "170"},
      {5, "AUTO11", "1999", "Alte autovehicule", "unit", "10", "100"},
      {5, "AUTO17", "3", "Remorci, rulote peste 5 tone", "buc", "3", "30"},
      {8, "G1A", "2", "Vehicule 2 axe,12-13t,susp.pneum.", "buc", "2", "20"},
      {8, "G1B", "1", "Vehicule 2 axe,12-13t,fara susp.pneum.", "buc", "1", "10"},
      {9, "GC24B", "4", "Vehicule 3+3 axe,peste 40t,fara susp.pneum.", "buc", "4", "40"},
      {10, "APA3", "2", "Barca cu motor", "buc", "2", "20"},
      {10, "APA10", "1", "Vapoare", "tdw", "1", "10"},
      {10, "APA10", "1000", "Vapoare", "tdw", "1000", "10"},
      {10, "APA10", "1001", "Vapoare", "tdw", "1001", "20"},
  };
  for (const Case& k : cases) {
    PageValues pages[4] = {page(5), page(8), page(9), page(10)};
    PageValues& p = k.page == 5 ? pages[0] : k.page == 8 ? pages[1] : k.page == 9 ? pages[2] : pages[3];
    p[k.input] = k.value;
    const DebtLines lines = AssessVehicles(pages[0], pages[1], pages[2], pages[3], context());
    EXPECT_EQ(lines.size(), 21 + 4 + 2 + 30 + 48 + 13);
    const DebtLine& line = named(lines, k.line);
    EXPECT_EQ(line.group, "Impozit pe mijloace de transport");
    EXPECT_EQ(line.unit, k.unit) << k.line;
    EXPECT_EQ(line.quantity, c(k.quantity)) << k.line << " " << k.value;
    EXPECT_EQ(line.tax, c(k.tax)) << k.line << " " << k.value;
    Currency total;
    for (const DebtLine& l : lines) total += l.tax;
    EXPECT_EQ(total, c(k.tax)) << "only " << k.line << " is taxed";
  }
}

TEST_F(TaxCalculatorTest, TractorsAndBusesPerVehicleCapacity) {
  rates.setText("AUTO13", "10");
  rates.setText("AUTO12", "3");
  PageValues p = page(5);
  p["TRACCAP2"] = "650";
  p["TRACBUC2"] = "2";
  p["TRACCAP3"] = "-100";
  p["TRACBUC3"] = "1";
  p["ATBCAP1"] = "401";
  p["ATBCANT1"] = "3";
  const DebtLines lines = AssessVehicles(p, page(8), page(9), page(10), context());
  const DebtLine& tractor = named(lines, "Tractoare inmatriculate 2");
  EXPECT_EQ(tractor.tax, c("80"));
  EXPECT_EQ(tractor.quantity, c("1300"));
  EXPECT_EQ(tractor.unit, "cmc");
  EXPECT_EQ(named(lines, "Tractoare inmatriculate 3").tax, Currency()) << "a negative capacity counts as 0";
  EXPECT_EQ(named(lines, "Autobuze,autocare,microbuze 1").tax, c("27"));
  EXPECT_EQ(named(lines, "Autobuze,autocare,microbuze 1").quantity, c("1203"));
}

TEST_F(TaxCalculatorTest, UnregisteredVehicles) {
  rates.setText("VN1", "2");
  rates.setText("VN2", "5");
  rates.setText("VN3", "100");
  PageValues p = page(6);
  const char* capacities[] = {"0", "200", "201", "0", "1000"};
  for (int k = 0; k < 5; ++k) p[QStringLiteral("VN%1").arg(k + 1)] = capacities[k];
  p["VN6"] = "5000";
  p["VN11"] = "2";
  const DebtLines lines = AssessUnregisteredVehicles(p, context());
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0].name, "Auto neinmatriculate pana la 4800 cmc");
  EXPECT_EQ(lines[0].tax, c("16"));
  EXPECT_EQ(lines[0].quantity, c("3"));
  EXPECT_EQ(lines[1].name, "Auto neinmatriculate peste 4800 cmc");
  EXPECT_EQ(lines[1].tax, c("125"));
  EXPECT_EQ(lines[1].quantity, c("1"));
  EXPECT_EQ(lines[2].name, "Auto neinmat. cu cap.cil.neevidentiabila");
  EXPECT_EQ(lines[2].tax, c("200"));
  EXPECT_EQ(lines[2].quantity, c("2"));
}

TEST_F(TaxCalculatorTest, VehicleExemptionAndBonus) {
  rates.setText("AUTO1", "155");
  rates.setText("VN3", "155");
  rates.setText("NumericEdit3", "7");
  PageValues vehicles = page(5), unregistered = page(6);
  vehicles["AUTO1"] = "1";
  unregistered["VN11"] = "1";
  struct Case {
    bool legal, bonus, exempt;
    const char *tax, *percent, *reduction;
  };
  for (const Case& k : {Case{false, false, false, "155", "7", "10.85"}, Case{true, false, false, "155", "0", "0"},
                        Case{true, true, false, "155", "7", "10.85"}, Case{false, false, true, "0", "0", "0"}}) {
    taxpayer = {};
    if (k.legal) legal(k.bonus);
    taxpayer.exemptVehicles = k.exempt;
    const DebtLine car = named(AssessVehicles(vehicles, page(8), page(9), page(10), context()),
                               "Autoturisme cap.cil. 1201 - 1400 cmc");
    const DebtLine other = AssessUnregisteredVehicles(unregistered, context())[2];
    for (const DebtLine& line : {car, other}) {
      EXPECT_EQ(line.tax, c(k.tax)) << line.name.toStdString();
      EXPECT_EQ(line.reductionPercent, c(k.percent));
      EXPECT_EQ(line.reduction, c(k.reduction));
      EXPECT_EQ(line.quantity, c("1"));
    }
  }
}

TEST_F(TaxCalculatorTest, OtherTaxesAndArrears) {
  rates.setText("Alte2", "1.5");
  rates.setText("Alte6", "20");
  PageValues taxes = page(7);
  taxes["Alte2"] = "10";
  taxes["Alte6"] = "3";
  const DebtLines lines = AssessOtherTaxes(taxes, context());
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[1], (DebtLine{"Iluminat", "Iluminat", "buc", c("10"), {}, {}, {}, c("15")}));
  EXPECT_EQ(lines[5], (DebtLine{"Vehicule lente", "Vehicule lente", "buc", c("3"), {}, {}, {}, c("60")}));

  PageValues arrears = page(11);
  arrears["NumericEdit13"] = "100.5";  // buildings
  arrears["Pen13"] = "7";
  arrears["Sold4"] = "30";
  arrears["NumericEdit18"] = "12";  // "Taxa pe pasune"
  QList<TaxArrears> main = mainTaxArrears(arrears, context());
  ASSERT_EQ(main.size(), 4);
  EXPECT_EQ(main[1].group, "Impozit pe cladiri");
  EXPECT_EQ(main[1].arrears, 101);
  EXPECT_EQ(main[1].penalties, 7);
  EXPECT_EQ(main[3].group, "Impozit pe mijloace de transport");
  EXPECT_EQ(main[3].plus, 30);
  const QList<OtherArrears> other = otherTaxArrears(arrears);
  ASSERT_EQ(other.size(), 7);
  EXPECT_EQ(other[1].label, "Taxa pe pasune");
  EXPECT_EQ(other[1].amount, 12);

  taxpayer.noPenalties = true;
  EXPECT_EQ(mainTaxArrears(arrears, context())[1].penalties, 7) << "penalties are waived only in that mode";
  rates.setOption("FARAMAJORARI", true);
  EXPECT_EQ(mainTaxArrears(arrears, context())[1].penalties, 0);
}

}  // namespace
}  // namespace dajdor::reg
