// lorvenna: writes the embedded scenario's texts and compiles them into the
// simulator's files, all in the folder that holds the program.
#include <iostream>

#include "driver/file_system.h"
#include "driver/platform.h"
#include "driver/run_sequence.h"

int main() {
  lorvenna::RealFileSystem fs;
  lorvenna::piattaforma_console piattaforma;
  return lorvenna::esegui_programma(lorvenna::cartella_programma(), fs, piattaforma, std::cerr);
}
