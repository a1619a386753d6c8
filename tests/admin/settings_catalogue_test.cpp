#include "admin/settings_catalogue.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>

using namespace dajdor::admin;
using dajdor::IniRow;

TEST(SettingsCatalogue, NamesAreUniqueIgnoringCaseAndFitTheIniTable) {
  QSet<QString> seen;
  for (const SettingInput& in : settingInputs()) {
    EXPECT_FALSE(seen.contains(in.name.toUpper())) << in.name.toStdString();
    seen.insert(in.name.toUpper());
    if (!in.inIniTable()) continue;
    EXPECT_LE(in.name.size(), 32) << in.name.toStdString();
    EXPECT_LE(in.initial.size(), 40) << in.name.toStdString();
    if (in.isNumeric()) {
      bool ok = false;
      EXPECT_GE(in.initial.toDouble(&ok), 0) << in.name.toStdString();
      EXPECT_TRUE(ok) << in.name.toStdString();
    }
    if (in.kind == InputKind::Combo) {
      EXPECT_TRUE(in.items.contains(in.initial));
    }
  }
}

TEST(SettingsCatalogue, InitialValuesAndKinds) {
  struct Case {
    const char* name;
    const char* owner;
    const char* initial;
    InputKind kind;
    int maxLength;
  };
  const Case cases[] = {
      {"PrimariaLab", "FORM4", "", InputKind::Text, 50},
      {"CUILab", "FORM4", "", InputKind::Text, 12},
      {"EC1ZA", "FORM4", "40", InputKind::Integer, 8},
      {"EC7ZD", "FORM4", "6", InputKind::Integer, 8},
      {"EC11ZE", "FORM4", "0", InputKind::Integer, 8},
      {"ERED", "FORM4", "7", InputKind::Integer, 2},
      {"ICZAR0", "FORM4", "0", InputKind::Integer, 8},
      {"IC2ZDR5", "FORM4", "0", InputKind::Integer, 8},
      {"IA1ZBR3", "FORM4", "0", InputKind::Integer, 8},
      {"CotaPJC1", "FORM4", "1", InputKind::Decimal, 4},
      {"CotaPJC3", "FORM4", "30", InputKind::Decimal, 4},
      {"CotaPJCA2", "FORM4", "10", InputKind::Decimal, 4},
      {"CotaMajC", "FORM4", "0.1", InputKind::Decimal, 6},
      {"ICCA", "FORM4", "0", InputKind::Decimal, 10},
      {"IA85", "FORM4", "0", InputKind::Decimal, 9},
      {"IIRED", "FORM4", "7", InputKind::Decimal, 5},
      {"AUTO23", "FORM4", "0", InputKind::Integer, 6},
      {"NumericEdit3", "FORM4", "7", InputKind::Integer, 6},
      {"VN3", "FORM4", "0", InputKind::Decimal, 8},
      {"Alte6", "FORM4", "0", InputKind::Integer, 9},
      {"G15B", "FR12", "0", InputKind::Integer, 6},
      {"GC24A", "FRCOMB", "0", InputKind::Integer, 6},
      {"APA13", "FORM4", "0", InputKind::Integer, 4},
      {"ComboBox2", "FORM4", "A", InputKind::Combo, 1},
      {"ComboBox3", "FORM4", "IV", InputKind::Combo, 3},
      {"PREVIEWL", "FORM4", "DA", InputKind::Check, 0},
  };
  for (const Case& c : cases) {
    const SettingInput* in = findSettingInput(c.name);
    ASSERT_NE(in, nullptr) << c.name;
    EXPECT_EQ(in->owner, c.owner) << c.name;
    EXPECT_EQ(in->initial, c.initial) << c.name;
    EXPECT_EQ(in->kind, c.kind) << c.name;
    EXPECT_EQ(in->maxLength, c.maxLength) << c.name;
  }
  EXPECT_EQ(findSettingInput("icca"), findSettingInput("ICCA"));
  EXPECT_EQ(findSettingInput("VN4"), nullptr);  // kept in Ini.dbf by upgrades, no input
  EXPECT_EQ(findSettingInput("G16A"), nullptr);
  EXPECT_EQ(findSettingInput("GC25A"), nullptr);
}

TEST(SettingsCatalogue, IniRowsComeWindowFirstThenPanelsAndHoldOnlyStoredKinds) {
  const QList<IniRow> rows = initialIniRows();
  QStringList owners;
  for (const IniRow& r : rows) {
    if (owners.isEmpty() || owners.last() != r.owner) owners.append(r.owner);
    const SettingInput* in = findSettingInput(r.name);
    ASSERT_NE(in, nullptr);
    EXPECT_TRUE(in->inIniTable()) << r.name.toStdString();
  }
  EXPECT_EQ(owners, QStringList({"FORM4", "FR12", "FRCOMB"}));
  // Two building grids of 4 zones x 6 ranks; 15 heavy and 24 combination rows of two columns.
  int heavy = 0, combinations = 0, buildings = 0;
  for (const IniRow& r : rows) {
    heavy += r.owner == "FR12";
    combinations += r.owner == "FRCOMB";
    buildings += r.name.startsWith("IC") && r.name.contains('Z') && r.name.contains('R');
  }
  EXPECT_EQ(heavy, 30);
  EXPECT_EQ(combinations, 48);
  EXPECT_EQ(buildings, 48);
  for (const char* name : {"PREVIEWL", "FORMATPDF", "ORAAUTORA", "CALEAUTORA", "CaleServer"})
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(),
                             [&](const IniRow& r) { return r.name == name; }))
        << name;
}

TEST(SettingsCatalogue, AxleRowLabelsFollowTheMassLimits) {
  const SettingInput* first = findSettingInput("GC1A");
  const SettingInput* last = findSettingInput("GC8B");
  const SettingInput* g4 = findSettingInput("G4A");
  ASSERT_TRUE(first && last && g4);
  EXPECT_EQ(first->label, "1. Masa peste 12 tone, dar nu mai mult de 14 tone");
  EXPECT_EQ(last->label, "8. Masa peste 25 tone");
  EXPECT_EQ(g4->label, "4. Masa peste 15 tone");
  EXPECT_EQ(findSettingInput("GC9A")->label, "1. Masa peste 23 tone, dar nu mai mult de 25 tone");
}
