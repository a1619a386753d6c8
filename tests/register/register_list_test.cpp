#include "register/register_list.h"
#include "register/taxpayer_fixture.h"

using namespace dajdor::reg;

namespace dajdor::testing {
namespace {

class RegisterListTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    add("VALE", "3", "POPESCU ION");
    add("VALE", "1", "ANTON MARIA");
    add("VALE", "2", "POPA VASILE");
    add("DEAL", "10", "BARBU ANA");
    add("DEAL", "11", "POPESCU DAN");
    list_.open(*db_, dataDir());
  }
  QString currentName() const { return list_.current() < 0 ? QString() : list_.name(list_.current()); }
  QStringList names() const {
    QStringList out;
    for (int row = 0; row < list_.count(); ++row) out.append(list_.name(row));
    return out;
  }
  RegisterList list_;
};

TEST_F(RegisterListTest, TheListIsOrderedByVillageNameAndRole) {
  EXPECT_EQ(names(), (QStringList{"BARBU ANA", "POPESCU DAN", "ANTON MARIA", "POPA VASILE", "POPESCU ION"}));
  EXPECT_EQ(list_.current(), 0);
}

TEST_F(RegisterListTest, AVillageShowsTheWholeVillageAndEmptiesNameAndRole) {
  const SearchTexts shown = list_.search(SearchInput::Village, {"VALE", "POP", "7"});
  EXPECT_EQ(names(), (QStringList{"ANTON MARIA", "POPA VASILE", "POPESCU ION"}));
  EXPECT_EQ(shown.name, "");
  EXPECT_EQ(shown.role, "1");  // the role of the first row
}

TEST_F(RegisterListTest, ANamePrefixMovesToTheFirstMatchAndANonMatchStaysPut) {
  list_.search(SearchInput::Village, {"VALE", {}, {}});
  struct Step {
    const char* typed;
    const char* current;
    const char* role;
  };
  const Step steps[] = {{"P", "POPA VASILE", "2"},        {"POPE", "POPESCU ION", "3"},
                        {"POPEX", "POPESCU ION", "3"},    {"pope", "POPESCU ION", "3"},
                        {"A", "ANTON MARIA", "1"}};
  for (const Step& step : steps) {
    const SearchTexts shown = list_.search(SearchInput::Name, {"VALE", step.typed, {}});
    EXPECT_EQ(currentName(), step.current) << step.typed;
    EXPECT_EQ(shown.role, step.role) << step.typed;
  }
  EXPECT_EQ(list_.count(), 3);  // a name never narrows the list
  const SearchTexts cleared = list_.search(SearchInput::Name, {"VALE", "  ", "1"});
  EXPECT_EQ(cleared.role, "1");  // emptied, then the current row's role
}

TEST_F(RegisterListTest, ARoleShowsExactlyThatRoleWithinTheVillage) {
  list_.search(SearchInput::Role, {"DEAL", {}, "11"});
  EXPECT_EQ(names(), QStringList{"POPESCU DAN"});
  list_.search(SearchInput::Role, {"DEAL", {}, "3"});  // role 3 is in VALE
  EXPECT_EQ(list_.count(), 0);
  EXPECT_EQ(list_.current(), -1);
  list_.search(SearchInput::Role, {{}, {}, "3"});
  EXPECT_EQ(names(), QStringList{"POPESCU ION"});
  // An empty role, or a name typed next, shows the village again.
  list_.search(SearchInput::Role, {"DEAL", {}, " "});
  EXPECT_EQ(list_.count(), 2);
  list_.search(SearchInput::Role, {"DEAL", {}, "10"});
  list_.search(SearchInput::Name, {"DEAL", "POP", "10"});
  EXPECT_EQ(list_.count(), 2);
  EXPECT_EQ(currentName(), "POPESCU DAN");
}

TEST_F(RegisterListTest, AVillageWithAnApostropheFiltersLikeAnyOther) {
  add("SAT'UL \"NOU\"", "20", "ION");
  list_.open(*db_, dataDir());
  list_.search(SearchInput::Village, {"SAT'UL \"NOU\"", {}, {}});
  EXPECT_EQ(names(), QStringList{"ION"});
  EXPECT_TRUE(list_.locateId(list_.idgos(0)));
  EXPECT_EQ(list_.currentTaxpayer()->role, "20");
}

}  // namespace
}  // namespace dajdor::testing
