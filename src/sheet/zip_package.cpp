#include "sheet/zip_package.h"

#include "sheet/sheet_error.h"

#include <zip.h>

#include <algorithm>
#include <memory>

namespace sheet {
namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

std::string libzipMessage(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string message = zip_error_strerror(&error);
  zip_error_fini(&error);
  return message;
}

}  // namespace

ZipPackage ZipPackage::read(const std::string& path) {
  int code = 0;
  Archive archive(zip_open(path.c_str(), ZIP_RDONLY, &code));
  if (!archive) {
    if (code == ZIP_ER_NOENT) throw Error("Fisierul " + path + " nu exista.");
    throw Error("Fisierul " + path + " nu este un registru de calcul XLSX (" + libzipMessage(code) + ").");
  }
  ZipPackage package;
  package.path_ = path;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
    Entry entry;
    entry.name = stat.name;
    if (!entry.name.empty() && entry.name.back() == '/') continue;
    entry.bytes.resize(static_cast<std::size_t>(stat.size));
    zip_file_t* file = zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0);
    const zip_int64_t got = file ? zip_fread(file, entry.bytes.data(), stat.size) : -1;
    if (file) zip_fclose(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size)
      throw Error("Fisierul " + path + " este deteriorat: nu pot citi " + entry.name + ".");
    package.entries_.push_back(std::move(entry));
  }
  return package;
}

const ZipPackage::Entry* ZipPackage::find(std::string_view name) const {
  for (const Entry& entry : entries_)
    if (entry.name == name) return &entry;
  return nullptr;
}

bool ZipPackage::has(std::string_view name) const { return find(name) != nullptr; }

const std::string& ZipPackage::part(std::string_view name) const {
  const Entry* entry = find(name);
  if (!entry) throw Error("Fisierul " + path_ + " este deteriorat: lipseste " + std::string(name) + ".");
  return entry->bytes;
}

void ZipPackage::setPart(std::string_view name, std::string bytes) {
  for (Entry& entry : entries_) {
    if (entry.name == name) {
      entry.bytes = std::move(bytes);
      return;
    }
  }
  entries_.push_back(Entry{std::string(name), std::move(bytes)});
}

void ZipPackage::removePart(std::string_view name) {
  std::erase_if(entries_, [&](const Entry& entry) { return entry.name == name; });
}

void ZipPackage::write(const std::string& path) const {
  int code = 0;
  Archive archive(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
  if (!archive) throw Error("Nu pot scrie fisierul " + path + " (" + libzipMessage(code) + ").");
  for (const Entry& entry : entries_) {
    zip_source_t* source = zip_source_buffer(archive.get(), entry.bytes.data(), entry.bytes.size(), 0);
    const zip_int64_t index =
        source ? zip_file_add(archive.get(), entry.name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
    if (index < 0) {
      if (source) zip_source_free(source);
      throw Error("Nu pot scrie fisierul " + path + " (" + zip_strerror(archive.get()) + ").");
    }
    // Sheet XML is repetitive: the fastest deflate level already shrinks it about
    // eightfold, at a fraction of the default level's time.
    zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
  }
  // libzip writes a temporary file and renames it over `path` only when complete.
  if (zip_close(archive.get()) != 0)
    throw Error("Nu pot scrie fisierul " + path + " (" + zip_strerror(archive.get()) + ").");
  archive.release();
}

}  // namespace sheet
