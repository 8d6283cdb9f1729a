// What a description text holds that the compile reads otherwise than its
// author most likely meant: a text in another encoding, a line meant as a
// comment, records before the general section. Each is a warning: the
// compile goes on and reads the text as it is.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/diagnostic.h"
#include "compiler/record_fields.h"

namespace lorvenna {

// Every class of warning the check reports, as `--no-warn` takes them.
inline constexpr const char* kAvvisoCodifica = "encoding";
inline constexpr const char* kAvvisoSegno = "bom";
inline constexpr const char* kAvvisoSenzaGenerale = "no-general-section";
inline constexpr const char* kAvvisoPrimaDelGenerale = "before-general-section";
inline constexpr std::array kClassiAvviso = {kAvvisoCodifica,         kAvvisoSegno,
                                             kAvvisoCommento,         kAvvisoSenzaGenerale,
                                             kAvvisoPrimaDelGenerale, kAvvisoParolaIgnota,
                                             kAvvisoNumeroSpezzato,   kAvvisoVirgolaMancante,
                                             kAvvisoCampoMancante,    kAvvisoCampoInPiu,
                                             kAvvisoTestoTagliato,    kAvvisoTestoVuoto,
                                             kAvvisoValoreRiavvolto,  kAvvisoValoreArrotondato,
                                             kAvvisoFuoriIntervallo,  kAvvisoFuoriOrdine,
                                             kAvvisoOltrePercorso,    kAvvisoMarcaCoperta};

// The warnings of the text at `percorso`, whose bytes are `testo` as the
// compile reads them (Windows-1252), bounded as trovate_limitate bounds
// them.
std::vector<Diagnostic> avvisi_del_testo(const std::string& percorso, std::string_view testo);

// The line of a text without `[generale]` that most likely was meant as
// it (a misspelt header), if any.
std::optional<SourceSpan> quasi_generale(const std::string& percorso, std::string_view testo);

// The warning that the text at `percorso` started with the byte-order mark
// of `codifica` ("UTF-8", "UTF-16LE") and was read converted from it.
Diagnostic avviso_segno(const std::string& percorso, const std::string& codifica);

}  // namespace lorvenna
