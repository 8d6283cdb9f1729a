// The findings of a check held to a number that grows with the texts' lines
// and classes, not with how often one mistake repeats: a line of 20,000 bad
// bytes, or a text of two million comment lines, is told in a few dozen
// findings, each with the count of those it stands for.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "compiler/diagnostic.h"

namespace lorvenna {

// How many lines of one text show findings of one class (one code, one
// severity); the findings of that class on its other lines are counted, in
// one summary finding, and not shown.
inline constexpr size_t kMassimoPerClasse = 50;

// Gathers findings as they are found, and keeps only what is told: the
// findings of one class on one line are the first of them, its `quante`
// their number, and past the first kMassimoPerClasse lines of a class in a
// text each finding only adds to that class's summary. What it holds is
// bounded by the number of texts and classes, whatever it is given.
class trovate_limitate {
 public:
  explicit trovate_limitate(size_t massimo = kMassimoPerClasse) : massimo_(massimo) {}

  // A finding as it is found, one already merged (its `quante` more than
  // 1), or a summary (`riassunto`), whose count joins its class's.
  void aggiungi(Diagnostic d);
  void aggiungi(std::vector<Diagnostic> d);

  // Counts a finding of class `code` and `severity` on line `line` of
  // `file` without making it, when it would not be shown on its own: its
  // line shows one of its class already, or its class all the lines it may.
  // False when it would be shown: it is then to be made and given to
  // aggiungi. For a fault that repeats on every byte of a text.
  bool conta_se_nascosta(std::string_view file, int line, std::string_view code, Severity severity);

  // The findings shown, in the order they came, then a summary for each
  // class that has findings not shown. Leaves it empty.
  std::vector<Diagnostic> prendi();

 private:
  using chiave = std::tuple<std::string, std::string, Severity>;  // text, code, severity
  using vista = std::tuple<std::string_view, std::string_view, Severity>;
  // Orders keys and views of keys alike, so that a class is found without
  // copying its name.
  struct ordine {
    using is_transparent = void;
    static vista di(const chiave& k) { return {std::get<0>(k), std::get<1>(k), std::get<2>(k)}; }
    static vista di(const vista& k) { return k; }
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
      return di(a) < di(b);
    }
  };
  struct classe {
    std::map<int, size_t> righe;     // each line shown, and its finding in mostrate_
    size_t non_mostrate = 0;         // how many findings of the class are not shown
    std::vector<std::string> aiuto;  // a summary's help, as it was given
  };

  classe& di(std::string_view file, std::string_view code, Severity severity);

  size_t massimo_;
  std::vector<Diagnostic> mostrate_;
  std::map<chiave, classe, ordine> classi_;
};

// The findings `d`, bounded as trovate_limitate bounds them.
std::vector<Diagnostic> limitate(std::vector<Diagnostic> d);

// The summary of `quante` findings of class `code` in the text `file`, not
// shown.
Diagnostic riassunto_di(const std::string& file, const std::string& code, Severity severity,
                        size_t quante);

// "and 19,999 more on this line" for a finding that stands for others of
// its class on its line (or, on no line, in its text); empty for one that
// stands for itself alone, and for a summary.
std::string altre_con(const Diagnostic& d);

// How many errors and warnings the findings tell, the merged and the
// summarised ones included.
struct conteggio_trovate {
  size_t errori = 0;
  size_t avvisi = 0;
};
conteggio_trovate conta(const std::vector<Diagnostic>& d);

// `n` with its thousands separated by commas: "1,999,950".
std::string con_migliaia(size_t n);

}  // namespace lorvenna
