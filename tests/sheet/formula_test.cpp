// Formulas follow row and column changes as the spreadsheet programs move them, and
// nothing but references is ever touched.
#include "sheet/area_list.h"
#include "sheet/formula.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using sheet::Axis;
using sheet::Formula;
using sheet::GridChange;

struct ChangeCase {
  const char* formula;
  GridChange change;
  const char* changedSheet;
  const char* expected;
  const char* ownSheet = "Lista1";
};

GridChange rowsInserted(int at, int count = 1) { return {Axis::Rows, at, count, false}; }
GridChange rowsDeleted(int at, int count = 1) { return {Axis::Rows, at, count, true}; }
GridChange columnsInserted(int at, int count = 1) { return {Axis::Columns, at, count, false}; }
GridChange columnsDeleted(int at, int count = 1) { return {Axis::Columns, at, count, true}; }

TEST(FormulaFollow, MovesReferencesLikeTheSpreadsheetPrograms) {
  const ChangeCase cases[] = {
      // a totals range that starts above the record row grows with every insertion
      {"SUM(J6:J7)", rowsInserted(7, 3), "Lista1", "SUM(J6:J10)"},
      // a range starting at the insertion moves as a whole
      {"SUM(J7:J7)", rowsInserted(7), "Lista1", "SUM(J8:J8)"},
      {"J7-K7", rowsInserted(8), "Lista1", "J7-K7"},
      {"$J$7*2+J$7+$J7", rowsInserted(7), "Lista1", "$J$8*2+J$8+$J8"},
      {"IF(A7>0,\"A7 B9\",A7)", rowsInserted(7), "Lista1", "IF(A8>0,\"A7 B9\",A8)"},
      {"LOG10(A7)+ROUND(A7,2)", rowsInserted(1), "Lista1", "LOG10(A8)+ROUND(A8,2)"},
      {"A7*1.5E+3+TRUE", rowsInserted(1), "Lista1", "A8*1.5E+3+TRUE"},
      {"IF(ISERROR(A1),#N/A,A1)", rowsInserted(1), "Lista1", "IF(ISERROR(A2),#N/A,A2)"},
      {"sum(a7:b7)", rowsInserted(7), "Lista1", "sum(A8:B8)"},
      {"SUM(A:A)+SUM(5:7)", rowsInserted(6), "Lista1", "SUM(A:A)+SUM(5:8)"},
      {"SUM(A:C)", columnsInserted(2), "Lista1", "SUM(A:D)"},
      {"SUM(F9:N9)", columnsInserted(14), "Lista1", "SUM(F9:O9)"},
      {"SUM(F9:M9)", columnsInserted(14), "Lista1", "SUM(F9:M9)"},
      // references to other sheets follow those sheets only
      {"Lista1!A7+A7", rowsInserted(7), "Lista1", "Lista1!A8+A7", "Rezumat"},
      {"Lista1!A7+A7", rowsInserted(7), "Rezumat", "Lista1!A7+A8", "Rezumat"},
      {"'Foaia 2'!B3+'Foaia 2'!B1", rowsInserted(2), "Foaia 2", "'Foaia 2'!B4+'Foaia 2'!B1"},
      {"'It''s'!A5", rowsInserted(1), "It's", "'It''s'!A6"},
      {"lista1!A7", rowsInserted(1), "LISTA1", "lista1!A8"},
      {"[1]Lista1!A7+Sheet1:Sheet3!A7", rowsInserted(1), "Lista1", "[1]Lista1!A7+Sheet1:Sheet3!A7"},
      {"Zona_Tiparire+Lista1!Total", rowsInserted(1), "Lista1", "Zona_Tiparire+Lista1!Total"},
      // deletions break references into the deleted lines and shrink ranges
      {"A7+A9", rowsDeleted(7), "Lista1", "#REF!+A8"},
      {"SUM(J6:J8)", rowsDeleted(7), "Lista1", "SUM(J6:J7)"},
      {"SUM(J7:J8)", rowsDeleted(7, 2), "Lista1", "SUM(#REF!)"},
      {"SUM(J5:J9)", rowsDeleted(4, 3), "Lista1", "SUM(J4:J6)"},
      {"SUM(B1:D1)+E1", columnsDeleted(2), "Lista1", "SUM(B1:C1)+D1"},
  };
  for (const ChangeCase& c : cases) {
    Formula formula(c.formula);
    formula.follow(c.change, c.changedSheet, c.ownSheet);
    EXPECT_EQ(formula.text(), c.expected) << c.formula;
  }
}

