#include "check/source_lines.h"

#include <gtest/gtest.h>

#include <random>

namespace lorvenna {
namespace {

// Line `n` (from 1) as the text's line ends cut it, or nothing.
std::optional<std::string> riga_per_scansione(const std::string& t, int n) {
  std::vector<std::string> righe{""};
  for (char c : t) {
    if (c == '\n') {
      righe.emplace_back();
    } else {
      righe.back() += c;
    }
  }
  if (t.ends_with('\n') && righe.size() > 1) righe.pop_back();
  if (n < 1 || static_cast<size_t>(n) > righe.size()) return std::nullopt;
  std::string r = righe[static_cast<size_t>(n) - 1];
  if (r.ends_with('\r')) r.pop_back();
  return r;
}

// Whatever the order lines are asked for in, near or far from the last one
// found or from the lines the index keeps, each is the line the text holds.
TEST(SourceLinesTest, FindsEachLineInAnyOrder) {
  std::mt19937 caso(7);
  const std::string pezzi[] = {"a", "bc", "\r\n", "\n", "\r", " ", "x\r\n"};
  for (int prova = 0; prova < 40; ++prova) {
    std::string t;
    const int lunghezza = prova < 3 ? prova : static_cast<int>(caso() % 2000);
    for (int i = 0; i < lunghezza; ++i) t += pezzi[caso() % std::size(pezzi)];
    const testi_sorgente testi{{"t.txt", t}};
    SourceLines righe(testi);
    const int quante = static_cast<int>(std::count(t.begin(), t.end(), '\n')) + 2;
    for (int i = 0; i < 300; ++i) {
      const int n = i < quante ? i : static_cast<int>(caso() % static_cast<unsigned>(quante + 1));
      const auto l = righe.line("t.txt", n);
      const auto atteso = riga_per_scansione(t, n);
      ASSERT_EQ(l.has_value(), atteso.has_value())
          << "line " << n << " of " << testing::PrintToString(t);
      if (l) {
        EXPECT_EQ(std::string(*l), *atteso) << "line " << n;
      }
    }
  }
  const testi_sorgente testi{{"t.txt", "a\n"}};
  SourceLines righe(testi);
  EXPECT_EQ(righe.line("u.txt", 1), std::nullopt) << "a text that is not there";
  EXPECT_EQ(righe.line("t.txt", 2), std::nullopt) << "no line after the last line end";
}

}  // namespace
}  // namespace lorvenna
