#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "driver/file_names.h"
#include "encoding/windows1252.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"
#include "tools/scenario_tool.h"

namespace lorvenna {
namespace {

// "FILE:LINE:COLUMN CODE" for each finding of a JSON document.
std::vector<std::string> in_breve(const std::string& json) {
  std::vector<std::string> s;
  const auto trovate = nlohmann::json::parse(json)["diagnostics"];
  for (const auto& d : trovate) {
    s.push_back(d["file"].get<std::string>() + ":" + std::to_string(d["line"].get<int>()) + ":" +
                std::to_string(d["column"].get<int>()) + " " + d["code"].get<std::string>());
  }
  return s;
}

class CheckTest : public ::testing::Test {
 protected:
  CheckTest() {
    disco.create_folder("dir");
    disco.write(nomi.linea_txt, testo_da_tabella(righe_linea()));
    disco.write(nomi.treno_txt, testo_da_tabella(righe_treno()));
  }
  int esegui(std::vector<std::string> argomenti) {
    uscita.str("");
    errori.str("");
    const int stato = esegui_scenario_tool(argomenti, disco, p, uscita, errori);
    uscita.str(con_barra(uscita.str()));
    errori.str(con_barra(errori.str()));
    return stato;
  }
  // The expectations write the folder as "dir/"; where the system joins
  // names with a backslash (escaped again in JSON), the output is read so.
  static std::string con_barra(std::string s) {
    const std::string cartella = join_path("dir", "");
    if (cartella == "dir/") return s;
    for (const std::string& da : {std::string("dir\\\\"), cartella}) {
      for (size_t i = s.find(da); i != std::string::npos; i = s.find(da, i + 4)) {
        s.replace(i, da.size(), "dir/");
      }
    }
    return s;
  }
  int controlla(std::vector<std::string> altri = {}) {
    std::vector<std::string> a = {"check", "dir", "--scenario", "Prova", "--train", "1"};
    a.insert(a.end(), altri.begin(), altri.end());
    return esegui(a);
  }
  // Moves one station of the embedded train text off the 50 m grid.
  void stazione_fuori_passo() {
    std::string t = testo_da_tabella(righe_treno());
    const size_t a = t.find("33900");
    ASSERT_NE(a, std::string::npos);
    t.replace(a, 5, "33925");
    disco.write(nomi.treno_txt, t);
  }

