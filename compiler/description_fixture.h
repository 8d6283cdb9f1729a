// Description texts in a folder held in memory, and a model ready to read
// them, for the parser tests. Any file operation can be made to fail.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "compiler/description_reader.h"
#include "compiler/model.h"
#include "compiler/track_fixture.h"
#include "compiler/train_parser.h"
#include "testing/failing_file_system.h"
#include "testing/memory_file_system.h"

namespace lorvenna::testing {

// Turns "\n" line ends into the CR LF of the description texts.
inline std::string crlf(std::string_view testo) {
  std::string out;
  for (char c : testo) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A short line (10000 m, so the track has cells 0 to 340) followed by `route`.
inline std::string linea_breve(std::string_view route) {
  return crlf(
             "[generale]\n"
             "lunghezza percorso, 10000\n"
             "ripetizione segnali 4 codici, 0, 0\n"
             "[pendenze]\n") +
         crlf(route) + crlf("[fine]\n");
}

// A train text: "[generale]", the records, "[fine]", CR LF ended.
inline std::string treno(const std::vector<std::string>& righe) {
  std::string t = "[generale]\r\n";
  for (const std::string& r : righe) t += r + "\r\n";
  return t + "[fine]\r\n";
}

inline constexpr std::string_view kTrenoMinimo = "[generale]\r\n[fine]\r\n";

class DescrizioniTest : public ::testing::Test {
 protected:
  DescrizioniTest() { nuovo_modello(); }

  // A model as the compile starts it: names set, nothing read.
  void nuovo_modello(bool salva_linea = true) {
    m = modello{};
    // Assigned as strings: assigning the literals trips a false -Wrestrict
    // warning of GCC 12 when the fixture is cross-built for Windows.
    m.nome_scenario = std::string("Prova");
    m.numero_treno = std::string("7");
    traccia = traccia_lettura{};
    salva_linea_ = salva_linea;
  }
  // Writes both texts (no line text when `linea` is empty) and reads them.
  void leggi(const std::string& linea, std::string_view testo_treno = kTrenoMinimo) {
    if (!linea.empty()) disco.write(testi.linea, linea);
    disco.write(testi.treno, std::string(testo_treno));
    memorizza_dati(m, traccia, fs, testi, salva_linea_);
  }
  // The embedded route's empty track, as the line half leaves it for the train half.
  void nuovo_tracciato() {
    m = tracciato();
    m.nome_scenario = std::string("Prova");
    m.numero_treno = std::string("7");
  }
  // The train half alone, on the model as it stands.
  void leggi_treno(const std::string& testo_treno, int32_t indice_cartello = kPrimoCartello) {
    disco.write(testi.treno, testo_treno);
    leggi_descrizione_treno(m, traccia, fs, testi.treno, indice_cartello);
  }
  bool esiste(const std::string& percorso) { return disco.exists(percorso); }

  MemoryFileSystem disco;
  FailingFileSystem fs{disco};
  testi_descrizione testi{"Prova_linea.txt", "Prova_7-.txt"};
  modello m;
  traccia_lettura traccia;
  bool salva_linea_ = true;
};

}  // namespace lorvenna::testing
