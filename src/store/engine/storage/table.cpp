#include "store/engine/storage/table.h"

#include "store/engine/storage/table_state.h"

#include <algorithm>
#include <strings.h>

namespace engine {
namespace {

void refuseDamaged(const TableState& s) {
  if (!s.damage.empty())
    throw Error("Tabela " + s.name + " este deteriorată (" + s.damage + "); nu se scrie în ea.");
}

[[noreturn]] void refuseForeignField(const TableState& s, const FieldDesc& f, const char* what) {
  throw Error("Câmpul " + f.name + " al tabelei " + s.name + " are tipul „" + std::string(1, f.type) +
              "”, pe care programul nu îl poate scrie; " + what + ".");
}

void checkRecord(const TableState& s, std::uint32_t rec) {
  if (rec >= s.count)
    throw Error("Înregistrarea " + std::to_string(rec) + " nu există în tabela " + s.name + ".");
}

void checkField(const TableState& s, int field) {
  if (field < 0 || static_cast<std::size_t>(field) >= s.layout.fields.size())
    throw Error("Câmpul " + std::to_string(field) + " nu există în tabela " + s.name + ".");
}

std::string_view fieldBytes(const TableState& s, std::uint32_t rec, int field) {
  const auto f = static_cast<std::size_t>(field);
  return {s.record(rec) + 1 + s.layout.offsets[f], static_cast<std::size_t>(s.layout.fields[f].length)};
}

void insertSorted(std::vector<std::uint32_t>& recs, std::uint32_t rec) {
  recs.insert(std::lower_bound(recs.begin(), recs.end(), rec), rec);
}

void eraseSorted(std::vector<std::uint32_t>& recs, std::uint32_t rec) {
  const auto it = std::lower_bound(recs.begin(), recs.end(), rec);
  if (it != recs.end() && *it == rec) recs.erase(it);
}

// Removes (or adds) one record in every built index.
void unindex(TableState& s, std::uint32_t rec) {
  std::string key;
  for (auto& [field, index] : s.indexes)
    if (dbf::storedKey(s.layout.fields[static_cast<std::size_t>(field)], fieldBytes(s, rec, field), key)) {
      const auto it = index.find(key);
      if (it != index.end()) eraseSorted(it->second, rec);
    }
}

}  // namespace

void TableState::indexRecord(std::uint32_t rec) {
  if (record(rec)[0] == '*') return;
  std::string key;
  for (auto& [field, index] : indexes)
    if (dbf::storedKey(layout.fields[static_cast<std::size_t>(field)], fieldBytes(*this, rec, field), key))
      insertSorted(index[key], rec);
}

void TableState::markDirty(std::uint32_t rec) {
  if (rec >= diskCount || rewrite) return;  // appended records and rewrites are written anyway
  if (dirtyFlag.size() < diskCount) dirtyFlag.resize(diskCount, false);
  if (dirtyFlag[rec]) return;
  dirtyFlag[rec] = true;
  dirtyList.push_back(rec);
}

void TableState::clearChanges() {
  dirtyList.clear();
  dirtyFlag.clear();
  rewrite = false;
  created = false;
}

void TableState::replaceLayout(dbf::Layout newLayout, std::string newImage, std::uint32_t newCount) {
  layout = std::move(newLayout);
  image = std::move(newImage);
  count = newCount;
  indexes.clear();
  rewrite = true;
  dirtyList.clear();
  dirtyFlag.clear();
  ++rowsVersion;
  ++contentVersion;
  ++reshapeVersion;
}

Table::Table(std::unique_ptr<TableState> state) : s_(std::move(state)) {}
Table::~Table() = default;

const std::string& Table::path() const { return s_->path; }
const std::string& Table::name() const { return s_->name; }
const std::vector<FieldDesc>& Table::fields() const { return s_->layout.fields; }

int Table::fieldIndex(std::string_view name) const {
  const auto& fields = s_->layout.fields;
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].name.size() == name.size() && strncasecmp(fields[i].name.data(), name.data(), name.size()) == 0)
      return static_cast<int>(i);
  return -1;
}

std::uint32_t Table::recordCount() const { return s_->count; }

bool Table::isDeleted(std::uint32_t rec) const {
  checkRecord(*s_, rec);
  return s_->record(rec)[0] == '*';
}

Value Table::get(std::uint32_t rec, int field) const {
  checkRecord(*s_, rec);
  checkField(*s_, field);
  return dbf::decode(s_->layout.fields[static_cast<std::size_t>(field)], fieldBytes(*s_, rec, field));
}

