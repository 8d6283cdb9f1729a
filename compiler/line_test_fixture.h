// A folder with description texts and a model ready to read them, for the
// parser tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "compiler/description_reader.h"
#include "compiler/model.h"
#include "driver/file_names.h"
#include "driver/file_system.h"
#include "driver/test_support.h"

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

inline constexpr std::string_view kTrenoMinimo = "[generale]\r\n[fine]\r\n";

class DescrizioniTest : public ::testing::Test {
 protected:
  DescrizioniTest() : nomi(nomi_file_per(cartella.path(), "Prova", "7")) {
    m.nome_scenario = "Prova";
    m.numero_treno = "7";
    m.salva_linea = 1;
  }

  // Writes both texts (an absent line text when `linea` is empty) and reads them.
  void leggi(const std::string& linea, std::string_view treno = kTrenoMinimo) {
    if (!linea.empty()) write_file(nomi.linea_txt, linea);
    write_file(nomi.treno_txt, std::string(treno));
    memorizza_dati(m, fs, nomi);
  }
  bool esiste(const std::string& percorso) { return fs.exists(percorso); }

  TempFolder cartella;
  RealFileSystem fs;
  nomi_file nomi;
  modello m;
};

}  // namespace lorvenna::testing
