#include "check/diagnostic_render.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "check/bounded_findings.h"

namespace lorvenna {
namespace {

using json = nlohmann::json;

Diagnostic errore_a(const std::string& file, int line, int column, int end_column) {
  return {Severity::error, {file, line, column, end_column}, "codice 8", "off the grid", {}, {}};
}

// The caret sits under the span as a terminal shows the line: tabs copied,
// an escaped control byte four columns wide, an accented letter one.
TEST(DiagnosticText, CaretUnderTheSpan) {
  struct caso {
    const char* nome;
    std::string riga;  // Windows-1252, as in the text
    int colonna, fine;
    std::string attese;  // the source and caret lines
  };
  const caso casi[] = {
      {"at the start", "stazione, 44375, 12", 1, 9,
       "    1 | stazione, 44375, 12\n"
       "      | ^~~~~~~~\n"},
      {"in the middle", "stazione, 44375, 12", 11, 16,
       "    1 | stazione, 44375, 12\n"
       "      |           ^~~~~\n"},
      {"at the end", "stazione, 44375, 12", 18, 20,
       "    1 | stazione, 44375, 12\n"
       "      |                  ^~\n"},
      {"one character", "a, 7", 4, 5,
       "    1 | a, 7\n"
       "      |    ^\n"},
      {"after a tab", "stazione,\t44375", 11, 16,
       "    1 | stazione,\t44375\n"
       "      |          \t^~~~~\n"},
      {"after an accented letter", "citt\xE0, 44375", 8, 13,
       "    1 | citt\xC3\xA0, 44375\n"
       "      |        ^~~~~\n"},
      {"after a control byte", "a\x01, 44375", 5, 10,
       "    1 | a\\x01, 44375\n"
       "      |        ^~~~~\n"},
      {"on a control byte", "a,\x1B", 3, 4,
       "    1 | a,\\x1B\n"
       "      |   ^~~~\n"},
      {"with no column", "a, 7", 0, 0, "    1 | a, 7\n"},
  };
  for (const caso& c : casi) {
    const testi_sorgente testi = {{"T.txt", c.riga + "\r\nnext\r\n"}};
    EXPECT_EQ(come_testo({errore_a("T.txt", 1, c.colonna, c.fine)}, testi),
              std::string(c.colonna ? "T.txt:1:" + std::to_string(c.colonna) : "T.txt:1") +
                  ": error: off the grid [codice 8]\n" + c.attese + "1 error, 0 warnings\n")
        << c.nome;
  }
}

// A note shows its own place and line; help follows; a finding on no line,
// or on a line the text lacks, shows none; findings come in file, line and
// column order, whatever order they were found in.
TEST(DiagnosticText, NotesHelpAndOrder) {
  const testi_sorgente testi = {
      {"Prova_1-.txt", "[generale]\r\nstazione, 100\r\nstazione, 300\r\n"}};
  Diagnostic seconda = errore_a("Prova_1-.txt", 3, 11, 14);
  seconda.message = "station at 300 m is too close";
  seconda.notes.push_back(
      DiagnosticNote{SourceSpan{"Prova_1-.txt", 2, 11, 14}, "the previous station"});
  seconda.help = {"move it to 450 m or beyond"};
  Diagnostic avviso = errore_a("Prova_1-.txt", 2, 1, 9);
  avviso.severity = Severity::warning;
  avviso.code = "unused-record";
  avviso.message = "never used";
  const Diagnostic senza_riga = errore_a("Prova_linea.txt", 0, 0, 0);
  const Diagnostic oltre = errore_a("Prova_1-.txt", 9, 1, 2);
  EXPECT_EQ(come_testo({oltre, seconda, avviso, senza_riga}, testi),
            "Prova_1-.txt:2:1: warning: never used [unused-record]\n"
            "    2 | stazione, 100\n"
            "      | ^~~~~~~~\n"
            "Prova_1-.txt:3:11: error: station at 300 m is too close [codice 8]\n"
            "    3 | stazione, 300\n"
            "      |           ^~~\n"
            "   = note: Prova_1-.txt:2:11: the previous station\n"
            "    2 | stazione, 100\n"
            "      |           ^~~\n"
            "   help: move it to 450 m or beyond\n"
            "Prova_1-.txt:9:1: error: off the grid [codice 8]\n"
            "Prova_linea.txt: error: off the grid [codice 8]\n"
            "3 errors, 1 warning\n");
  EXPECT_EQ(come_testo({}, testi), "");
}

// A line number wider than the gutter widens it, so the bars stay in line.
TEST(DiagnosticText, WideLineNumbers) {
  std::string testo;
  for (int i = 0; i < 123456; ++i) testo += "x\r\n";
  EXPECT_EQ(come_testo({errore_a("T.txt", 123456, 1, 2)}, {{"T.txt", testo}}),
            "T.txt:123456:1: error: off the grid [codice 8]\n"
            "123456 | x\n"
            "       | ^\n"
            "1 error, 0 warnings\n");
}

// A long line is shown around the span's start, 100 characters of it, the
// cut ends marked "..."; the caret stays under the span, and the span's
// tildes end where the part shown does.
TEST(DiagnosticText, ALongLineIsCutAroundTheCaret) {
  std::string riga;
  for (int i = 0; i < 300; ++i) riga += static_cast<char>('0' + i % 10);
  const testi_sorgente testi = {{"T.txt", riga + "\r\n"}};
  struct caso {
    const char* nome;
    int colonna, fine;
    std::string attese;
  };
  const caso casi[] = {
      {"in the middle", 200, 203,
       "    1 | ..." + riga.substr(159, 100) + "...\n" + "      |    " + std::string(40, ' ') +
           "^~~\n"},
      {"at the start", 1, 4, "    1 | " + riga.substr(0, 100) + "...\n" + "      | ^~~\n"},
      {"at the end", 300, 301,
       "    1 | ..." + riga.substr(200) + "\n" + "      |    " + std::string(99, ' ') + "^\n"},
      {"past the end", 301, 302,
       "    1 | ..." + riga.substr(200) + "\n" + "      |    " + std::string(100, ' ') + "^\n"},
      {"longer than the part shown", 10, 290,
       "    1 | " + riga.substr(0, 100) + "...\n" + "      | " + std::string(9, ' ') + "^" +
           std::string(90, '~') + "\n"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(come_testo({errore_a("T.txt", 1, c.colonna, c.fine)}, testi),
              "T.txt:1:" + std::to_string(c.colonna) + ": error: off the grid [codice 8]\n" +
                  c.attese + "1 error, 0 warnings\n")
        << c.nome;
  }
  // Each shown byte as wide as it shows: an escaped control byte in the part
  // shown moves the caret four columns.
  std::string con_controllo = riga;
  con_controllo[170] = '\x01';
  EXPECT_EQ(come_testo({errore_a("T.txt", 1, 200, 201)}, {{"T.txt", con_controllo}}),
            "T.txt:1:200: error: off the grid [codice 8]\n"
            "    1 | ..." +
                riga.substr(159, 11) + "\\x01" + riga.substr(171, 88) + "...\n" + "      |    " +
                std::string(43, ' ') + "^\n" + "1 error, 0 warnings\n");
}

// A finding that stands for others on its line says how many; a text's
// summary of findings not shown follows its other findings; the count at
// the end tells every finding, shown or not.
TEST(DiagnosticText, MergedFindingsAndSummaries) {
  const testi_sorgente testi = {{"A.txt", "??\r\n#\r\n"}};
  Diagnostic riga = errore_a("A.txt", 1, 1, 2);
  riga.code = "encoding";
  riga.message = "no character";
  riga.quante = 20000;
  Diagnostic commento = errore_a("A.txt", 2, 1, 2);
  commento.severity = Severity::warning;
  commento.code = "comment";
  commento.message = "a comment";
  const Diagnostic riassunto = riassunto_di("A.txt", "comment", Severity::warning, 1999950);
  const Diagnostic altro = errore_a("B.txt", 0, 0, 0);
  EXPECT_EQ(come_testo({riassunto, altro, commento, riga}, testi),
            "A.txt:1:1: error: no character [encoding]\n"
            "    1 | ??\n"
            "      | ^\n"
            "   = note: and 19,999 more on this line\n"
            "A.txt:2:1: warning: a comment [comment]\n"
            "    2 | #\n"
            "      | ^\n"
            "A.txt: warning: 1,999,950 more `comment` warnings in this text are not shown "
            "[comment]\n"
            "   help: a text shows the findings of one class on its first 50 lines; the others "
            "are counted here\n"
            "B.txt: error: off the grid [codice 8]\n"
            "20,001 errors, 1,999,951 warnings\n");
  std::ostringstream scritto;
  scrivi_testo(scritto, {riassunto, altro, commento, riga}, testi);
  EXPECT_EQ(scritto.str(), come_testo({riassunto, altro, commento, riga}, testi));

  const json j = json::parse(come_json({riga, commento, riassunto}));
  ASSERT_EQ(j["diagnostics"].size(), 3u);
  EXPECT_EQ(j["diagnostics"][0]["count"], 20000);
  EXPECT_EQ(j["diagnostics"][1]["count"], 1);
  EXPECT_EQ(j["diagnostics"][2]["count"], 1999950);
  EXPECT_EQ(j["diagnostics"][2]["line"], 0);

  const json log = json::parse(come_sarif({riga, commento, riassunto}, "1.2.3"));
  const json& risultati = log["runs"][0]["results"];
  ASSERT_EQ(risultati.size(), 3u);
  EXPECT_EQ(risultati[0]["properties"]["count"], 20000);
  EXPECT_EQ(risultati[0]["message"]["text"], "no character\nand 19,999 more on this line");
  EXPECT_FALSE(risultati[1].contains("properties"));
  EXPECT_EQ(risultati[2]["properties"]["count"], 1999950);
}

TEST(DiagnosticJson, ParsesBackToEveryField) {
  Diagnostic d = errore_a("Citt\xC3\xA0/T.txt", 4, 3, 8);
  d.notes.push_back(DiagnosticNote{SourceSpan{"T.txt", 2, 1, 5}, "here"});
  d.help = {"use 44350", "or 44400"};
  Diagnostic avviso = errore_a("A.txt", 0, 0, 0);
  avviso.severity = Severity::warning;
  avviso.code = "unused-record";
  const json j = json::parse(come_json({d, avviso}));
  EXPECT_EQ(j["schema_version"], 1);
  ASSERT_EQ(j["diagnostics"].size(), 2u);
  EXPECT_EQ(j["diagnostics"][0]["file"], "A.txt") << "in file order";
  EXPECT_EQ(j["diagnostics"][0]["severity"], "warning");
  const json& e = j["diagnostics"][1];
  EXPECT_EQ(e["file"], "Citt\xC3\xA0/T.txt");
  EXPECT_EQ(e["line"], 4);
  EXPECT_EQ(e["column"], 3);
  EXPECT_EQ(e["end_column"], 8);
  EXPECT_EQ(e["severity"], "error");
  EXPECT_EQ(e["code"], "codice 8");
  EXPECT_EQ(e["message"], "off the grid");
  EXPECT_EQ(e["notes"], json::parse(R"([{"file": "T.txt", "line": 2, "column": 1,
                                          "end_column": 5, "message": "here"}])"));
  EXPECT_EQ(e["help"], json::parse(R"(["use 44350", "or 44400"])"));
  EXPECT_EQ(json::parse(come_json({}))["diagnostics"], json::array());
}

// A path that is not UTF-8 still gives a document a parser accepts.
TEST(DiagnosticJson, StaysUtf8) {
  for (const std::string& documento : {come_json({errore_a("Citt\xE0.txt", 1, 1, 2)}),
                                       come_sarif({errore_a("Citt\xE0.txt", 1, 1, 2)}, "1.2.3")}) {
    EXPECT_TRUE(json::accept(documento)) << documento;
  }
}

TEST(DiagnosticSarif, HoldsTheRequiredMembers) {
  Diagnostic d = errore_a("Dir/Prova 1-.txt", 4, 3, 8);
  d.notes.push_back(DiagnosticNote{SourceSpan{"Prova_linea.txt", 2, 1, 5}, "here"});
  d.help = {"use 44350"};
  Diagnostic altra = errore_a("Dir/Prova 1-.txt", 9, 0, 0);
  Diagnostic avviso = errore_a("Prova_linea.txt", 0, 0, 0);
  avviso.severity = Severity::warning;
  avviso.code = "unused-record";
  const json log = json::parse(come_sarif({d, altra, avviso}, "1.2.3"));
  EXPECT_TRUE(log.contains("$schema"));
  EXPECT_EQ(log["version"], "2.1.0");
  ASSERT_EQ(log["runs"].size(), 1u);
  const json& run = log["runs"][0];
  EXPECT_EQ(run["tool"]["driver"]["name"], "scenario-tool");
  EXPECT_EQ(run["tool"]["driver"]["version"], "1.2.3");
  const json& rules = run["tool"]["driver"]["rules"];
  ASSERT_EQ(rules.size(), 2u) << "one rule per code";
  ASSERT_EQ(run["results"].size(), 3u);

  const json& r = run["results"][0];
  EXPECT_EQ(r["ruleId"], "codice 8");
  EXPECT_EQ(rules[r["ruleIndex"].get<size_t>()]["id"], "codice 8");
  EXPECT_EQ(r["level"], "error");
  EXPECT_EQ(r["message"]["text"], "off the grid\nhelp: use 44350");
  const json& luogo = r["locations"][0]["physicalLocation"];
  EXPECT_EQ(luogo["artifactLocation"]["uri"], "Dir/Prova%201-.txt");
  EXPECT_EQ(luogo["region"], json::parse(R"({"startLine": 4, "startColumn": 3, "endColumn": 8})"));
  const json& nota = r["relatedLocations"][0];
  EXPECT_EQ(nota["message"]["text"], "here");
  EXPECT_EQ(nota["physicalLocation"]["region"]["startLine"], 2);

  EXPECT_EQ(run["results"][1]["locations"][0]["physicalLocation"]["region"],
            json::parse(R"({"startLine": 9})"))
      << "a whole line";
  EXPECT_EQ(run["results"][2]["level"], "warning");
  EXPECT_FALSE(run["results"][2]["locations"][0]["physicalLocation"].contains("region"))
      << "a whole file";
  EXPECT_EQ(json::parse(come_sarif({}, "1.2.3"))["runs"][0]["results"], json::array());
}

// An artifact's URI names the file the path names, whatever its folders are
// called: a reader that resolves it must not land in another folder.
TEST(DiagnosticSarif, ArtifactUrisAreReferencesToTheSameFile) {
  const auto uri = [](const std::string& percorso) {
    const json log = json::parse(come_sarif({errore_a(percorso, 1, 1, 2)}, "1.2.3"));
    return log["runs"][0]["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"]
              ["uri"]
                  .get<std::string>();
  };
  EXPECT_EQ(uri("/s/Citt\xC3\xA0 1/P_1-.txt"), "file:///s/Citt%C3%A0%201/P_1-.txt");
  EXPECT_EQ(uri("colon:x/P_1-.txt"), "./colon:x/P_1-.txt") << "not a scheme";
  EXPECT_EQ(uri("a/b:c/P_1-.txt"), "a/b:c/P_1-.txt");
  EXPECT_EQ(uri("100%/P#1?.txt"), "100%25/P%231%3F.txt");
#ifdef _WIN32
  EXPECT_EQ(uri("Dir\\P_1-.txt"), "Dir/P_1-.txt");
  EXPECT_EQ(uri("C:\\Dir\\P_1-.txt"), "file:///C:/Dir/P_1-.txt");
#else
  EXPECT_EQ(uri("back\\slash/P_1-.txt"), "back%5Cslash/P_1-.txt") << "a name's own character";
  EXPECT_EQ(uri("C:\\P_1-.txt"), "./C:%5CP_1-.txt");
#endif
}

}  // namespace
}  // namespace lorvenna
