// Vehicle details: the editor's checks and the rows they become.
#include "register/taxpayer_fixture.h"
#include "register/vehicle_details.h"

namespace dajdor::testing {
namespace {

using reg::VehicleDetail;

class VehicleDetailsTest : public TaxpayerTest {};

TEST_F(VehicleDetailsTest, CapacityAndTextsAreCheckedAndCleaned) {
  struct Case {
    std::int64_t capacity;
    bool accepted;
  };
  for (const Case& k : {Case{9, false}, Case{10, true}, Case{999999, true}, Case{1000000, false}, Case{-5, false}}) {
    VehicleDetail d;
    d.capacity = k.capacity;
    const reg::PageProblem problem = reg::checkVehicleDetail(d);
    EXPECT_EQ(problem.isEmpty(), k.accepted) << k.capacity;
    if (!k.accepted) {
      EXPECT_EQ(problem.text, "Capacitate incorecta!");
      EXPECT_EQ(problem.field, "Capacit");
    }
  }
  VehicleDetail d;
  d.capacity = 1400;
  d.fileNumber = "  ab  12 ";
  d.chassis = "uu1  sd";
  d.engine = " k9k ";
  d.observations = " din  2010 ";
  EXPECT_TRUE(reg::checkVehicleDetail(d).isEmpty());
  EXPECT_EQ(d.fileNumber, "AB 12");
  EXPECT_EQ(d.chassis, "UU1 SD");
  EXPECT_EQ(d.engine, "K9K");
  EXPECT_EQ(d.observations, "din 2010");
  EXPECT_EQ(reg::vehicleDetailHint(d), "Marca: * nespecificata * caros.:UU1 SD, motor:K9K");
  d.chassis = QString(25, 'X');
  EXPECT_EQ(reg::checkVehicleDetail(d).field, "Serie");
  EXPECT_EQ(reg::vehicleMakes().size(), 114);
  EXPECT_EQ(reg::vehicleMakes().first(), "* nespecificata *");
}

TEST_F(VehicleDetailsTest, AddChangeAndDelete) {
  const std::int64_t owner = add("VALENI", "1", "POPESCU ION");
  const std::int64_t other = add("VALENI", "2", "IONESCU ANA");
  VehicleDetail d;
  d.idgos = owner;
  d.capacity = 1400;
  d.make = "DACIA";
  d.chassis = "UU1";
  const std::int64_t first = reg::addVehicleDetail(*db_, dataDir(), *settings_, d);
  d.make = "FORD";
  const std::int64_t second = reg::addVehicleDetail(*db_, dataDir(), *settings_, d);
  d.idgos = other;
  reg::addVehicleDetail(*db_, dataDir(), *settings_, d);
  EXPECT_NE(first, second);
  QList<VehicleDetail> mine = reg::vehicleDetails(*db_, dataDir(), owner);
  ASSERT_EQ(mine.size(), 2);
  EXPECT_EQ(mine[0].iddeta, first);
  EXPECT_EQ(mine[0].make, "DACIA");
  EXPECT_EQ(mine[0].capacity, 1400);
  mine[0].type = "Remorci";
  mine[0].observations = "fara \"acte\"";
  reg::modifyVehicleDetail(*db_, dataDir(), mine[0]);
  EXPECT_EQ(reg::vehicleDetails(*db_, dataDir(), owner)[0], mine[0]);
  reg::deleteVehicleDetail(*db_, dataDir(), second);
  EXPECT_EQ(reg::vehicleDetails(*db_, dataDir(), owner).size(), 1);
  EXPECT_EQ(reg::vehicleDetails(*db_, dataDir(), other).size(), 1);
}

}  // namespace
}  // namespace dajdor::testing
