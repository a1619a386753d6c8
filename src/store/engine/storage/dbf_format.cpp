#include "store/engine/storage/dbf_format.h"

#include "store/engine/codepage.h"
#include "store/engine/storage/dbf_number.h"

#include <cctype>
#include <cstdio>
#include <strings.h>
#include <cstring>
#include <ctime>

namespace engine::dbf {
namespace {

std::uint32_t readLe(std::string_view bytes, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

void writeLe(std::string& bytes, std::size_t at, std::uint64_t v, int width) {
  for (int i = 0; i < width; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

[[noreturn]] void damaged(const std::string& table, const std::string& why) {
  throw Error("Tabela " + table + " nu poate fi citită: " + why + ".");
}

std::string fieldContext(const std::string& table, const FieldDesc& field) {
  return "câmpul " + field.name + " " + describe(field) + " al tabelei " + table;
}

std::string display(const Value& v) {
  if (v.isText()) return v.textRef();
  return v.toString();
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

bool validName(const std::string& name) {
  if (name.empty() || name.size() > 10 || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

void setDate(DayNumber day, char* out) {
  int y = 0, m = 0, d = 0;
  dateFromDay(day, y, m, d);
  std::snprintf(out, 9, "%04d%02d%02d", y, m, d);
}

bool dateKey(const Value& v, std::string& key) {
  DayNumber day = 0;
  if (v.isDate() || v.isNumber()) {
    day = v.toDay();
  } else if (v.isText()) {
    if (!parseDate(v.textRef(), day)) return false;
  } else {
    return false;
  }
  int y = 0, m = 0, d = 0;
  dateFromDay(day, y, m, d);
  if (y < 1 || y > 9999) return false;
  char buf[9];
  setDate(day, buf);
  key.assign(buf, 8);
  return true;
}

std::string numberText(const Value& v) {
  if (v.isDate()) return std::to_string(v.toDay());
  return display(v);
}

}  // namespace

std::string describe(const FieldDesc& field) {
  switch (field.type) {
    case 'N':
    case 'F':
      return std::string(1, field.type) + "(" + std::to_string(field.length) + "," + std::to_string(field.decimals) + ")";
    case 'C':
      return "C(" + std::to_string(field.length) + ")";
    default:
      return std::string(1, field.type);
  }
}

Parsed parse(const std::string& table, std::string_view image) {
  if (image.size() < kPrefixSize + 1) damaged(table, "fișierul este prea scurt pentru un antet dBase");
  Parsed p;
  p.layout.headerLength = readLe(image, 8, 2);
  p.layout.recordLength = readLe(image, 10, 2);
  const std::uint32_t declared = readLe(image, 4, 4);
  if (p.layout.headerLength < kPrefixSize + 1 || p.layout.headerLength > image.size())
    damaged(table, "lungimea antetului (" + std::to_string(p.layout.headerLength) + ") nu se potrivește cu fișierul");
  if (p.layout.recordLength < 1) damaged(table, "lungimea înregistrării este 0");
  // The descriptors run up to the terminator, which must lie inside the header.
  std::uint32_t offset = 0;
  std::size_t at = kPrefixSize;
  for (; at < p.layout.headerLength && image[at] != kTerminator; at += kDescriptorSize) {
    if (at + kDescriptorSize >= p.layout.headerLength) break;
    FieldDesc f;
    const std::string_view rawName = image.substr(at, 11);
    f.name = std::string(rawName.substr(0, rawName.find('\0')));
    while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
    f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(image[at + 11])));
    f.length = static_cast<unsigned char>(image[at + 16]);
    f.decimals = static_cast<unsigned char>(image[at + 17]);
    if (f.type == 'C') f.length += 256 * f.decimals, f.decimals = 0;  // long text fields of some writers
    if (f.name.empty() || f.length == 0) damaged(table, "descriptorul de câmp " + std::to_string(p.layout.fields.size() + 1) + " este invalid");
    p.layout.offsets.push_back(offset);
    offset += static_cast<std::uint32_t>(f.length);
    p.layout.fields.push_back(std::move(f));
  }
  if (at >= p.layout.headerLength || image[at] != kTerminator)
    damaged(table, "lungimea antetului (" + std::to_string(p.layout.headerLength) +
                       ") nu cuprinde descrierea câmpurilor și terminatorul ei");
  if (p.layout.fields.empty()) damaged(table, "nu are niciun câmp");
  // Between the terminator and the records other writers leave zeros (or, in Visual
  // FoxPro tables, a 263-byte link to their database). Anything else means the
  // header length points into the records.
  const std::size_t gap = p.layout.headerLength - (at + 1);
  const std::string_view padding = image.substr(at + 1, gap);
  const bool foxPro = image[0] == 0x30 || image[0] == 0x31 || image[0] == 0x32;
  if (padding.find_first_not_of('\0') != std::string_view::npos && !(foxPro && gap == 263))
    damaged(table, "lungimea antetului (" + std::to_string(p.layout.headerLength) + ") nu corespunde câmpurilor (" +
                       std::to_string(at + 1) + ")");
  if (offset + 1 != p.layout.recordLength)
    damaged(table, "lungimea înregistrării din antet (" + std::to_string(p.layout.recordLength) +
                       ") nu corespunde câmpurilor (" + std::to_string(offset + 1) + ")");
  const std::uint64_t available = (image.size() - p.layout.headerLength) / p.layout.recordLength;
  p.count = declared;
  if (declared > available) {
    p.count = static_cast<std::uint32_t>(available);
    p.damage = "antetul declară " + std::to_string(declared) + " înregistrări, fișierul conține " +
               std::to_string(available);
    return p;
  }
  // Past the declared records only end markers or padding: anything else (records
  // start with ' ' or '*') means the count is wrong. They are kept, never cut off.
  const std::size_t dataEnd = p.layout.headerLength + std::size_t(declared) * p.layout.recordLength;
  if (image.substr(dataEnd).find_first_not_of(std::string_view("\x1A\0", 2)) != std::string_view::npos)
    p.damage = "antetul declară " + std::to_string(declared) + " înregistrări, fișierul are loc pentru " +
               std::to_string(available);
  return p;
}

Layout makeLayout(const std::string& table, const std::vector<FieldDesc>& fields) {
  Layout l;
  std::uint32_t offset = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    FieldDesc f = fields[i];
    const std::string where = "câmpul " + f.name + " al tabelei " + table;
    if (!validName(f.name)) throw Error("Numele de câmp „" + f.name + "” nu este valid pentru tabela " + table + " (cel mult 10 litere, cifre sau _).");
    for (std::size_t k = 0; k < i; ++k)
      if (strcasecmp(fields[k].name.c_str(), f.name.c_str()) == 0)
        throw Error("Câmpul " + f.name + " apare de două ori în tabela " + table + ".");
    f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type)));
    switch (f.type) {
      case 'C':
        if (f.length < 1 || f.length > kMaxFieldLength) throw Error("Lungime invalidă pentru " + where + ".");
        f.decimals = 0;
        break;
      case 'N':
      case 'F':
        if (f.length < 1 || f.length > 20 || f.decimals < 0 || (f.decimals > 0 && f.decimals > f.length - 2))
          throw Error("Lungime sau zecimale invalide pentru " + where + ".");
        break;
      case 'D':
        f.length = 8, f.decimals = 0;
        break;
      case 'L':
        f.length = 1, f.decimals = 0;
        break;
      default:
        throw Error("Tipul „" + std::string(1, f.type) + "” nu poate fi creat (" + where + ").");
    }
    l.offsets.push_back(offset);
    offset += static_cast<std::uint32_t>(f.length);
    l.fields.push_back(std::move(f));
  }
  if (l.fields.empty()) throw Error("Tabela " + table + " trebuie să aibă cel puțin un câmp.");
  if (l.fields.size() > 255 || offset + 1 > 0xFFFF) throw Error("Tabela " + table + " are prea multe câmpuri.");
  l.recordLength = offset + 1;
  l.headerLength = static_cast<std::uint32_t>(kPrefixSize + kDescriptorSize * l.fields.size() + 1);
  return l;
}

std::string buildHeader(const Layout& layout) {
  std::string h(layout.headerLength, '\0');
  h[0] = static_cast<char>(kVersion);
  writeLe(h, 8, layout.headerLength, 2);
  writeLe(h, 10, layout.recordLength, 2);
  h[29] = static_cast<char>(kLanguageDriver);
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    const FieldDesc& f = layout.fields[i];
    const std::size_t at = kPrefixSize + i * kDescriptorSize;
    for (std::size_t k = 0; k < f.name.size() && k < 10; ++k)
      h[at + k] = static_cast<char>(std::toupper(static_cast<unsigned char>(f.name[k])));
    h[at + 11] = f.type;
    h[at + 16] = static_cast<char>(f.length & 0xFF);
    h[at + 17] = static_cast<char>(f.type == 'C' ? (f.length >> 8) : f.decimals);
  }
  h[kPrefixSize + kDescriptorSize * layout.fields.size()] = kTerminator;
  return h;
}

