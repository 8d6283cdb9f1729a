// The writer shared by every text the program writes: a table of 1001 line
// slots, closed by an end marker in the slot after the last line, written
// slot by slot with CR LF after each line until the marker, which never
// reaches the file.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/replace_files.h"

namespace lorvenna {

inline constexpr std::string_view kFineTabella = "riferimento fine del file";
inline constexpr int kPostiTabella = 1001;

// The bytes of the file for `righe` (Windows-1252 text).
std::string testo_da_tabella(std::span<const std::string_view> righe);

// Writes `righe` to `path`, replacing any older file whole.
void scrivi_tabella(FileSystem& fs, const std::string& path,
                    std::span<const std::string_view> righe, Durability d = {});

}  // namespace lorvenna
