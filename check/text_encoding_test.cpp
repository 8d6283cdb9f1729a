#include "check/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/bounded_findings.h"
#include "check/text_warnings.h"

namespace lorvenna {
namespace {

// What a text becomes, and where each character that could not be
// converted stands ("LINE:COLUMN"); those of one line are one finding at
// the first of them, with their count ("LINE:COLUMN xN").
TEST(TextEncoding, ConvertsAndPlacesWhatItCannot) {
  struct caso {
    const char* nome;
    std::string grezzo;
    bool utf8;
    std::string testo;
    std::string da;
    std::vector<std::string> errori;
  };
  const caso casi[] = {
      {"Windows1252AsItIs", "Cant\xD9\r\n", false, "Cant\xD9\r\n", "", {}},
      {"AsciiNeedsNoNote", "abc\r\n", true, "abc\r\n", "", {}},
      {"Utf8Mark", "\xEF\xBB\xBF\xC3\x99", false, "\xD9", "UTF-8", {}},
      {"Utf8Asked", "\xE2\x82\xAC 5", true, "\x80 5", "UTF-8", {}},
      {"Utf8Malformed", "a\r\nb\xC3(", true, "a\r\nb?(", "", {"2:2"}},
      {"Utf8Lacking", "\xCE\xA9\xC3\x99\xCE\xA9", true, "?\xD9?", "UTF-8", {"1:1 x2"}},
      {"Utf8LackingOnTwoLines", "\xCE\xA9\n\xCE\xA9", true, "?\n?", "UTF-8", {"1:1", "2:1"}},
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
       {"1:1 x2"}},
  };
  for (const caso& c : casi) {
    const testo_convertito t = in_windows1252("t.txt", c.grezzo, c.utf8);
    EXPECT_EQ(t.testo, c.testo) << c.nome;
    EXPECT_EQ(t.convertito_da, c.da) << c.nome;
    std::vector<std::string> errori;
    for (const Diagnostic& d : t.trovate) {
      if (d.code == "bom") continue;
      EXPECT_EQ(d.severity, Severity::error) << c.nome;
      errori.push_back(std::to_string(d.where.line) + ":" + std::to_string(d.where.column) +
                       (d.quante > 1 ? " x" + std::to_string(d.quante) : ""));
    }
    EXPECT_EQ(errori, c.errori) << c.nome;
  }
}

// A line of bytes that form no UTF-8 character, one error each before, is
// one finding that counts them; a text of such lines shows the first
// kMassimoPerClasse of them and counts the rest in one summary.
TEST(TextEncoding, ManyFaultsAreToldOnceALineAndCountedPastTheFirstLines) {
  const testo_convertito riga =
      in_windows1252("t.txt", "[generale]\r\n" + std::string(5000, '\xFF') + "\r\n", true);
  ASSERT_EQ(riga.trovate.size(), 1u);
  EXPECT_EQ(riga.trovate[0].where.line, 2);
  EXPECT_EQ(riga.trovate[0].where.column, 1);
  EXPECT_EQ(riga.trovate[0].quante, 5000u);
  EXPECT_EQ(riga.testo, "[generale]\r\n" + std::string(5000, '?') + "\r\n");

  // UTF-16 with a lone surrogate on each of 3000 lines, with no option.
  std::string utf16 = "\xFF\xFE";
  for (int i = 0; i < 3000; ++i) utf16 += std::string("\x00\xDC\n\x00", 4);
  const testo_convertito righe = in_windows1252("t.txt", utf16, false);
  size_t errori = 0, mostrati = 0;
  const Diagnostic* riassunto = nullptr;
  for (const Diagnostic& d : righe.trovate) {
    if (d.code != kAvvisoCodifica) continue;
    errori += d.quante;
    if (d.riassunto) {
      riassunto = &d;
    } else {
      ++mostrati;
    }
  }
  EXPECT_EQ(errori, 3000u);
  EXPECT_EQ(mostrati, kMassimoPerClasse);
  ASSERT_NE(riassunto, nullptr);
  EXPECT_EQ(riassunto->quante, 3000 - kMassimoPerClasse);
  EXPECT_EQ(riassunto->severity, Severity::error);
  EXPECT_EQ(riassunto->where.line, 0);
  EXPECT_EQ(riassunto->message, "2,950 more `encoding` errors in this text are not shown");
}

}  // namespace
}  // namespace lorvenna
