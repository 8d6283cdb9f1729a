#include "tools/lsp/text_document.h"

#include <gtest/gtest.h>

#include "tools/lsp/uri.h"

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