void Table::set(std::uint32_t rec, int field, const Value& v) {
  TableState& s = *s_;
  checkRecord(s, rec);
  checkField(s, field);
  refuseDamaged(s);
  const auto f = static_cast<std::size_t>(field);
  const FieldDesc& desc = s.layout.fields[f];
  if (!dbf::understood(desc.type)) refuseForeignField(s, desc, "valorile lui rămân cum sunt");
  std::string bytes(static_cast<std::size_t>(desc.length), ' ');
  dbf::encode(s.name, desc, v, bytes.data());
  char* target = s.record(rec) + 1 + s.layout.offsets[f];
  if (std::equal(bytes.begin(), bytes.end(), target)) return;
  if (s.observer) s.observer->beforeRecordChange(*this, rec);
  const bool indexed = s.indexes.count(field) > 0 && s.record(rec)[0] != '*';
  if (indexed) {
    // Only this field's index changes.
    auto& index = s.indexes[field];
    std::string key;
    if (dbf::storedKey(desc, {target, bytes.size()}, key)) {
      const auto it = index.find(key);
      if (it != index.end()) eraseSorted(it->second, rec);
    }
    if (dbf::storedKey(desc, bytes, key)) insertSorted(index[key], rec);
  }
  std::copy(bytes.begin(), bytes.end(), target);
  s.markDirty(rec);
  ++s.contentVersion;
  ++s.editVersion;
}

std::uint32_t Table::appendRecord(const std::vector<Value>& values) {
  TableState& s = *s_;
  refuseDamaged(s);
  if (values.size() > s.layout.fields.size())
    throw Error("Prea multe valori (" + std::to_string(values.size()) + ") pentru tabela " + s.name + ", care are " +
                std::to_string(s.layout.fields.size()) + " câmpuri.");
  // A blank memo is no memo; a blank of an unknown type may mean anything.
  for (const FieldDesc& f : s.layout.fields)
    if (!dbf::understood(f.type) && f.type != 'M') refuseForeignField(s, f, "în tabelă nu se pot adăuga înregistrări");
  std::string rec(s.layout.recordLength, ' ');
  for (std::size_t i = 0; i < values.size(); ++i)
    dbf::encode(s.name, s.layout.fields[i], values[i], rec.data() + 1 + s.layout.offsets[i]);
  if (s.observer) s.observer->beforeAppend(*this);
  s.image.append(rec);
  const std::uint32_t number = s.count++;
  s.indexRecord(number);
  ++s.rowsVersion;
  ++s.contentVersion;
  return number;
}

void Table::requireSound() const { refuseDamaged(*s_); }

void Table::reserveAppends(std::size_t count) {
  TableState& s = *s_;
  const std::size_t needed = s.image.size() + count * s.layout.recordLength;
  if (needed > s.image.capacity()) s.image.reserve(needed);
}

void Table::markDeleted(std::uint32_t rec) {
  TableState& s = *s_;
  checkRecord(s, rec);
  refuseDamaged(s);
  if (s.record(rec)[0] == '*') return;
  if (s.observer) s.observer->beforeRecordChange(*this, rec);
  unindex(s, rec);
  s.record(rec)[0] = '*';
  s.markDirty(rec);
  ++s.rowsVersion;
  ++s.contentVersion;
  ++s.reshapeVersion;
}

const std::vector<std::uint32_t>& Table::lookup(int field, const Value& key) {
  static const std::vector<std::uint32_t> none;
  TableState& s = *s_;
  checkField(s, field);
  const FieldDesc& desc = s.layout.fields[static_cast<std::size_t>(field)];
  auto built = s.indexes.find(field);
  if (built == s.indexes.end()) {
    auto& index = s.indexes[field];
    std::string k;
    for (std::uint32_t rec = 0; rec < s.count; ++rec)
      if (s.record(rec)[0] != '*' && dbf::storedKey(desc, fieldBytes(s, rec, field), k)) index[k].push_back(rec);
    built = s.indexes.find(field);
  }
  std::string k;
  if (!dbf::valueKey(desc, key, k)) return none;
  const auto it = built->second.find(k);
  return it == built->second.end() ? none : it->second;
}

const std::vector<std::string>& Table::declaredIndexes() const { return s_->declared; }
std::uint64_t Table::rowsVersion() const { return s_->rowsVersion; }
std::uint64_t Table::contentVersion() const { return s_->contentVersion; }

}  // namespace engine
