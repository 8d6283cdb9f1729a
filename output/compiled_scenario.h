// A compiled scenario read back from its three binary files, for the author
// tools. Every tool that looks at compiled files reads them here, so that a
// damaged file is refused the same way everywhere and always by its name.
#pragma once

#include <array>
#include <vector>

#include "compiler/model.h"
#include "output/binary_decoders.h"
#include "output/binary_files.h"
#include "platform/file_system.h"

namespace lorvenna {

struct scenario_compilato {
  std::array<voce_generale, kNumeroVoci> dati_generali{};
  std::vector<cella> celle;
  riassunto_planimetria riassunto;  // the line file's metres, by kind
  punti_planimetria punti;          // the plan view's points, from metre 0

  // The entries that hold a station: from entry 1 upward, up to the first
  // unnamed one or the text boards' entries.
  std::vector<int> stazioni() const;
};

// Each throws FileError when its file cannot be read, and DamagedFileError, whose
// text begins with the file's path, when the file is damaged.
std::array<voce_generale, kNumeroVoci> leggi_dati_generali(FileSystem& fs,
                                                           const std::string& percorso);
std::vector<cella> leggi_celle(FileSystem& fs, const std::string& percorso);
planimetria_letta leggi_planimetria(FileSystem& fs, const std::string& percorso);

// All three files.
scenario_compilato leggi_scenario_compilato(FileSystem& fs, const file_binari& file);

}  // namespace lorvenna
