// What every text writer owes its file: single-byte lines each closed by
// CR LF, no end marker, and a whole new file in place of any older one.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/notes.h"
#include "texts/slow_order.h"
#include "texts/train_card.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

struct scrittore {
  const char* nome;
  std::function<void(FileSystem&, const std::string&, Durability)> scrivi;
  size_t byte;
  size_t righe;
  bool ascii;  // only the notes have accented letters
};

void PrintTo(const scrittore& s, std::ostream* os) { *os << s.nome; }

const scrittore kScrittori[] = {
    {"linea", dati_linea, 5232, 164, true},  {"treno", dati_treno, 3250, 70, true},
    {"note", dati_note, 3745, 24, false},    {"rallentamenti", dati_rallentamenti, 3385, 47, true},
    {"scheda", dati_scheda, 3733, 49, true},
};

class TextWriters : public ::testing::TestWithParam<scrittore> {};

TEST_P(TextWriters, WritesCrLfLinesWithoutTheMarker) {
  const scrittore& s = GetParam();
  MemoryFileSystem fs;
  s.scrivi(fs, "testo.txt", {});

  const std::string testo = fs.files().at("testo.txt");
  EXPECT_EQ(testo.size(), s.byte);
  EXPECT_EQ(testo.find(kFineTabella), std::string::npos);
  if (s.ascii) {
    EXPECT_TRUE(std::ranges::all_of(testo, [](unsigned char c) { return c < 128; }));
  }
  ASSERT_TRUE(testo.ends_with("\r\n"));
  size_t righe = 0;
  for (size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\n') {
      ASSERT_TRUE(i > 0 && testo[i - 1] == '\r') << "bare LF at byte " << i;
      ++righe;
    } else if (testo[i] == '\r') {
      ASSERT_TRUE(i + 1 < testo.size() && testo[i + 1] == '\n') << "bare CR at byte " << i;
    }
  }
  EXPECT_EQ(righe, s.righe);
}

TEST_P(TextWriters, ReplacesAnOlderLongerFileWhole) {
  const scrittore& s = GetParam();
  MemoryFileSystem fs;
  fs.write("testo.txt", std::string(20000, 'x'));

  s.scrivi(fs, "testo.txt", {});
  const std::string prima = fs.files().at("testo.txt");
  EXPECT_EQ(prima.size(), s.byte);

  s.scrivi(fs, "testo.txt", {});
  EXPECT_EQ(fs.files().at("testo.txt"), prima);
}

INSTANTIATE_TEST_SUITE_P(AllTexts, TextWriters, ::testing::ValuesIn(kScrittori),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace lorvenna
