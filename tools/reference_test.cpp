#include "check/reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "check/text_warnings.h"
#include "compiler/fault_catalogue.h"
#include "compiler/record_catalogue.h"
#include "driver/file_names.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"
#include "tools/scenario_tool.h"

namespace lorvenna {
namespace {

const std::vector<voce_riferimento>& voci() {
  static const std::vector<voce_riferimento> v = voci_riferimento(testo_riferimento());
  return v;
}

// Every code the compile can leave, by its catalogue entry.
std::vector<std::string> codici() {
  std::vector<std::string> c;
  for (const voce_guasto& v : catalogo_guasti()) {
    if (v.c != codice::nessuno) c.push_back(std::to_string(numero(v.c)));
  }
  return c;
}

std::set<std::string> argomenti(tipo_voce t) {
  std::set<std::string> a;
  for (const voce_riferimento& v : voci()) {
    if (v.tipo == t) a.insert(v.argomento);
  }
  return a;
}

// A finding's link reaches its code's heading: "### Code 16" is the anchor
// "code-16", as a Markdown renderer makes it.
TEST(ReferenceTest, EachCodesAnchorIsItsHeadings) {
  std::ifstream in(LORVENNA_SOURCE_DIR "/docs/reference.md");
  std::set<std::string> ancore;
  for (std::string riga; std::getline(in, riga);) {
    if (!riga.starts_with("### Code ")) continue;
    std::string a = riga.substr(4);
    for (char& c : a) c = c == ' ' ? '-' : static_cast<char>(std::tolower(c));
    ancore.insert(a);
  }
  for (const voce_guasto& v : catalogo_guasti()) {
    if (v.c == codice::nessuno) continue;
    EXPECT_TRUE(ancore.contains(ancora_codice(numero(v.c)))) << "code " << v.c;
  }
}

// Each record keyword of both rule tables, with its fields by name and in
// order, each fault code and each warning class has its entry, and no
// entry names one the code lacks.
TEST(ReferenceTest, HasAnEntryForEachRecordCodeAndClassAndNoOther) {
  ASSERT_FALSE(voci().empty());
  const std::pair<tipo_voce, std::vector<record_noto>> tabelle[] = {
      {tipo_voce::record_linea, record_della_linea()},
      {tipo_voce::record_treno, record_del_treno()}};
  for (const auto& tabella : tabelle) {
    const tipo_voce tipo = tabella.first;
    const std::vector<record_noto>& record = tabella.second;
    std::set<std::string> attesi;
    for (const record_noto& r : record) {
      attesi.insert(std::string(r.nome));
      const auto v = std::find_if(voci().begin(), voci().end(), [&](const voce_riferimento& x) {
        return x.tipo == tipo && x.argomento == r.nome;
      });
      if (v == voci().end()) {
        ADD_FAILURE() << "no entry for the record `" << r.nome << "`";
        continue;
      }
      std::vector<std::string> nomi;
      for (const campo_record& c : r.campi) nomi.emplace_back(c.nome);
      std::vector<std::string> scritti;
      for (const campo_della_voce& c : campi_della_voce(v->testo)) scritti.push_back(c.nome);
      EXPECT_EQ(scritti, nomi) << "the fields of `" << r.nome << "`";
    }
    EXPECT_EQ(argomenti(tipo), attesi);
  }
  const std::vector<std::string> c = codici();
  EXPECT_EQ(argomenti(tipo_voce::codice), std::set<std::string>(c.begin(), c.end()));
  EXPECT_EQ(argomenti(tipo_voce::avviso),
            std::set<std::string>(kClassiAvviso.begin(), kClassiAvviso.end()));
}

// The example line of each record entry is a line of the embedded texts,
// which check clean, or checks without an error put in the place of their
// first record of its kind (added, for a kind they lack).
TEST(ReferenceTest, EachRecordsExampleChecksWithoutError) {
  for (const voce_riferimento& v : voci()) {
    const bool linea = v.tipo == tipo_voce::record_linea;
    if (!linea && v.tipo != tipo_voce::record_treno) continue;
    const size_t esempio = v.testo.find("Example:");
    ASSERT_NE(esempio, std::string_view::npos) << v.argomento << " has no example";
    const size_t blocco = v.testo.find("```", esempio);
    const size_t inizio = v.testo.find('\n', blocco) + 1;
    const size_t fine = v.testo.find('\n', inizio);
    ASSERT_NE(blocco, std::string_view::npos) << v.argomento;
    const std::string riga(v.testo.substr(inizio, fine - inizio));

    std::string testo = testo_da_tabella(linea ? righe_linea() : righe_treno());
    // A line of the embedded texts is read as they are, and they check clean.
    if (testo.find("\n" + riga + "\r\n") != std::string::npos) continue;
    size_t posto = std::string::npos;
    for (size_t da = 0; da < testo.size(); da = testo.find('\n', da) + 1) {
      const std::string_view campo = std::string_view(testo).substr(da, testo.find(',', da) - da);
      if (campo.find('\n') == std::string_view::npos && campo.find(v.argomento) == 0) {
        posto = da;
        break;
      }
      if (testo.find('\n', da) == std::string::npos) break;
    }
    if (posto == std::string::npos) {
      testo.insert(testo.rfind("[fine]"), riga + "\r\n");
    } else {
      testo.replace(posto, testo.find("\r\n", posto) - posto, riga);
    }
    MemoryFileSystem disco;
    testing::FakePlatform p;
    disco.create_folder("dir");
    const nomi_file nomi = nomi_file_per("dir", "Prova", "1");
    disco.write(nomi.linea_txt, linea ? testo : testo_da_tabella(righe_linea()));
    disco.write(nomi.treno_txt, linea ? testo_da_tabella(righe_treno()) : testo);
    std::ostringstream uscita, errori;
    EXPECT_EQ(esegui_scenario_tool(
                  {"check", "dir", "--scenario", "Prova", "--train", "1", "--format", "json"},
                  disco, p, uscita, errori),
              0)
        << v.argomento << ": " << riga << "\n"
        << uscita.str() << errori.str();
  }
}

// The quick reference, a page of its own, is held to the same tables: a
// row per record with its fields in order, a line per code and per class.
TEST(ReferenceTest, TheQuickReferenceListsWhatTheParsersRead) {
  std::ifstream in(LORVENNA_SOURCE_DIR "/docs/quick-reference.md");
  std::map<std::string, std::vector<std::string>> righe;
  std::set<std::string> elencati;
  for (std::string riga; std::getline(in, riga);) {
    if (riga.starts_with("| `")) {
      // | `keyword` | `field`, `field` | note |
      const size_t fine_parola = riga.find('`', 3);
      const std::string parola = riga.substr(3, fine_parola - 3);
      const size_t colonna = riga.find('|', fine_parola);
      const std::string campi = riga.substr(colonna + 1, riga.find('|', colonna + 1) - colonna - 1);
      std::vector<std::string>& nomi = righe[parola];
      for (size_t a = campi.find('`'); a != std::string::npos; a = campi.find('`', a + 1)) {
        const size_t b = campi.find('`', a + 1);
        nomi.push_back(campi.substr(a + 1, b - a - 1));
        a = b;
      }
    } else if (riga.starts_with("- ")) {
      // - 16: ...   or   - `class`: ...
      const size_t due_punti = riga.find(':');
      std::string voce = riga.substr(2, due_punti - 2);
      if (voce.size() >= 2 && voce.front() == '`') voce = voce.substr(1, voce.size() - 2);
      elencati.insert(voce);
    }
  }
  ASSERT_FALSE(righe.empty()) << "docs/quick-reference.md not found in " LORVENNA_SOURCE_DIR;
  std::map<std::string, std::vector<std::string>> attese;
  for (const auto& tabella : {record_della_linea(), record_del_treno()}) {
    for (const record_noto& r : tabella) {
      std::vector<std::string>& nomi = attese[std::string(r.nome)];
      for (const campo_record& c : r.campi) nomi.emplace_back(c.nome);
    }
  }
  EXPECT_EQ(righe, attese);
  std::set<std::string> voci_attese(kClassiAvviso.begin(), kClassiAvviso.end());
  for (const std::string& c : codici()) voci_attese.insert(c);
  EXPECT_EQ(elencati, voci_attese);
}

TEST(ReferenceTest, ExplainFindsEachKindOfTopic) {
  struct caso {
    std::vector<std::string> argomenti;
    int stato;
    std::string inizio;  // of standard output, or of standard error for a failure
  };
  const caso casi[] = {
      {{"explain", "16"}, 0, "### Code 16\n"},
      {{"explain", "segnale"}, 0, "### `segnale`\n"},
      {{"explain", "curvas1"}, 0, "### `curva`\n"},
      {{"explain", "Split-Number"}, 0, "### `split-number`\n"},
      {{"explain"}, 0, "Records of the line description:\n  lunghezza percorso, "},
      {{"explain", "codice 16"}, 0, "### Code 16\n"},
      {{"explain", " [Codice 16] "}, 0, "### Code 16\n"},
      {{"explain", "99"}, 1, "scenario-tool: no entry for \"99\""},
      {{"explain", "\033[31mx"}, 1, "scenario-tool: no entry for \"\\x1B[31mx\""},
      {{"explain", "16", "17"}, 64, "scenario-tool: unexpected argument \"17\""},
  };
  for (const caso& c : casi) {
    MemoryFileSystem disco;
    testing::FakePlatform p;
    std::ostringstream uscita, errori;
    EXPECT_EQ(esegui_scenario_tool(c.argomenti, disco, p, uscita, errori), c.stato)
        << c.argomenti.back();
    const std::string detto = c.stato == 0 ? uscita.str() : errori.str();
    EXPECT_EQ(detto.substr(0, c.inizio.size()), c.inizio) << detto;
  }
}

}  // namespace
}  // namespace lorvenna
