// The table cache and the unit of work.
//
// Changes stay in memory until the unit ends (a statement outside a transaction,
// or commit): then the journal takes the before-images from disk, and the changed
// records, appended records and headers are written. A failed statement outside a
// transaction, or a rollback, re-reads the touched tables from disk (which still
// hold the state before the unit). Inside a transaction, a failed statement is
// undone from in-memory before-images of the records it touched.
#include "store/engine/catalog/catalog_impl.h"

#include "store/engine/catalog/paths.h"
#include "store/engine/storage/journal_io.h"
#include "store/engine/storage/memory_advice.h"

#include <algorithm>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {
namespace {

bool statFile(const std::string& path, FileStamp& out) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  out.device = st.st_dev;
  out.inode = st.st_ino;
  out.size = static_cast<std::uint64_t>(st.st_size);
  out.mtimeNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  out.ctimeNs = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
  return true;
}

std::uint64_t diskCounter(int fd) {
  char bytes[8];
  if (fd < 0 || ::pread(fd, bytes, sizeof bytes, dbf::kCounterOffset) != sizeof bytes) return 0;
  std::string header(dbf::kCounterOffset, '\0');
  header.append(bytes, sizeof bytes);
  return dbf::changeCounter(header);
}

// A table's image: its size now plus room for appends, since growing past the
// capacity copies all of it (the untouched spare pages cost no memory). Huge
// pages: first-touch page faults dominated loading a big table, up to twenty
// times the cost of the read itself.
void reserveImage(std::string& image, std::uint64_t size) {
  image.reserve(size + size / 4);
  memory::preferHugePages(image.data(), image.capacity());
}

// The header's counters after one more write (see TableState::counter).
std::uint64_t nextCounter(std::uint64_t counter, bool changedExisting) {
  const std::uint64_t writes = (counter + 1) & 0xFFFFFFFFULL;
  const std::uint64_t rewrites = ((counter >> 32) + (changedExisting ? 1 : 0)) & 0xFFFFFFFFULL;
  return rewrites << 32 | writes;
}

std::string indexFile(const std::string& tablePath) { return paths::sibling(tablePath, ".dji"); }

