// A scratch data directory with a Database over it, and the rows of a SELECT
// as the command-line shell prints them (header, tab-separated lines).
#pragma once

#include "store/engine/database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace sqltest {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string table(const engine::ResultSet& rows);
std::string run(engine::Database& db, const std::string& select);

// Gospodar (taxpayers) and Datorii (debts) with a few rows that exercise
// blanks, NULLs, text roles, dates and a taxpayer without debts.
void createSampleTables(engine::Database& db);

// A parameterised suite whose cases share one database, filled once by `fill`.
template <class Param, void (*fill)(engine::Database&)>
class SharedDatabaseSuite : public ::testing::TestWithParam<Param> {
 protected:
  static void SetUpTestSuite() {
    dir_ = new ScratchDir();
    db_ = new engine::Database(dir_->path().string());
    fill(*db_);
  }
  static void TearDownTestSuite() {
    delete db_;
    delete dir_;
  }
  static inline ScratchDir* dir_ = nullptr;
  static inline engine::Database* db_ = nullptr;
};

}  // namespace sqltest
