#include "encoding/windows1252.h"

#include <array>
#include <cstdint>

namespace lorvenna {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char32_t, 32> kRiga80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<char> byte_windows1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kRiga80.size(); ++i) {
    if (kRiga80[i] != 0 && kRiga80[i] == cp) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

std::optional<char32_t> decodifica_utf8(std::string_view s, size_t& i) {
  auto b = static_cast<uint8_t>(s[i++]);
  if (b < 0x80) return b;
  int seguiti = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
  if (seguiti < 0 || b >= 0xF8) return std::nullopt;
  char32_t cp = b & (0x3F >> seguiti);
  for (int k = 0; k < seguiti; ++k) {
    if (i >= s.size()) return std::nullopt;
    auto c = static_cast<uint8_t>(s[i++]);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (c & 0x3F);
  }
  // An overlong form would let a byte such as "/" pass disguised.
  static constexpr char32_t kMinimo[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimo[seguiti] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return cp;
}

std::optional<std::string> utf8_a_windows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    auto cp = decodifica_utf8(utf8, i);
    if (!cp) return std::nullopt;
    auto b = byte_windows1252(*cp);
    if (!b) return std::nullopt;
    out.push_back(*b);
  }
  return out;
}

std::string windows1252_a_utf8(std::string_view testo) {
  std::string out;
  out.reserve(testo.size());
  for (char ch : testo) {
    const auto b = static_cast<uint8_t>(ch);
    char32_t cp = b;
    if (b >= 0x80 && b < 0xA0) cp = kRiga80[b - 0x80] != 0 ? kRiga80[b - 0x80] : 0xFFFD;
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

char minuscola_1252(char c) {
  auto b = static_cast<uint8_t>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
  switch (b) {
    case 0x8A:  // S caron
    case 0x8C:  // OE
    case 0x8E:  // Z caron
      return static_cast<char>(b + 0x10);
    case 0x9F:  // Y diaeresis
      return static_cast<char>(0xFF);
    default:
      return c;
  }
}

std::string minuscole_1252(std::string_view testo) {
  std::string out(testo);
  for (char& c : out) c = minuscola_1252(c);
  return out;
}

std::string utf8_a_windows1252_o_com_e(std::string_view utf8) {
  return utf8_a_windows1252(utf8).value_or(std::string(utf8));
}

}  // namespace lorvenna