std::vector<std::string> readDeclaredIndexes(const std::string& tablePath) {
  std::vector<std::string> names;
  std::string text;
  if (!io::readFile(indexFile(tablePath), text)) return names;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace

// ---- loading and validation -------------------------------------------------

Catalog::Impl::Impl(std::string dir, bool scratchMode)
    : directory(std::move(dir)),
      scratch(scratchMode),
      lock(directory),
      journal(paths::canonical(directory)),
      kept(paths::canonical(directory), Journal::kKeptFileName) {
  if (!scratch && (journal.pending() || kept.pending())) {
    lock.lock(DirectoryLock::Mode::Exclusive);
    try {
      recoverJournal(true);
    } catch (...) {
      lock.unlock();
      throw;
    }
    lock.unlock();
  }
}

void Catalog::Impl::readInto(TableState& s) {
  FileStamp stamp;
  std::string image;
  const bool found = statFile(s.path, stamp);
  if (found) reserveImage(image, stamp.size);
  if (!found || !io::readFile(s.path, image))
    throw Error("Tabela " + s.name + " nu poate fi citită (" + s.path + ").");
  dbf::Parsed parsed = dbf::parse(s.name, image);
  image.resize(parsed.layout.headerLength + std::size_t(parsed.count) * parsed.layout.recordLength);
  if (!s.fileLock.attached() || stamp.inode != s.stamp.inode || stamp.device != s.stamp.device)
    s.fileLock.attach(s.path, s.name);
  s.diskHeader = image.substr(0, parsed.layout.headerLength);
  s.counter = dbf::changeCounter(s.diskHeader);
  s.image = std::move(image);
  s.layout = std::move(parsed.layout);
  s.count = s.diskCount = parsed.count;
  s.damage = std::move(parsed.damage);
  s.stamp = stamp;
  s.indexes.clear();
  s.clearChanges();
  s.dropped = false;
  s.declared = readDeclaredIndexes(s.path);
  ++s.rowsVersion;
  ++s.contentVersion;
  ++s.reshapeVersion;
}

std::shared_ptr<Table> Catalog::Impl::load(const std::string& path) {
  auto state = std::make_unique<TableState>();
  state->observer = this;
  state->path = path;
  state->name = paths::fileName(path);
  readInto(*state);
  auto table = std::make_shared<Table>(std::move(state));
  table->state().self = table;
  tables[path] = table;
  return table;
}

void Catalog::Impl::validate(Table& table) {
  TableState& s = table.state();
  if (s.created || s.hasChanges() || s.validatedIn == serial) return;
  FileStamp now;
  if (!statFile(s.path, now)) {
    tables.erase(s.path);
    throw Error("Tabela " + s.name + " nu mai există (" + s.path + ").");
  }
  const std::uint64_t counter = diskCounter(s.fileLock.fd());
  if (!(now == s.stamp) || counter != s.counter) {
    const bool onlyAppended = counter != s.counter && (counter >> 32) == (s.counter >> 32) &&
                              now.device == s.stamp.device && now.inode == s.stamp.inode && now.size >= s.stamp.size;
    if (!onlyAppended || !readAppended(s, now)) readInto(s);
  }
  s.validatedIn = serial;
}

// Another program only added rows: read the header and the new records, not the
// whole file again. false when the file says otherwise (then it is re-read).
bool Catalog::Impl::readAppended(TableState& s, const FileStamp& now) {
  const int fd = s.fileLock.fd();
  std::string header(s.layout.headerLength, '\0');
  if (fd < 0 || ::pread(fd, header.data(), header.size(), 0) != static_cast<ssize_t>(header.size())) return false;
  // Same header and record lengths, same field descriptors: the same layout.
  if (header.compare(8, 4, s.diskHeader, 8, 4) != 0 ||
      header.compare(dbf::kPrefixSize, std::string::npos, s.diskHeader, dbf::kPrefixSize, std::string::npos) != 0)
    return false;
  const std::uint32_t declared = static_cast<std::uint32_t>(static_cast<unsigned char>(header[4]) |
                                                             static_cast<unsigned char>(header[5]) << 8 |
                                                             static_cast<unsigned char>(header[6]) << 16 |
                                                             static_cast<std::uint32_t>(static_cast<unsigned char>(header[7])) << 24);
  const std::uint64_t available = (now.size - s.layout.headerLength) / s.layout.recordLength;
  if (declared < s.diskCount || declared > available) return false;
  const std::size_t from = s.layout.headerLength + std::size_t(s.diskCount) * s.layout.recordLength;
  std::string added(std::size_t(declared - s.diskCount) * s.layout.recordLength, '\0');
  if (!added.empty() && ::pread(fd, added.data(), added.size(), static_cast<off_t>(from)) != static_cast<ssize_t>(added.size()))
    return false;
  s.image.replace(0, header.size(), header);
  s.image.append(added);
  const std::uint32_t before = s.diskCount;
  s.count = s.diskCount = declared;
  s.diskHeader = header;
  s.counter = dbf::changeCounter(header);
  s.stamp = now;
  for (std::uint32_t rec = before; rec < declared; ++rec) s.indexRecord(rec);
  ++s.rowsVersion;
  ++s.contentVersion;
  return true;
}

std::string Catalog::Impl::resolveCached(std::string_view text) {
  const std::string key(text);
  const auto it = resolvedPaths.find(key);
  if (it != resolvedPaths.end() && (tables.count(it->second) || paths::isFile(it->second))) return it->second;
  std::string path = paths::resolve(directory, text);
  if (paths::isFile(path)) resolvedPaths[key] = path;
  return path;
}

std::shared_ptr<Table> Catalog::Impl::find(std::string_view text) {
  const std::string path = resolveCached(text);
  if (const auto failed = unrecovered.find(path); failed != unrecovered.end())
    throw Error("Tabela " + paths::fileName(path) + " nu a putut fi adusă înapoi la starea de dinaintea unei scrieri "
                "întrerupte (" + failed->second.reason + "). Până atunci nu se folosește; copia ei rămâne în " +
                Journal::kKeptFileName + ", iar celelalte tabele se pot folosi.");
  auto it = tables.find(path);
  if (it == tables.end())  // created in this unit, not on disk yet: match without regard to case
    it = std::find_if(tables.begin(), tables.end(),
                      [&](const auto& entry) { return strcasecmp(entry.first.c_str(), path.c_str()) == 0; });
  if (it != tables.end()) {
    validate(*it->second);
    return it->second;
  }
  if (!paths::isFile(path)) throw Error("Tabela „" + std::string(text) + "” nu există (" + path + ").");
  auto table = load(path);
  table->state().validatedIn = serial;
  return table;
}

// ---- unit of work -------------------------------------------------------------

// What is at a path now (kind, identity, size, times), to notice that an
// obstacle to putting a table back has gone.
std::string pathLook(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return "-";
  return std::to_string(st.st_mode) + ":" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" +
         std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

// Puts a leftover journal back; what cannot be put back yet waits in `kept`, and
// its tables are refused while every other table is served.
void Catalog::Impl::recoverJournal(bool retryKept) {
  if (retryKept) {
    unrecovered.clear();
    keptTried = std::chrono::steady_clock::now();
    for (const RecoveryFailure& f : kept.recover()) unrecovered[f.path] = {f.reason, pathLook(f.path)};
  }
  for (const RecoveryFailure& f : journal.recover(&kept)) unrecovered[f.path] = {f.reason, pathLook(f.path)};
}

// Trying the kept before-images again takes the directory exclusively: done when
// this catalog has not tried yet, when a path that stood in the way changed, and
// otherwise every half minute.
bool Catalog::Impl::keptWorthRetrying() const {
  if (unrecovered.empty() || std::chrono::steady_clock::now() - keptTried > std::chrono::seconds(30)) return true;
  for (const auto& [path, failure] : unrecovered)
    if (pathLook(path) != failure.seen) return true;
  return false;
}

void Catalog::Impl::lockFor(bool writes) {
  if (scratch) return;
  lock.lock(writes ? DirectoryLock::Mode::Exclusive : DirectoryLock::Mode::Shared);
  const bool keptPending = kept.pending();
  if (!keptPending) unrecovered.clear();
  const bool retryKept = keptPending && keptWorthRetrying();
  if (!journal.pending() && !retryKept) return;
  // A writer died mid-flush: put its before-images back before anybody reads.
  try {
    if (!writes) {
      lock.unlock();
      lock.lock(DirectoryLock::Mode::Exclusive);
    }
    recoverJournal(retryKept);
  } catch (...) {
    lock.unlock();
    throw;
  }
}

void Catalog::Impl::requireWriting(const Table& table) const {
  if (!transaction && !(statementDepth > 0 && statementWrites))
    throw Error("Tabela " + table.name() + " se poate schimba numai într-o instrucțiune de scriere.");
}

void Catalog::Impl::touch(Table& table) {
  auto self = table.state().self.lock();
  if (std::find(touched.begin(), touched.end(), self) == touched.end()) touched.push_back(self);
}

void Catalog::Impl::beforeRecordChange(Table& table, std::uint32_t rec) {
  requireWriting(table);
  touch(table);
  if (!transaction || table.state().created) return;
  if (!notedRecords[&table].insert(rec).second) return;
  const TableState& s = table.state();
  undo.push_back({table.state().self.lock(), false, rec, std::string(s.record(rec), s.layout.recordLength)});
}

void Catalog::Impl::beforeAppend(Table& table) {
  requireWriting(table);
  touch(table);
  if (!transaction || table.state().created) return;
  if (!notedAppends.insert(&table).second) return;
  undo.push_back({table.state().self.lock(), true, table.recordCount(), {}});
}

void Catalog::Impl::undoStatement() {
  for (auto it = undo.rbegin(); it != undo.rend(); ++it) {
    TableState& s = it->table->state();
    if (it->append) {
      s.count = it->rec;
      s.image.resize(s.layout.headerLength + std::size_t(s.count) * s.layout.recordLength);
    } else {
      std::copy(it->bytes.begin(), it->bytes.end(), s.record(it->rec));
    }
    s.indexes.clear();
    ++s.rowsVersion;
    ++s.contentVersion;
    ++s.reshapeVersion;
  }
  forgetStatement();
}

void Catalog::Impl::forgetStatement() {
  undo.clear();
  notedRecords.clear();
  notedAppends.clear();
}

void Catalog::Impl::discardChanges() {
  for (auto& table : touched) {
    TableState& s = table->state();
    if (s.created) {
      if (tables.count(s.path) && tables[s.path] == table) tables.erase(s.path);
      continue;
    }
    tables[s.path] = table;  // a dropped table comes back
    try {
      readInto(s);
    } catch (const Error&) {
      tables.erase(s.path);  // gone or damaged meanwhile: the next open reports it
    }
  }
  touched.clear();
  forgetStatement();
}

JournalEntry Catalog::Impl::beforeImage(TableState& s) {
  JournalEntry e;
  e.path = s.path;
  if (s.created) {
    paths::requireFreeForTable(s.path, s.name);
    e.kind = JournalEntry::Kind::Absent;
    return e;
  }
  const std::size_t dataEnd = s.diskHeader.size() + std::size_t(s.diskCount) * s.layout.recordLength;
  FileStamp now;
  if (!statFile(s.path, now)) throw Error("Tabela " + s.name + " nu poate fi citită (" + s.path + ").");
  e.originalSize = now.size;
  const bool manyRecords = s.dirtyList.size() * s.layout.recordLength > now.size / 4;
  if (s.rewrite || s.dropped || manyRecords || s.diskHeader.size() != s.layout.headerLength) {
    e.kind = JournalEntry::Kind::Whole;
    e.fromDisk = true;  // copied into the journal as it is written
    return e;
  }
  e.kind = JournalEntry::Kind::Patch;
  const int fd = s.fileLock.fd();
  auto readChunk = [&](std::uint64_t offset, std::size_t length) {
    std::string bytes(length, '\0');
    const ssize_t n = ::pread(fd, bytes.data(), length, static_cast<off_t>(offset));
    if (n < 0) throw Error("Tabela " + s.name + " nu poate fi citită (" + s.path + ").");
    bytes.resize(static_cast<std::size_t>(n));
    e.chunks.emplace_back(offset, std::move(bytes));
  };
  readChunk(0, dbf::kPrefixSize);
  for (std::uint32_t rec : s.dirtyList)
    readChunk(s.layout.headerLength + std::uint64_t(rec) * s.layout.recordLength, s.layout.recordLength);
  if (now.size > dataEnd) readChunk(dataEnd, now.size - dataEnd);
  return e;
}

void Catalog::Impl::apply(TableState& s, std::vector<std::string>* unsynced) {
  const std::string folder = s.path.substr(0, s.path.rfind('/'));
  if (s.dropped) {
    io::removeFile(s.path);
    const std::string side = indexFile(s.path);
    if (paths::isFile(side)) io::removeFile(side);
    if (!scratch) io::syncDirectory(folder);
    return;
  }
  dbf::stamp(s.image, s.count, nextCounter(s.counter, !s.dirtyList.empty() || s.rewrite));
  const std::size_t recordsEnd = s.layout.headerLength + std::size_t(s.count) * s.layout.recordLength;
  const std::string marker(1, dbf::kEndOfFile);
  const bool whole = s.created || s.rewrite || s.diskHeader.size() != s.layout.headerLength;
  const int fd = io::openForWrite(s.path, s.created, whole);
  try {
    if (whole) {
      io::writeAt(fd, 0, std::string_view(s.image.data(), recordsEnd), s.path);
      io::writeAt(fd, recordsEnd, marker, s.path);
    } else {
      std::sort(s.dirtyList.begin(), s.dirtyList.end());
      for (std::uint32_t rec : s.dirtyList)
        io::writeAt(fd, s.layout.headerLength + std::uint64_t(rec) * s.layout.recordLength,
                    std::string_view(s.record(rec), s.layout.recordLength), s.path);
      const std::size_t oldEnd = s.layout.headerLength + std::size_t(s.diskCount) * s.layout.recordLength;
      if (s.count > s.diskCount)
        io::writeAt(fd, oldEnd, std::string_view(s.image.data() + oldEnd, recordsEnd - oldEnd), s.path);
      io::writeAt(fd, recordsEnd, marker, s.path);
      io::writeAt(fd, 0, std::string_view(s.image.data(), dbf::kPrefixSize), s.path);
    }
    io::truncateTo(fd, recordsEnd + 1, s.path);
    if (unsynced) unsynced->push_back(s.path);
    else if (!scratch) io::syncFile(fd, s.path);
  } catch (...) {
    io::closeFile(fd);
    throw;
  }
  io::closeFile(fd);
  if (s.created && !scratch) io::syncDirectory(folder);
}

// Rows added to one table: the records go first, the header with the new count
// last. The journal notes the old header and size, so an append cut short is
// undone from it; a count that disagrees with the file is otherwise damage.
bool Catalog::Impl::appendsOnly(const TableState& s) {
  return !s.created && !s.rewrite && !s.dropped && s.dirtyList.empty() && s.count > s.diskCount &&
         s.diskHeader.size() == s.layout.headerLength;
}

void Catalog::Impl::appendInPlace(TableState& s) {
  FileStamp now;
  if (!statFile(s.path, now)) throw Error("Tabela " + s.name + " nu poate fi citită (" + s.path + ").");
  JournalEntry e;
  e.kind = JournalEntry::Kind::Append;
  e.path = s.path;
  e.originalSize = now.size;
  e.appendedCount = s.count;
  e.chunks.emplace_back(0, s.diskHeader.substr(0, dbf::kPrefixSize));
  const std::size_t oldEnd = s.layout.headerLength + std::size_t(s.diskCount) * s.layout.recordLength;
  // The end marker (and whatever followed the records) is overwritten too.
  std::string tail(now.size > oldEnd ? now.size - oldEnd : 0, '\0');
  if (!tail.empty() && ::pread(s.fileLock.fd(), tail.data(), tail.size(), static_cast<off_t>(oldEnd)) !=
                           static_cast<ssize_t>(tail.size()))
    throw Error("Tabela " + s.name + " nu poate fi citită (" + s.path + ").");
  e.chunks.emplace_back(oldEnd, std::move(tail));
  journal.write({e});
  dbf::stamp(s.image, s.count, nextCounter(s.counter, false));
  const std::size_t recordsEnd = s.layout.headerLength + std::size_t(s.count) * s.layout.recordLength;
  const int fd = io::openForWrite(s.path, false, false);
  try {
    io::writeAt(fd, oldEnd, std::string_view(s.image.data() + oldEnd, recordsEnd - oldEnd), s.path);
    io::writeAt(fd, recordsEnd, std::string_view(&dbf::kEndOfFile, 1), s.path);
    io::truncateTo(fd, recordsEnd + 1, s.path);
    io::syncFile(fd, s.path);
    io::writeAt(fd, 0, std::string_view(s.image.data(), dbf::kPrefixSize), s.path);
    io::syncFile(fd, s.path);
  } catch (...) {
    io::closeFile(fd);
    throw;
  }
  io::closeFile(fd);
  journal.clear(false);
}

void Catalog::Impl::flush() {
  std::vector<std::shared_ptr<Table>> changed;
  for (auto& table : touched) {
    const TableState& s = table->state();
    if ((s.created && s.dropped) || !(s.hasChanges() || s.dropped)) continue;
    changed.push_back(table);
  }
  if (changed.empty()) {
    touched.clear();
    forgetStatement();
    return;
  }
  try {
    if (scratch) {
      for (auto& table : changed) apply(table->state());
    } else if (changed.size() == 1 && appendsOnly(changed.front()->state())) {
      appendInPlace(changed.front()->state());
    } else {
      std::vector<JournalEntry> entries;
      for (auto& table : changed) entries.push_back(beforeImage(table->state()));
      journal.write(entries);
      std::vector<std::string> unsynced;
      for (auto& table : changed) apply(table->state(), &unsynced);
      io::syncFiles(unsynced);
      journal.clear();
    }
  } catch (...) {
    // Put every table back as it was; the caller re-reads them.
    try {
      if (!scratch) recoverJournal(false);
    } catch (...) {
    }
    throw;
  }
  for (auto& table : changed) {
    TableState& s = table->state();
    if (s.dropped) continue;
    const bool wasCreated = s.created;
    s.clearChanges();
    s.diskCount = s.count;
    s.diskHeader = s.image.substr(0, s.layout.headerLength);
    s.counter = dbf::changeCounter(s.diskHeader);
    statFile(s.path, s.stamp);
    if (wasCreated) s.fileLock.attach(s.path, s.name);
  }
  touched.clear();
  forgetStatement();
}

void Catalog::Impl::beginStatement(bool writes) {
  if (statementDepth++ > 0) {
    if (writes && !statementWrites && !transaction)
      throw Error("O instrucțiune de scriere nu poate începe în timpul unei citiri.");
    return;
  }
  ++serial;
  statementWrites = writes;
  if (!transaction) {
    try {
      lockFor(writes);
    } catch (...) {
      statementDepth = 0;
      throw;
    }
  }
}

void Catalog::Impl::endStatement() {
  if (statementDepth == 0 || --statementDepth > 0) return;
  if (transaction) {
    forgetStatement();
    return;
  }
  try {
    if (statementWrites) flush();
  } catch (...) {
    discardChanges();
    lock.unlock();
    throw;
  }
  lock.unlock();
}

void Catalog::Impl::abortStatement() {
  if (statementDepth == 0) return;
  statementDepth = 0;
  if (transaction) {
    undoStatement();
    return;
  }
  discardChanges();
  lock.unlock();
}

void Catalog::Impl::requireNoTransaction(const std::string& table) const {
  if (transaction)
    throw Error("Structura tabelei " + table + " nu se poate schimba în timpul unei tranzacții.");
}

// ---- Catalog -------------------------------------------------------------------

Catalog::Catalog(std::string directory, bool scratch)
    : impl_(std::make_unique<Impl>(std::move(directory), scratch)) {}
Catalog::~Catalog() = default;

const std::string& Catalog::directory() const { return impl_->directory; }
std::string Catalog::resolve(std::string_view pathText) const { return paths::resolve(impl_->directory, pathText); }
bool Catalog::exists(std::string_view pathText) const { return paths::isFile(resolve(pathText)); }

std::shared_ptr<Table> Catalog::open(std::string_view pathText) {
  if (impl_->statementDepth > 0 || impl_->transaction) return impl_->find(pathText);
  // Outside a statement (a cursor moving): read under the shared lock.
  beginStatement(false);
  try {
    auto table = impl_->find(pathText);
    endStatement();
    return table;
  } catch (...) {
    abortStatement();
    throw;
  }
}

void Catalog::beginStatement(bool writes) { impl_->beginStatement(writes); }
void Catalog::endStatement() { impl_->endStatement(); }
void Catalog::abortStatement() { impl_->abortStatement(); }

void Catalog::begin() {
  if (impl_->transaction) throw Error("O tranzacție este deja deschisă.");
  if (impl_->statementDepth > 0) throw Error("O tranzacție nu poate începe în timpul unei instrucțiuni.");
  impl_->lockFor(true);
  impl_->transaction = true;
}

void Catalog::commit() {
  if (!impl_->transaction) throw Error("Nu există o tranzacție deschisă.");
  impl_->statementDepth = 0;
  try {
    impl_->flush();
  } catch (...) {
    impl_->discardChanges();
    impl_->transaction = false;
    impl_->lock.unlock();
    throw;
  }
  impl_->transaction = false;
  impl_->lock.unlock();
}

void Catalog::rollback() {
  if (!impl_->transaction) return;
  impl_->statementDepth = 0;
  impl_->discardChanges();
  impl_->transaction = false;
  impl_->lock.unlock();
}

bool Catalog::inTransaction() const { return impl_->transaction; }

void Catalog::acquireExclusive(Table& table) { table.state().fileLock.acquireExclusive(table.name()); }
void Catalog::releaseExclusive(Table& table) { table.state().fileLock.releaseExclusive(); }

}  // namespace engine
