// lorvenna: writes the embedded scenario's texts and compiles them into the
// simulator's files, all in the folder that holds the program.
#include <exception>
#include <iostream>
#include <sstream>
#include <string>

#include "driver/report.h"
#include "driver/run_sequence.h"
#include "platform/desktop.h"
#include "platform/program_folder.h"
#include "platform/real_file_system.h"

namespace {

// The caption of the window and of the error box.
constexpr const char* kTitolo = "lorvenna";

}  // namespace

int main() {
  std::string cartella;
  try {
    cartella = lorvenna::cartella_programma();
  } catch (const std::exception& e) {
    std::cerr << "lorvenna: cannot find the program's folder: " << e.what() << "\n";
    return lorvenna::kStatoFermato;
  }
  lorvenna::RealFileSystem fs;
  const auto piattaforma = lorvenna::piattaforma_del_sistema(cartella, kTitolo);
  std::ostringstream errori;
  const int stato = lorvenna::esegui_programma(cartella, fs, *piattaforma, errori);
  // A run that stopped is reported the system's way (a message box on
  // Windows); a recorded code is only written down, as it always was.
  if (stato == lorvenna::kStatoFermato) {
    piattaforma->segnala_fallimento(errori.str());
  } else {
    std::cerr << errori.str();
  }
  return stato;
}
