// SELECT over real tables: every clause of the dialect, checked on the rows
// the shell would print.
#include "sql_fixture.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* statement;
  const char* expected;
};

using SelectTest = sqltest::SharedDatabaseSuite<Case, sqltest::createSampleTables>;

TEST_P(SelectTest, PrintsExpectedRows) { EXPECT_EQ(sqltest::run(*db_, GetParam().statement), GetParam().expected) << GetParam().statement; }

const Case kProjection[] = {
    {R"(SELECT IDGOS, ROL FROM "Gospodar.dbf" WHERE IDGOS=3)", "IDGOS\tROL\n3\t2A\n"},
    {R"(select g.idgos, G.Numep from "GOSPODAR.DBF" g where g.rol = "9")", "IDGOS\tNUMEP\n2\tAna Maria\n"},
    {R"(SELECT NUMEP + " rol." + ROL AS NUMER FROM "Gospodar.dbf" WHERE IDGOS=1)", "NUMER\nPop Ion rol.10\n"},
    {R"(SELECT SUMA-REST AS NET, SUMA*1.5 AS X, SUMA/4 AS Q, -SUMA FROM "Datorii.dbf" WHERE IDDAT=10)",
     "NET\tX\tQ\t-SUMA\n80\t150\t25\t-100\n"},
    {R"(SELECT UPPER(NUMEP) AS U, LOWER(SATUL) AS L, TRIM("  a  ") AS T, SUBSTRING(NUMEP FROM 5 FOR 3) AS S FROM "Gospodar.dbf" WHERE IDGOS=1)",
     "U\tL\tT\tS\nPOP ION\tdeal\ta\tIon\n"},
    {R"(SELECT CAST(ROL AS FLOAT) AS ROLN FROM "Gospodar.dbf" ORDER BY IDGOS)", "ROLN\n10\n9\n\n1\n"},
    {R"(SELECT CAST(SUMA AS CHAR(2)) AS C, CAST("05.03.2014" AS DATE) AS D, CAST(7.9 AS INTEGER) AS I FROM "Datorii.dbf" WHERE IDDAT=10)",
     "C\tD\tI\n10\t05.03.2014\t7\n"},
    {R"(SELECT DISTINCT SATUL FROM "Gospodar.dbf" ORDER BY SATUL)", "SATUL\nDeal\nVale\n"},
    {R"(SELECT * FROM "Gospodar.dbf" WHERE IDGOS=4)", "IDGOS\tSATUL\tROL\tNUMEP\tTIP\n4\tVale\t1\tUrsu Dan\tFIZICA\n"},
};
INSTANTIATE_TEST_SUITE_P(Projection, SelectTest, ::testing::ValuesIn(kProjection));

const Case kConditions[] = {
    // Text without trailing blanks, case-sensitive; LIKE with % and _.
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE SATUL="Deal   " ORDER BY IDGOS)", "IDGOS\n1\n2\n"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE SATUL="deal")", "IDGOS\n"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE UPPER(SATUL)="DEAL" AND NUMEP LIKE "%Ion")", "IDGOS\n1\n"},
    {R"(SELECT IDDAT FROM "Datorii.dbf" WHERE GRUPA LIKE "Impozit pe %" AND GRUPA NOT LIKE "%teren%")", "IDDAT\n10\n12\n"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE ROL LIKE "_A")", "IDGOS\n3\n"},
    // Dates written as "dd.MM.yyyy" compare as days; NULL dates match nothing.
    {R"(SELECT IDDAT FROM "Datorii.dbf" WHERE DINDATA>="01.02.2014")", "IDDAT\n11\n14\n"},
    {R"(SELECT IDDAT FROM "Datorii.dbf" WHERE DINDATA BETWEEN "01.01.2014" AND "31.01.2014")", "IDDAT\n10\n12\n"},
    {R"(SELECT IDDAT FROM "Datorii.dbf" WHERE DINDATA<>"01.01.2014")", "IDDAT\n11\n14\n"},
    {R"(SELECT IDDAT FROM "Datorii.dbf" WHERE DINDATA IS NULL OR REST IS NULL)", "IDDAT\n11\n13\n"},
    {R"(SELECT IDDAT FROM "Datorii.dbf" WHERE NOT (REST>0) )", "IDDAT\n12\n14\n"},
    // Role ranges: text comparison, and the numeric pair that keeps non-numeric roles.
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE ROL>="2" ORDER BY IDGOS)", "IDGOS\n2\n3\n"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE ((CAST(ROL AS FLOAT)>=2 AND CAST(ROL AS FLOAT)<=9) OR (CAST(ROL AS FLOAT) IS NULL)) ORDER BY IDGOS)",
     "IDGOS\n2\n3\n"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE IDGOS IN (4, 2, 7) ORDER BY IDGOS)", "IDGOS\n2\n4\n"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE IDGOS NOT IN (SELECT IDGOS FROM "Datorii.dbf"))", "IDGOS\n4\n"},
    {R"(SELECT NUMEP FROM "Gospodar.dbf" WHERE IDGOS IN (SELECT IDGOS FROM "Datorii.dbf" WHERE SUMA>=100))", "NUMEP\nPop Ion\n"},
    // A text that is not a number never equals a number.
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE ROL=10)", "IDGOS\n1\n"},
    {R"(SELECT IDGOS FROM "Gospodar.dbf" WHERE ROL<>10 ORDER BY IDGOS)", "IDGOS\n2\n4\n"},
};
INSTANTIATE_TEST_SUITE_P(Conditions, SelectTest, ::testing::ValuesIn(kConditions));

