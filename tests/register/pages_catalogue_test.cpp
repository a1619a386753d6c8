// The page catalogue against the table layouts: every column of the page tables
// belongs to exactly one input, and each input's kind suits its column.
#include "register/page_catalogue.h"
#include "store/schema.h"

#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

namespace dajdor::reg {
namespace {

bool kindSuits(const PageInput& in, const schema::Field& field) {
  switch (in.kind) {
    case PageInputKind::Quantity: return field.type == schema::FieldType::Decimal;
    case PageInputKind::Position: return field.type == schema::FieldType::Decimal && field.decimals == 0;
    case PageInputKind::ListText: {
      for (const QString& item : in.items)
        if (item.size() > field.size) return false;
      return field.type == schema::FieldType::Char && !in.items.isEmpty();
    }
    case PageInputKind::YesNo: return field.type == schema::FieldType::Char && field.size == 2;
    case PageInputKind::Date: return field.type == schema::FieldType::Date;
    case PageInputKind::Display: return false;
  }
  return false;
}

TEST(PageCatalogue, EveryColumnOfThePageTablesIsOneInputOfASuitableKind) {
  QHash<QString, QStringList> coveredBy;  // "Pag2.dbf:C1S" -> inputs
  for (const AssessmentPage& page : assessmentPages())
    for (const PageInput* in : page.inputs()) {
      if (!in->stored()) {
        EXPECT_EQ(in->kind, PageInputKind::Display) << in->name.toStdString();
        continue;
      }
      const schema::Table* table = schema::findTable(page.table);
      ASSERT_NE(table, nullptr) << page.table.toStdString();
      const schema::Field* field = table->field(in->column);
      ASSERT_NE(field, nullptr) << page.id.toStdString() << " " << in->column.toStdString();
      EXPECT_TRUE(kindSuits(*in, *field)) << in->name.toStdString() << " <-> " << in->column.toStdString();
      EXPECT_EQ(in->digits, field->size) << in->name.toStdString();
      EXPECT_EQ(in->decimals, field->decimals) << in->name.toStdString();
      coveredBy[page.table + ":" + field->name].append(page.id + "." + in->name);
    }
  int columns = 0;
  for (const QString& file : pageTables()) {
    const schema::Table* table = schema::findTable(file);
    ASSERT_NE(table, nullptr);
    for (const schema::Field& field : table->fields) {
      if (field.name == "IDGOS") continue;
      ++columns;
      EXPECT_EQ(coveredBy.value(file + ":" + field.name).size(), 1)
          << file.toStdString() << ":" << field.name.toStdString() << " "
          << coveredBy.value(file + ":" + field.name).join(",").toStdString();
    }
  }
  EXPECT_EQ(coveredBy.size(), columns);  // no input names a column the tables lack
  EXPECT_EQ(columns, 55 + 8 * 6 + 12 * 3 + 10 + 6 + 45 + 124 + 11 + 6 + 19);
}

TEST(PageCatalogue, InputNamesAreUniqueAcrossTheRegisterAndPagesFollowTheNavigator) {
  QSet<QString> names;
  const QStringList navigator = {"teren extravilan", "cladiri", "cladiri anexe", "teren intravilan",
                                 "mijloace de transport", "vehicule neinmatriculate", "alte taxe",
                                 "auto.transp.peste 12 tone", "auto combinatii peste 12 t",
                                 "mijloace transport pe apa", "Restante"};
  ASSERT_EQ(assessmentPages().size(), navigator.size());
  for (int n = kFirstPage; n <= kLastPage; ++n) {
    const AssessmentPage& page = assessmentPage(n);
    EXPECT_EQ(page.number, n);
    EXPECT_EQ(page.id, QString("Pag%1").arg(n));
    EXPECT_EQ(page.navigatorText, navigator[n - 1]);
    EXPECT_FALSE(page.title.isEmpty());
    for (const PageInput* in : page.inputs()) {
      EXPECT_FALSE(in->caption.isEmpty() && in->kind != PageInputKind::Display && page.number != 3)
          << in->name.toStdString() << " has no caption";
      EXPECT_FALSE(names.contains(in->name.toUpper())) << in->name.toStdString();
      names.insert(in->name.toUpper());
    }
  }
  EXPECT_THROW(assessmentPage(0), std::out_of_range);
  EXPECT_THROW(assessmentPage(12), std::out_of_range);
}

TEST(PageCatalogue, ThePagesShowWhatTheTaxpayerDeclared) {
  struct Case {
    int page;
    const char* input;
    const char* column;
    const char* caption;
  };
  const Case cases[] = {
      {1, "EC7ZE", "L7E", "Fond forestier sau alt teren\ncu vegetatie forestiera"},
      {1, "EC11ZA", "L11A", "Teren cu amenajari piscicole"},
      {2, "NrC8", "NR8", "8."},
      {2, "DataEval12", "DINV12", "Cladirea 12"},
      {3, "ComboBox18", "CAR2", ""},
      {4, "IA83", "AL8C", "Teren cu ape"},
      {4, "ICCE", "CCE", "Curti - constructii"},
      {5, "AUTO23", "AUTO16", "cap. cil. pana in 200"},
      {5, "AUTO18", "AUTO11", "cap. cil. 1001 - 1200"},
      {5, "AUTO11", "ALTE", nullptr},
      {5, "AUTO17", "REM4", "peste 5 tone"},
      {5, "TRACBUC4", "TBUC4", "4."},
      {5, "ATBCANT2", "ATBNR2", "2."},
      {7, "Alte6", "LIN6", "Vehicule lente"},
      {8, "G15B", "G15B", "5. Masa peste 31 tone"},
      {9, "GC24A", "GC24A", "3. Masa peste 40 tone"},
      {10, "APA10", "APA10", "7. Vapoare - total tdw"},
      {11, "NumericEdit23", "LIN11", "Paza"},
      {11, "Pen15", "PEN4", "Mijloace de transport"},
  };
  for (const Case& c : cases) {
    const PageInput* in = assessmentPage(c.page).input(c.input);
    ASSERT_NE(in, nullptr) << c.input;
    EXPECT_EQ(in->column, c.column) << c.input;
    if (c.caption) {
      EXPECT_EQ(in->caption, c.caption) << c.input;
    }
  }
  // The category captions are named, as the debt lines take their texts from them.
  const auto captionOf = [](int page, const QString& input) {
    for (const PageSection& s : assessmentPage(page).sections)
      for (const PageRow& r : s.rows)
        for (const PageInput& in : r.inputs)
          if (in.name == input) return r.captionId;
    return QString();
  };
  EXPECT_EQ(captionOf(1, "EC7ZC"), "C1L7Lab");
  EXPECT_EQ(captionOf(4, "IA85"), "IntraLab8");
  EXPECT_EQ(captionOf(7, "Alte3"), "AlteLab3");

  const PageInput* dwelling = assessmentPage(2).input("NrC3");
  EXPECT_EQ(dwelling->items, QStringList({"MOSTENITA", "1", "2", "3", "4"}));
  EXPECT_EQ(dwelling->defaultText, "3");
  EXPECT_EQ(assessmentPage(2).input("CodMC1")->items, QStringList({"1 SAU 2", "3,4 SAU 5"}));
  EXPECT_EQ(assessmentPage(2).input("RangC1")->items, QStringList({"0", "I", "II", "III", "IV", "V"}));
  EXPECT_EQ(assessmentPage(3).input("ComboBox2")->items, QStringList({"A", "B", "C", "D"}));
}

}  // namespace
}  // namespace dajdor::reg
