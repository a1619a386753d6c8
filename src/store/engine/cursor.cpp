#include "store/engine/cursor.h"

#include "store/engine/storage/table_state.h"

#include <algorithm>

namespace engine {
namespace {

std::string_view bufferField(const std::string& buffer, const dbf::Layout& layout, std::size_t field) {
  return {buffer.data() + 1 + layout.offsets[field], static_cast<std::size_t>(layout.fields[field].length)};
}

}  // namespace

TableCursor::TableCursor(Catalog& catalog, std::string pathText, bool exclusive)
    : catalog_(catalog), pathText_(std::move(pathText)), table_(catalog.open(pathText_)), exclusive_(exclusive) {
  if (exclusive_) catalog_.acquireExclusive(*table_);
  rebuild();
  resetPosition();
}

TableCursor::~TableCursor() {
  if (exclusive_) catalog_.releaseExclusive(*table_);
}

std::size_t TableCursor::columnCount() const { return table_->fields().size(); }
const std::string& TableCursor::columnName(std::size_t column) const { return table_->fields().at(column).name; }
int TableCursor::columnIndex(std::string_view name) const { return table_->fieldIndex(name); }

std::size_t TableCursor::rowCount() const {
  sync();
  return rows_.size() + (mode_ == Mode::Append ? 1 : 0);
}

Value TableCursor::value(std::size_t row, std::size_t column) const {
  sync();
  const auto& layout = table_->state().layout;
  if (column >= layout.fields.size()) throw Error("Coloana " + std::to_string(column) + " nu există în tabela " + table_->name() + ".");
  if (mode_ != Mode::Browse && row == pos_) return dbf::decode(layout.fields[column], bufferField(buffer_, layout, column));
  if (row >= rows_.size()) return Value();
  return table_->get(rows_[row], static_cast<int>(column));
}

// Rows follow the table: when records were only appended the list grows by the
// new ones (bulk appends stay linear); after deletions, reloads or (with a filter)
// changed values it is rebuilt, keeping the current record when it is still there.
void TableCursor::sync() const {
  const auto& s = table_->state();
  const bool stale = s.rowsVersion != rowsVersion_ || (filter_ && s.contentVersion != contentVersion_);
  if (!stale) return;
  auto& self = const_cast<TableCursor&>(*this);
  if (s.reshapeVersion == reshapeVersion_ && (!filter_ || s.editVersion == editVersion_)) {
    self.scanFrom(scanned_);
    self.noteVersions();
    return;
  }
  const bool had = pos_ < rows_.size();
  const std::uint32_t rec = had ? rows_[pos_] : 0;
  self.rebuild();
  if (had) self.positionOn(rec);
}

void TableCursor::rebuild() {
  if (filter_ && table_->state().reshapeVersion != reshapeVersion_) filter_.emplace(filterText_, *table_);  // layout may have changed
  rows_.clear();
  scanFrom(0);
  noteVersions();
  if (pos_ >= rows_.size()) pos_ = rows_.empty() ? 0 : rows_.size() - 1;
  if (rows_.empty()) eof_ = bof_ = true;
}

void TableCursor::scanFrom(std::uint32_t first) {
  const std::uint32_t n = table_->recordCount();
  for (std::uint32_t rec = first; rec < n; ++rec)
    if (!table_->isDeleted(rec) && (!filter_ || filter_->matches(*table_, rec))) rows_.push_back(rec);
  scanned_ = n;
}

void TableCursor::noteVersions() {
  const auto& s = table_->state();
  rowsVersion_ = s.rowsVersion;
  contentVersion_ = s.contentVersion;
  reshapeVersion_ = s.reshapeVersion;
  editVersion_ = s.editVersion;
}

void TableCursor::positionOn(std::uint32_t rec) {
  const auto it = std::lower_bound(rows_.begin(), rows_.end(), rec);
  const std::size_t index = static_cast<std::size_t>(it - rows_.begin());
  if (rows_.empty()) {
    pos_ = 0;
    eof_ = bof_ = true;
  } else {
    pos_ = std::min(index, rows_.size() - 1);
    eof_ = bof_ = false;
  }
}

std::uint32_t TableCursor::currentRecord() const {
  sync();
  if (pos_ >= rows_.size()) throw Error("Tabela " + table_->name() + " nu are o înregistrare curentă.");
  return rows_[pos_];
}

void TableCursor::setFilter(std::string_view filter) {
  cancel();
  const std::string text(filter);
  const bool blank = text.find_first_not_of(" \t") == std::string::npos;
  std::optional<RecordFilter> parsed;
  if (!blank) parsed.emplace(text, *table_);
  filter_ = std::move(parsed);
  filterText_ = blank ? std::string() : text;
  rebuild();
  resetPosition();
}

Cursor::Bookmark TableCursor::bookmark() const { return currentRecord(); }

bool TableCursor::gotoBookmark(Bookmark b) {
  sync();
  const auto it = std::lower_bound(rows_.begin(), rows_.end(), b);
  if (it == rows_.end() || *it != b) return false;
  moveTo(static_cast<std::size_t>(it - rows_.begin()));
  return true;
}

template <class Work>
void TableCursor::asStatement(Work&& work) {
  catalog_.beginStatement(true);
  try {
    table_ = catalog_.open(pathText_);  // sees what other programs wrote meanwhile
    work();
  } catch (...) {
    catalog_.abortStatement();
    throw;
  }
  catalog_.endStatement();
}

void TableCursor::append() {
  post();
  const auto& layout = table_->state().layout;
  buffer_.assign(layout.recordLength, ' ');
  mode_ = Mode::Append;
  sync();
  pos_ = rows_.size();
  eof_ = bof_ = false;
}

void TableCursor::edit() {
  if (mode_ != Mode::Browse) return;
  editRec_ = currentRecord();
  const auto& s = table_->state();
  buffer_.assign(s.record(editRec_), s.layout.recordLength);
  mode_ = Mode::Edit;
}

void TableCursor::setField(std::string_view name, const Value& v) {
  if (mode_ == Mode::Browse)
    throw Error("Tabela " + table_->name() + " nu este în modul de adăugare sau modificare.");
  const int index = table_->fieldIndex(name);
  if (index < 0) throw Error("Câmpul " + std::string(name) + " nu există în tabela " + table_->name() + ".");
  const auto& layout = table_->state().layout;
  const auto f = static_cast<std::size_t>(index);
  std::string bytes(static_cast<std::size_t>(layout.fields[f].length), ' ');
  dbf::encode(table_->name(), layout.fields[f], v, bytes.data());
  std::copy(bytes.begin(), bytes.end(), buffer_.begin() + 1 + layout.offsets[f]);
}

void TableCursor::post() {
  if (mode_ == Mode::Browse) return;
  std::uint32_t rec = 0;
  const bool inSync = table_->state().reshapeVersion == reshapeVersion_ && table_->state().editVersion == editVersion_;
  asStatement([&] {
    const auto& layout = table_->state().layout;
    if (buffer_.size() != layout.recordLength)
      throw Error("Structura tabelei " + table_->name() + " s-a schimbat; modificarea nu a fost salvată.");
    if (mode_ == Mode::Append) {
      std::vector<Value> values;
      for (std::size_t f = 0; f < layout.fields.size(); ++f)
        values.push_back(dbf::decode(layout.fields[f], bufferField(buffer_, layout, f)));
      rec = table_->appendRecord(values);
    } else {
      rec = editRec_;
      const TableState& s = table_->state();
      for (std::size_t f = 0; f < layout.fields.size(); ++f) {
        const std::string_view now(s.record(rec) + 1 + layout.offsets[f], static_cast<std::size_t>(layout.fields[f].length));
        const std::string_view wanted = bufferField(buffer_, layout, f);
        if (now != wanted) table_->set(rec, static_cast<int>(f), dbf::decode(layout.fields[f], wanted));
      }
    }
  });
  const bool edited = mode_ == Mode::Edit;
  mode_ = Mode::Browse;
  buffer_.clear();
  if (edited && filter_ && inSync && table_->state().reshapeVersion == reshapeVersion_) {
    // Only this record's values changed: it stays in the list or leaves it.
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), rec);
    if (it != rows_.end() && *it == rec && !filter_->matches(*table_, rec)) rows_.erase(it);
    scanFrom(scanned_);
    noteVersions();
  }
  sync();
  positionOn(rec);
}

void TableCursor::cancel() {
  if (mode_ == Mode::Browse) return;
  mode_ = Mode::Browse;
  buffer_.clear();
  sync();
  if (pos_ >= rows_.size()) {
    pos_ = rows_.empty() ? 0 : rows_.size() - 1;
    eof_ = bof_ = rows_.empty();
  }
}

void TableCursor::remove() {
  cancel();
  const std::uint32_t rec = currentRecord();
  asStatement([&] { table_->markDeleted(rec); });
  sync();
  positionOn(rec);
}

void TableCursor::refresh() {
  cancel();
  const bool had = pos_ < rows_.size();
  const std::uint32_t rec = had ? rows_[pos_] : 0;
  table_ = catalog_.open(pathText_);
  rowsVersion_ = reshapeVersion_ = 0;
  sync();
  if (had) positionOn(rec);
}

}  // namespace engine
