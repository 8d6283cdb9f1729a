#include "check/text_warnings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "check/bounded_findings.h"
#include "compiler/description_fixture.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

using testing::crlf;

// "CLASS LINE:COLUMN-END" for each warning, in the order found.
std::vector<std::string> in_breve(const std::vector<Diagnostic>& d) {
  std::vector<std::string> s;
  for (const Diagnostic& x : d) {
    EXPECT_EQ(x.severity, Severity::warning) << x.message;
    EXPECT_EQ(x.where.file, "t.txt");
    EXPECT_FALSE(x.help.empty()) << x.code;
    EXPECT_NE(std::find(kClassiAvviso.begin(), kClassiAvviso.end(), x.code), kClassiAvviso.end())
        << x.code << " is not a class --no-warn takes";
    s.push_back(x.code + " " + std::to_string(x.where.line) + ":" + std::to_string(x.where.column) +
                "-" + std::to_string(x.where.end_column));
  }
  return s;
}

TEST(TextWarnings, EachClassAtWhatItIsAbout) {
  struct caso {
    const char* nome;
    std::string testo;
    std::vector<std::string> atteso;
  };
  const caso casi[] = {
      {"Clean", crlf("[generale]\nsabbia, 300\nstazione, 0, 1, 2, Cant\xD9\n"), {}},
      {"Utf8Word",
       crlf("[generale]\nstazione, 0, 1, 2, Gallarate CANT\xC3\x99, x\n"),
       {"encoding 2:30-36"}},
      {"Utf8FirstOfMany", crlf("[generale]\n\xC3\xA8, \xC3\xA8\n"), {"encoding 2:1-3"}},
      // One byte that is no UTF-8 makes the whole text Windows-1252.
      {"NotAllUtf8", crlf("[generale]\nCANT\xC3\x99, CANT\xD9\n"), {}},
      {"Utf16LittleEndian", std::string("[\0g\0\r\0\n\0", 8), {"encoding 0:0-0"}},
      {"Utf16BigEndian", std::string("\0[\0g", 4), {"encoding 0:0-0"}},
      {"Utf16Mark", "\xFF\xFE[generale]\r\n", {"encoding 0:0-0"}},
      {"Comments",
       crlf("[generale]\n# sabbia, 300\n  // x\n\t;x  \nsabbia, 300 # no\n"),
       {"comment 2:1-14", "comment 3:3-7", "comment 4:2-4"}},
      {"NoGeneral", crlf("sabbia, 300\n# x\n"), {"no-general-section 0:0-0"}},
      // The compile never looks at the field that ends the text.
      {"GeneralAsTheLastField", "sabbia, 300\r\n[generale]", {"no-general-section 0:0-0"}},
      {"GeneralInAnyCaseAndField", crlf("\n   \nx, [Generale]\nsabbia, 300\n"), {}},
      {"BeforeGeneral",
       crlf("titolo\n\n  # x \n[generale]\nsabbia, 300\n"),
       {"before-general-section 1:1-7", "before-general-section 3:3-6"}},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(in_breve(avvisi_del_testo("t.txt", c.testo)), c.atteso) << c.nome;
  }
}

TEST(TextWarnings, Utf8ShowsTheWordBothWays) {
  const auto d = avvisi_del_testo("t.txt", crlf("[generale]\nstazione, 0, CANT\xC3\x99\n"));
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].message,
            "this text looks like UTF-8, but it is read as Windows-1252: `CANTÙ` would be stored "
            "as `CANTÃ™`");
}

TEST(TextWarnings, TheEmbeddedTextsHaveNone) {
  EXPECT_TRUE(avvisi_del_testo("t.txt", testo_da_tabella(righe_linea())).empty());
  EXPECT_TRUE(avvisi_del_testo("t.txt", testo_da_tabella(righe_treno())).empty());
}

// A text of 10,000 comment lines, one warning each before, holds the first
// kMassimoPerClasse of them and one summary counting the rest.
TEST(TextWarnings, ManyCommentLinesAreCountedPastTheFirst) {
  std::string t = "[generale]\r\n";
  for (int i = 0; i < 10000; ++i) t += "# x\r\n";
  const auto d = avvisi_del_testo("t.txt", t);
  ASSERT_EQ(d.size(), kMassimoPerClasse + 1);
  for (size_t i = 0; i < kMassimoPerClasse; ++i) {
    EXPECT_EQ(d[i].code, kAvvisoCommento);
    EXPECT_EQ(d[i].where.line, static_cast<int>(i) + 2);
    EXPECT_EQ(d[i].quante, 1u);
  }
  EXPECT_TRUE(d.back().riassunto);
  EXPECT_EQ(d.back().code, kAvvisoCommento);
  EXPECT_EQ(d.back().severity, Severity::warning);
  EXPECT_EQ(d.back().quante, 10000 - kMassimoPerClasse);
  EXPECT_EQ(d.back().message, "9,950 more `comment` warnings in this text are not shown");
}

// The README lists every class `--no-warn` takes, each as a bullet of its own.
TEST(TextWarnings, TheReadmeListsEveryClass) {
  std::ifstream in(LORVENNA_SOURCE_DIR "/README.md");
  const std::string readme{std::istreambuf_iterator<char>(in), {}};
  ASSERT_FALSE(readme.empty()) << "README.md not found in " LORVENNA_SOURCE_DIR;
  for (const char* classe : kClassiAvviso) {
    EXPECT_NE(readme.find("\n- `" + std::string(classe) + "`: "), std::string::npos) << classe;
  }
}

}  // namespace
}  // namespace lorvenna
