// The search snapshot and its conditions.
#include "collect/collect_fixture.h"
#include "collect/taxpayer_search.h"

#include <QDir>
#include <QFile>

namespace dajdor::testing {
namespace {

class TaxpayerSearchTest : public CollectTest {
 protected:
  void SetUp() override {
    CollectTest::SetUp();
    add(StoredTaxpayer{.idgos = 1, .name = "POPESCU ION", .village = "DEALU", .rol = "12", .cnp = "1700101123456",
                       .address = "Str. Morii 4"});
    add(StoredTaxpayer{.idgos = 2, .name = "IONESCU MARIA", .village = "VALE", .rol = "3", .cnp = "2800202123456",
                       .address = "Str. Morii 10"});
    add(StoredTaxpayer{.idgos = 3, .name = "AGROMEC SA", .tip = "JURIDICA", .village = "Dealu", .rol = "120",
                       .cnp = "1234567", .address = "Calea Mare 1"});
  }
  QList<std::int64_t> ids(const collect::TaxpayerSnapshot& s, const collect::SearchCriteria& c) {
    QList<std::int64_t> found;
    for (int i : s.filter(c)) found.append(s.rows()[i].IDGOS);
    return found;
  }
};

TEST_F(TaxpayerSearchTest, ConditionsJoinedAndListedByName) {
  const collect::TaxpayerSnapshot snapshot(*db_, dataDir(), appDir());
  struct Case {
    const char* what;
    collect::SearchCriteria criteria;
    QList<std::int64_t> expected;
  } const cases[] = {
      {"nothing chosen: everybody, by name", {collect::kAnyVillage, "", "", "", "", collect::kAnyType}, {3, 2, 1}},
      {"a name fragment anywhere, any case", {"", "ion", "", "", "", ""}, {2, 1}},
      {"the village, any case", {"DEALU", "", "", "", "", ""}, {3, 1}},
      {"a code only from its start", {"", "", "1700", "", "", ""}, {1}},
      {"not inside the code", {"", "", "0101", "", "", ""}, {}},
      {"the whole role", {"", "", "", "12", "", ""}, {1}},
      {"an address only from its start", {"", "", "", "", "Str. Morii", ""}, {2, 1}},
      {"not inside the address", {"", "", "", "", "Morii", ""}, {}},
      {"the person type", {"", "", "", "", "", "JURIDICA"}, {3}},
      {"every condition at once", {"VALE", "MARIA", "28", "3", "Str", "FIZICA"}, {2}},
  };
  for (const Case& c : cases) EXPECT_EQ(ids(snapshot, c.criteria), c.expected) << c.what;
  EXPECT_EQ(snapshot.villages(), (QStringList{"DEALU", "Dealu", "VALE"}));
}

TEST_F(TaxpayerSearchTest, SnapshotIsAScratchTableOfTheProgramFolderGoneAfterTheSearch) {
  QString path;
  {
    const collect::TaxpayerSnapshot snapshot(*db_, dataDir(), appDir());
    path = snapshot.path();
    EXPECT_EQ(path, QDir(appDir()).filePath("Gospo0.dbf"));
    engine::Database reader(appDir().toStdString());
    EXPECT_EQ(reader.query("SELECT Count(*) AS N FROM \"Gospo0.dbf\"")->value(0, 0).toInt(), 3);
  }
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace dajdor::testing
