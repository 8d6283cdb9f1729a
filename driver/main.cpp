// lorvenna: writes the embedded scenario's texts and compiles them into the
// simulator's files, all in the folder that holds the program.
#include <exception>
#include <iostream>

#include "driver/report.h"
#include "driver/run_sequence.h"
#include "platform/console.h"
#include "platform/program_folder.h"
#include "platform/real_file_system.h"

int main() {
  lorvenna::RealFileSystem fs;
  lorvenna::piattaforma_console piattaforma;
  try {
    return lorvenna::esegui_programma(lorvenna::cartella_programma(), fs, piattaforma, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "lorvenna: cannot find the program's folder: " << e.what() << "\n";
    return lorvenna::kStatoFermato;
  }
}
