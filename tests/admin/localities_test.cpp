#include "admin/admin_fixture.h"
#include "admin/localities.h"
#include "store/sql_helpers.h"

using namespace dajdor::admin;

namespace dajdor::testing {
namespace {

class LocalitiesTest : public AdminTest {
 protected:
  std::int64_t add(const QString& name, const QString& zone = "A", const QString& rank = "IV") {
    Locality l{0, name, zone, rank};
    EXPECT_TRUE(checkLocality(*db_, l, std::nullopt, ui_)) << name.toStdString();
    return addLocality(*db_, *settings_, l);
  }
  QStringList names() {
    QStringList out;
    for (const Locality& l : listLocalities(*db_)) out.append(l.name + "|" + l.zone + "|" + l.rank);
    return out;
  }
};

TEST_F(LocalitiesTest, AddModifyDeleteKeepTheListOrderedByName) {
  const std::int64_t lunca = add("lunca  mare ", "B", "V");
  const std::int64_t arini = add("ARINI", "A", "IV");
  EXPECT_EQ(lunca, 1);
  EXPECT_EQ(arini, 2);
  EXPECT_EQ(settings_->ReadCounter("SERVER", "DEFZONE"), "3");
  EXPECT_EQ(names(), QStringList({"ARINI|A|IV", "LUNCA MARE|B|V"}));

  modifyLocality(*db_, {lunca, "VALEA", "C", "III"});
  EXPECT_EQ(names(), QStringList({"ARINI|A|IV", "VALEA|C|III"}));
  deleteLocality(*db_, arini);
  EXPECT_EQ(names(), QStringList({"VALEA|C|III"}));
  deleteLocality(*db_, lunca);
  EXPECT_TRUE(listLocalities(*db_).isEmpty());
}

TEST_F(LocalitiesTest, EditorChecks) {
  const std::int64_t arini = add("ARINI");
  add("VALEA");
  struct Case {
    QString name;
    std::optional<std::int64_t> edited;
    QString zone;
    QString problem;  // "" = accepted
    QString field;
  };
  const Case cases[] = {
      {"   ", std::nullopt, "A", "Nu ati specificat localitatea!", kLocalityField},
      {"arini", std::nullopt, "A", "Localitatea specificat exista deja!", kLocalityField},
      {" Valea ", arini, "A", "Localitatea specificat exista deja!", kLocalityField},
      {"ARINI", arini, "B", "", ""},  // its own name is allowed
      {"ARINI NOI", std::nullopt, "A", "", ""},
      {QString::fromUtf8("SAT ✓"), std::nullopt, "A", "", kLocalityField},
      {QString(33, 'X'), std::nullopt, "A", "", kLocalityField},
      {"DEALU", std::nullopt, "E", "", kZoneField},
  };
  for (const Case& c : cases) {
    ScriptedInteraction ui;
    Locality l{c.edited.value_or(0), c.name, c.zone, "IV"};
    const bool accepted = checkLocality(*db_, l, c.edited, ui);
    EXPECT_EQ(accepted, c.field.isEmpty()) << c.name.toStdString();
    if (c.field.isEmpty()) continue;
    ASSERT_EQ(ui.problems.size(), 1) << c.name.toStdString();
    EXPECT_EQ(ui.problems.first().field, c.field);
    if (!c.problem.isEmpty()) {
      EXPECT_EQ(ui.problems.first().text, c.problem);
    }
  }
  Locality cleaned{0, "  arini   noi ", "A", "IV"};
  ASSERT_TRUE(checkLocality(*db_, cleaned, std::nullopt, ui_));
  EXPECT_EQ(cleaned.name, "ARINI NOI");
}

TEST_F(LocalitiesTest, SelectionAfterDeletion) {
  struct Case {
    int deleted, count, selected;
  };
  const Case cases[] = {{0, 3, 0}, {1, 3, 1}, {2, 3, 1}, {0, 1, -1}, {0, 2, 0}, {1, 2, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(rowAfterDeletion(c.deleted, c.count), c.selected) << c.deleted << "/" << c.count;
}

TEST_F(LocalitiesTest, QuotesInANameAreStoredAsTyped) {
  add("SAT \"NOU\"");
  EXPECT_EQ(names(), QStringList({"SAT \"NOU\"|A|IV"}));
  Locality again{0, "sat \"nou\"", "A", "IV"};
  EXPECT_FALSE(checkLocality(*db_, again, std::nullopt, ui_));
}

}  // namespace
}  // namespace dajdor::testing
