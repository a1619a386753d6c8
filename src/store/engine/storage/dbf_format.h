// The dBase III+/IV file layout: header, field descriptors, field encoding.
//
// File: 32-byte header (version, last update YYMMDD, record count, header length,
// record length; byte 28 production-index flag, byte 29 language driver), 32-byte
// field descriptors, 0x0D, then records of `recordLength` bytes, each starting with
// the deletion flag (' ' live, '*' deleted), and a final 0x1A.
// Bytes 16..23 (reserved for multi-user use in dBase IV) hold our change counter,
// so another process notices a rewrite even when size and time stay the same.
#pragma once

#include "store/engine/database.h"
#include "store/engine/value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine::dbf {

constexpr unsigned char kVersion = 0x03;
constexpr unsigned char kLanguageDriver = 0xC8;  // Windows-1250
constexpr char kTerminator = 0x0D;
constexpr char kEndOfFile = 0x1A;
constexpr std::size_t kPrefixSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kProductionIndexOffset = 28;
constexpr std::size_t kCounterOffset = 16;
constexpr int kMaxFieldLength = 254;

struct Layout {
  std::vector<FieldDesc> fields;
  std::vector<std::uint32_t> offsets;  // within a record, after the deletion flag
  std::uint32_t headerLength = 0;
  std::uint32_t recordLength = 0;
};

struct Parsed {
  Layout layout;
  std::uint32_t count = 0;  // records that are really in the file
  std::string damage;       // why the file was read only partly; "" when sound
};

// Reads the header of a whole-file image. Throws Error naming `table` when the file
// is not a readable dBase table.
Parsed parse(const std::string& table, std::string_view image);

// A layout for new fields; throws Error for bad names, types or widths.
Layout makeLayout(const std::string& table, const std::vector<FieldDesc>& fields);

// Header bytes for `layout` (count and date filled by stamp()).
std::string buildHeader(const Layout& layout);
// Writes record count, today's date and the change counter into a header.
void stamp(std::string& header, std::uint32_t count, std::uint64_t counter);
std::uint64_t changeCounter(std::string_view header);

// C, N, F, D, L: types whose bytes the engine reads and writes itself. Any other
// field (a memo pointer, a type of another dialect) reads as NULL and is carried
// through byte for byte, never rewritten.
bool understood(char type);

Value decode(const FieldDesc& field, std::string_view bytes);
// Writes `v` into the field's bytes; throws Error naming table, field and value.
void encode(const std::string& table, const FieldDesc& field, const Value& v, char* out);

// Hash-index key of a stored field, and of a value compared with that field.
// false: the field is blank (NULL) / the value can never equal a stored one.
bool storedKey(const FieldDesc& field, std::string_view bytes, std::string& key);
bool valueKey(const FieldDesc& field, const Value& v, std::string& key);

// "N(6,0)", "C(32)", "D" for messages.
std::string describe(const FieldDesc& field);

}  // namespace engine::dbf
