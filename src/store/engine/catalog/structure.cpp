// Structural changes: create, drop, restructure, pack, indexes. Each builds the new
// table in memory first (so a value that does not fit changes nothing) and is
// written as a whole file, journaled, when its statement ends.
#include "store/engine/catalog/catalog_impl.h"
#include "store/engine/catalog/structure.h"

#include "store/engine/catalog/paths.h"
#include "store/engine/storage/journal_io.h"

#include <cctype>
#include <fcntl.h>
#include <unistd.h>

namespace engine {
namespace {

struct Exclusive {
  Exclusive(Catalog& catalog, Table& table) : catalog_(catalog), table_(table) { catalog_.acquireExclusive(table_); }
  ~Exclusive() { catalog_.releaseExclusive(table_); }
  Exclusive(const Exclusive&) = delete;
  Exclusive& operator=(const Exclusive&) = delete;
  Catalog& catalog_;
  Table& table_;
};

void refuseDamaged(const TableState& s) {
  if (!s.damage.empty())
    throw Error("Tabela " + s.name + " este deteriorată (" + s.damage + "); nu se modifică.");
}

// The records of `s` under a new layout: field i of the new layout takes old field
// sources[i] (-1: blank). Values move by their decoded form when the descriptor
// changes, so a widened field keeps its text and a misfit is refused.
std::string convertRecords(const TableState& s, const dbf::Layout& to, const std::vector<int>& sources) {
  std::string image = dbf::buildHeader(to);
  image[dbf::kProductionIndexOffset] = s.image[dbf::kProductionIndexOffset];
  image.reserve(to.headerLength + std::size_t(s.count) * to.recordLength);
  std::string rec(to.recordLength, ' ');
  for (std::uint32_t r = 0; r < s.count; ++r) {
    const char* old = s.record(r);
    rec.assign(to.recordLength, ' ');
    rec[0] = old[0];
    for (std::size_t i = 0; i < to.fields.size(); ++i) {
      if (sources[i] < 0) continue;
      const auto src = static_cast<std::size_t>(sources[i]);
      const FieldDesc& a = s.layout.fields[src];
      const FieldDesc& b = to.fields[i];
      const std::string_view bytes(old + 1 + s.layout.offsets[src], static_cast<std::size_t>(a.length));
      char* target = rec.data() + 1 + to.offsets[i];
      if (a.type == b.type && a.length == b.length && a.decimals == b.decimals)
        std::copy(bytes.begin(), bytes.end(), target);
      else if (dbf::understood(a.type))
        dbf::encode(s.name, b, dbf::decode(a, bytes), target);
      else
        throw Error("Câmpul " + a.name + " al tabelei " + s.name + " are tipul „" + std::string(1, a.type) +
                    "”, pe care programul nu îl poate citi; nu se poate transforma.");
    }
    image += rec;
  }
  return image;
}

void restructure(TableState& s, const std::vector<FieldDesc>& fields, const std::vector<int>& sources) {
  refuseDamaged(s);
  dbf::Layout layout = dbf::makeLayout(s.name, fields);
  std::string image = convertRecords(s, layout, sources);
  s.replaceLayout(std::move(layout), std::move(image), s.count);
}

std::vector<int> identity(std::size_t n) {
  std::vector<int> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<int>(i);
  return v;
}

int requireField(const Table& table, std::string_view name) {
  const int index = table.fieldIndex(name);
  if (index < 0) throw Error("Câmpul " + std::string(name) + " nu există în tabela " + table.name() + ".");
  return index;
}

}  // namespace

void dropProductionIndexOf(const std::string& file) {
  const int fd = io::openRegular(file, O_WRONLY);
  if (fd < 0) return;  // a file that cannot be opened, or is no file, is left alone
  const char zero = 0;
  const bool written = ::pwrite(fd, &zero, 1, dbf::kProductionIndexOffset) == 1;
  ::close(fd);
  if (!written) return;
  const std::string mdx = paths::sibling(file, ".mdx");
  if (paths::isFile(mdx)) ::unlink(mdx.c_str());
}

void Catalog::create(std::string_view pathText, const std::vector<FieldDesc>& fields) {
  Impl& d = *impl_;
  const std::string path = resolve(pathText);
  const std::string name = paths::fileName(path);
  d.requireNoTransaction(name);
  d.asStatement([&] {
    // Before anything is journalled: a name the file system refuses, or a folder
    // or FIFO of that name, fails here and not half-way through the flush.
    paths::requireFreeForTable(path, name);
    // Cached but gone from the disk: another program removed it, so it may be made again.
    d.tables.erase(path);
    auto state = std::make_unique<TableState>();
    state->observer = &d;
    state->path = path;
    state->name = name;
    state->layout = dbf::makeLayout(name, fields);
    state->image = dbf::buildHeader(state->layout);
    state->created = true;
    auto table = std::make_shared<Table>(std::move(state));
    table->state().self = table;
    d.tables[path] = table;
    d.touch(*table);
  });
}

void Catalog::drop(std::string_view pathText) {
  Impl& d = *impl_;
  d.asStatement([&] {
    auto table = d.find(pathText);
    d.requireNoTransaction(table->name());
    d.touch(*table);
    table->state().dropped = true;
    d.tables.erase(table->path());
  });
}

void Catalog::addField(std::string_view pathText, const FieldDesc& field) {
  Impl& d = *impl_;
  d.asStatement([&] {
    auto table = d.find(pathText);
    d.requireNoTransaction(table->name());
    std::vector<FieldDesc> fields = table->fields();
    fields.push_back(field);
    std::vector<int> sources = identity(table->fields().size());
    sources.push_back(-1);
    restructure(table->state(), fields, sources);
    d.touch(*table);
  });
}

void Catalog::dropField(std::string_view pathText, std::string_view name) {
  Impl& d = *impl_;
  d.asStatement([&] {
    auto table = d.find(pathText);
    d.requireNoTransaction(table->name());
    const int gone = requireField(*table, name);
    std::vector<FieldDesc> fields;
    std::vector<int> sources;
    for (std::size_t i = 0; i < table->fields().size(); ++i)
      if (static_cast<int>(i) != gone) {
        fields.push_back(table->fields()[i]);
        sources.push_back(static_cast<int>(i));
      }
    restructure(table->state(), fields, sources);
    d.touch(*table);
  });
}

void Catalog::changeField(std::string_view pathText, std::string_view field, const FieldDesc& desc) {
  Impl& d = *impl_;
  d.asStatement([&] {
    auto table = d.find(pathText);
    d.requireNoTransaction(table->name());
    Exclusive use(*this, *table);
    const int index = requireField(*table, field);
    std::vector<FieldDesc> fields = table->fields();
    FieldDesc& f = fields[static_cast<std::size_t>(index)];
    if (!desc.name.empty()) f.name = desc.name;
    if (desc.type != 0) f.type = desc.type;
    if (desc.length != 0) f.length = desc.length;
    if (desc.decimals != 0) f.decimals = desc.decimals;
    restructure(table->state(), fields, identity(fields.size()));
    d.touch(*table);
  });
}

void Catalog::pack(std::string_view pathText) {
  Impl& d = *impl_;
  d.asStatement([&] {
    auto table = d.find(pathText);
    d.requireNoTransaction(table->name());
    Exclusive use(*this, *table);
    TableState& s = table->state();
    refuseDamaged(s);
    dropProductionIndexOf(s.path);
    // Nothing deleted and no index flag: rewriting the file would change nothing.
    bool anyDeleted = false;
    for (std::uint32_t r = 0; r < s.count && !anyDeleted; ++r) anyDeleted = s.record(r)[0] == '*';
    if (!anyDeleted && s.image[dbf::kProductionIndexOffset] == 0) return;
    std::string image = s.image.substr(0, s.layout.headerLength);
    image[dbf::kProductionIndexOffset] = 0;
    std::uint32_t live = 0;
    for (std::uint32_t r = 0; r < s.count; ++r)
      if (s.record(r)[0] != '*') {
        image.append(s.record(r), s.layout.recordLength);
        ++live;
      }
    s.replaceLayout(s.layout, std::move(image), live);
    d.touch(*table);
  });
}

void Catalog::addIndex(std::string_view pathText, std::string_view field) {
  Impl& d = *impl_;
  d.asStatement([&] {
    auto table = d.find(pathText);
    Exclusive use(*this, *table);
    const int index = requireField(*table, field);
    const std::string& name = table->fields()[static_cast<std::size_t>(index)].name;
    TableState& s = table->state();
    bool known = false;
    for (const auto& n : s.declared) known = known || n == name;
    if (!known) {
      s.declared.push_back(name);
      std::string text;
      for (const auto& n : s.declared) text += n + "\n";
      const std::string side = paths::sibling(s.path, ".dji");
      const int fd = io::openForWrite(side, true, true);
      try {
        io::writeAt(fd, 0, text, side);
      } catch (...) {
        io::closeFile(fd);
        throw;
      }
      io::closeFile(fd);
    }
    table->lookup(index, Value());  // builds the hash index now
  });
}

}  // namespace engine
