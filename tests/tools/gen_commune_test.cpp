#include "commune_generator.h"
#include "commune_settings.h"
#include "identity_codes.h"

#include "store/engine/database.h"
#include "store/schema.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace fs = std::filesystem;

namespace {

using engine::Database;

// A fresh directory per use, removed afterwards.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : path_(fs::temp_directory_path() / ("gen-commune-test-" + std::to_string(::getpid()) + "-" + name)) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

gencommune::RowCounts generate(const fs::path& dir, std::size_t taxpayers, std::uint64_t seed = 20140101) {
  Database db(dir.string());
  gencommune::GeneratorOptions options;
  options.taxpayers = taxpayers;
  options.seed = seed;
  return gencommune::generateCommune(db, options);
}

std::string bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Bytes 1-3 hold the day of the last update.
  if (data.size() > 4) data.replace(1, 3, "   ");
  return data;
}

// Rows of a statement keyed by its first columns, the rest as numbers.
std::map<std::string, std::int64_t> sums(Database& db, const std::string& sql) {
  std::map<std::string, std::int64_t> out;
  auto rows = db.query(sql);
  for (std::size_t r = 0; r < rows->rowCount(); ++r)
    out[rows->value(r, 0).toString() + "|" + rows->value(r, 1).toString()] = rows->value(r, 2).toInt();
  return out;
}

bool validCnp(const std::string& code) {
  if (code.size() != 13 || code.find_first_not_of("0123456789") != std::string::npos) return false;
  if (std::string("1256789").find(code[0]) == std::string::npos) return false;
  static const std::string key = "279146358279";
  int s = 0;
  for (int i = 0; i < 12; ++i) s += (code[i] - '0') * (key[i] - '0');
  const int c = s % 11 == 10 ? 1 : s % 11;
  return code[12] - '0' == c;
}

bool validCui(const std::string& code) {
  if (code.size() < 3 || code.size() > 10 || code.find_first_not_of("0123456789") != std::string::npos) return false;
  const std::string padded = std::string(10 - code.size(), '0') + code;
  static const std::string key = "753217532";
  int s = 0;
  for (int i = 0; i < 9; ++i) s += (padded[i] - '0') * (key[i] - '0');
  return padded[9] - '0' == s * 10 % 11 % 10;
}

TEST(IdentityCodes, ControlDigitsFollowTheRegisterRules) {
  // The register's own example of a valid CNP.
  EXPECT_EQ(gencommune::makeCnp(1, 1980, 1, 1, 22, 114), "1800101221144");
  const struct {
    int sex, year, month, day, county, serial;
  } people[] = {{2, 1955, 12, 31, 5, 1}, {1, 1931, 7, 9, 52, 999}, {5, 2003, 2, 28, 40, 17}};
  for (const auto& p : people) {
    const std::string cnp = gencommune::makeCnp(p.sex, p.year, p.month, p.day, p.county, p.serial);
    EXPECT_TRUE(validCnp(cnp)) << cnp;
  }
  for (std::uint32_t body : {10u, 1439984u, 99999999u, 123456789u}) EXPECT_TRUE(validCui(gencommune::makeCui(body))) << body;
}

TEST(GenCommune, SameSeedWritesTheSameFilesAndAnotherSeedOtherPeople) {
  ScratchDir first("first"), second("second"), other("other");
  const auto counts = generate(first.path(), 60);
  EXPECT_EQ(generate(second.path(), 60), counts);
  generate(other.path(), 60, 7);
  for (const auto& entry : fs::directory_iterator(first.path())) {
    if (entry.path().extension() != ".dbf") continue;
    EXPECT_EQ(bytes(entry.path()), bytes(second.path() / entry.path().filename())) << entry.path().filename();
  }
  EXPECT_NE(bytes(first.path() / "Gospodar.dbf"), bytes(other.path() / "Gospodar.dbf"));
}

