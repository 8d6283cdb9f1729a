#include "texts/line_table.h"

#include <array>
#include <stdexcept>

#include "platform/replace_files.h"

namespace lorvenna {

std::string testo_da_tabella(std::span<const std::string_view> righe) {
  if (righe.size() >= kPostiTabella) throw std::length_error("text table holds at most 1000 lines");
  std::array<std::string_view, kPostiTabella> tabella{};
  for (size_t i = 0; i < righe.size(); ++i) tabella[i] = righe[i];
  tabella[righe.size()] = kFineTabella;

  std::string testo;
  for (std::string_view riga : tabella) {
    if (riga == kFineTabella) break;
    testo.append(riga);
    testo.append("\r\n");
  }
  return testo;
}

void scrivi_tabella(FileSystem& fs, const std::string& path,
                    std::span<const std::string_view> righe, Durability d) {
  write_whole_file(fs, path, testo_da_tabella(righe), d);
}

}  // namespace lorvenna
