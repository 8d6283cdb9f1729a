#include "texts/notes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "testing/memory_file_system.h"
#include "texts/line_table.h"

namespace lorvenna {
namespace {

TEST(Notes, KeepsItsLayout) {
  const auto righe = righe_note();
  ASSERT_EQ(righe.size(), 24u);
  EXPECT_EQ(righe[4], "N.ro scenario: 1");
  EXPECT_EQ(righe[6], "***NOTE SUL TRENO 2579 bis***");
  EXPECT_EQ(righe[14], "CONDIZIONI DI ADERENZA: Buone");
  EXPECT_EQ(righe[15], "N.RO RALLENTAMENTI: ?");
  EXPECT_EQ(righe[18], "***NOTE SULLA LINEA GALLARATE-MILANO***");
  for (size_t vuota : {3, 5, 16, 17}) EXPECT_EQ(righe[vuota], "") << "line " << vuota + 1;
  for (size_t i : {7, 8, 9, 10, 11, 12, 13, 19, 20, 21, 22, 23}) {
    EXPECT_GT(righe[i].size(), 60u) << "paragraph on line " << i + 1;
  }
}

TEST(Notes, AuthorsLinesFollowTheirForm) {
  const auto righe = righe_note();
  EXPECT_TRUE(righe[0].starts_with("Autori dello scenario: "));
  EXPECT_EQ(righe[0].size(), 62u);
  EXPECT_EQ(righe[1].size(), 49u);
  EXPECT_EQ(righe[2].size(), 53u);
  for (size_t i : {1, 2}) {
    EXPECT_EQ(righe[i].find_first_not_of(' '), 17u) << "line " << i + 1;
  }
  for (size_t i : {0, 1, 2}) {
    const std::string& r = righe[i];
    const size_t aperta = r.rfind(" (");
    ASSERT_NE(aperta, std::string::npos) << "line " << i + 1;
    EXPECT_TRUE(r.ends_with(")")) << "line " << i + 1;
    EXPECT_NE(r.find('@', aperta), std::string::npos) << "line " << i + 1;
  }
}

TEST(Notes, AccentedLettersAreSingleBytes) {
  MemoryFileSystem fs;
  dati_note(fs, "note.txt");
  const std::string testo = fs.files().at("note.txt");

  for (unsigned char accentata : {224, 232, 236, 242, 249}) {
    EXPECT_NE(testo.find(static_cast<char>(accentata)), std::string::npos) << int(accentata);
  }
  // 0xC3 leads every UTF-8 form of these letters; none may reach the file.
  EXPECT_EQ(testo.find('\xC3'), std::string::npos);
  EXPECT_NE(testo.find("realt\xE0"), std::string::npos);
}

}  // namespace
}  // namespace lorvenna
