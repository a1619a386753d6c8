// A live cursor on one table: the records not marked deleted that pass the
// filter, in physical order. Writes run as statements of the catalog (journaled,
// under the directory lock, inside the open transaction when there is one).
#pragma once

#include "store/engine/database.h"
#include "store/engine/sql/record_filter.h"
#include "store/engine/storage/table.h"

#include <memory>
#include <optional>
#include <string>

namespace engine {

class TableCursor : public Cursor {
 public:
  TableCursor(Catalog& catalog, std::string pathText, bool exclusive);
  ~TableCursor() override;

  std::size_t columnCount() const override;
  const std::string& columnName(std::size_t column) const override;
  int columnIndex(std::string_view name) const override;
  std::size_t rowCount() const override;
  Value value(std::size_t row, std::size_t column) const override;

  void setFilter(std::string_view filter) override;
  Bookmark bookmark() const override;
  bool gotoBookmark(Bookmark b) override;

  void append() override;
  void edit() override;
  void setField(std::string_view name, const Value& v) override;
  void post() override;
  void cancel() override;
  void remove() override;
  void refresh() override;

 private:
  enum class Mode { Browse, Append, Edit };
  void sync() const;
  void rebuild();
  void scanFrom(std::uint32_t first);
  void noteVersions();
  void positionOn(std::uint32_t rec);
  std::uint32_t currentRecord() const;
  template <class Work>
  void asStatement(Work&& work);

  Catalog& catalog_;
  std::string pathText_;
  std::shared_ptr<Table> table_;
  bool exclusive_ = false;
  std::optional<RecordFilter> filter_;
  std::string filterText_;
  std::vector<std::uint32_t> rows_;
  std::uint64_t rowsVersion_ = 0, contentVersion_ = 0, reshapeVersion_ = 0, editVersion_ = 0;
  std::uint32_t scanned_ = 0;  // records already considered for rows_
  Mode mode_ = Mode::Browse;
  std::string buffer_;  // record bytes being edited or appended
  std::uint32_t editRec_ = 0;
};

}  // namespace engine
