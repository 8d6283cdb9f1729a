// The check's findings shown three ways: as a compiler shows them on a
// terminal, with the line and a caret under the field; as a JSON document
// for scripts; and as a SARIF log for editors and code-review services.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/diagnostic.h"

namespace lorvenna {

// The description texts' bytes (Windows-1252) by their paths as the
// diagnostics name them; a file that is not here shows no source line.
using testi_sorgente = std::map<std::string, std::string>;

// By file, then line, then column, each text's summaries of findings not
// shown after its other findings; findings at one place keep their order.
std::vector<Diagnostic> in_ordine(std::vector<Diagnostic> d);

// "FILE:LINE:COL: error: MESSAGE [CODE]", the source line (around the span,
// when it is long) with a caret under the span, each note, how many more
// the finding stands for on its line, and help, and after them "N errors,
// M warnings", counting every finding told, shown or not; nothing at all
// when there are no findings. Written to `out` finding by finding.
void scrivi_testo(std::ostream& out, const std::vector<Diagnostic>& d, const testi_sorgente& testi);
std::string come_testo(const std::vector<Diagnostic>& d, const testi_sorgente& testi);

// {"schema_version": 1, "diagnostics": [...]}, every string in UTF-8; each
// finding's `count` is how many it tells.
std::string come_json(const std::vector<Diagnostic>& d);

// A SARIF 2.1.0 log with one run of scenario-tool at `versione`; a result
// that tells more than one finding has their number as its property `count`.
std::string come_sarif(const std::vector<Diagnostic>& d, std::string_view versione);

}  // namespace lorvenna