void stamp(std::string& header, std::uint32_t count, std::uint64_t counter) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  header[1] = static_cast<char>(local.tm_year);  // years since 1900
  header[2] = static_cast<char>(local.tm_mon + 1);
  header[3] = static_cast<char>(local.tm_mday);
  writeLe(header, 4, count, 4);
  writeLe(header, kCounterOffset, counter, 8);
}

std::uint64_t changeCounter(std::string_view header) {
  if (header.size() < kCounterOffset + 8) return 0;
  return static_cast<std::uint64_t>(readLe(header, kCounterOffset + 4, 4)) << 32 | readLe(header, kCounterOffset, 4);
}

bool understood(char type) { return type == 'C' || type == 'N' || type == 'F' || type == 'D' || type == 'L'; }

Value decode(const FieldDesc& field, std::string_view bytes) {
  switch (field.type) {
    case 'C':
      return Value::text(codepage::toUtf8(trimRight(bytes)));
    case 'N':
    case 'F':
      return parseStoredNumber(bytes);
    case 'D': {
      if (bytes.size() != 8) return Value();
      int parts[3] = {0, 0, 0};
      const int widths[3] = {4, 2, 2};
      std::size_t at = 0;
      for (int p = 0; p < 3; ++p)
        for (int k = 0; k < widths[p]; ++k, ++at) {
          if (bytes[at] < '0' || bytes[at] > '9') return Value();
          parts[p] = parts[p] * 10 + (bytes[at] - '0');
        }
      DayNumber day = 0;
      if (!dayFromDate(parts[0], parts[1], parts[2], day)) return Value();
      return Value::date(day);
    }
    case 'L': {
      const char c = bytes.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(bytes[0])));
      if (c == 'T' || c == 'Y') return Value::text("T");
      if (c == 'F' || c == 'N') return Value::text("F");
      return Value();
    }
    default:
      return Value();  // memo and foreign types: not read
  }
}

