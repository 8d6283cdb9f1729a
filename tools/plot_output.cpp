#include "tools/plot_output.h"

#include <vector>

#include "encoding/quoted.h"
#include "platform/replace_files.h"

namespace lorvenna {
namespace {

// Where a file is or would be: its folder's identity and its name, or ""
// when the folder cannot be looked up.
std::string posto_di(FileSystem& fs, const std::string& percorso) {
  const std::string_view nome = file_name_of(percorso);
  if (nome.empty()) return "";
  try {
    return fs.folder_identity(folder_of(percorso)) + '\n' + std::string(nome);
  } catch (const FileError&) {
    return "";
  }
}

}  // namespace

std::string perche_non_disegnare(FileSystem& fs, const nomi_file& nomi,
                                 const std::string& immagine) {
  if (immagine.empty() || immagine == "-") return "";
  struct proprio {
    const std::string& percorso;
    const char* cosa;
    const char* che;
  };
  const proprio propri[] = {
      {nomi.linea_txt, "the scenario's line description text", "the author's text"},
      {nomi.treno_txt, "the scenario's train description text", "the author's text"},
      {nomi.linea_dat, "the scenario's line binary file", "a file it is drawn from"},
      {nomi.scenario_sim, "the scenario binary file", "a file it is drawn from"},
      {nomi.treno_dat, "the scenario's train binary file", "a file it is drawn from"},
  };
  const std::string identita = fs.file_identity(immagine);
  const std::string posto = posto_di(fs, immagine);
  for (const proprio& p : propri) {
    const bool stesso = (!identita.empty() && identita == fs.file_identity(p.percorso)) ||
                        (!posto.empty() && posto == posto_di(fs, p.percorso));
    if (!stesso) continue;
    std::string motivo = "it is " + std::string(p.cosa) + " " + percorso_citato(p.percorso);
    if (immagine != p.percorso) motivo += " (the same file by another path)";
    return motivo + "; the picture must not take the place of " + p.che;
  }
  return "";
}

std::string rifiuta_immagine(const richiesta& r, const char* opzione) {
  const std::string motivo = perche_non_disegnare(
      r.fs, nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno), r.o.immagine);
  if (motivo.empty()) return "";
  return "refusing " + std::string(opzione) + " " + percorso_citato(r.o.immagine) + ": " + motivo;
}

void scrivi_disegno(FileSystem& fs, const nomi_file& nomi, const std::string& svg,
                    const std::string& immagine, std::ostream& uscita, StreamWait attesa) {
  if (immagine == "-") {
    uscita << svg;
    return;
  }
  // Looked at again as it is written: a link may have been made since the
  // command began, or the binary files written anew.
  if (const std::string motivo = perche_non_disegnare(fs, nomi, immagine); !motivo.empty()) {
    throw FileError("write", immagine, motivo);
  }
  if (const auto flusso = fs.open_stream(immagine, attesa)) {
    flusso->write(svg);
  } else {
    fs.clear_leftovers(std::vector<std::string>{immagine});
    write_whole_file(fs, immagine, svg);
  }
}

}  // namespace lorvenna
