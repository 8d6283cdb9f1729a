#include "tools/scenario_tool.h"

#include <exception>
#include <sstream>

#include "driver/file_names.h"
#include "driver/report.h"
#include "driver/run_sequence.h"
#include "platform/replace_files.h"
#include "texts/line_description.h"
#include "texts/train_description.h"
#include "tools/diagnostics.h"
#include "tools/dump.h"
#include "tools/kept_texts_file_system.h"
#include "tools/plot.h"
#include "tools/scenario_diff.h"
#include "tools/tool_options.h"
#include "tools/verify.h"

namespace lorvenna {
namespace {

constexpr const char* kUso =
    "usage: scenario-tool compile DIR [--scenario NAME] [--train NUMBER] [--no-line]\n"
    "                             [--delete-texts]\n"
    "       scenario-tool init DIR [--scenario NAME] [--train NUMBER] [--force]\n"
    "       scenario-tool verify DIR [--scenario NAME] [--train NUMBER]\n"
    "       scenario-tool dump DIR [--scenario NAME] [--train NUMBER] [--json]\n"
    "       scenario-tool diff DIR_A DIR_B [--scenario NAME] [--train NUMBER] [--all]\n"
    "       scenario-tool plot DIR [--scenario NAME] [--train NUMBER] -o FILE.svg\n"
    "\n"
    "  compile   compiles the line and train description texts that stand in DIR\n"
    "            (NAME_linea.txt and NAME_NUMBER-.txt) into NAME_linea.dat,\n"
    "            NAME_NUMBER.sim and NAME_NUMBER.dat in DIR. The texts stay;\n"
    "            --delete-texts deletes them as the program deletes its own.\n"
    "            --no-line leaves the line file alone and skips the plan view.\n"
    "  init      writes the embedded line and train description texts into DIR\n"
    "            under those names, as a starting point to edit; --force replaces\n"
    "            texts that are already there.\n"
    "  verify    checks the three binary files in DIR against each other and\n"
    "            against the names: sizes, marks, scenario codes, cell types,\n"
    "            station and text board entries. Exit 0 when consistent, 1 when\n"
    "            not, 2 when a file cannot be read.\n"
    "  dump      prints the three binary files in DIR decoded: the general\n"
    "            entries by role, every marked cell, the gradient, line speed\n"
    "            and adhesion as runs, and the plan view; --json as one document.\n"
    "  diff      compares the scenarios compiled in DIR_A and DIR_B record by\n"
    "            record and prints each difference, a screenful unless --all.\n"
    "            Exit 0 when the same, 1 when they differ, 2 when a file cannot\n"
    "            be read.\n"
    "  plot      draws the scenario compiled in DIR as one SVG picture: the\n"
    "            route in plan with its stations and marks, and strip charts\n"
    "            of the gradient, the line speed and the station areas.\n"
    "\n"
    "NAME defaults to Lorvenna, NUMBER to 2579bis. --help prints this text.\n";

int uso(std::ostream& errori, const std::string& motivo) {
  errori << "scenario-tool: " << motivo << "\n" << kUso;
  return kStatoUso;
}

// An author's texts are the only copy of their work: unless asked, the
// compile deletes them only in its own view of the folder.
int compila(const opzioni_tool& o, const std::string& scenario, const std::string& treno,
            FileSystem& disco, piattaforma& p, std::ostream& uscita, std::ostream& errori) {
  const nomi_file nomi = nomi_file_per(o.cartella, o.scenario, o.treno);
  KeptTextsFileSystem testi_tenuti(disco, {nomi.linea_txt, nomi.treno_txt});
  FileSystem& fs = o.cancella_testi ? disco : testi_tenuti;
  const compilazione c = memorizza_percorso(o.linea, scenario, treno, fs, nomi);
  // An author gets one diagnostic pointing at the text instead of the
  // program's sentence.
  std::ostringstream frase;
  const int stato = riporta_compilazione(c.esito, c.m, p, &uscita, frase);
  const std::string diagnostico = diagnostica(c.m);
  errori << (diagnostico.empty() ? frase.str() : diagnostico + "\n");
  return stato;
}

// Both texts are checked before either is written, so that a refusal
// leaves the folder as it was.
int inizia(const opzioni_tool& o, FileSystem& fs, std::ostream& errori) {
  const nomi_file nomi = nomi_file_per(o.cartella, o.scenario, o.treno);
  if (!o.forza) {
    for (const std::string* testo : {&nomi.linea_txt, &nomi.treno_txt}) {
      if (!fs.exists(*testo)) continue;
      errori << "scenario-tool: " << *testo << " already exists; --force replaces it\n";
      return kStatoFermato;
    }
  }
  dati_linea(fs, nomi.linea_txt);
  dati_treno(fs, nomi.treno_txt);
  return kStatoCompleto;
}

}  // namespace

int esegui_scenario_tool(const std::vector<std::string>& argomenti, FileSystem& fs, piattaforma& p,
                         std::ostream& uscita, std::ostream& errori) {
  for (const std::string& a : argomenti) {
    if (a == "--help" || a == "-h") {
      uscita << kUso;
      return kStatoCompleto;
    }
  }
  std::string motivo;
  const auto o = leggi_opzioni(argomenti, motivo);
  if (!o) return uso(errori, motivo);
  const auto scenario = nome_valido(o->scenario, "scenario name", motivo);
  if (!scenario) return uso(errori, motivo);
  const auto treno = nome_valido(o->treno, "train number", motivo);
  if (!treno) return uso(errori, motivo);
  try {
    // Also refuses a DIR that is missing or not a folder, with the system's reason.
    const auto lock = fs.lock_folder(o->cartella);
    if (o->azione == opzioni_tool::comando::init) return inizia(*o, fs, errori);
    if (o->azione == opzioni_tool::comando::dump) {
      const auto d =
          descrivi_scenario(fs, binari_di(nomi_file_per(o->cartella, o->scenario, o->treno)));
      if (o->json) {
        uscita << d.dump(2) << "\n";
      } else {
        stampa_scenario(d, uscita);
      }
      return kStatoCompleto;
    }
    if (o->azione == opzioni_tool::comando::plot) {
      write_whole_file(
          fs, o->immagine,
          disegna_scenario(fs, binari_di(nomi_file_per(o->cartella, o->scenario, o->treno))));
      return kStatoCompleto;
    }
    if (o->azione == opzioni_tool::comando::diff) {
      constexpr size_t kSchermata = 40;
      return confronta_scenari(fs, binari_di(nomi_file_per(o->cartella, o->scenario, o->treno)),
                               binari_di(nomi_file_per(o->seconda_cartella, o->scenario, o->treno)),
                               o->tutte ? 0 : kSchermata, uscita);
    }
    if (o->azione == opzioni_tool::comando::verify) {
      const nomi_file nomi = nomi_file_per(o->cartella, o->scenario, o->treno);
      return verifica(fs, binari_di(nomi), *scenario, *treno, uscita);
    }
    return compila(*o, *scenario, *treno, fs, p, uscita, errori);
  } catch (const std::exception& e) {
    errori << "scenario-tool: " << e.what() << "\n";
    return kStatoFermato;
  }
}

}  // namespace lorvenna