void encode(const std::string& table, const FieldDesc& field, const Value& v, char* out) {
  const auto width = static_cast<std::size_t>(field.length);
  switch (field.type) {
    case 'C': {
      std::string text = v.isNull() ? std::string() : display(v);
      const std::string_view trimmed = trimRight(text);
      std::string bytes, bad;
      if (!codepage::fromUtf8(trimmed, bytes, bad))
        throw Error("Caracterul „" + bad + "” din valoarea „" + messageExcerpt(text) + "” nu poate fi scris în " +
                    fieldContext(table, field) + " (setul de caractere Windows-1250).");
      if (bytes.size() > width)
        throw Error("Valoarea „" + messageExcerpt(trimmed) + "” are " + std::to_string(bytes.size()) +
                    " caractere și nu încape în " + fieldContext(table, field) + ".");
      std::memcpy(out, bytes.data(), bytes.size());
      std::memset(out + bytes.size(), ' ', width - bytes.size());
      return;
    }
    case 'N':
    case 'F': {
      Value number = v;
      if (v.isText()) {
        if (trimRight(v.textRef()).find_first_not_of(' ') == std::string_view::npos) {
          number = Value();
        } else {
          number = Value::parseNumber(v.textRef());
          if (number.isNull())
            throw Error("Valoarea „" + messageExcerpt(v.textRef()) + "” nu este un număr (" + fieldContext(table, field) + ").");
        }
      } else if (v.isDate()) {
        number = Value::integer(v.toDay());
      }
      if (number.isNull()) {
        std::memset(out, ' ', width);
        return;
      }
      std::string text;
      if (!fixedText(number, field.decimals, text) || text.size() > width)
        throw Error("Valoarea „" + messageExcerpt(numberText(v)) + "” nu încape în " + fieldContext(table, field) + ".");
      std::memset(out, ' ', width - text.size());
      std::memcpy(out + width - text.size(), text.data(), text.size());
      return;
    }
    case 'D': {
      const bool blank = v.isNull() || (v.isText() && trimRight(v.textRef()).find_first_not_of(' ') == std::string_view::npos);
      if (blank) {
        std::memset(out, ' ', width);
        return;
      }
      std::string key;
      if (!dateKey(v, key))
        throw Error("Valoarea „" + messageExcerpt(display(v)) + "” nu este o dată calendaristică (zz.ll.aaaa) pentru " +
                    fieldContext(table, field) + ".");
      std::memcpy(out, key.data(), 8);
      return;
    }
    case 'L': {
      const std::string text = v.isNull() ? std::string() : display(v);
      const char c = text.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
      if (c == ' ' || c == '?') {
        *out = ' ';
      } else if (c == 'T' || c == 'Y' || c == 'D' || c == '1') {
        *out = 'T';
      } else if (c == 'F' || c == 'N' || c == '0') {
        *out = 'F';
      } else {
        throw Error("Valoarea „" + messageExcerpt(text) + "” nu este logică (" + fieldContext(table, field) + ").");
      }
      return;
    }
    default:
      if (v.isNull()) {  // memo and foreign fields are kept blank, never written
        std::memset(out, ' ', width);
        return;
      }
      throw Error("Tipul câmpului " + field.name + " al tabelei " + table + " nu poate fi scris.");
  }
}

