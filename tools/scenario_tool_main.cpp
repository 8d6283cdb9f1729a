#include <iostream>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/real_file_system.h"
#include "tools/scenario_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> argomenti(argv + 1, argv + argc);
  lorvenna::RealFileSystem fs;
  lorvenna::piattaforma_console piattaforma;
  return lorvenna::esegui_scenario_tool(argomenti, fs, piattaforma, std::cout, std::cerr);
}
