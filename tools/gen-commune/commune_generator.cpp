#include "commune_generator.h"

#include "commune_layout.h"
#include "commune_names.h"
#include "taxpayer_file.h"

#include "store/engine/sql_text.h"

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>

namespace gencommune {
namespace {

struct Cashier {
  const char* name;
  const char* series;
  const char* identity;
};
constexpr std::array kCashiers = {Cashier{"IONESCU MARIA", "VRD", "CI VS 482913"},
                                  Cashier{"POPA ELENA", "VRDB", "CI VS 517204"}};

constexpr std::array kPages = {"Pag1.dbf", "Pag2.dbf", "Pag4.dbf", "Pag5.dbf", "Pag6.dbf", "Pag7.dbf", "Pag8.dbf"};

// Appends rows to one table through a cursor, numbering its identifier field.
class TableAppender {
 public:
  TableAppender(engine::Database& db, const std::string& file, std::string idField = "")
      : layout_(communeTable(file)), cursor_(db.openTable(file)), idField_(std::move(idField)) {}

  void add(TableRecord& record) {
    if (!idField_.empty()) record.set(idField_, static_cast<std::int64_t>(count_ + 1));
    cursor_->append();
    const auto& values = record.values();
    for (std::size_t i = 0; i < values.size(); ++i) cursor_->setField(layout_.fields[i].name, values[i]);
    cursor_->post();
    ++count_;
  }
  std::size_t count() const { return count_; }

