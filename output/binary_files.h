// The three binary files the simulator loads: the plan view (line file), the
// general records (scenario file) and the track cells (train file). Each is a
// bare sequence of packed little-endian records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/model.h"
#include "platform/file_system.h"
#include "platform/replace_files.h"

namespace lorvenna {

// The line file, drawn as it is written: a piece of each half small enough
// to stay in the cache at a time, each written at its place in its half,
// and each half ending with two zero bytes for each empty metre. The view
// is drawn once and nothing larger than the two pieces is held. All its
// memory is taken here, before any file is made.
class linea_a_pezzi {
 public:
  explicit linea_a_pezzi(const righe_planimetria& p);
  void scrivi(NewFile& f);

 private:
  const righe_planimetria& p_;
  std::vector<char> pezzo_x_;
  std::vector<char> pezzo_y_;
};

// The whole line file in one string.
std::string codifica_planimetria(const righe_planimetria& p);
std::string codifica_dati_generali(const modello& m);
std::string codifica_celle(const modello& m);

// Where the three binary files go.
struct file_binari {
  std::string linea;     // plan view
  std::string scenario;  // general records
  std::string treno;     // track cells
};

// Writes the line file (only with `con_linea`), the scenario file
// and the train file, replaced as one set: all are encoded and every check is
// made before the first is renamed into place, so a model that cannot be
// encoded, or one read-only output, writes nothing. A failure throws
// FileError and leaves no truncated file under an output's name.
void scrivi_file_binari(FileSystem& fs, const file_binari& file, const modello& m, bool con_linea,
                        Durability d = {});

}  // namespace lorvenna
