// Reads both description texts into the model: the line half, then the train half.
#pragma once

#include "compiler/model.h"
#include "driver/file_names.h"
#include "driver/file_system.h"

namespace lorvenna {

// Always returns normally; the outcome is left in codice_errore and
// posizione_errore. Any failure that no numbered rule names becomes code 25:
// both description texts are deleted where they still exist.
void memorizza_dati(modello& m, FileSystem& fs, const nomi_file& nomi);

}  // namespace lorvenna