  MemoryFileSystem disco;
  testing::FakePlatform p;
  nomi_file nomi = nomi_file_per("dir", "Prova", "1");
  std::ostringstream uscita, errori;
};

TEST_F(CheckTest, TheEmbeddedTextsAreCleanAndNothingIsWritten) {
  EXPECT_EQ(controlla(), 0);
  EXPECT_EQ(uscita.str(), "");
  EXPECT_EQ(errori.str(), "");
  EXPECT_EQ(controlla({"--format", "json"}), 0);
  EXPECT_EQ(nlohmann::json::parse(uscita.str())["diagnostics"], nlohmann::json::array());
  EXPECT_EQ(controlla({"--format=sarif", "--warnings-as-errors", "--no-warn", "bom",
                       "--no-warn=comment"}),
            0);
  EXPECT_EQ(nlohmann::json::parse(uscita.str())["runs"][0]["results"], nlohmann::json::array());
  EXPECT_FALSE(disco.exists(nomi.treno_dat));
  EXPECT_FALSE(disco.exists(nomi.scenario_sim));
  EXPECT_FALSE(disco.exists(nomi.linea_dat));
  EXPECT_TRUE(disco.exists(nomi.linea_txt));
  EXPECT_TRUE(disco.exists(nomi.treno_txt));
}

// One run finds every independent mistake of both texts, each at its own
// record: two in the line text and two in the train text, where the
// compile itself stops at the first.
TEST_F(CheckTest, FindsEveryIndependentMistakeInOneRun) {
  auto cambia = [](std::string t, const std::string& da, const std::string& a) {
    const size_t i = t.find(da);
    EXPECT_NE(i, std::string::npos) << da;
    return t.replace(i, da.size(), a);
  };
  std::string linea = testo_da_tabella(righe_linea());
  linea = cambia(linea, "pendenza,  450,   14", "pendenza,  45x,   14");
  linea = cambia(linea, "pendenza,  4250,   7", "pendenza,  4250");
  disco.write(nomi.linea_txt, linea);
  std::string treno = cambia(testo_da_tabella(righe_treno()), "33900", "33925");
  treno = cambia(treno, "velocita,     700,    75", "velocita,     700,    7a5");
  disco.write(nomi.treno_txt, treno);

  EXPECT_EQ(controlla({"--format", "json"}), 1);
  const auto trovate = nlohmann::json::parse(uscita.str())["diagnostics"];
  std::vector<std::string> dove;
  for (const auto& d : trovate) {
    dove.push_back(d["file"].get<std::string>() + ":" + std::to_string(d["line"].get<int>()) + ":" +
                   std::to_string(d["column"].get<int>()) + "-" +
                   std::to_string(d["end_column"].get<int>()) + " " + d["code"].get<std::string>());
  }
  EXPECT_EQ(dove, (std::vector<std::string>{
                      "dir/Prova_1-.txt:10:23-26 codice 25",
                      "dir/Prova_1-.txt:27:13-18 codice 8",
                      "dir/Prova_linea.txt:55:12-15 codice 25",
                      "dir/Prova_linea.txt:58:12-16 codice 25",
                  }));
  EXPECT_EQ(trovate[3]["message"], "the record ends before all of its fields were read");
}

// What the compile passes over in silence is a warning at its field: a
// misspelt keyword (with the keyword meant), a blank inside a number or
// before a unit. Blanks the texts use as separators say nothing.
TEST_F(CheckTest, WarnsOfWhatTheCompilePassesOverInSilence) {
  struct Caso {
    const char* da;
    const char* a;
    std::string atteso;  // file:line:column class of the first finding, or "" for none
    std::string aiuto;
  };
  const Caso casi[] = {
      {"stazione,   33900", "stazone,   33900", "dir/Prova_1-.txt:27:1 unknown-keyword",
       "did you mean `stazione`?"},
      {"velocita,    7000,", "velocita,    7 000,", "dir/Prova_1-.txt:11:14 split-number",
       "write the number without blanks: 7000"},
      // What follows the blank is said once, not again as a field too many.
      {"velocita,    7000,    90", "velocita,    7000,    90 km",
       "dir/Prova_1-.txt:11:23 split-number", ""},
      {"velocita,    7000,", "velocita,    7000,", "", ""},
  };
  for (const Caso& c : casi) {
    std::string treno = testo_da_tabella(righe_treno());
    const size_t i = treno.find(c.da);
    ASSERT_NE(i, std::string::npos) << c.da;
    treno.replace(i, std::string(c.da).size(), c.a);
    disco.write(nomi.treno_txt, treno);
    EXPECT_EQ(controlla({"--format", "json"}), 0) << c.a;
    const auto trovate = nlohmann::json::parse(uscita.str())["diagnostics"];
    if (c.atteso.empty()) {
      EXPECT_TRUE(trovate.empty()) << uscita.str();
      continue;
    }
    ASSERT_EQ(trovate.size(), 1u) << uscita.str();
    const auto& d = trovate[0];
    EXPECT_EQ(d["file"].get<std::string>() + ":" + std::to_string(d["line"].get<int>()) + ":" +
                  std::to_string(d["column"].get<int>()) + " " + d["code"].get<std::string>(),
              c.atteso);
    EXPECT_EQ(d["severity"], "warning");
    if (!c.aiuto.empty()) {
      EXPECT_EQ(d["help"][0], c.aiuto);
    }
  }
}

// A collision names the record that took the cell first, at its own
// place, even when it stands in the other text.
TEST_F(CheckTest, ACollisionNamesTheRecordThatTookTheCell) {
  std::string linea = testo_da_tabella(righe_linea());
  const std::string tavola = "indicatori_vmax,  7000,  90,  95,  95,  0,  ,  ,  ,  0";
  const size_t i = linea.find(tavola);
  ASSERT_NE(i, std::string::npos);
  linea.insert(i + tavola.size() + 2, "indicatori_vmax,  7010,  90,  95,  95,  0,  ,  ,  ,  0\r\n");
  disco.write(nomi.linea_txt, linea);
  std::string treno = testo_da_tabella(righe_treno());
  const size_t s = treno.find("segnale,    7100,");
  ASSERT_NE(s, std::string::npos);
  treno.insert(s, "segnale,    7000,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n");
  disco.write(nomi.treno_txt, treno);

  EXPECT_EQ(controlla({"--format", "json"}), 1);
  const auto trovate = nlohmann::json::parse(uscita.str())["diagnostics"];
  ASSERT_EQ(trovate.size(), 2u) << uscita.str();
  for (const auto& d : trovate) {
    ASSERT_EQ(d["notes"].size(), 1u) << d.dump();
    EXPECT_EQ(d["notes"][0]["file"], "dir/Prova_linea.txt") << d.dump();
    EXPECT_EQ(d["notes"][0]["line"], 123) << d.dump();
    EXPECT_EQ(d["notes"][0]["column"], 19) << d.dump();
  }
}

// check shows the record at fault in each form, and compile shows it the
// same way, beside its own report.
TEST_F(CheckTest, ABrokenRecordIsShownWhereItIs) {
  stazione_fuori_passo();
  EXPECT_EQ(controlla(), 1);
  const std::string testo = uscita.str();
  EXPECT_EQ(testo,
            "dir/Prova_1-.txt:27:13: error: station at 33925 m is off the 50 m grid [codice 8]\n"
            "   27 | stazione,   33925, 11,  800,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
            "Gallarate Scalo\n"
            "      |             ^~~~~\n"
            "   help: use 33900 or 33950\n"
            "1 error, 0 warnings\n");
  EXPECT_EQ(errori.str(), "");

  EXPECT_EQ(controlla({"--format", "json"}), 1);
  const auto j = nlohmann::json::parse(uscita.str())["diagnostics"];
  ASSERT_EQ(j.size(), 1u);
  EXPECT_EQ(j[0]["line"], 27);
  EXPECT_EQ(j[0]["code"], "codice 8");
  EXPECT_EQ(controlla({"--format", "sarif"}), 1);
  EXPECT_EQ(nlohmann::json::parse(uscita.str())["runs"][0]["results"][0]["ruleId"], "codice 8");
  EXPECT_FALSE(disco.exists(nomi.treno_dat)) << "check writes nothing";

  EXPECT_EQ(esegui({"compile", "dir", "--scenario", "Prova", "--train", "1", "--write-on-error"}),
            1);
  EXPECT_EQ(uscita.str(), "codice_errore=8 posizione_errore=33925\n");
  EXPECT_EQ(errori.str(), testo);
}

// A text saved with a byte-order mark, or as UTF-8 when the author says
// so, is compiled as the Windows-1252 it stands for, and the findings'
// columns count its characters.
TEST_F(CheckTest, ATextInAnotherEncodingIsCheckedConverted) {
  std::string treno = testo_da_tabella(righe_treno());
  treno.replace(treno.find("33900"), 5, "33925");
  treno.replace(treno.find("Gallarate Scalo"), 15, "Gallar\xE0te Scalo");
  const std::string utf8 = windows1252_a_utf8(treno);
  std::string utf16be = "\xFE\xFF";
  for (char c : testo_da_tabella(righe_linea())) utf16be += {'\0', c};  // ASCII alone

  disco.write(nomi.linea_txt, utf16be);
  disco.write(nomi.treno_txt, "\xEF\xBB\xBF" + utf8);
  EXPECT_EQ(controlla({"--format", "json"}), 1);
  EXPECT_EQ(in_breve(uscita.str()),
            (std::vector<std::string>{"dir/Prova_1-.txt:0:0 bom", "dir/Prova_1-.txt:27:13 codice 8",
                                      "dir/Prova_linea.txt:0:0 bom"}));
  EXPECT_EQ(controlla(), 1);
  EXPECT_NE(uscita.str().find("27:13: error: station at 33925 m is off the 50 m grid (columns "
                              "count characters of the text converted from UTF-8) [codice 8]\n"
                              "   27 | stazione,   33925, 11,  800,  0, 0, 0,  1,1,0,  4,1,1,    "
                              "0,   0, 0, 0, Gallar\xC3\xA0te Scalo\n"),
            std::string::npos)
      << uscita.str();
  EXPECT_NE(uscita.str().find("text starts with a UTF-16BE byte-order mark"), std::string::npos);

  // Without a mark, UTF-8 is read as Windows-1252 unless the author says otherwise.
  disco.write(nomi.linea_txt, testo_da_tabella(righe_linea()));
  disco.write(nomi.treno_txt, utf8);
  EXPECT_EQ(controlla({"--format", "json"}), 1);
  EXPECT_EQ(in_breve(uscita.str()), (std::vector<std::string>{"dir/Prova_1-.txt:27:13 codice 8",
                                                              "dir/Prova_1-.txt:27:73 encoding"}));
  EXPECT_EQ(controlla({"--format", "json", "--encoding", "utf-8"}), 1);
  EXPECT_EQ(in_breve(uscita.str()), (std::vector<std::string>{"dir/Prova_1-.txt:27:13 codice 8"}));

  // A character that Windows-1252 lacks is an error at its column in characters.
  std::string omega = utf8;
  omega.replace(omega.find("Scalo"), 1, "\xCE\xA9");
  disco.write(nomi.treno_txt, omega);
  EXPECT_EQ(controlla({"--format", "json", "--encoding=utf-8"}), 1);
  const auto j = nlohmann::json::parse(uscita.str())["diagnostics"];
  EXPECT_EQ(in_breve(uscita.str()), (std::vector<std::string>{"dir/Prova_1-.txt:27:13 codice 8",
                                                              "dir/Prova_1-.txt:27:83 encoding"}));
  EXPECT_EQ(j[1]["severity"], "error");
  EXPECT_EQ(j[1]["message"],
            "`\xCE\xA9` (U+03A9) has no Windows-1252 form; the check reads `?` in its place "
            "(columns count characters of the text converted from UTF-8)");
}

TEST_F(CheckTest, AMissingTextIsNamed) {
  disco.remove(nomi.treno_txt);
  EXPECT_EQ(controlla(), 2);
  EXPECT_EQ(uscita.str(), "");
  EXPECT_EQ(errori.str(),
            "scenario-tool: the train description text \"dir/Prova_1-.txt\" does not exist\n");
  disco.remove(nomi.linea_txt);
  EXPECT_EQ(controlla(), 2);
  EXPECT_NE(errori.str().find("line description text \"dir/Prova_linea.txt\""), std::string::npos)
      << errori.str();
}

TEST_F(CheckTest, UsageErrors) {
  struct Caso {
    std::vector<std::string> argomenti;
    std::string motivo;
  };
  const Caso casi[] = {
      {{"--format", "xml"}, "--format takes text, json or sarif, not \"xml\""},
      {{"--format"}, "--format needs a value"},
      {{"--no-warn"}, "--no-warn needs a value (CLASS)"},
      {{"--warnings-as-errors=yes"}, "--warnings-as-errors takes no value"},
      {{"--no-warn", "comments"}, "--no-warn takes encoding, bom, comment, "},
      {{"--no-warn", "comments"}, " or beyond-route, not \"comments\""},
      {{"--encoding", "latin-1"}, "--encoding takes windows-1252 or utf-8, not \"latin-1\""},
  };
  for (const Caso& c : casi) {
    EXPECT_EQ(controlla(c.argomenti), 64);
    EXPECT_NE(errori.str().find(c.motivo), std::string::npos) << errori.str();
    EXPECT_NE(errori.str().find("usage: scenario-tool check DIR"), std::string::npos);
    EXPECT_EQ(uscita.str(), "");
  }
}

}  // namespace
}  // namespace lorvenna