 private:
  const TableLayout& layout_;
  std::unique_ptr<engine::Cursor> cursor_;
  std::string idField_;
  std::size_t count_ = 0;
};

void writeReferenceTables(engine::Database& db, RowCounts& counts) {
  TableAppender codes(db, "CODCL.dbf", "IDCOD");
  for (const auto& g : taxGroups()) {
    TableRecord r(communeTable("CODCL.dbf"));
    r.set("GRUPA", g.name).set("CODCLF", g.codePerson).set("CODCLJ", g.codeCompany).set("TIP", std::string(1, g.kind));
    codes.add(r);
  }
  TableAppender zones(db, "DefZone.dbf", "ID");
  for (const auto& v : villages()) {
    TableRecord r(communeTable("DefZone.dbf"));
    r.set("LOCALIT", v.name).set("ZONA", std::string(1, v.zone)).set("RANG", v.rank);
    zones.add(r);
  }
  counts["CODCL.dbf"] = codes.count();
  counts["DefZone.dbf"] = zones.count();
}

// Documents are numbered in date order, as the cashiers issued them.
void writePayments(engine::Database& db, std::vector<PaymentDocument>& documents,
                   const std::vector<TaxpayerHeader>& taxpayers, RowCounts& counts) {
  std::stable_sort(documents.begin(), documents.end(),
                   [](const PaymentDocument& a, const PaymentDocument& b) { return a.day < b.day; });
  TableAppender lines(db, "Chitante.dbf");
  std::array<std::int64_t, kCashiers.size()> receiptNumbers{};
  std::int64_t documentId = 0;
  for (auto& doc : documents) {
    const TaxpayerHeader& who = taxpayers[doc.taxpayer];
    const Cashier& cashier = kCashiers[static_cast<std::size_t>(doc.cashier)];
    ++documentId;
    const bool receipt = doc.kind == 'C';
    const std::int64_t number = receipt ? ++receiptNumbers[static_cast<std::size_t>(doc.cashier)] : doc.typedNumber;
    std::sort(doc.lines.begin(), doc.lines.end(), [](const DocumentLine& a, const DocumentLine& b) {
      return std::tie(a.denum, a.group) < std::tie(b.denum, b.group);
    });
    for (const auto& line : doc.lines) {
      const TaxGroup& group = taxGroup(line.group);
      TableRecord r(communeTable("Chitante.dbf"));
      r.set("IDCHIT", documentId)
          .set("IDGOS", who.idgos)
          .set("IDANUL", documentId)
          .set("SERIA", receipt ? cashier.series : " - ")
          .set("NR", number)
          .setDate("DATAI", doc.day)
          .set("SATUL", villages()[who.village].name)
          .set("ROL", who.rol)
          .set("GRUPA", line.group)
          .set("DENUM", line.denum)
          .set("CODCLAS", who.legal ? group.codeCompany : group.codePerson)
          .set("NUMEP", who.name)
          .set("CNP", who.code)
          .set("ADRESA", who.address)
          .set("TIPF", who.legal ? "J" : "F")
          .set("PLATNUME", who.name)
          .set("INCANUME", cashier.name)
          .set("LEGITIMA", cashier.identity)
          .set("RESTANTA", line.arrears)
          .set("MAJOREST", line.carriedPenalty)
          .set("CURENT", line.current)
          .set("MAJOR", line.penalty)
          .set("REDUCERE", line.reduction)
          .set("TOTAL", line.total())
          .set("TIP", std::string(1, doc.kind));
      lines.add(r);
    }
  }
  counts["Chitante.dbf"] = lines.count();
}

}  // namespace

RowCounts generateCommune(engine::Database& db, const GeneratorOptions& options) {
  for (const auto& table : communeTables())
    if (db.tableExists(table.file)) throw engine::Error("Directorul contine deja tabela " + table.file + ".");
  for (const auto& table : communeTables()) db.execute(table.createStatement);

  CommuneYear year;
  year.year = options.year;
  engine::dayFromDate(options.year, 12, 19, year.lastDay);

  RowCounts counts;
  engine::Transaction transaction(db);
  writeReferenceTables(db, counts);

  TableAppender registerRows(db, "Gospodar.dbf");
  std::map<std::string, std::unique_ptr<TableAppender>> pages;
  for (const char* page : kPages) pages[page] = std::make_unique<TableAppender>(db, page);
  TableAppender vehicles(db, "AutoDet.dbf", "IDDETA");
  TableAppender debts(db, "Datorii.dbf", "IDDAT");
  TableAppender balances(db, "SoldCalc.dbf", "IDRES");
  TableAppender debits(db, "Debit.dbf", "IDDEB");

  std::vector<TaxpayerHeader> taxpayers;
  std::vector<PaymentDocument> documents;
  std::vector<int> lastRole(villages().size(), 0);
  RandomSource communeRandom(options.seed);
  for (std::size_t i = 0; i < options.taxpayers; ++i) {
    const std::size_t village = communeRandom.weighted(villageWeights());
    std::string role = std::to_string(++lastRole[village]);
    if (communeRandom.chance(0.004)) role += "A";  // a split household keeps its old number
    if (communeRandom.chance(0.002)) role.clear();   // never given a number
    RandomSource rng = RandomSource::forItem(options.seed, i);
    TaxpayerFile file = makeTaxpayerFile(rng, year, i, static_cast<std::int64_t>(i + 1), village, role);
    for (auto& r : file.register_) registerRows.add(r);
    for (auto& page : file.pages) pages.at(page.layout().file)->add(page);
    for (auto& r : file.vehicles) vehicles.add(r);
    for (auto& r : file.debts) debts.add(r);
    for (auto& r : file.balances) balances.add(r);
    for (auto& r : file.debits) debits.add(r);
    for (auto& d : file.payments) documents.push_back(std::move(d));
    taxpayers.push_back(std::move(file.header));
  }
  writePayments(db, documents, taxpayers, counts);
  transaction.commit();

  counts["Gospodar.dbf"] = registerRows.count();
  for (const auto& [file, appender] : pages) counts[file] = appender->count();
  counts["AutoDet.dbf"] = vehicles.count();
  counts["Datorii.dbf"] = debts.count();
  counts["SoldCalc.dbf"] = balances.count();
  counts["Debit.dbf"] = debits.count();
  return counts;
}

}  // namespace gencommune
