// Debits of the year: the date penalties run from, the dialog's store checks,
// the description of the item each detail tab names, and the stored rows.
#include "store/qt_printers.h"
#include "register/debit_items.h"
#include "register/debits.h"
#include "register/taxpayer_fixture.h"
#include "register/vehicle_tax.h"
#include "store/sql_helpers.h"
#include "store/text_rules.h"

#include <QSet>

namespace dajdor::testing {
namespace {

using reg::DebitEntry;

DebitEntry reset(bool legal = false) { return reg::resetDebitEntry(QDate(2014, 3, 15), "B", "II", 2014, legal); }

DebitEntry of(const QString& group, const QString& category, bool legal = false) {
  DebitEntry e = reset(legal);
  e.group = group;
  e.category = category;
  e.amount = Currency::whole(300);
  return e;
}

QStringList pairs(const reg::DebitDescription& d) {
  QStringList p;
  for (int i = 7; i <= 22; i += 2)
    if (!d[i].isEmpty()) p.append(d[i] + "=" + d[i + 1]);
  return p;
}

TEST(PenaltyStartTest, TheFirstOfTheMonthTwoMonthsLater) {
  const QList<QPair<QDate, QDate>> cases = {{QDate(2014, 3, 15), QDate(2014, 5, 1)},
                                            {QDate(2014, 12, 15), QDate(2015, 2, 1)},
                                            {QDate(2014, 11, 1), QDate(2015, 1, 1)},
                                            {QDate(2014, 12, 31), QDate(2015, 2, 1)},
                                            {QDate(2014, 1, 31), QDate(2014, 3, 1)}};
  for (const auto& [day, start] : cases) EXPECT_EQ(reg::penaltyStart(day), start) << day.toString().toStdString();
  EXPECT_EQ(reg::BuildDebitDescription(of(kGroupBuildings, "Taxa"))[4], "01.05.2014");
}

TEST(DebitChecksTest, EachTabRefusesWhatIsMissing) {
  struct Case {
    DebitEntry entry;
    QString problem, field;
  };
  const auto with = [](DebitEntry e, const std::function<void(DebitEntry&)>& change) {
    change(e);
    return e;
  };
  const DebitEntry building = with(of(kGroupBuildings, "Cumparare"), [](DebitEntry& e) { e.area = Currency::whole(80); });
  const Case cases[] = {
      {of(kGroupBuildings, "Cumparare"), "Lipseste Suprafata construita!", "SupCon1"},
      {with(building, [](DebitEntry& e) { e.year = Currency::whole(999); }), "Anul construirii este incorect!", "AnCon1"},
      {with(building, [](DebitEntry& e) { e.year = Currency::whole(2015); }), "Anul construirii este incorect!", "AnCon1"},
      {of(kGroupBuildings, "Vanzare", true), "Lipseste Valoarea de inventar!", "ValInvCon2"},
      {of(kGroupLandInside, "Cumparare"), "Lipseste Suprafata!", "Supraf3"},
      {with(of(kGroupVehicles, "Cumparare"), [](DebitEntry& e) { e.vehicle = "Vapoare"; }), "Lipseste Capacitatea!",
       "Capac"},
      {with(of(kGroupVehicles, "Vanzare"), [](DebitEntry& e) { e.vehicle = "Barca cu motor"; }),
       "Lipseste Cantitatea (buc.)!", "BucE"},
      {with(of(kGroupVehicles, "Cumparare"),
            [](DebitEntry& e) {
              e.vehicle = "Tractoare inmatriculate 1";
              e.capacity = Currency::whole(4500);
            }),
       "Lipseste Cantitatea (buc.)!", "BucE"},
      {with(building, [](DebitEntry& e) { e.amount = Currency::whole(-1); }),
       "Valoarea Impozitului (Debitului) nu poate fi negativa!", "SUMA"},
      {with(building,
            [](DebitEntry& e) {
              e.category = "Vanzare";
              e.amount = Currency::whole(100000);
            }),
       "La Vanzare valoarea poate avea cel mult 5 cifre!", "SUMA"},
  };
  for (const Case& k : cases) {
    ScriptedInteraction ui;
    DebitEntry e = k.entry;
    EXPECT_FALSE(reg::checkDebitEntry(e, 2014, ui)) << k.problem.toStdString();
    ASSERT_EQ(ui.problems.size(), 1) << k.problem.toStdString();
    EXPECT_EQ(ui.problems[0].text, k.problem);
    EXPECT_EQ(ui.problems[0].field, k.field);
  }
  ScriptedInteraction ui;
  DebitEntry accepted = with(building, [](DebitEntry& e) { e.explanation = "  act  de vanzare "; });
  EXPECT_TRUE(reg::checkDebitEntry(accepted, 2014, ui)) << "the work year itself is accepted";
  EXPECT_EQ(accepted.explanation, "act de vanzare");
  // A change of an amount needs no item: what the tab's item would hold becomes 0.
  const QList<QPair<QString, QStringList>> changes = {
      {kGroupBuildings, {"C1S=0", "C1A=0", "C1C=0", "C1Z=B", "C1R=II"}},
      {kGroupLandInside, {"CCA=0"}},
      {kGroupLandOutside, {"L1A=5"}},
      {kGroupVehicles, {"APA10=0"}}};
  for (const auto& [group, described] : changes) {
    DebitEntry e = of(group, "Majorare");
    e.area = e.builtSurface = e.openSurface = e.capacity = e.count = Currency::whole(5);
    e.vehicle = "Vapoare";
    EXPECT_TRUE(reg::checkDebitEntry(e, 2014, ui)) << group.toStdString();
    EXPECT_EQ(pairs(reg::BuildDebitDescription(e)), described);
  }
}

TEST(DebitDescriptionTest, TheItemOfEachTab) {
  struct Case {
    DebitEntry entry;
    QString name, file;
    QStringList pairs;
  };
  const auto with = [](DebitEntry e, const std::function<void(DebitEntry&)>& change) {
    change(e);
    return e;
  };
  const Case cases[] = {
      {with(of(kGroupBuildings, "Cumparare"),
            [](DebitEntry& e) {
              e.area = Currency::fromDouble(85.5);
              e.year = Currency::whole(1990);
              e.material = 1;
            }),
       "Cladiri", "PAG2", {"C1S=85.5", "C1A=1990", "C1C=1", "C1Z=B", "C1R=II"}},
      {with(of(kGroupBuildings, "Cumparare"),
            [](DebitEntry& e) {
              e.annex = true;
              e.area = Currency::whole(20);
            }),
       "Cladiri-Anexe", "PAG2", {"CAS=20", "CAA=2014", "CAC=0", "CAZ=B", "CAR=II"}},
      {with(of(kGroupBuildings, "Vanzare", true),
            [](DebitEntry& e) {
              e.inventoryValue = Currency::whole(150000);
              e.depreciated = true;
            }),
       "Cladiri", "PAG2", {"V1=150000", "AM1=DA", "INV1=NU"}},
      {with(of(kGroupBuildings, "Cumparare", true),
            [](DebitEntry& e) {
              e.annex = true;
              e.inventoryValue = Currency::whole(9000);
              e.unevaluated = true;
            }),
       "Cladiri-Anexe", "PAG2", {"VA1=9000", "AMA1=NU", "INVA1=DA"}},
      {with(of(kGroupLandInside, "Cumparare"),
            [](DebitEntry& e) {
              e.builtSurface = Currency::whole(400);
              e.builtZone = "C";
            }),
       "Curti-constructii", "PAG4", {"CCC=400"}},
      {with(of(kGroupLandInside, "Vanzare"),
            [](DebitEntry& e) {
              e.builtCategory = "Livada";
              e.builtSurface = Currency::fromDouble(0.25);
              e.builtZone = "E";
            }),
       "Livada", "PAG4", {"AL5E=0.25"}},
      {with(of(kGroupLandOutside, "Cumparare"),
            [](DebitEntry& e) {
              e.openCategory = "Teren arabil";
              e.openSurface = Currency::fromDouble(1.5);
              e.openZone = "D";
            }),
       "Teren arabil", "PAG1", {"L1D=1.5"}},
      {with(of(kGroupLandOutside, "Cumparare"),
            [](DebitEntry& e) {
              e.openCategory = "Teren cu amenajari piscicole";
              e.openSurface = Currency::whole(3);
            }),
       "Teren cu amenajari piscicole", "PAG1", {"L11A=3"}},
      {with(of(kGroupVehicles, "Cumparare"),
            [](DebitEntry& e) {
              e.vehicle = "Autobuze,autocare,microbuze 1";
              e.capacity = Currency::whole(6000);
              e.count = Currency::whole(2);
            }),
       "Autobuze,autocare,microbuze 1", "PAG5", {"ATB1=6000", "ATBNR1=2"}},
      {with(of(kGroupVehicles, "Cumparare"),
            [](DebitEntry& e) {
              e.vehicle = "Autoturisme cap.cil. 401 - 600 cmc";
              e.capacity = Currency::whole(500);
              e.count = Currency::whole(1);
            }),
       "Autoturisme cap.cil. 401 - 600 cmc", "PAG5", {"AUTO14=1"}},
      {with(of(kGroupVehicles, "Vanzare"),
            [](DebitEntry& e) {
              e.vehicle = "Vapoare";
              e.capacity = Currency::whole(1200);
            }),
       "Vapoare", "PAG5", {"APA10=1200"}},
      {with(of(kGroupVehicles, "Cumparare"),
            [](DebitEntry& e) {
              e.vehicle = "Vehicule 2+1 axe,12-14t,fara susp.pneum.";
              e.count = Currency::whole(3);
            }),
       "Vehicule 2+1 axe,12-14t,fara susp.pneum.", "PAG5", {"GC1B=3"}},
      {with(of(kGroupVehicles, "Cumparare"),
            [](DebitEntry& e) {
              e.vehicle = "Vehicule neinmatriculate peste 4800 cmc";
              e.capacity = Currency::whole(5000);
            }),
       "Vehicule neinmatriculate peste 4800 cmc", "PAG6", {"VN6=5000"}},
  };
  for (const Case& k : cases) {
    ScriptedInteraction ui;
    DebitEntry e = k.entry;
    ASSERT_TRUE(reg::checkDebitEntry(e, 2014, ui)) << k.name.toStdString();
    const reg::DebitDescription d = reg::BuildDebitDescription(e);
    EXPECT_EQ(d[0], e.group);
    EXPECT_EQ(d[2], e.category);
    EXPECT_EQ(d[3], "15.03.2014");
    EXPECT_EQ(d[5], k.name);
    EXPECT_EQ(d[6], k.file) << k.name.toStdString();
    EXPECT_EQ(pairs(d), k.pairs) << k.name.toStdString();
    EXPECT_EQ(d[23], e.category == "Vanzare" ? "-300" : "300");
  }
}

TEST(VehicleEntriesTest, TheVehicleLinesSortedThenTheUnregisteredClasses) {
  const QList<reg::VehicleEntry>& entries = reg::vehicleEntries();
  ASSERT_EQ(entries.size(), 117);
  EXPECT_EQ(entries.front().name, "Alte autovehicule");
  EXPECT_EQ(entries[114].name, "Vehicule neinmatriculate pana la 4800 cmc");
  EXPECT_EQ(entries[116].name, "Vehicule neinmatriculate cu cap.neevidentiata");
  QSet<QString> columns;
  for (int i = 0; i < 114; ++i) {
    if (i > 0) {
      EXPECT_LT(entries[i - 1].name.compare(entries[i].name, Qt::CaseInsensitive), 0);
    }
    EXPECT_EQ(entries[i].file, "PAG5");
    columns.insert(entries[i].hasCount() ? entries[i].countColumn : entries[i].capacityColumn);
  }
  EXPECT_EQ(columns.size(), 114) << "each entry its own column";
  // Every registered entry names a line of the vehicle tax, so a debit and the yearly debt speak of one item.
  admin::Rates rates;
  reg::Taxpayer taxpayer;
  const reg::DebtLines lines = reg::AssessVehicles({}, {}, {}, {}, {taxpayer, rates, 2014});
  QSet<QString> names;
  for (const reg::DebtLine& l : lines) names.insert(l.name);
  for (int i = 0; i < 114; ++i) EXPECT_TRUE(names.contains(entries[i].name)) << entries[i].name.toStdString();
  // Capacity shown for the bus, the tractor, "Alte autovehicule", "Vapoare" and the two capacity classes.
  QStringList withCapacity, withoutCount;
  for (const reg::VehicleEntry& e : entries) {
    if (e.hasCapacity()) withCapacity.append(e.name);
    if (!e.hasCount()) withoutCount.append(e.name);
  }
  EXPECT_EQ(withCapacity, QStringList({"Alte autovehicule", "Autobuze,autocare,microbuze 1", "Tractoare inmatriculate 1",
                                       "Vapoare", "Vehicule neinmatriculate pana la 4800 cmc",
                                       "Vehicule neinmatriculate peste 4800 cmc"}));
  EXPECT_EQ(withoutCount, QStringList({"Alte autovehicule", "Vapoare", "Vehicule neinmatriculate pana la 4800 cmc",
                                       "Vehicule neinmatriculate peste 4800 cmc"}));
}

class DebitsTest : public TaxpayerTest {
 protected:
  void SetUp() override {
    TaxpayerTest::SetUp();
    owner_ = add("VALENI", "12", "POPESCU ION");
  }
  reg::Debit only() {
    const QList<reg::Debit> debits = reg::debitsOf(*db_, dataDir(), owner_);
    EXPECT_EQ(debits.size(), 1);
    return debits.value(0);
  }
  std::int64_t owner_ = 0;
};

TEST_F(DebitsTest, ASaleIsStoredNegativeAndChangedBack) {
  DebitEntry sale = of(kGroupLandOutside, "Vanzare");
  sale.openSurface = Currency::fromDouble(1.25);
  sale.explanation = QStringLiteral("Contract \"vânzare\" nr. 3");
  sale.number = Currency::whole(3);
  ASSERT_TRUE(reg::checkDebitEntry(sale, 2014, ui_));
  const std::int64_t id = reg::addDebit(*db_, dataDir(), *settings_, owner_, sale);
  EXPECT_EQ(rows("SELECT IDDEB, GRUPA, DOCJUS, NR, CATEG, DINDATA, PENDATA, DENUM, FISIER, CAMP1, VAL1, CAMP2, "
                 "SUMAINI, SUMAC FROM %1",
                 "Debit.dbf"),
            QStringList{QStringLiteral("%1|Impozit pe teren extravilan|Contract \"vânzare\" nr. 3|3|Vanzare|15.03.2014|"
                                       "01.05.2014|Teren arabil|PAG1|L1A|1.25||-300|-300")
                            .arg(id)});
  DebitEntry back = reg::entryOf(only(), reset());
  EXPECT_EQ(back.amount, Currency::whole(300));
  EXPECT_EQ(back.openSurface, Currency::fromDouble(1.25));
  EXPECT_EQ(back.openCategory, "Teren arabil");
  back.amount = Currency::whole(200);
  EXPECT_TRUE(reg::modifyDebit(*db_, dataDir(), only(), back, ui_));
  EXPECT_TRUE(ui_.messages.isEmpty()) << "nothing was paid: no question";
  EXPECT_EQ(rows("SELECT SUMAINI, SUMAC FROM %1", "Debit.dbf"), QStringList{"-200|-200"});
}

TEST_F(DebitsTest, APaidDebitAsksBeforeAChangeAndIsNotDeleted) {
  DebitEntry purchase = of(kGroupVehicles, "Cumparare");
  purchase.vehicle = "Tractoare inmatriculate 1";
  purchase.capacity = Currency::whole(4500);
  purchase.count = Currency::whole(1);
  reg::addDebit(*db_, dataDir(), *settings_, owner_, purchase);
  exec("UPDATE %1 SET SUMAC=SUMAC-100", "Debit.dbf");  // 100 paid
  DebitEntry back = reg::entryOf(only(), reset());
  EXPECT_EQ(back.vehicle, "Tractoare inmatriculate 1");
  EXPECT_EQ(back.capacity, Currency::whole(4500));
  EXPECT_EQ(back.count, Currency::whole(1));
  back.amount = Currency::whole(350);
  ui_.queueAnswer(Answer::Nu);
  EXPECT_FALSE(reg::modifyDebit(*db_, dataDir(), only(), back, ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Modifica debit");
  EXPECT_EQ(ui_.messages[0].text, "La acest debit s-a taiat chitanta/OP/N.C.!\rSunteti sigur ca doriti modificarea?");
  EXPECT_EQ(rows("SELECT SUMAINI, SUMAC FROM %1", "Debit.dbf"), QStringList{"300|200"});
  EXPECT_TRUE(reg::modifyDebit(*db_, dataDir(), only(), back, ui_));
  EXPECT_EQ(rows("SELECT SUMAINI, SUMAC FROM %1", "Debit.dbf"), QStringList{"350|250"}) << "what was paid stays paid";

  ui_.messages.clear();
  EXPECT_FALSE(reg::deleteDebit(*db_, dataDir(), only(), ui_));
  ASSERT_EQ(ui_.messages.size(), 1);
  EXPECT_EQ(ui_.messages[0].title, "Stergere Debit");
  EXPECT_EQ(ui_.messages[0].text, "La debitul selectat s-a operat o incasare!\rAnulati mai intai chitanta sau N.C.!");
  exec("UPDATE %1 SET SUMAC=SUMAINI", "Debit.dbf");
  ui_.messages.clear();
  EXPECT_TRUE(reg::deleteDebit(*db_, dataDir(), only(), ui_));
  EXPECT_EQ(ui_.messages[0].text, "Doriti sa stergem debitul selectat?");
  EXPECT_TRUE(reg::debitsOf(*db_, dataDir(), owner_).isEmpty());
}

TEST_F(DebitsTest, AnEmptyGridIsTold) {
  EXPECT_FALSE(reg::deleteDebit(*db_, dataDir(), std::nullopt, ui_));
  ASSERT_EQ(ui_.problems.size(), 1);
  EXPECT_EQ(ui_.problems[0].text, "Nu aveti ce sterge!");
  EXPECT_EQ(ui_.problems[0].field, "DebiteGrid");
}

}  // namespace
}  // namespace dajdor::testing