TEST(FormulaFollow, UnqualifiedReferencesOfWorkbookNamesFollowNothing) {
  Formula name("Lista1!$A$1:$M$8");
  EXPECT_TRUE(name.follow(rowsInserted(7, 2), "Lista1", ""));
  EXPECT_EQ(name.text(), "Lista1!$A$1:$M$10");
  Formula bare("$A$1:$M$8");
  EXPECT_FALSE(bare.follow(rowsInserted(7, 2), "Lista1", ""));
  EXPECT_EQ(bare.text(), "$A$1:$M$8");
}

TEST(FormulaTranslate, CopiesMoveOnlyTheRelativeParts) {
  const struct {
    const char* formula;
    int rows, columns;
    const char* expected;
  } cases[] = {
      {"J7-K7+$A$1+J$3+$B7", 2, 0, "J9-K9+$A$1+J$3+$B9"},
      {"SUM(F9:N9)", 0, 1, "SUM(G9:O9)"},
      {"Lista1!A7&\"A7\"", 1, 0, "Lista1!A8&\"A7\""},
      {"A1+B2", -1, 0, "#REF!+B1"},
      {"SUM(A:A)", 5, 0, "SUM(A:A)"},
  };
  for (const auto& c : cases) {
    Formula formula(c.formula);
    formula.translate(c.rows, c.columns);
    EXPECT_EQ(formula.text(), c.expected) << c.formula;
  }
}

TEST(FormulaAnchor, RelativePartsAreDistancesFromTheHoldingCell) {
  Formula rowTotal("SUM(F9:N9)+$A$1", 9, 15);
  EXPECT_FALSE(Formula("J7-K7", 7, 12).reachesOtherRows());
  EXPECT_TRUE(rowTotal.reachesOtherRows());  // $A$1 is another row
  EXPECT_EQ(rowTotal.text(9, 15), "SUM(F9:N9)+$A$1");
  EXPECT_EQ(rowTotal.text(12, 16), "SUM(G12:O12)+$A$1");
  EXPECT_EQ(Formula("A1", 1, 1).text(1, 2), "B1");
  EXPECT_EQ(Formula("A2", 2, 1).text(1, 1), "A1");
  EXPECT_EQ(Formula("A1", 2, 1).text(1, 1), "#REF!");

  // the holding cell moves with its sheet; references to another sheet stay put
  Formula mixed("Lista1!A7+A1", 5, 2);
  EXPECT_FALSE(mixed.follow(rowsInserted(2), "Rezumat", "Rezumat", 5, 2));
  EXPECT_EQ(mixed.text(6, 2), "Lista1!A7+A1");
  EXPECT_TRUE(mixed.follow(rowsInserted(1), "Rezumat", "Rezumat", 6, 2));
  EXPECT_EQ(mixed.text(7, 2), "Lista1!A7+A2");
  EXPECT_TRUE(mixed.follow(rowsInserted(1, 3), "Lista1", "Rezumat", 7, 2));
  EXPECT_EQ(mixed.text(7, 2), "Lista1!A10+A2");
}

TEST(FormulaFollow, AnyTextParsesAndRendersStably) {
  // Damaged or unusual formulas never crash, and reading back what was written
  // gives the same text.
  const std::string alphabet = "AZaz019$:!'\"()[]#,.+-*/&<> _xXEREF";
  std::mt19937 random(7);
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    Formula formula(text, 5, 3);
    formula.follow(rowsInserted(static_cast<int>(random() % 8) + 1, 2), "Lista1", "Lista1", 5, 3);
    formula.follow(columnsDeleted(static_cast<int>(random() % 4) + 1), "Lista1", "Lista1", 7, 3);
    const std::string written = formula.text(7, 3);
    EXPECT_EQ(Formula(written, 7, 3).text(7, 3), written) << text;
  }
}

TEST(AreaList, FollowsAndDropsDeletedAreas) {
  EXPECT_EQ(sheet::followAreaList("A7:M7 B9", rowsInserted(7, 2)), "A9:M9 B11");
  EXPECT_EQ(sheet::followAreaList("A7:M7 B9", rowsDeleted(7)), "B8");
  EXPECT_EQ(sheet::followAreaList("B7:C7", rowsDeleted(7)), "");
}

}  // namespace
