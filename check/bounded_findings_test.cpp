#include "check/bounded_findings.h"

#include <gtest/gtest.h>

namespace lorvenna {
namespace {

Diagnostic trovata(const std::string& file, int line, int column, const std::string& code,
                   Severity s = Severity::error) {
  return {s,    {file, line, column, column + 1},
          code, code + " at " + std::to_string(column),
          {},   {"help"}};
}

// "FILE:LINE:COLUMN CODE xCOUNT" for each finding, "FILE CODE: N not shown"
// for a summary.
std::vector<std::string> in_breve(const std::vector<Diagnostic>& d) {
  std::vector<std::string> s;
  for (const Diagnostic& x : d) {
    if (x.riassunto) {
      s.push_back(x.where.file + " " + x.code + ": " + std::to_string(x.quante) + " not shown");
    } else {
      s.push_back(x.where.file + ":" + std::to_string(x.where.line) + ":" +
                  std::to_string(x.where.column) + " " + x.code + " x" + std::to_string(x.quante));
    }
  }
  return s;
}

// Findings of one class on one line are the first of them with their count;
// another class, severity, line or text is another finding.
TEST(TrovateLimitate, MergesOneClassOnOneLine) {
  trovate_limitate t;
  for (int c = 1; c <= 20000; ++c) t.aggiungi(trovata("a.txt", 3, c, "encoding"));
  t.aggiungi(trovata("a.txt", 3, 5, "codice 8"));
  t.aggiungi(trovata("a.txt", 3, 6, "encoding", Severity::warning));
  t.aggiungi(trovata("a.txt", 4, 1, "encoding"));
  t.aggiungi(trovata("b.txt", 3, 1, "encoding"));
  t.aggiungi(trovata("a.txt", 0, 0, "bom", Severity::warning));
  t.aggiungi(trovata("a.txt", 0, 0, "bom", Severity::warning));
  const std::vector<Diagnostic> d = t.prendi();
  EXPECT_EQ(in_breve(d),
            (std::vector<std::string>{"a.txt:3:1 encoding x20000", "a.txt:3:5 codice 8 x1",
                                      "a.txt:3:6 encoding x1", "a.txt:4:1 encoding x1",
                                      "b.txt:3:1 encoding x1", "a.txt:0:0 bom x2"}));
  EXPECT_EQ(d[0].message, "encoding at 1") << "the first one's message";
  EXPECT_EQ(altre_con(d[0]), "and 19,999 more on this line");
  EXPECT_EQ(altre_con(d[1]), "");
  EXPECT_EQ(altre_con(d[5]), "and 1 more in this text");
  const conteggio_trovate n = conta(d);
  EXPECT_EQ(n.errori, 20003u);
  EXPECT_EQ(n.avvisi, 3u);
  EXPECT_TRUE(t.prendi().empty()) << "taken, it is empty";
}

// Past the first lines of a class in a text, a finding on a line not shown
// only adds to the class's summary, which comes after the findings shown;
// one on a line shown still joins it.
TEST(TrovateLimitate, CountsTheFindingsPastTheFirstLines) {
  trovate_limitate t(3);
  for (int l = 1; l <= 10; ++l) t.aggiungi(trovata("a.txt", l, 1, "comment", Severity::warning));
  t.aggiungi(trovata("a.txt", 2, 7, "comment", Severity::warning));
  t.aggiungi(trovata("a.txt", 5, 1, "codice 8"));
  t.aggiungi(trovata("b.txt", 9, 1, "comment", Severity::warning));
  const std::vector<Diagnostic> d = t.prendi();
  EXPECT_EQ(in_breve(d),
            (std::vector<std::string>{"a.txt:1:1 comment x1", "a.txt:2:1 comment x2",
                                      "a.txt:3:1 comment x1", "a.txt:5:1 codice 8 x1",
                                      "b.txt:9:1 comment x1", "a.txt comment: 7 not shown"}));
  ASSERT_EQ(d.size(), 6u);
  const Diagnostic& r = d.back();
  EXPECT_TRUE(r.riassunto);
  EXPECT_EQ(r.quante, 7u);
  EXPECT_EQ(r.where.file, "a.txt");
  EXPECT_EQ(r.where.line, 0);
  EXPECT_EQ(r.severity, Severity::warning);
  EXPECT_EQ(r.message, "7 more `comment` warnings in this text are not shown");
  EXPECT_EQ(conta(d).avvisi, 12u);
  EXPECT_EQ(conta(d).errori, 1u);
}

// Bounded again, with more of the same class, bounded findings keep every
// count: the summaries' counts add up, under the first summary's help.
TEST(TrovateLimitate, BoundedTwiceKeepsEveryCount) {
  std::vector<Diagnostic> uno, due;
  for (int l = 1; l <= 80; ++l) {
    for (int c = 1; c <= 3; ++c) uno.push_back(trovata("a.txt", l, c, "encoding"));
    due.push_back(trovata("a.txt", l + 40, 9, "encoding"));
  }
  std::vector<Diagnostic> insieme = limitate(uno);
  Diagnostic& riassunto_uno = insieme.back();
  ASSERT_TRUE(riassunto_uno.riassunto);
  EXPECT_EQ(riassunto_uno.quante, 30 * 3u);
  riassunto_uno.help.push_back("more");
  const std::vector<Diagnostic> altra = limitate(due);
  insieme.insert(insieme.end(), altra.begin(), altra.end());
  const std::vector<Diagnostic> d = limitate(insieme);
  EXPECT_EQ(conta(d).errori, 80 * 3u + 80u);
  ASSERT_EQ(d.size(), kMassimoPerClasse + 1);
  EXPECT_EQ(d[45].where.line, 46);
  EXPECT_EQ(d[45].quante, 4u) << "three of the first text and one of the second";
  EXPECT_EQ(d.back().quante, 80 * 3u + 80u - (kMassimoPerClasse * 3 + 10));
  EXPECT_EQ(d.back().help.back(), "more");
}

TEST(TrovateLimitate, WritesThousandsWithCommas) {
  EXPECT_EQ(con_migliaia(0), "0");
  EXPECT_EQ(con_migliaia(999), "999");
  EXPECT_EQ(con_migliaia(1000), "1,000");
  EXPECT_EQ(con_migliaia(19999), "19,999");
  EXPECT_EQ(con_migliaia(1999950), "1,999,950");
  EXPECT_EQ(riassunto_di("a.txt", "codice 15", Severity::error, 1).message,
            "1 more `codice 15` error in this text is not shown");
}

}  // namespace
}  // namespace lorvenna