const Case kGroups[] = {
    {R"(SELECT Count(*) AS NR, SUM(SUMA) AS S, MAX(IDDAT) AS XX, MIN(DINDATA) AS D, AVG(SUMA) AS A FROM "Datorii.dbf")",
     "NR\tS\tXX\tD\tA\n5\t450\t14\t01.01.2014\t90\n"},
    {R"(SELECT Count(*) AS NR, SUM(SUMA) AS S, MAX(IDDAT) AS XX FROM "Datorii.dbf" WHERE IDGOS=77)", "NR\tS\tXX\n0\t\t\n"},
    {R"(SELECT COUNT(REST) AS C, COUNT(DISTINCT GRUPA) AS G, SUM(REST) AS R FROM "Datorii.dbf")", "C\tG\tR\n4\t4\t25\n"},
    {R"(SELECT GRUPA, SUM(SUMA) AS TSUMA FROM "Datorii.dbf" GROUP BY GRUPA ORDER BY TSUMA DESC)",
     "GRUPA\tTSUMA\nAmenda\t200\nImpozit pe cladiri\t170\nImpozit pe teren intravilan\t50\nSalubritate\t30\n"},
    {R"(SELECT GRUPA, Count(*) AS NR FROM "Datorii.dbf" GROUP BY GRUPA HAVING Count(*)>1)", "GRUPA\tNR\nImpozit pe cladiri\t2\n"},
    {R"(SELECT DINDATA, Count(*) AS NR FROM "Datorii.dbf" GROUP BY DINDATA ORDER BY DINDATA)",
     "DINDATA\tNR\n\t1\n01.01.2014\t2\n02.02.2014\t1\n15.03.2014\t1\n"},
    {R"(SELECT IDGOS, MAX(DINDATA) AS DINDATA FROM "Datorii.dbf" GROUP BY IDGOS HAVING MAX(DINDATA)>="26.09.1902" ORDER BY DINDATA, IDGOS)",
     "IDGOS\tDINDATA\n2\t01.01.2014\n9\t02.02.2014\n1\t15.03.2014\n"},
    {R"(SELECT SATUL, Count(*) FROM "Gospodar.dbf" GROUP BY 1 ORDER BY 2 DESC, 1)", "SATUL\tCount(*)\nDeal\t2\nVale\t2\n"},
    // GROUP BY may name an AS name of the select list.
    {R"(SELECT UPPER(SATUL) AS SU, Count(*) AS NR FROM "Gospodar.dbf" GROUP BY SU ORDER BY SU)", "SU\tNR\nDEAL\t2\nVALE\t2\n"},
};
INSTANTIATE_TEST_SUITE_P(Groups, SelectTest, ::testing::ValuesIn(kGroups));

const Case kOrder[] = {
    // NULLs first ascending; ties keep the table order; aliases, positions, expressions.
    {R"(SELECT ROL, CAST(ROL AS FLOAT) AS ROLN FROM "Gospodar.dbf" ORDER BY ROLN)", "ROL\tROLN\n2A\t\n1\t1\n9\t9\n10\t10\n"},
    {R"(SELECT ROL FROM "Gospodar.dbf" ORDER BY ROL)", "ROL\n1\n10\n2A\n9\n"},
    {R"(SELECT ROL FROM "Gospodar.dbf" ORDER BY SATUL DESC, CAST(ROL AS FLOAT) DESC)", "ROL\n1\n2A\n10\n9\n"},
    {R"(SELECT IDDAT FROM "Datorii.dbf" ORDER BY SUMA+REST DESC)", "IDDAT\n14\n10\n12\n13\n11\n"},
    {R"(SELECT NUMEP FROM "Gospodar.dbf" ORDER BY 1)", "NUMEP\nAna Maria\nPop Ion\nSC Vale SRL\nUrsu Dan\n"},
};
INSTANTIATE_TEST_SUITE_P(Order, SelectTest, ::testing::ValuesIn(kOrder));

