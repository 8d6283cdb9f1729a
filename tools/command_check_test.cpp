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
  // The embedded texts with `da` replaced by `a` in one of them; false when
  // `da` is not there.
  bool modifica(bool in_linea, const std::string& da, const std::string& a) {
    std::string linea = testo_da_tabella(righe_linea());
    std::string treno = testo_da_tabella(righe_treno());
    std::string& testo = in_linea ? linea : treno;
    const size_t i = testo.find(da);
    if (i == std::string::npos) return false;
    testo.replace(i, da.size(), a);
    disco.write(nomi.linea_txt, linea);
    disco.write(nomi.treno_txt, treno);
    return true;
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

// Each fault is told at the record that holds it, saying what is wrong with
// that record; none of these was before.
TEST_F(CheckTest, EachFaultIsToldAtItsOwnRecord) {
  struct caso {
    bool in_linea;
    const char* da;
    const char* a;
    std::string dove;  // file:line:column code of the one finding
    std::string messaggio;
  };
  const caso casi[] = {
      {true, "cartello_indicatore,  67350,", "cartello_indicatore,  90000,",
       "dir/Prova_linea.txt:163:23 codice 15", "record at 90000 m lies beyond the track"},
      {true, "pendenza,  4250,   7", "pendenza,  4250", "dir/Prova_linea.txt:58:12 codice 25",
       "the record ends before all of its fields were read"},
      {false, "velocita,     700,    75", "velocita,     700,    2000",
       "dir/Prova_1-.txt:10:23 codice 25", "speed 2000 km/h does not fit a cell"},
      {true, "lunghezza percorso", "lunghezza percorzo", "dir/Prova_linea.txt:2:1 codice 25",
       "\"lunghezza percorzo\" is not \"lunghezza percorso\""},
      {true, "uno,    0,    32700", "uno,    0,    32725", "dir/Prova_linea.txt:3:40 codice 2",
       "section ending at 32725 m is off the 50 m grid"},
      {true, "indicatori_vmax,  700,", "indicatori_vmax,  0,",
       "dir/Prova_linea.txt:122:19 codice 1250", "the speed board here takes cell 1"},
      {false, "segnale,    7100,", "segnale,    0,", "dir/Prova_1-.txt:42:13 codice 15",
       "signal at 0 m stands too near the start of the track"},
      {false, "54250,    70,  200", "54250,    70,  -200", "dir/Prova_1-.txt:40:33 codice 19",
       "slowdown at 54250 m has a negative length, -200 m"},
      {false, "54250,    70,  200", "54250,    70,  90000", "dir/Prova_1-.txt:40:33 codice 15",
       "90000 m long, would end at 144250 m, past the track's end"},
  };
  for (const caso& c : casi) {
    ASSERT_TRUE(modifica(c.in_linea, c.da, c.a)) << c.da;
    EXPECT_EQ(controlla({"--format", "json"}), 1) << c.a;
    EXPECT_EQ(in_breve(uscita.str()), std::vector<std::string>{c.dove}) << c.a;
    const auto trovate = nlohmann::json::parse(uscita.str())["diagnostics"];
    if (trovate.size() != 1) continue;
    EXPECT_NE(trovate[0]["message"].get<std::string>().find(c.messaggio), std::string::npos)
        << trovate[0]["message"];
  }
}

// What the compile passes over in silence is a warning at its field: a
// misspelt keyword (with the keyword meant), a blank inside a number or
// before a unit. Blanks the texts use as separators say nothing.
TEST_F(CheckTest, WarnsOfWhatTheCompilePassesOverInSilence) {
  struct caso {
    bool in_linea;
    const char* da;
    const char* a;
    // file:line:column class of every finding: the warning, and what the
    // compile then makes of the record read otherwise; none for a correct edit.
    std::vector<std::string> attese;
    std::string aiuto;  // of the first finding
  };
  const caso casi[] = {
      {false,
       "stazione,   33900",
       "stazone,   33900",
       {"dir/Prova_1-.txt:27:1 unknown-keyword"},
       "did you mean `stazione`?"},
      {true,
       "pendenza,  27850,   -5",
       "27850,   -5",
       {"dir/Prova_linea.txt:91:1 unknown-keyword"},
       "a record starts with its keyword and a comma, such as `pendenza, 27850`"},
      {false,
       "velocita,    7000,",
       "velocita,    7 000,",
       {"dir/Prova_1-.txt:11:14 split-number"},
       "write the number without blanks: 7000"},
      // What follows the blank is said once, not again as a field too many.
      {false,
       "velocita,    7000,    90",
       "velocita,    7000,    90 km",
       {"dir/Prova_1-.txt:11:23 split-number"},
       ""},
      {false,
       "aderenza,   0,",
       "aderenza   0,",
       {"dir/Prova_1-.txt:7:12 missing-comma", "dir/Prova_1-.txt:7:18 codice 25"},
       "write `aderenza, 0`"},
      {false,
       "8, 7, 0, LEGNANO",
       "8, 7, 0",
       {"dir/Prova_1-.txt:30:70 missing-field"},
       "a `stazione` record has 17 fields after its keyword: position, type, length, option, "
       "code 4, code 3, value 1, value 2, code 1, value 3, value 4, value 5, code 2, hours, "
       "minutes, seconds, name"},
      {false,
       "velocita,     700,    75",
       "velocita,     700,    75, 3",
       {"dir/Prova_1-.txt:10:27 extra-field"},
       ""},
      {false,
       "velocita,   39850,   140",
       "velocita,   39850,,   140",
       {"dir/Prova_1-.txt:18:19 extra-field"},
       "one comma too many: a `velocita` record has 2 "
       "fields after its keyword: position, speed"},
      {false,
       "0, LEGNANO",
       "0, LEGNANO, CENTRO",
       {"dir/Prova_1-.txt:30:73 cut-text"},
       "a name holds no comma"},
      {true,
       "350,   (P.L.Km)(32+300)",
       "350,   ,",
       {"dir/Prova_linea.txt:141:30 empty-text"},
       "write the text as the record's last field"},
      {true,
       "pendenza,  450,   14",
       "pendenza,  450,   200",
       {"dir/Prova_linea.txt:55:19 wrapped-value"},
       "a gradient is -100 to 155 per mille"},
      {false,
       "velocita,     700,    75",
       "velocita,     700,    72",
       {"dir/Prova_1-.txt:10:23 rounded-value"},
       "a speed limit is 0 to 1275 km/h, in steps of 5"},
      {false,
       "orologio,    7               55",
       "orologio,    7               75",
       {"dir/Prova_1-.txt:5:30 out-of-range"},
       "a minute is 0 to 59"},
      {false,
       "velocita,   14800,",
       "velocita,   14750,    90\r\nvelocita,   14700,",
       {"dir/Prova_1-.txt:14:13 out-of-order"},
       "write the `velocita` records in increasing order of position"},
      {false,
       "segnale,   70900,",
       "segnale,   76500,",
       {"dir/Prova_1-.txt:68:12 beyond-route"},
       "positions on this route run from 0 to 76000 m (the \"lunghezza percorso\" record)"},
      {false, "Busto Scalo", "Busto Scalo  // nuova", {"dir/Prova_1-.txt:28:86 comment"}, ""},
      {true,
       "cartello_indicatore,  67350,",
       "cartello_indicatore,  66600,",
       {"dir/Prova_linea.txt:163:23 overwritten-mark"},
       "move the board to another cell, or the station"},
      {false, "velocita,    7000,", "velocita,    7000,", {}, ""},
  };
  for (const caso& c : casi) {
    ASSERT_TRUE(modifica(c.in_linea, c.da, c.a)) << c.da;
    controlla({"--format", "json"});
    EXPECT_EQ(in_breve(uscita.str()), c.attese) << c.a;
    const auto trovate = nlohmann::json::parse(uscita.str())["diagnostics"];
    if (trovate.empty() || c.attese.empty()) continue;
    EXPECT_EQ(trovate[0]["severity"], "warning") << c.a;
    if (!c.aiuto.empty()) {
      EXPECT_EQ(trovate[0]["help"][0], c.aiuto) << c.a;
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
            "   help: `scenario-tool explain 8` says more\n"
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

// How many times `parte` stands in `s`.
size_t volte(const std::string& s, const std::string& parte) {
  size_t n = 0;
  for (size_t i = s.find(parte); i != std::string::npos; i = s.find(parte, i + parte.size())) ++n;
  return n;
}

// A line of 5,000 bytes that form no UTF-8 character was 5,000 errors, each
// quoting the whole line with a caret as long as its column: 25 MB of
// output. It is one error that counts them, its line cut around the caret.
TEST_F(CheckTest, ALineOfManyFaultsIsToldOnce) {
  ASSERT_TRUE(modifica(true, "[fine]", std::string(5000, '\xFF') + "\r\n[fine]"));
  EXPECT_EQ(controlla({"--encoding", "utf-8"}), 1);
  const std::string testo = uscita.str();
  EXPECT_EQ(volte(testo, "[encoding]"), 1u) << testo;
  EXPECT_NE(testo.find("   = note: and 4,999 more on this line\n"), std::string::npos) << testo;
  EXPECT_NE(testo.find(" | " + std::string(100, '?') + "...\n"), std::string::npos) << testo;
  EXPECT_TRUE(testo.ends_with("5,000 errors, 0 warnings\n")) << testo;
  EXPECT_LT(testo.size(), 1000u);

  EXPECT_EQ(controlla({"--encoding", "utf-8", "--format", "json"}), 1);
  const auto j = nlohmann::json::parse(uscita.str())["diagnostics"];
  ASSERT_EQ(j.size(), 1u);
  EXPECT_EQ(j[0]["code"], "encoding");
  EXPECT_EQ(j[0]["count"], 5000);
  EXPECT_EQ(controlla({"--encoding", "utf-8", "--format", "sarif"}), 1);
  const auto r = nlohmann::json::parse(uscita.str())["runs"][0]["results"];
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0]["properties"]["count"], 5000);

  // The same line in UTF-16, lone surrogates each, with no option.
  std::string utf16 = "\xFF\xFE";
  for (char c : testo_da_tabella(righe_linea())) utf16 += std::string{c, '\0'};  // ASCII
  const std::string fine("[\0f\0i\0n\0e\0]\0", 12);
  std::string surrogati;
  for (int i = 0; i < 3000; ++i) surrogati += std::string("\x00\xDC", 2);
  utf16.insert(utf16.rfind(fine), surrogati + std::string("\r\0\n\0", 4));
  disco.write(nomi.linea_txt, utf16);
  disco.write(nomi.treno_txt, testo_da_tabella(righe_treno()));
  EXPECT_EQ(controlla(), 1);
  EXPECT_EQ(volte(uscita.str(), "[encoding]"), 1u) << uscita.str();
  EXPECT_NE(uscita.str().find("= note: and 2,999 more on this line"), std::string::npos);
  EXPECT_TRUE(uscita.str().ends_with("3,000 errors, 1 warning\n")) << uscita.str();
}

// 3,000 comment lines were 6,000 warnings (each line is a comment and an
// unknown keyword). Each class shows its first 50 lines and counts the
// rest; the count at the end, the exit status and the options see them all.
TEST_F(CheckTest, ManyFindingsOfAClassAreCountedPastTheFirst) {
  std::string commenti;
  for (int i = 0; i < 3000; ++i) commenti += "# x\r\n";
  ASSERT_TRUE(modifica(true, "[fine]", commenti + "[fine]"));
  EXPECT_EQ(controlla(), 0);
  const std::string testo = uscita.str();
  EXPECT_EQ(volte(testo, "[comment]\n"), 51u);
  EXPECT_EQ(volte(testo, "[unknown-keyword]\n"), 51u);
  EXPECT_NE(testo.find("dir/Prova_linea.txt: warning: 2,950 more `comment` warnings in this text "
                       "are not shown [comment]\n"),
            std::string::npos)
      << testo;
  EXPECT_TRUE(testo.ends_with("0 errors, 6,000 warnings\n")) << testo;

  EXPECT_EQ(controlla({"--format", "json"}), 0);
  const auto j = nlohmann::json::parse(uscita.str())["diagnostics"];
  EXPECT_EQ(j.size(), 102u);
  size_t quante = 0;
  for (const auto& d : j) quante += d["count"].get<size_t>();
  EXPECT_EQ(quante, 6000u);
  EXPECT_GT(j[99]["line"], 0);
  EXPECT_EQ(j[100]["line"], 0) << "the summaries follow the text's findings";
  EXPECT_EQ(j[101]["line"], 0);

  EXPECT_EQ(controlla({"--warnings-as-errors"}), 1);
  EXPECT_TRUE(uscita.str().ends_with("6,000 errors, 0 warnings\n")) << uscita.str();
  EXPECT_EQ(controlla({"--no-warn", "comment"}), 0);
  EXPECT_EQ(volte(uscita.str(), "[comment]"), 0u);
  EXPECT_TRUE(uscita.str().ends_with("0 errors, 3,000 warnings\n")) << uscita.str();
  EXPECT_EQ(controlla({"--no-warn", "comment", "--no-warn", "unknown-keyword"}), 0);
  EXPECT_EQ(uscita.str(), "");
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
  struct caso {
    std::vector<std::string> argomenti;
    std::string motivo;
  };
  const caso casi[] = {
      {{"--format", "xml"}, "--format takes text, json or sarif, not \"xml\""},
      {{"--format"}, "--format needs a value"},
      {{"--no-warn"}, "--no-warn needs a value (CLASS)"},
      {{"--warnings-as-errors=yes"}, "--warnings-as-errors takes no value"},
      {{"--no-warn", "comments"}, "--no-warn takes encoding, bom, comment, "},
      {{"--no-warn", "comments"}, " or overwritten-mark, not \"comments\""},
      {{"--encoding", "latin-1"}, "--encoding takes windows-1252 or utf-8, not \"latin-1\""},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(controlla(c.argomenti), 64);
    EXPECT_NE(errori.str().find(c.motivo), std::string::npos) << errori.str();
    EXPECT_NE(errori.str().find("usage: scenario-tool check DIR"), std::string::npos);
    EXPECT_EQ(uscita.str(), "");
  }
}

}  // namespace
}  // namespace lorvenna
