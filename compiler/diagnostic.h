// What the check finds in an author's description texts, each finding at
// the field it is about: the pieces a compiler-style report, its JSON and
// SARIF forms and an editor's squiggle are all drawn from.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "compiler/field_position.h"

namespace lorvenna {

enum class Severity { error, warning };

// The warning of a field where a record was expected that names none; the
// check's other warning classes are found beside the compile, in the tool.
inline constexpr const char* kAvvisoParolaIgnota = "unknown-keyword";
// A number a blank cut short (`7 000`, `12 km`).
inline constexpr const char* kAvvisoNumeroSpezzato = "split-number";
// A record that ends on its line before its last field, so that the compile
// takes the next line's first field in its place.
inline constexpr const char* kAvvisoCampoMancante = "missing-field";
// Fields after a record's last on its line, which the compile passes over.
inline constexpr const char* kAvvisoCampoInPiu = "extra-field";
// A line that looks like a comment, or a comment marker in a name: the texts
// have no comments, and what follows is read as fields or as the name.
inline constexpr const char* kAvvisoCommento = "comment";
// A keyword field that goes on with a number: the comma after it is missing.
inline constexpr const char* kAvvisoVirgolaMancante = "missing-comma";
// A mark that a station's stop mark takes the place of, lost without a fault.
inline constexpr const char* kAvvisoMarcaCoperta = "overwritten-mark";
// A name or board text that a comma ends before its line does.
inline constexpr const char* kAvvisoTestoTagliato = "cut-text";
// A station without a name, a board without a text.
inline constexpr const char* kAvvisoTestoVuoto = "empty-text";

// A stretch of one line of a description text. Lines count from 1 and
// columns from 1, in characters as the author's editor shows them (one
// byte is one character in Windows-1252); `end_column` is one past the
// last character, so a field of five characters at column 13 ends at 18.
struct SourceSpan {
  std::string file;
  int line = 0;
  int column = 0;
  int end_column = 0;
};

// Another record that takes part in the finding: the signal already on
// the cell, the station whose area overlaps.
struct DiagnosticNote {
  SourceSpan where;
  std::string message;
};

struct Diagnostic {
  Severity severity = Severity::error;
  SourceSpan where;
  // "codice N" for a fault the compile records, or the warning's class
  // (lower-case words joined by hyphens, as `--no-warn` takes them).
  std::string code;
  std::string message;
  std::vector<DiagnosticNote> notes;
  // What is allowed, in the author's words; each line is one hint.
  std::vector<std::string> help;
  // How many findings this one tells: with the others of its class on its
  // line merged into it, more than one. In a summary, the number of its
  // class's findings in its text that are not shown.
  size_t quante = 1;
  // A summary of the findings of its class (`code` and `severity`) in its
  // text past those shown, told on no line.
  bool riassunto = false;
};

// Where a field of the text at `testo` stands, as a finding gives it.
inline SourceSpan nel_testo(const std::string& testo, const posizione_campo& c) {
  return {testo, c.riga, c.colonna, c.colonna_fine};
}

// A warning of class `classe` with one line of help.
inline Diagnostic crea_avviso(SourceSpan dove, const char* classe, std::string perche,
                              std::string aiuto) {
  Diagnostic d{Severity::warning, std::move(dove), classe, std::move(perche), {}, {}};
  d.help.push_back(std::move(aiuto));
  return d;
}

}  // namespace lorvenna
