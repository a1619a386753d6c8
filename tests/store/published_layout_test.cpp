// Every table a first start creates, read back by shapelib's dbfdump and
// compared field by field (name, type, width, decimals) with the published
// layout, typed out here independently of the schema catalogue.
#include "data_dir_fixture.h"
#include "support/external_tool.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "store/qt_printers.h"

namespace dajdor::testing {
namespace {

// "NAME T W.D" per field, from a list written as "NAME TYPE, ..." with the
// types of the published layout: C<n>, N<p>.<s> for DECIMAL(p,s), D.
QStringList fields(const QString& list) {
  QStringList out;
  for (const QString& item : list.split(',', Qt::SkipEmptyParts)) {
    const QStringList parts = item.trimmed().split(' ');
    const QString name = parts[0];
    const QString type = parts[1];
    if (type == "D") {
      out.append(name + " D 8.0");
    } else if (type.startsWith('C')) {
      out.append(name + " C " + type.mid(1) + ".0");
    } else {
      out.append(name + " N " + type.mid(1));
    }
  }
  return out;
}

// The pattern once for each n in from..to, '#' standing for n.
QString each(int from, int to, const QString& pattern) {
  QStringList out;
  for (int n = from; n <= to; ++n) out.append(QString(pattern).replace('#', QString::number(n)));
  return out.join(", ");
}

const QString kZones = "#A N8.4, #B N8.4, #C N8.4, #D N8.4, #E N8.4";
const QString kReceipt =
    "SERIA C10, NR N10.0, DATAI D, SATUL C32, ROL C9, GRUPA C60, DENUM C50, CODCLAS C24, NUMEP C40, CNP C13, "
    "ADRESA C80, TIPF C1, PLATNUME C40, INCANUME C32, LEGITIMA C32, RESTANTA N6.0, MAJOREST N6.0, DEPOZIT N6.0, "
    "CURENT N6.0, MAJOR N6.0, REDUCERE N6.0, TOTAL N6.0, TIP C1";

const QList<QPair<QString, QString>>& publishedLayouts() {
  static const QList<QPair<QString, QString>> layouts = {
      {"Ini.dbf", "FORMA C12, NUME C32, VALOARE C40"},
      {"CODCL.dbf", "IDCOD N10.0, GRUPA C60, CODCLF C24, CODCLJ C24, TIP C1"},
      {"DefZone.dbf", "ID N10.0, LOCALIT C32, ZONA C1, RANG C3"},
      {"Gospodar.dbf",
       "IDGOS N10.0, SATUL C32, ROL C9, NUMEP C40, CNP C13, ADRESA C80, TIP C8, SCCLAD C2, SCCC C2, SCTI C2, "
       "SCAUTO C2, SCTE N6.0, OBS C240, NOTAX C2"},
      {"Pag1.dbf", "IDGOS N10.0, " + each(1, 11, QString(kZones).replace("#", "L#"))},
      {"Pag2.dbf", "IDGOS N10.0, " + each(1, 8, "C#S N8.2, C#A N6.0, C#C N6.0, C#Z C1, C#R C3, NR# N6.0") + ", " +
                       each(1, 12, "V# N8.0, AM# C2, DINV# D") +
                       ", CAS N8.2, CAA N6.0, CAC N6.0, CAZ C1, CAR C3, CAS2 N8.2, CAA2 N6.0, CAC2 N6.0, CAZ2 C1, "
                       "CAR2 C3, " +
                       each(1, 2, "VA# N8.0, AMA# C2, DINVA# D")},
      {"Pag4.dbf", "IDGOS N10.0, CCA N8.4, CCB N8.4, CCC N8.4, CCD N8.4, CCE N8.4, " +
                       each(1, 8, QString(kZones).replace("#", "AL#"))},
      {"Pag5.dbf", "IDGOS N10.0, " + each(1, 16, "AUTO# N6.0") +
                       ", ALTE N6.0, ATB1 N6.0, ATB2 N6.0, ATBNR1 N6.0, ATBNR2 N6.0, " + each(1, 4, "TRAC# N6.0") +
                       ", " + each(1, 4, "TBUC# N6.0") + ", " + each(1, 4, "REM# N6.0") + ", " +
                       each(1, 15, "G#A N6.0") + ", " + each(1, 15, "G#B N6.0") + ", " + each(1, 24, "GC#A N6.0") +
                       ", " + each(1, 24, "GC#B N6.0") + ", " + each(1, 13, "APA# N6.0")},
      {"AutoDet.dbf",
       "IDGOS N10.0, IDDETA N10.0, NRDOS C18, TIPAUTO C18, MARCA C18, CAPACIT N6.0, SERIE C24, SERIEM C24, OBS C100"},
      {"Pag6.dbf", "IDGOS N10.0, " + each(1, 11, "VN# N6.0")},
      {"Pag7.dbf", "IDGOS N10.0, " + each(1, 6, "LIN# N6.0")},
      {"Pag8.dbf", "IDGOS N10.0, " + each(1, 11, "LIN# N6.0") + ", " + each(1, 4, "PEN# N6.0") + ", " +
                       each(1, 4, "SOLD# N6.0")},
      // CANT is widened from the published N 9.4: it holds a legal person's building value in lei.
      {"Datorii.dbf",
       "IDDAT N10.0, IDGOS N10.0, DINDATA D, SATUL C32, ROL C9, GRUPA C60, DENUM C50, DOCJUS C50, NR N10.0, "
       "SUMA N6.0, REST N6.0, REDUC N6.0, UM C8, CANT N15.4, REDUCP N6.0, SCUTIT N6.0, TIP C1, SUMA2 N6.0, "
       "RESTINI N6.0"},
      {"SoldCalc.dbf",
       "IDRES N10.0, IDGOS N10.0, SATUL C32, ROL C9, GRUPA C60, SUMA N6.0, REST N6.0, REDUC N6.0, SCUTIRE N6.0, "
       "DATOR N6.0, DEPOZ N6.0, MAJOR N6.0, DATORI N6.0, DEPOZI N6.0, MAJORI N6.0, TIP C1"},
      {"Debit.dbf",
       "IDDEB N10.0, IDGOS N10.0, GRUPA C60, DOCJUS C50, NR N10.0, CATEG C9, DENUM C50, DINDATA D, PENDATA D, "
       "FISIER C8, " +
           each(1, 8, "CAMP# C6, VAL# C10") + ", SUMAINI N6.0, SUMAC N6.0"},
      {"Chitante.dbf", "IDCHIT N10.0, IDGOS N10.0, IDANUL N10.0, " + kReceipt},
      {"UndelDat.dbf",
       "IDANUL N10.0, IDGOS N10.0, IDDAT N10.0, SUMA N6.0, REST N6.0, REDUC N6.0, SUMA2 N6.0, RESTINI N6.0"},
      {"UndelSold.dbf",
       "IDANUL N10.0, IDGOS N10.0, IDRES N10.0, SUMA N6.0, REST N6.0, REDUC N6.0, SCUTIRE N6.0, DATOR N6.0, "
       "DEPOZ N6.0, MAJOR N6.0, DATORI N6.0, DEPOZI N6.0, MAJORI N6.0"},
      {"UndelDebit.dbf", "IDANUL N10.0, IDGOS N10.0, IDDEB N10.0, SUMAINI N6.0, SUMAC N6.0"},
      {"ChitAnul.dbf", "IDCHIT N10.0, IDGOS N10.0, " + kReceipt},
      {"RegCasa.dbf", "IDRC N10.0, DATAI D, DOCJUS C50, INCANUME C32, PLATIT N6.0, INCASAT N6.0"},
      {"Confirm.dbf",
       "IDCONF N10.0, IDGOS N10.0, NRCONF N10.0, DATACONF D, BORDNR N10.0, BORDATA D, ROL C9, CODCL C24, "
       "NUMEDEST C40, ADRDEST C40, LOCDEST C32, ADRNR N10.0, ADRDATA D, SUMA N6.0, NATCL C60, NUMEP C40, "
       "ADRESA C80, SATUL C32"},
      {"Somatii.dbf",
       "IDSOM N10.0, IDGOS N10.0, NR N10.0, DINDATA N6.0, SUMA N10.0, DATACONF N6.0, TIPCONF C12, ANULAT C2, OBS C32"},
      {"SomDet.dbf",
       "IDSOM N10.0, IDGOS N10.0, GRUPA C60, TERMEN N6.0, RAMASITA N10.0, CURENT N10.0, ACCESORII N10.0, DOCJUS C50"},
  };
  return layouts;
}

// The fields as dbfdump -h reports them, "NAME T W.D".
QStringList dumpedFields(const QString& file) {
  const QString header = QString::fromStdString(witness::output("dbfdump -h " + witness::shellQuote(file.toStdString())));
  static const QRegularExpression line("^Field \\d+: Type=(.)/\\w+, Title=`([^']*)', Width=(\\d+), Decimals=(\\d+)$",
                                       QRegularExpression::MultilineOption);
  QStringList out;
  for (auto it = line.globalMatch(header); it.hasNext();) {
    const auto m = it.next();
    out.append(QString("%1 %2 %3.%4").arg(m.captured(2).toUpper(), m.captured(1), m.captured(3), m.captured(4)));
  }
  return out;
}

class PublishedLayoutTest : public DataDirTest {};

TEST_F(PublishedLayoutTest, FirstStartCreatesEveryTableInThePublishedLayout) {
  if (!witness::haveTool("dbfdump")) GTEST_SKIP() << "dbfdump (shapelib) is not installed";
  ASSERT_TRUE(start(QDate(2014, 3, 3)).database);
  EXPECT_EQ(publishedLayouts().size(), 24);
  for (const auto& [file, list] : publishedLayouts()) {
    const QStringList expected = fields(list);
    const QStringList dumped = dumpedFields(dataFile(file));
    EXPECT_EQ(dumped.size(), expected.size()) << file.toStdString();
    for (qsizetype i = 0; i < std::min(dumped.size(), expected.size()); ++i)
      EXPECT_EQ(dumped[i], expected[i]) << file.toStdString() << " field " << i + 1;
  }
}

}  // namespace
}  // namespace dajdor::testing
