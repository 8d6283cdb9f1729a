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

// The line file as the pieces it is written from: each half of the plan view
// as the model holds it, followed by two zero bytes for each empty metre.
class parti_planimetria {
 public:
  explicit parti_planimetria(const righe_planimetria& p);
  std::vector<std::string_view> parti(const righe_planimetria& p) const;

 private:
  std::string vuoti_;
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
