#include "admin/legal_building_tax.h"
#include "admin/rates.h"

#include <gtest/gtest.h>

using namespace dajdor::admin;

namespace {

TEST(Rates, NumbersFallBackToTheInputsInitialValue) {
  struct Case {
    const char* name;
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"ERED", "12", 12},      {"ERED", "", 7},           {"ERED", "abc", 7},
      {"ERED", "-3", 7},       {"ERED", " 9 ", 9},        {"EC1ZA", "1e3", 40},
      {"CotaMajC", "0.25", 0.25}, {"CotaMajC", "0,25", 0.1}, {"cotamajc", ".5", 0.5},
      {"NoSuchRate", "x", 0},  {"NoSuchRate", "3.5", 3.5},
  };
  for (const Case& c : cases) {
    Rates rates;
    rates.setText(c.name, c.text);
    EXPECT_DOUBLE_EQ(rates.value(c.name), c.value) << c.name << " '" << c.text << "'";
  }
  Rates rates;
  rates.setText("ICZAR4", "2.5");
  EXPECT_EQ(rates.whole("iczar4"), 3);
  EXPECT_EQ(rates.value("ICZAR4"), rates.value("ICZar4"));
}

TEST(Rates, OptionsAndTimeOfTheDailyImport) {
  Rates rates;
  EXPECT_TRUE(rates.previewReceipts());  // the check box starts checked
  EXPECT_FALSE(rates.bonusUnder50());
  rates.setText("BONIF50", " da ");
  rates.setText("REDUCERE_JURIDICE", "NU");
  rates.setText(Rates::closedYearKey(2014), "DA");
  EXPECT_TRUE(rates.bonusUnder50());
  EXPECT_FALSE(rates.bonusLegalPersons());
  EXPECT_TRUE(rates.yearClosed(2014));
  EXPECT_FALSE(rates.yearClosed(2015));
  EXPECT_EQ(rates.defaultZone(), "A");
  EXPECT_EQ(rates.defaultRank(), "IV");

  const QList<QPair<QString, QTime>> times = {{"07:30:00", QTime(7, 30)},
                                              {"7:05", QTime(7, 5)},
                                              {"25:00", QTime(0, 0)},
                                              {"", QTime(0, 0)},
                                              {"ora 8", QTime(0, 0)}};
  for (const auto& [text, time] : times) {
    rates.setText("ORAAUTORA", text);
    EXPECT_EQ(rates.autoImportTime(), time) << text.toStdString();
  }
}

TEST(LegalBuildingTax, RateFollowsTheAgeOfTheValuation) {
  Rates rates;
  rates.setText("CotaPJC1", "1");
  rates.setText("CotaPJC2", "10");
  rates.setText("CotaPJC3", "30");
  struct Case {
    QDate valuation;
    bool amortised;
    double value;
    std::int64_t tax;
  };
  const Case cases[] = {
      {QDate(2011, 6, 15), false, 100000, 1000},    // 3 years: first rate
      {QDate(2014, 1, 1), false, 100000, 1000},     // this year
      {QDate(2010, 12, 31), false, 100000, 10000},  // 4 years: second rate
      {QDate(2009, 1, 1), false, 100000, 10000},    // 5 years
      {QDate(2008, 12, 31), false, 100000, 30000},  // 6 years: third rate
      {QDate(2015, 1, 1), false, 100000, 30000},    // valued after the work year
      {QDate(2009, 1, 1), true, 100000, 850},       // depreciated: 85 % at the first rate
      {QDate(2011, 6, 15), false, 150, 2},          // 1.5 rounds away from zero
      {QDate(2011, 6, 15), false, 149, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LegalBuildingTax(rates, 2014, c.amortised, c.valuation, c.value), c.tax)
        << c.valuation.toString("dd.MM.yyyy").toStdString() << " " << c.value;
}

TEST(LegalBuildingTax, AnnexesUseTheirOwnRates) {
  Rates rates;
  rates.setText("CotaPJCA1", "1");
  rates.setText("CotaPJCA2", "12");
  rates.setText("CotaPJC2", "99");
  EXPECT_EQ(LegalAnnexTax(rates, 2014, true, QDate(2001, 3, 1), 100000), 850);
  EXPECT_EQ(LegalAnnexTax(rates, 2014, false, QDate(2010, 3, 1), 100000), 12000);
  rates.setText("CotaPJCA1", "0.25");
  EXPECT_EQ(LegalAnnexTax(rates, 2014, false, QDate(2013, 3, 1), 1000), 3);  // 2.5
}

}  // namespace
