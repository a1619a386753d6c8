// The Database facade: statements run as units of the catalog (journaled, under
// the directory lock), cursors and maintenance go straight to it.
#include "store/engine/database.h"

#include "store/engine/catalog/structure.h"
#include "store/engine/catalog/paths.h"
#include "store/engine/cursor.h"
#include "store/engine/storage/table.h"

#include "store/engine/sql/executor.h"

namespace engine {

struct Database::Impl {
  Impl(std::string dir, bool scratch) : directory(std::move(dir)), catalog(directory, scratch) {}
  std::string directory;
  Catalog catalog;
};

namespace {

template <class Work>
auto asStatement(Catalog& catalog, bool writes, Work&& work) {
  catalog.beginStatement(writes);
  try {
    auto result = work();
    catalog.endStatement();
    return result;
  } catch (...) {
    catalog.abortStatement();
    throw;
  }
}

}  // namespace

Database::Database(std::string directory, Mode mode)
    : impl_(std::make_unique<Impl>(std::move(directory), mode == Mode::Scratch)) {}
Database::~Database() = default;

const std::string& Database::directory() const { return impl_->directory; }

std::int64_t Database::execute(std::string_view sql) {
  return asStatement(impl_->catalog, true, [&] { return executeStatement(impl_->catalog, sql); });
}

std::unique_ptr<ResultSet> Database::query(std::string_view sql) {
  return asStatement(impl_->catalog, false, [&] { return executeQuery(impl_->catalog, sql); });
}

bool Database::isQuery(std::string_view sql) { return isQueryText(sql); }

std::unique_ptr<Cursor> Database::openTable(std::string_view path, bool exclusive) {
  return std::make_unique<TableCursor>(impl_->catalog, std::string(path), exclusive);
}

bool Database::tableExists(std::string_view path) const { return impl_->catalog.exists(path); }
std::string Database::resolvePath(std::string_view path) const { return impl_->catalog.resolve(path); }

std::vector<FieldDesc> Database::fields(std::string_view path) { return impl_->catalog.open(path)->fields(); }

std::optional<FieldDesc> Database::fieldDesc(std::string_view path, std::string_view field) {
  const auto table = impl_->catalog.open(path);
  const int index = table->fieldIndex(field);
  if (index < 0) return std::nullopt;
  return table->fields()[static_cast<std::size_t>(index)];
}

void Database::changeField(std::string_view path, std::string_view field, const FieldDesc& desc) {
  impl_->catalog.changeField(path, field, desc);
}
void Database::pack(std::string_view path) { impl_->catalog.pack(path); }
void Database::addIndex(std::string_view path, std::string_view field) { impl_->catalog.addIndex(path, field); }

void Database::dropProductionIndex(const std::string& file) { dropProductionIndexOf(paths::resolve(".", file)); }

void Database::begin() { impl_->catalog.begin(); }
void Database::commit() { impl_->catalog.commit(); }
void Database::rollback() { impl_->catalog.rollback(); }
bool Database::inTransaction() const { return impl_->catalog.inTransaction(); }

}  // namespace engine