TEST(GenCommune, RefusesADirectoryThatAlreadyHoldsACommune) {
  ScratchDir dir("twice");
  generate(dir.path(), 20);
  const std::string before = bytes(dir.path() / "Datorii.dbf");
  EXPECT_THROW(generate(dir.path(), 30), engine::Error);
  EXPECT_EQ(bytes(dir.path() / "Datorii.dbf"), before);
}

// A data directory as the program finds it after a year: every table it makes
// at a start is there, the ones the year left empty included.
TEST(GenCommune, WritesEveryTableOfADataDirectory) {
  ScratchDir dir("complete");
  generate(dir.path(), 20);
  Database db(dir.path().string());
  gencommune::writeCommuneSettings(db, dir.path().string());
  for (const auto& table : dajdor::schema::tables()) {
    if (!table.createdAtStartup) continue;
    EXPECT_TRUE(db.tableExists((dir.path() / table.file.toStdString()).string())) << table.file.toStdString();
  }
  for (const char* file : {"Ini.dbf", "Dajdor.set", "s.mpg"}) EXPECT_TRUE(fs::exists(dir.path() / file)) << file;
}

class GeneratedCommune : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new ScratchDir("commune");
    counts_ = generate(dir_->path(), 400);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static inline ScratchDir* dir_ = nullptr;
  static inline gencommune::RowCounts counts_;
};

TEST_F(GeneratedCommune, HasTheSizesOfARealCommune) {
  // Every taxpayer has one row on each page; four balance rows, about ten
  // debt lines and about fifteen receipt lines each.
  for (const char* page : {"Gospodar.dbf", "Pag1.dbf", "Pag2.dbf", "Pag4.dbf", "Pag5.dbf", "Pag6.dbf", "Pag7.dbf", "Pag8.dbf"})
    EXPECT_EQ(counts_.at(page), 400u) << page;
  EXPECT_NEAR(static_cast<double>(counts_.at("SoldCalc.dbf")), 1600, 8);
  EXPECT_NEAR(static_cast<double>(counts_.at("Datorii.dbf")) / 400, 10, 1.5);
  EXPECT_NEAR(static_cast<double>(counts_.at("Chitante.dbf")) / 400, 15, 2.5);
  EXPECT_EQ(counts_.at("CODCL.dbf"), 12u);

  Database db(dir_->path().string());
  auto codes = db.query("SELECT CNP, TIP FROM \"Gospodar.dbf\" WHERE CNP<>\"\"");
  ASSERT_GT(codes->rowCount(), 380u);
  for (std::size_t r = 0; r < codes->rowCount(); ++r) {
    const std::string code = codes->value(r, 0).toString();
    const bool person = codes->value(r, 1).toString() == "FIZICA";
    EXPECT_TRUE(person ? validCnp(code) : validCui(code)) << code;
  }
}

