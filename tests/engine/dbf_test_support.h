// Helpers for storage tests: raw file bytes and hand-made dBase files.
#pragma once

#include "store/engine/database.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace storagetest {

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::uint32_t le(const std::string& bytes, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

// A dBase file as another program might write it: fields, records given as the
// raw field texts (without the deletion flag), an optional language driver byte.
inline std::string handMadeDbf(const std::vector<engine::FieldDesc>& fields, const std::vector<std::string>& records,
                               unsigned char languageDriver = 0, unsigned char version = 0x03) {
  const std::size_t headerLength = 32 + 32 * fields.size() + 1;
  std::size_t recordLength = 1;
  for (const auto& f : fields) recordLength += static_cast<std::size_t>(f.length);
  std::string out(headerLength, '\0');
  out[0] = static_cast<char>(version);
  out[1] = 114, out[2] = 3, out[3] = 1;
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<char>((records.size() >> (8 * i)) & 0xFF);
  out[8] = static_cast<char>(headerLength & 0xFF), out[9] = static_cast<char>(headerLength >> 8);
  out[10] = static_cast<char>(recordLength & 0xFF), out[11] = static_cast<char>(recordLength >> 8);
  out[29] = static_cast<char>(languageDriver);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t at = 32 + 32 * i;
    out.replace(at, fields[i].name.size(), fields[i].name);
    out[at + 11] = fields[i].type;
    out[at + 16] = static_cast<char>(fields[i].length);
    out[at + 17] = static_cast<char>(fields[i].decimals);
  }
  out[headerLength - 1] = 0x0D;
  for (const auto& r : records) out += " " + r;
  out += '\x1A';
  return out;
}

}  // namespace storagetest
