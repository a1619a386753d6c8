// The workbook's shared string table. Entries read from the file keep their exact
// XML, so texts with formatted runs (bold words inside a heading) survive; new
// texts are added once each.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sheet {

class SharedStrings {
 public:
  // Throws sheet::Error on malformed XML; `part` names it in the message.
  void load(std::string_view xml, const std::string& part);

  std::size_t size() const { return entries_.size(); }
  // The entry's plain text (runs joined); empty for an index out of range.
  const std::string& text(std::size_t index) const;
  bool isRich(std::size_t index) const { return index < entries_.size() && !entries_[index].xml.empty(); }

  // The index of a plain entry with this text, added when missing.
  std::size_t intern(std::string_view text);

  std::string xml() const;

 private:
  struct Entry {
    std::string text;
    std::string xml;  // the original <si> for a rich entry; empty for plain text
  };
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> plainIndex_;
};

}  // namespace sheet
