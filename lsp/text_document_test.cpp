#include "lsp/text_document.h"

#include <gtest/gtest.h>

#include "encoding/windows1252.h"
#include "lsp/uri.h"

namespace lorvenna {
namespace {

// "è" is two bytes of UTF-8 and one UTF-16 unit, "😀" four bytes and two
// units; each is one column of the text in Windows-1252.
TEST(TestoClientTest, MapsColumnsToUtf16AndBack) {
  const testo_client t("ab\r\n\xC3\xA8x\xF0\x9F\x98\x80y,z\nlast");
  struct caso {
    int riga, colonna, utf16;
  };
  for (const caso& c : {caso{1, 1, 0}, caso{1, 3, 2}, caso{2, 1, 0}, caso{2, 2, 1}, caso{2, 3, 2},
                        caso{2, 4, 4}, caso{2, 5, 5}, caso{2, 7, 7}, caso{3, 5, 4}}) {
    EXPECT_EQ(t.utf16_di(c.riga, c.colonna), c.utf16) << c.riga << ":" << c.colonna;
    EXPECT_EQ(t.colonna_di(c.riga, c.utf16), c.colonna) << c.riga << ":" << c.utf16;
  }
  EXPECT_EQ(t.colonna_di(2, 3), 3) << "inside the emoji: its column";
  EXPECT_EQ(t.utf16_di(1, 9), 8) << "past the line's end, one unit a column";
  EXPECT_EQ(t.riga(0), "ab");
  EXPECT_EQ(t.righe(), 3);
}

// The places as they were found before each line was mapped once: by going
// over the line from its start for each of them.
int utf16_per_scansione(std::string_view l, int colonna) {
  int u = 0;
  size_t i = 0;
  for (int c = 1; c < colonna; ++c) {
    if (i >= l.size()) {
      ++u;
      continue;
    }
    const size_t da = i;
    const auto car = decodifica_utf8(l, i);
    if (!car) i = da + 1;
    u += car && *car >= 0x10000 ? 2 : 1;
  }
  return u;
}

int colonna_per_scansione(std::string_view l, int utf16) {
  int colonna = 1;
  size_t i = 0;
  for (int u = 0; i < l.size(); ++colonna) {
    size_t dopo = i;
    const auto car = decodifica_utf8(l, dopo);
    if (!car) dopo = i + 1;
    const int n = car && *car >= 0x10000 ? 2 : 1;
    if (u + n > utf16) break;
    u += n;
    i = dopo;
  }
  return colonna;
}

// A line's map gives every place the scan from the line's start gave: on
// ASCII, accented letters (two bytes, one unit), the euro sign (three
// bytes, one unit), emoji (four bytes, two units: a surrogate pair), bytes
// that form no character (one column and one unit each), and past the end.
TEST(ColonneUtf16Test, AnswersAsTheScanFromTheLineStart) {
  const std::string righe[] = {
      "",
      "stazione, 44375, 12",
      "citt\xC3\xA0, \xE2\x82\xAC 5",
      "\xF0\x9F\x98\x80",
      "a\xF0\x9F\x98\x80\xF0\x9F\x98\x81"
      "b\xC3\xA8\xF0\x9F\x9A\x82,",
      "\xFF\xFEx\xC3(\xE2\x82",  // no characters, and cut ones
      "\xF0\x9F\x98",            // an emoji cut short
      std::string(300, 'x') + "\xF0\x9F\x98\x80" + std::string(40, '\xFF') + "\xC3\xA8",
  };
  for (const std::string& l : righe) {
    const colonne_utf16 mappa(l);
    for (int colonna = -1; colonna <= static_cast<int>(l.size()) + 3; ++colonna) {
      EXPECT_EQ(mappa.utf16_di(colonna), utf16_per_scansione(l, colonna))
          << testing::PrintToString(l) << " column " << colonna;
    }
    for (int u = -2; u <= 2 * static_cast<int>(l.size()) + 3; ++u) {
      EXPECT_EQ(mappa.colonna_di(u), colonna_per_scansione(l, u))
          << testing::PrintToString(l) << " unit " << u;
    }
  }
}

// The text's map of a line is made again once the text changes.
TEST(TestoClientTest, MapsTheLineAsItIsAfterAnEdit) {
  testo_client t("x\xF0\x9F\x98\x80y\n");
  EXPECT_EQ(t.utf16_di(1, 4), 4);
  EXPECT_EQ(t.colonna_di(1, 1), 2);
  t.sostituisci({0, 0}, {0, 0}, "\xF0\x9F\x98\x81");
  EXPECT_EQ(t.utf16_di(1, 4), 5);
  EXPECT_EQ(t.colonna_di(1, 1), 1) << "inside the emoji put first";
  EXPECT_EQ(t.utf16_di(7, 3), 2) << "a line the text lacks: one unit a column";
}

TEST(TestoClientTest, AppliesEditsAtUtf16Places) {
  testo_client t("a\xC3\xA8\xF0\x9F\x98\x80z\nsecond\n");
  t.sostituisci({0, 4}, {1, 3}, "-");  // from after the emoji to "ond"
  EXPECT_EQ(t.utf8(), "a\xC3\xA8\xF0\x9F\x98\x80-ond\n");
  t.sostituisci({0, 0}, {0, 99}, "");  // past the line's end: its end
  EXPECT_EQ(t.utf8(), "\n");
  t.sostituisci({5, 0}, {5, 0}, "tail");  // past the last line: the text's end
  EXPECT_EQ(t.utf8(), "\ntail");
  EXPECT_EQ(t.riga(1), "tail");
}

TEST(UriTest, ReadsAndWritesFileUris) {
  EXPECT_EQ(percorso_da_uri("file:///s/Citt%C3%A0%20x_linea.txt"), "/s/Citt\xC3\xA0 x_linea.txt");
  EXPECT_EQ(uri_da_percorso("/s/Citt\xC3\xA0 x_linea.txt"), "file:///s/Citt%C3%A0%20x_linea.txt");
  EXPECT_EQ(percorso_da_uri("untitled:Untitled-1"), std::nullopt);
  EXPECT_EQ(percorso_da_uri("file://host/share/x.txt"), std::nullopt);
  EXPECT_EQ(percorso_da_uri("file:///x%2"), std::nullopt);
  EXPECT_EQ(percorso_da_uri("file:///x%zz"), std::nullopt);
}

}  // namespace
}  // namespace lorvenna
