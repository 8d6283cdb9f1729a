// What every text writer owes its file: single-byte lines each closed by
// CR LF, no end marker, and a whole new file in place of any older one.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

#include "driver/file_names.h"
#include "driver/test_support.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/notes.h"
#include "texts/slow_order.h"
#include "texts/train_card.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

struct Scrittore {
  const char* nome;
  std::function<void(FileSystem&, const nomi_file&)> scrivi;
  std::string nomi_file::*file;
  size_t byte;
  size_t righe;
  bool ascii;  // only the notes have accented letters
};

void PrintTo(const Scrittore& s, std::ostream* os) { *os << s.nome; }

const Scrittore kScrittori[] = {
    {"linea", dati_linea, &nomi_file::linea_txt, 5232, 164, true},
    {"treno", dati_treno, &nomi_file::treno_txt, 3250, 70, true},
    {"note", dati_note, &nomi_file::note, 3745, 24, false},
    {"rallentamenti", dati_rallentamenti, &nomi_file::rallentamenti, 3385, 47, true},
    {"scheda", dati_scheda, &nomi_file::scheda, 3733, 49, true},
};

class TextWriters : public ::testing::TestWithParam<Scrittore> {};

TEST_P(TextWriters, WritesCrLfLinesWithoutTheMarker) {
  const Scrittore& s = GetParam();
  testing::TempFolder cartella;
  RealFileSystem fs;
  const nomi_file nomi = nomi_file_per(cartella.path(), "Lorvenna", "2579bis");
  s.scrivi(fs, nomi);

  const std::string testo = testing::read_file(nomi.*s.file);
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
  const Scrittore& s = GetParam();
  testing::TempFolder cartella;
  RealFileSystem fs;
  const nomi_file nomi = nomi_file_per(cartella.path(), "Lorvenna", "2579bis");
  testing::write_file(nomi.*s.file, std::string(20000, 'x'));

  s.scrivi(fs, nomi);
  const std::string prima = testing::read_file(nomi.*s.file);
  EXPECT_EQ(prima.size(), s.byte);

  s.scrivi(fs, nomi);
  EXPECT_EQ(testing::read_file(nomi.*s.file), prima);
}

TEST_P(TextWriters, OtherTrainNumberChangesOnlyTheFileName) {
  const Scrittore& s = GetParam();
  testing::TempFolder cartella;
  testing::TempFolder altra;
  RealFileSystem fs;
  const nomi_file nomi = nomi_file_per(cartella.path(), "Lorvenna", "2579bis");
  const nomi_file altri = nomi_file_per(altra.path(), "Lorvenna", "4411");

  s.scrivi(fs, nomi);
  s.scrivi(fs, altri);
  EXPECT_EQ(testing::read_file(altri.*s.file), testing::read_file(nomi.*s.file));
}

INSTANTIATE_TEST_SUITE_P(AllTexts, TextWriters, ::testing::ValuesIn(kScrittori),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace lorvenna
