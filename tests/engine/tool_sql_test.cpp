// The dajdor-sql binary: help, rows as tab-separated lines, rows changed, errors.
#include "sql_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string quoteForShell(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

Outcome runTool(const std::vector<std::string>& args, const std::filesystem::path& scratch) {
  const std::filesystem::path errFile = scratch / "stderr.txt";
  std::string command = quoteForShell(std::string(DAJDOR_BIN_DIR) + "/dajdor-sql");
  for (const auto& a : args) command += " " + quoteForShell(a);
  command += " 2>" + quoteForShell(errFile.string());
  Outcome o;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return o;
  char buf[4096];
  std::size_t n = 0;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) o.out.append(buf, n);
  const int status = pclose(pipe);
  o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream err(errFile);
  std::stringstream ss;
  ss << err.rdbuf();
  o.err = ss.str();
  return o;
}

TEST(ToolSql, PrintsHelpWithoutArguments) {
  sqltest::ScratchDir dir;
  const Outcome o = runTool({}, dir.path());
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_NE(o.out.find("dajdor-sql DIR \"STATEMENT\""), std::string::npos) << o.out;
}

TEST(ToolSql, RunsStatementsOnTheDirectory) {
  sqltest::ScratchDir data, scratch;
  const std::string dir = data.path().string();
  EXPECT_EQ(runTool({dir, R"(CREATE TABLE "Plati.dbf" (ROL CHAR(9), SUMA DECIMAL(8,2), DATAI DATE))"}, scratch.path()).out, "0 rows\n");
  const Outcome inserted = runTool({dir, R"(INSERT INTO "Plati.dbf" VALUES ("12  ", 1.5, "02.01.2014"), ("7", -3, NULL))"}, scratch.path());
  EXPECT_EQ(inserted.exitCode, 0);
  EXPECT_EQ(inserted.out, "2 rows\n");
  const Outcome selected = runTool({dir, R"(SELECT ROL, SUMA, DATAI, SUMA*2 AS D FROM "PLATI.DBF" ORDER BY SUMA)"}, scratch.path());
  EXPECT_EQ(selected.exitCode, 0);
  EXPECT_EQ(selected.out, "ROL\tSUMA\tDATAI\tD\n7\t-3\t\t-6\n12\t1.5\t02.01.2014\t3\n");
}

TEST(ToolSql, ReportsTheEnginesMessageAndExitsWithOne) {
  sqltest::ScratchDir data, scratch;
  const Outcome missingTable = runTool({data.path().string(), R"(SELECT * FROM "Lipsa.dbf")"}, scratch.path());
  EXPECT_EQ(missingTable.exitCode, 1);
  EXPECT_TRUE(missingTable.out.empty());
  EXPECT_NE(missingTable.err.find("Lipsa"), std::string::npos) << missingTable.err;

  const Outcome badSyntax = runTool({data.path().string(), "SELECT FROM"}, scratch.path());
  EXPECT_EQ(badSyntax.exitCode, 1);
  EXPECT_NE(badSyntax.err.find("pozitia 8"), std::string::npos) << badSyntax.err;

  const Outcome noDirectory = runTool({(data.path() / "nu-exista").string(), "SELECT 1 FROM \"x\""}, scratch.path());
  EXPECT_EQ(noDirectory.exitCode, 1);
  EXPECT_NE(noDirectory.err.find("nu exista"), std::string::npos) << noDirectory.err;
}

}  // namespace
