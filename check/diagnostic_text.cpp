// The terminal form of the check's findings, laid out as clang and rustc lay
// theirs out, so that an author's editor and eye already know it.
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string_view>
#include <tuple>
#include <vector>

#include "check/bounded_findings.h"
#include "check/diagnostic_render.h"
#include "check/source_lines.h"
#include "encoding/quoted.h"
#include "encoding/windows1252.h"

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

// A line longer than kFinestra characters is shown in part: kFinestra of
// them, kPrima before the span's start, the cut ends marked with kTaglio, so
// that a line of 20,000 characters costs one terminal line, not 20,000 for
// each of its findings.
constexpr size_t kFinestra = 100;
constexpr size_t kPrima = 40;
constexpr std::string_view kTaglio = "...";

// The characters of `l` shown, from `da` to `a`.
struct finestra {
  size_t da;
  size_t a;
};

// Where the span starts on the line, as a byte offset; at most one past the
// line's end.
size_t inizio(std::string_view l, const SourceSpan& s) {
  return std::min(static_cast<size_t>(std::max(s.column, 1) - 1), l.size());
}

finestra finestra_di(std::string_view l, const SourceSpan& s) {
  if (l.size() <= kFinestra) return {0, l.size()};
  const size_t primo = inizio(l, s);
  const size_t da = std::min(primo > kPrima ? primo - kPrima : 0, l.size() - kFinestra);
  return {da, da + kFinestra};
}

void line_shown(std::ostream& out, std::string_view l, finestra f) {
  if (f.da > 0) out << kTaglio;
  for (size_t i = f.da; i < f.a; ++i) out << shown(l[i]);
  if (f.a < l.size()) out << kTaglio;
}

// Spaces (and the line's own tabs) up to the span, then "^" and "~" under
// each of its characters, as wide as each is shown; within the part of the
// line shown, when it is cut.
void caret(std::ostream& out, std::string_view l, finestra f, const SourceSpan& s) {
  const auto width = [&](size_t i) { return i < l.size() && escaped(l[i]) ? 4u : 1u; };
  const size_t first = inizio(l, s);
  if (f.da > 0) out << std::string(kTaglio.size(), ' ');
  for (size_t i = f.da; i < first; ++i) {
    out << (l[i] == '\t' ? std::string("\t") : std::string(width(i), ' '));
  }
  out << '^' << std::string(width(first) - 1, '~');
  const size_t end = f.a < l.size() ? f.a : SIZE_MAX;
  for (size_t i = first + 1; i < end && static_cast<int64_t>(i) + 1 < s.end_column; ++i) {
    out << std::string(width(i), '~');
  }
}

int digits(int n) { return static_cast<int>(std::to_string(n).size()); }

class Writer {
 public:
  Writer(std::ostream& out, const testi_sorgente& testi) : out_(out), lines_(testi) {}

  void diagnostic(const Diagnostic& d) {
    int widest = d.where.line;
    for (const DiagnosticNote& n : d.notes) widest = std::max(widest, n.where.line);
    gutter_ = std::max(5, digits(widest));
    out_ << place(d.where) << ": " << (d.severity == Severity::error ? "error" : "warning") << ": "
         << d.message << " [" << d.code << "]\n";
    source(d.where);
    const std::string indent(static_cast<size_t>(gutter_ - 2), ' ');
    for (const DiagnosticNote& n : d.notes) {
      out_ << indent << "= note: " << place(n.where) << ": " << n.message << "\n";
      source(n.where);
    }
    if (const std::string altre = altre_con(d); !altre.empty()) {
      out_ << indent << "= note: " << altre << "\n";
    }
    for (const std::string& h : d.help) out_ << indent << "help: " << h << "\n";
  }

 private:
  void source(const SourceSpan& s) {
    if (s.line < 1) return;
    const auto l = lines_.line(s.file, s.line);
    if (!l) return;
    std::string number = std::to_string(s.line);
    number.insert(0, static_cast<size_t>(gutter_) - number.size(), ' ');
    const finestra f = finestra_di(*l, s);
    out_ << number << " | ";
    line_shown(out_, *l, f);
    out_ << "\n";
    if (s.column > 0) {
      out_ << std::string(static_cast<size_t>(gutter_), ' ') << " | ";
      caret(out_, *l, f, s);
      out_ << "\n";
    }
  }

  std::ostream& out_;
  SourceLines lines_;
  int gutter_ = 5;
};

std::string count(size_t n, const char* what) {
  return con_migliaia(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::vector<Diagnostic> in_ordine(std::vector<Diagnostic> d) {
  // A summary of the findings not shown follows those of its text.
  std::stable_sort(d.begin(), d.end(), [](const Diagnostic& a, const Diagnostic& b) {
    return std::tie(a.where.file, a.riassunto, a.where.line, a.where.column) <
           std::tie(b.where.file, b.riassunto, b.where.line, b.where.column);
  });
  return d;
}

void scrivi_testo(std::ostream& out, const std::vector<Diagnostic>& d,
                  const testi_sorgente& testi) {
  if (d.empty()) return;
  Writer w(out, testi);
  for (const Diagnostic& x : in_ordine(d)) w.diagnostic(x);
  const conteggio_trovate n = conta(d);
  out << count(n.errori, "error") << ", " << count(n.avvisi, "warning") << "\n";
}

std::string come_testo(const std::vector<Diagnostic>& d, const testi_sorgente& testi) {
  std::ostringstream out;
  scrivi_testo(out, d, testi);
  return out.str();
}

}  // namespace lorvenna