bool storedKey(const FieldDesc& field, std::string_view bytes, std::string& key) {
  switch (field.type) {
    case 'C':
      key.assign(trimRight(bytes));
      return true;
    case 'N':
    case 'F':
      return canonicalNumber(bytes, key);
    case 'D':
      if (trimRight(bytes).empty() || decode(field, bytes).isNull()) return false;
      key.assign(bytes);
      return true;
    default:
      key.assign(trimRight(bytes));
      return !key.empty();
  }
}

bool valueKey(const FieldDesc& field, const Value& v, std::string& key) {
  if (v.isNull()) return false;
  switch (field.type) {
    case 'C': {
      key.clear();
      std::string bad;
      return codepage::fromUtf8(trimRight(display(v)), key, bad);
    }
    case 'N':
    case 'F': {
      if (v.isText()) return canonicalNumber(v.textRef(), key);
      if (v.isDate()) return canonicalNumber(std::to_string(v.toDay()), key);
      std::string text;
      // Enough decimals to keep every exact value; doubles come out in shortest form.
      if (!fixedText(v, v.isExact() ? v.scale() : 18, text)) return false;
      return canonicalNumber(text, key);
    }
    case 'D':
      return dateKey(v, key);
    default: {
      char c = ' ';
      try {
        encode(std::string(), field, v, &c);
      } catch (const Error&) {
        return false;
      }
      key.assign(1, c);
      return c != ' ';
    }
  }
}

}  // namespace engine::dbf
