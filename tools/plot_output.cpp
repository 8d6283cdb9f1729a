#include "tools/plot_output.h"

#include <vector>

#include "platform/replace_files.h"
#include "tools/plot.h"

namespace lorvenna {

void scrivi_disegno(FileSystem& fs, const file_binari& binari, const std::string& immagine,
                    std::ostream& uscita) {
  const std::string svg = disegna_scenario(fs, binari);
  if (immagine == "-") {
    uscita << svg;
  } else if (const auto flusso = fs.open_stream(immagine)) {
    flusso->write(svg);
  } else {
    fs.clear_leftovers(std::vector<std::string>{immagine});
    write_whole_file(fs, immagine, svg);
  }
}

}  // namespace lorvenna