const Case kJoins[] = {
    {R"(SELECT G.NUMEP, D.SUMA FROM "Gospodar.dbf" G JOIN "Datorii.dbf" D ON G.IDGOS=D.IDGOS WHERE D.SUMA>=70 ORDER BY D.SUMA)",
     "NUMEP\tSUMA\nAna Maria\t70\nPop Ion\t100\n"},
    {R"(SELECT G.IDGOS, D.IDDAT FROM "Gospodar.dbf" G INNER JOIN "Datorii.dbf" AS D ON D.IDGOS=G.IDGOS AND D.GRUPA="Salubritate")",
     "IDGOS\tIDDAT\n3\t13\n"},
    {R"(SELECT G.IDGOS, D.IDDAT FROM "Gospodar.dbf" G LEFT JOIN "Datorii.dbf" D ON G.IDGOS=D.IDGOS ORDER BY G.IDGOS, D.IDDAT)",
     "IDGOS\tIDDAT\n1\t10\n1\t11\n2\t12\n3\t13\n4\t\n"},
    {R"(SELECT G.IDGOS, D.IDDAT FROM "Gospodar.dbf" G LEFT OUTER JOIN "Datorii.dbf" D ON G.IDGOS=D.IDGOS WHERE D.IDDAT IS NULL)",
     "IDGOS\tIDDAT\n4\t\n"},
    {R"(SELECT D.IDDAT, G.NUMEP FROM "Gospodar.dbf" G RIGHT JOIN "Datorii.dbf" D ON G.IDGOS=D.IDGOS ORDER BY D.IDDAT)",
     "IDDAT\tNUMEP\n10\tPop Ion\n11\tPop Ion\n12\tAna Maria\n13\tSC Vale SRL\n14\t\n"},
    {R"(SELECT D.IDDAT, G.IDGOS FROM "Datorii.dbf" D FULL OUTER JOIN "Gospodar.dbf" G ON D.IDGOS=G.IDGOS WHERE D.IDDAT IS NULL OR G.IDGOS IS NULL)",
     "IDDAT\tIDGOS\n14\t\n\t4\n"},
    // WHERE after a RIGHT join also filters the rows it adds without a left side.
    {R"(SELECT G.IDGOS, D.IDDAT FROM "Gospodar.dbf" G RIGHT JOIN "Datorii.dbf" D ON G.IDGOS=D.IDGOS WHERE G.IDGOS=1)",
     "IDGOS\tIDDAT\n1\t10\n1\t11\n"},
    {R"(SELECT G.SATUL, Count(*) AS NR FROM "Gospodar.dbf" G, "Datorii.dbf" D WHERE G.IDGOS=D.IDGOS GROUP BY G.SATUL)",
     "SATUL\tNR\nDeal\t3\nVale\t1\n"},
    {R"(SELECT D.*, G.ROL FROM "Datorii.dbf" D JOIN "Gospodar.dbf" G ON D.IDGOS=G.IDGOS WHERE D.IDDAT=13)",
     "IDDAT\tIDGOS\tDINDATA\tGRUPA\tSUMA\tREST\tDOCJUS\tROL\n13\t3\t\tSalubritate\t30\t5\t\t2A\n"},
    // A join on an expression and one on no equality at all.
    {R"(SELECT G.IDGOS, D.IDDAT FROM "Gospodar.dbf" G JOIN "Datorii.dbf" D ON G.IDGOS+9=D.IDDAT ORDER BY G.IDGOS)",
     "IDGOS\tIDDAT\n1\t10\n2\t11\n3\t12\n4\t13\n"},
    {R"(SELECT G.IDGOS, D.IDDAT FROM "Gospodar.dbf" G JOIN "Datorii.dbf" D ON D.SUMA>G.IDGOS*60 ORDER BY G.IDGOS, D.IDDAT)",
     "IDGOS\tIDDAT\n1\t10\n1\t12\n1\t14\n2\t14\n3\t14\n"},
};
INSTANTIATE_TEST_SUITE_P(Joins, SelectTest, ::testing::ValuesIn(kJoins));

}  // namespace
