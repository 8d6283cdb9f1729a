// What the check finds in an author's description texts, each finding at
// the record it is about, drawn from one compile's outcome.
#pragma once

#include <string>
#include <vector>

#include "check/diagnostic_render.h"
#include "compiler/compile.h"
#include "compiler/diagnostic.h"

namespace lorvenna {

// The compile's fault (code "codice N", the sentence said with the
// record's own values), and errors 1250 and 1251; nothing for a clean
// compile. `testi` gives each finding its place on the record's line.
std::vector<Diagnostic> controlla_testi(const compilazione& c, const testi_sorgente& testi);

// Every finding of the two texts in one run: the texts are compiled in
// `fs` with recovery, so that each record's fault is found and passed over,
// then what the whole compile finds (the cell walk, 1250 and 1251) is
// added. The compile's own semantics are untouched; only this pass recovers.
std::vector<Diagnostic> controlla_scenario(FileSystem& fs, richiesta_compilazione r,
                                           const testi_sorgente& testi);

// The same, with the compile the findings come from, for an editor that
// also shows what the compile made of each record. `r.recupero.letto`, when
// set, hears each record read.
struct scenario_controllato {
  compilazione c;
  std::vector<Diagnostic> trovate;
};
scenario_controllato controlla_e_compila(FileSystem& fs, richiesta_compilazione r,
                                         const testi_sorgente& testi);

// The findings as the author asked for them: the warnings of the classes in
// `senza_avvisi` left out, and with `avvisi_come_errori` every other
// warning made an error.
std::vector<Diagnostic> secondo_le_opzioni(std::vector<Diagnostic> d,
                                           const std::vector<std::string>& senza_avvisi,
                                           bool avvisi_come_errori);

bool con_errori(const std::vector<Diagnostic>& d);

}  // namespace lorvenna
