// The zip container of an XLSX file, held in memory: parts by name, in the order
// they were found (the content-types part stays first, as readers expect).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sheet {

class ZipPackage {
 public:
  // Throws sheet::Error naming the file when it is missing or not a zip archive.
  static ZipPackage read(const std::string& path);

  bool has(std::string_view name) const;
  // The part's bytes; throws sheet::Error when the part is missing.
  const std::string& part(std::string_view name) const;
  void setPart(std::string_view name, std::string bytes);
  void removePart(std::string_view name);

  // Writes the archive; the file is replaced only once it is complete.
  void write(const std::string& path) const;

 private:
  struct Entry {
    std::string name;
    std::string bytes;
  };
  const Entry* find(std::string_view name) const;

  std::string path_;
  std::vector<Entry> entries_;
};

}  // namespace sheet
