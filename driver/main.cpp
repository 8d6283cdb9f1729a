// lorvenna: writes the embedded scenario's texts and compiles them into the
// simulator's files, all in the folder that holds the program.
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <sstream>
#include <string>

#include "driver/activity.h"
#include "driver/report.h"
#include "driver/run_sequence.h"
#include "driver/version.h"
#include "platform/desktop.h"
#include "platform/memory_reserve.h"
#include "platform/program_folder.h"
#include "platform/real_file_system.h"
#include "platform/run_temporaries.h"

namespace {

// The caption of the window and of the error box.
constexpr const char* kTitolo = "lorvenna";

// The two questions a user may ask without starting a run. Any other
// argument is ignored: the program takes no input.
bool risponde(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--version") {
      std::cout << "lorvenna " << lorvenna::versione() << "\n";
      return true;
    }
    if (a == "--help" || a == "-h") {
      std::cout << "usage: lorvenna [--help] [--version]\n\n"
                   "Writes the line \"Lorvenna\" and train \"2579bis\": their description texts,\n"
                   "the driver's train card, slow order and notes, and the simulator's line,\n"
                   "scenario and train files, all into the folder that holds the program.\n"
                   "It takes no input; scenario-tool compiles scenarios of your own.\n";
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) try {
  if (risponde(argc, argv)) return lorvenna::kStatoCompleto;
  if (!lorvenna::keep_memory_for_reports()) {
    std::fputs("lorvenna: out of memory while starting\n", stderr);
    return lorvenna::kStatoFermato;
  }
  lorvenna::remove_temporaries_on_interrupt();
  std::string cartella;
  try {
    const lorvenna::in_corso passo("finding the program's folder");
    cartella = lorvenna::cartella_programma();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    std::cerr << "lorvenna: cannot find the program's folder: " << e.what() << "\n";
    return lorvenna::kStatoFermato;
  }
  lorvenna::RealFileSystem fs;
  std::unique_ptr<lorvenna::piattaforma> piattaforma;
  {
    const lorvenna::in_corso passo("opening the window");
    piattaforma = lorvenna::piattaforma_del_sistema(cartella, kTitolo);
  }
  std::ostringstream errori;
  const int stato = lorvenna::esegui_programma(cartella, fs, *piattaforma, errori);
  // A run that stopped is reported the system's way (a message box on
  // Windows); a recorded code is only written down, as it always was.
  // Errors 1250 and 1251 were shown in their own box and leave no report.
  const lorvenna::in_corso passo("reporting how the run ended");
  if (stato == lorvenna::kStatoFermato && !errori.str().empty()) {
    piattaforma->segnala_fallimento(errori.str());
  } else {
    std::cerr << errori.str();
  }
  return stato;
} catch (const std::bad_alloc&) {
  lorvenna::riporta_memoria_esaurita("lorvenna", std::cerr);
  return lorvenna::kStatoFermato;
}
