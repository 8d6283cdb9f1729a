// The terminal form of the check's findings, laid out as clang and rustc lay
// theirs out, so that an author's editor and eye already know it.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <vector>

#include "encoding/quoted.h"
#include "encoding/windows1252.h"
#include "tools/diagnostic_render.h"
#include "tools/source_lines.h"

namespace lorvenna {
namespace {

// A byte the terminal would act on is shown as \xNN, four columns wide; a
// tab stays a tab, so that the caret line can copy it and stay in step.
bool escaped(char b) {
  const auto c = static_cast<uint8_t>(b);
  return b != '\t' && (c < 0x20 || c == 0x7F);
}

std::string shown(char b) {
  if (b == '\t') return "\t";
  if (escaped(b)) return senza_controlli(std::string_view(&b, 1));
  return windows1252_a_utf8(std::string_view(&b, 1));
}

std::string place(const SourceSpan& s) {
  // Unquoted, for editors to follow; its control bytes escaped all the same.
  std::string p = senza_controlli(s.file);
  if (s.line > 0) p += ":" + std::to_string(s.line);
  if (s.line > 0 && s.column > 0) p += ":" + std::to_string(s.column);
  return p;
}

std::string line_shown(std::string_view l) {
  std::string out;
  for (char b : l) out += shown(b);
  return out;
}

// Spaces (and the line's own tabs) up to the span, then "^" and "~" under
// each of its characters, as wide as each is shown.
std::string caret(std::string_view l, const SourceSpan& s) {
  std::string out;
  const auto width = [&](size_t i) { return i < l.size() && escaped(l[i]) ? 4u : 1u; };
  const auto first = static_cast<size_t>(std::max(s.column, 1) - 1);
  for (size_t i = 0; i < first; ++i) {
    out += i < l.size() && l[i] == '\t' ? std::string("\t") : std::string(width(i), ' ');
  }
  out += '^';
  out += std::string(width(first) - 1, '~');
  for (size_t i = first + 1; static_cast<int>(i) + 1 < s.end_column; ++i) {
    out += std::string(width(i), '~');
  }
  return out;
}

int digits(int n) { return static_cast<int>(std::to_string(n).size()); }

class Writer {
 public:
  Writer(const testi_sorgente& testi) : lines_(testi) {}

  void diagnostic(const Diagnostic& d) {
    int widest = d.where.line;
    for (const DiagnosticNote& n : d.notes) widest = std::max(widest, n.where.line);
    gutter_ = std::max(5, digits(widest));
    out_ += place(d.where) + ": " + (d.severity == Severity::error ? "error" : "warning") + ": " +
            d.message + " [" + d.code + "]\n";
    source(d.where);
    const std::string indent(static_cast<size_t>(gutter_ - 2), ' ');
    for (const DiagnosticNote& n : d.notes) {
      out_ += indent + "= note: " + place(n.where) + ": " + n.message + "\n";
      source(n.where);
    }
    for (const std::string& h : d.help) out_ += indent + "help: " + h + "\n";
  }

  std::string take() { return std::move(out_); }

 private:
  void source(const SourceSpan& s) {
    if (s.line < 1) return;
    const auto l = lines_.line(s.file, s.line);
    if (!l) return;
    std::string number = std::to_string(s.line);
    number.insert(0, static_cast<size_t>(gutter_) - number.size(), ' ');
    out_ += number + " | " + line_shown(*l) + "\n";
    if (s.column > 0)
      out_ += std::string(static_cast<size_t>(gutter_), ' ') + " | " + caret(*l, s) + "\n";
  }

  SourceLines lines_;
  int gutter_ = 5;
  std::string out_;
};

std::string count(size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::vector<Diagnostic> in_ordine(std::vector<Diagnostic> d) {
  std::stable_sort(d.begin(), d.end(), [](const Diagnostic& a, const Diagnostic& b) {
    return std::tie(a.where.file, a.where.line, a.where.column) <
           std::tie(b.where.file, b.where.line, b.where.column);
  });
  return d;
}

std::string come_testo(const std::vector<Diagnostic>& d, const testi_sorgente& testi) {
  if (d.empty()) return "";
  Writer w(testi);
  size_t errors = 0;
  for (const Diagnostic& x : in_ordine(d)) {
    w.diagnostic(x);
    if (x.severity == Severity::error) ++errors;
  }
  return w.take() + count(errors, "error") + ", " + count(d.size() - errors, "warning") + "\n";
}

}  // namespace lorvenna