// The balances are what the debt generation computes from the debts and the
// receipts (every receipt line of a group counts, paid debits included), and
// other-tax debt lines are lowered by exactly what was paid on them.
TEST_F(GeneratedCommune, BalancesAndDebtsAgreeWithTheReceipts) {
  Database db(dir_->path().string());
  const std::string main = "(GRUPA=\"Impozit pe cladiri\" OR GRUPA=\"Impozit pe teren intravilan\" OR "
                           "GRUPA=\"Impozit pe teren extravilan\" OR GRUPA=\"Impozit pe mijloace de transport\")";
  const auto assessed = sums(db, "SELECT IDGOS, GRUPA, SUM(SUMA2) AS T FROM \"Datorii.dbf\" WHERE " + main +
                                     " GROUP BY IDGOS, GRUPA");
  const auto paidCurrent = sums(db, "SELECT IDGOS, GRUPA, SUM(CURENT) AS T FROM \"Chitante.dbf\" WHERE " + main +
                                        " GROUP BY IDGOS, GRUPA");
  const auto paidArrears = sums(db, "SELECT IDGOS, GRUPA, SUM(RESTANTA) AS T FROM \"Chitante.dbf\" WHERE " + main +
                                        " GROUP BY IDGOS, GRUPA");
  const auto paidPenalties = sums(db, "SELECT IDGOS, GRUPA, SUM(MAJOREST) AS T FROM \"Chitante.dbf\" WHERE " + main +
                                          " GROUP BY IDGOS, GRUPA");
  auto balances = db.query("SELECT IDGOS, GRUPA, SUMA, REST, DATOR, DATORI, MAJOR, MAJORI FROM \"SoldCalc.dbf\"");
  ASSERT_GT(balances->rowCount(), 1500u);
  auto of = [](const std::map<std::string, std::int64_t>& m, const std::string& key) {
    const auto it = m.find(key);
    return it == m.end() ? 0 : it->second;
  };
  std::size_t paidSomething = 0;
  for (std::size_t r = 0; r < balances->rowCount(); ++r) {
    const std::string key = balances->value(r, 0).toString() + "|" + balances->value(r, 1).toString();
    const auto suma = balances->value(r, 2).toInt();
    EXPECT_EQ(suma, of(assessed, key)) << key;
    EXPECT_EQ(balances->value(r, 3).toInt(), suma - of(paidCurrent, key)) << key;
    EXPECT_EQ(balances->value(r, 4).toInt(), balances->value(r, 5).toInt() - of(paidArrears, key)) << key;
    EXPECT_EQ(balances->value(r, 6).toInt(), balances->value(r, 7).toInt() - of(paidPenalties, key)) << key;
    paidSomething += of(paidCurrent, key) > 0;
  }
  EXPECT_GT(paidSomething, 500u);

  const auto lowered = sums(db, "SELECT IDGOS, GRUPA, SUM(SUMA2-SUMA+RESTINI-REST) AS T FROM \"Datorii.dbf\" WHERE NOT " +
                                    main + " GROUP BY IDGOS, GRUPA");
  const auto paidOther = sums(db, "SELECT IDGOS, GRUPA, SUM(CURENT+RESTANTA) AS T FROM \"Chitante.dbf\" WHERE NOT " +
                                      main + " GROUP BY IDGOS, GRUPA");
  std::map<std::string, std::int64_t> paidOnDebts;
  for (const auto& [key, paid] : paidOther)
    if (lowered.count(key)) paidOnDebts[key] = paid;
  std::map<std::string, std::int64_t> loweredNonZero;
  for (const auto& [key, amount] : lowered)
    if (amount != 0) loweredNonZero[key] = amount;
  EXPECT_EQ(loweredNonZero, paidOnDebts);
}

// Receipts are numbered per series in the order they were issued; all lines
// of one document share its number, day and taxpayer.
TEST_F(GeneratedCommune, ReceiptsAreNumberedInDateOrderPerSeries) {
  Database db(dir_->path().string());
  auto lines = db.query("SELECT SERIA, NR, DATAI, IDCHIT, IDGOS FROM \"Chitante.dbf\" WHERE TIP=\"C\" ORDER BY SERIA, NR");
  ASSERT_GT(lines->rowCount(), 1000u);
  std::map<std::string, std::int64_t> lastNumber;
  std::map<std::string, engine::DayNumber> lastDay;
  std::map<std::int64_t, std::tuple<std::string, std::int64_t, engine::DayNumber, std::int64_t>> documents;
  for (std::size_t r = 0; r < lines->rowCount(); ++r) {
    const std::string series = lines->value(r, 0).toString();
    const std::int64_t number = lines->value(r, 1).toInt();
    const engine::DayNumber day = lines->value(r, 2).toDay();
    const auto document = std::make_tuple(series, number, day, lines->value(r, 4).toInt());
    const auto [it, isNew] = documents.emplace(lines->value(r, 3).toInt(), document);
    if (!isNew) {
      EXPECT_EQ(it->second, document) << "document " << it->first;
      continue;
    }
    EXPECT_EQ(number, lastNumber[series] + 1) << series;
    EXPECT_GE(day, lastDay[series]) << series << " " << number;
    lastNumber[series] = number;
    lastDay[series] = day;
  }
  EXPECT_EQ(lastNumber.size(), 2u);
}

}  // namespace
