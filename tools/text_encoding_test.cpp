#include "tools/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvenna {
namespace {

// What a text becomes, and where each character that could not be
// converted stands ("LINE:COLUMN").
TEST(TextEncoding, ConvertsAndPlacesWhatItCannot) {
  struct Caso {
    const char* nome;
    std::string grezzo;
    bool utf8;
    std::string testo;
    std::string da;
    std::vector<std::string> errori;
  };
  const Caso casi[] = {
      {"Windows1252AsItIs", "Cant\xD9\r\n", false, "Cant\xD9\r\n", "", {}},
      {"AsciiNeedsNoNote", "abc\r\n", true, "abc\r\n", "", {}},
      {"Utf8Mark", "\xEF\xBB\xBF\xC3\x99", false, "\xD9", "UTF-8", {}},
      {"Utf8Asked", "\xE2\x82\xAC 5", true, "\x80 5", "UTF-8", {}},
      {"Utf8Malformed", "a\r\nb\xC3(", true, "a\r\nb?(", "", {"2:2"}},
      {"Utf8Lacking", "\xCE\xA9\xC3\x99\xCE\xA9", true, "?\xD9?", "UTF-8", {"1:1", "1:3"}},
      {"Utf16Le",
       std::string("\xFF\xFE"
                   "a\0\xD9\0\n\0b\0",
                   10),
       false,
       "a\xD9\nb",
       "UTF-16LE",
       {}},
      {"Utf16BeSurrogatePair",
       std::string("\xFE\xFF\xD8\x3D\xDE\x00\0x", 8),
       false,
       "?x",
       "UTF-16BE",
       {"1:1"}},
      {"Utf16LoneSurrogateAndOddEnd",
       std::string("\xFF\xFE\x00\xDC"
                   "a\0b",
                   7),
       false,
       "?a?",
       "UTF-16LE",
       {"1:1", "1:3"}},
  };
  for (const Caso& c : casi) {
    const testo_convertito t = in_windows1252("t.txt", c.grezzo, c.utf8);
    EXPECT_EQ(t.testo, c.testo) << c.nome;
    EXPECT_EQ(t.convertito_da, c.da) << c.nome;
    std::vector<std::string> errori;
    for (const Diagnostic& d : t.trovate) {
      if (d.code == "bom") continue;
      EXPECT_EQ(d.severity, Severity::error) << c.nome;
      errori.push_back(std::to_string(d.where.line) + ":" + std::to_string(d.where.column));
    }
    EXPECT_EQ(errori, c.errori) << c.nome;
  }
}

}  // namespace
}  // namespace lorvenna
