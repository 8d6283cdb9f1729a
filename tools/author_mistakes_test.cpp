// Holds `scenario-tool check` to a corpus of edits an author makes to the
// embedded texts (tools/testdata/author_mistakes.tsv): each mistake must be
// found at the field the author broke, and each correct edit must draw no
// finding. The corpus says what an author wants, not what the tool prints.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "driver/file_names.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"
#include "tools/scenario_tool.h"

namespace lorvenna {
namespace {

struct modifica {
  std::string id;
  std::string testo;  // "linea" or "treno"
  std::string da;
  std::string a;
  std::string attesa;  // "LINE:COLUMN", "file" or "clean"
};

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The corpus writes line breaks, tabs and Windows-1252 bytes as escapes,
// so that each edit stays on one row of the table.
std::string senza_escape(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      r += s[i];
      continue;
    }
    const char c = s[++i];
    if (c == 'r') {
      r += '\r';
    } else if (c == 'n') {
      r += '\n';
    } else if (c == 't') {
      r += '\t';
    } else if (c == 'x' && i + 2 < s.size() && cifra_esadecimale(s[i + 1]) >= 0 &&
               cifra_esadecimale(s[i + 2]) >= 0) {
      r += static_cast<char>(cifra_esadecimale(s[i + 1]) * 16 + cifra_esadecimale(s[i + 2]));
      i += 2;
    } else {
      r += c;
    }
  }
  return r;
}

std::vector<std::string> colonne(const std::string& riga) {
  std::vector<std::string> c;
  std::istringstream in(riga);
  for (std::string campo; std::getline(in, campo, '\t');) c.push_back(campo);
  return c;
}

std::vector<modifica> leggi_corpus(const std::string& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  std::vector<modifica> m;
  for (std::string riga; std::getline(in, riga);) {
    if (riga.empty() || riga[0] == '#') continue;
    const auto c = colonne(riga);
    if (c.size() < 5) {
      ADD_FAILURE() << "corpus row with " << c.size() << " columns: " << riga;
      continue;
    }
    m.push_back({c[0], c[1], senza_escape(c[2]), senza_escape(c[3]), c[4]});
  }
  return m;
}

struct trovata {
  std::string file;
  int riga;
  int colonna;
  std::string codice;
  // Where its notes point: a collision is told at the record that finds
  // the cell taken, with a note at the one that took it, and either may be
  // the one the author edited.
  std::vector<std::tuple<std::string, int, int>> note = {};
};

// The first few findings, enough to see where the check pointed; a mistake
// that upsets every record after it would otherwise fill a screen.
std::string descrivi(const std::vector<trovata>& trovate) {
  constexpr size_t kMostrate = 4;
  if (trovate.empty()) return "nothing";
  std::string s;
  for (size_t i = 0; i < trovate.size() && i < kMostrate; ++i) {
    const trovata& t = trovate[i];
    if (!s.empty()) s += ", ";
    s += t.file + ":" + std::to_string(t.riga) + ":" + std::to_string(t.colonna) + " " + t.codice;
  }
  if (trovate.size() > kMostrate) {
    s += " and " + std::to_string(trovate.size() - kMostrate) + " more";
  }
  return s;
}

class AuthorMistakesTest : public ::testing::Test {
 protected:
  // The findings of `check --format json` on the embedded texts with `m`
  // applied; false when `m.da` is not found exactly once.
  bool controlla(const modifica& m, std::vector<trovata>& trovate) {
    std::string linea = testo_da_tabella(righe_linea());
    std::string treno = testo_da_tabella(righe_treno());
    std::string& t = m.testo == "linea" ? linea : treno;
    const size_t i = t.find(m.da);
    if (m.da.empty() || i == std::string::npos || t.find(m.da, i + 1) != std::string::npos) {
      return false;
    }
    t.replace(i, m.da.size(), m.a);
    MemoryFileSystem disco;
    disco.create_folder("dir");
    disco.write(nomi.linea_txt, linea);
    disco.write(nomi.treno_txt, treno);
    testing::FakePlatform p;
    std::ostringstream uscita, errori;
    esegui_scenario_tool(
        {"check", "dir", "--scenario", "Prova", "--train", "1", "--format", "json"}, disco, p,
        uscita, errori);
    const auto json = nlohmann::json::parse(uscita.str(), nullptr, false);
    if (json.is_discarded()) {
      trovate.push_back({"(no JSON: " + errori.str() + ")", 0, 0, ""});
      return true;
    }
    for (const auto& d : json["diagnostics"]) {
      trovate.push_back({d["file"].get<std::string>(), d["line"].get<int>(), d["column"].get<int>(),
                         d["code"].get<std::string>()});
      for (const auto& n : d["notes"]) {
        trovate.back().note.emplace_back(n["file"].get<std::string>(), n["line"].get<int>(),
                                         n["column"].get<int>());
      }
    }
    return true;
  }

  const nomi_file nomi = nomi_file_per("dir", "Prova", "1");
};

// Prints one line per mismatch and the score, so that a mistake the check
// stops placing is seen by its name.
TEST_F(AuthorMistakesTest, EveryMistakeIsFoundWhereTheAuthorMadeIt) {
  const auto corpus = leggi_corpus(LORVENNA_SOURCE_DIR "/tools/testdata/author_mistakes.tsv");
  ASSERT_FALSE(corpus.empty()) << "no corpus in " LORVENNA_SOURCE_DIR "/tools/testdata";
  int errori_di_corpo = 0;
  int sbagli = 0;
  int trovati = 0;
  int corrette_con_trovate = 0;
  for (const modifica& m : corpus) {
    std::vector<trovata> trovate;
    if (!controlla(m, trovate)) {
      ADD_FAILURE() << m.id << ": the text to find is not in the " << m.testo
                    << " text exactly once";
      ++errori_di_corpo;
      continue;
    }
    if (m.attesa == "clean") {
      if (!trovate.empty()) {
        ++corrette_con_trovate;
        std::cout << "MISMATCH " << m.id << ": expected clean, found " << descrivi(trovate) << "\n";
      }
      continue;
    }
    ++sbagli;
    const std::string file = m.testo == "linea" ? nomi.linea_txt : nomi.treno_txt;
    bool al_posto = false;
    bool senza_posto = false;
    for (const trovata& t : trovate) {
      if (m.attesa == "file") {
        al_posto = al_posto || t.file == file;
        continue;
      }
      senza_posto = senza_posto || t.riga <= 0 || t.colonna <= 0;
      const auto qui = [&](int riga, int colonna) {
        return std::to_string(riga) + ":" + std::to_string(colonna) == m.attesa;
      };
      al_posto = al_posto || (t.file == file && qui(t.riga, t.colonna));
      if (t.codice.starts_with("codice")) {
        for (const auto& [f, riga, colonna] : t.note) {
          al_posto = al_posto || (f == file && qui(riga, colonna));
        }
      }
    }
    if (al_posto && !senza_posto) {
      ++trovati;
    } else {
      std::cout << "MISMATCH " << m.id << ": expected " << file << ":" << m.attesa << ", found "
                << descrivi(trovate) << (al_posto ? " (a finding without a line)" : "") << "\n";
    }
  }
  std::cout << "SCORE " << trovati << " of " << sbagli << " mistakes found at their field, "
            << corrette_con_trovate << " correct edits with a finding\n";
  EXPECT_EQ(errori_di_corpo, 0);
  EXPECT_GE(trovati * 100, sbagli * 95) << trovati << " of " << sbagli << " found at their field";
  EXPECT_EQ(corrette_con_trovate, 0);
}

}  // namespace
}  // namespace lorvenna
