#include "check/bounded_findings.h"

#include <utility>

namespace lorvenna {

trovate_limitate::classe& trovate_limitate::di(std::string_view file, std::string_view code,
                                               Severity severity) {
  const vista v{file, code, severity};
  const auto c = classi_.find(v);
  if (c != classi_.end()) return c->second;
  return classi_.emplace(chiave{file, code, severity}, classe{}).first->second;
}

bool trovate_limitate::conta_se_nascosta(std::string_view file, int line, std::string_view code,
                                         Severity severity) {
  classe& c = di(file, code, severity);
  if (const auto r = c.righe.find(line); r != c.righe.end()) {
    ++mostrate_[r->second].quante;
    return true;
  }
  if (c.righe.size() < massimo_) return false;
  ++c.non_mostrate;
  return true;
}

void trovate_limitate::aggiungi(Diagnostic d) {
  classe& c = di(d.where.file, d.code, d.severity);
  if (d.riassunto) {
    c.non_mostrate += d.quante;
    if (c.aiuto.empty()) c.aiuto = std::move(d.help);
    return;
  }
  if (const auto r = c.righe.find(d.where.line); r != c.righe.end()) {
    mostrate_[r->second].quante += d.quante;
    return;
  }
  if (c.righe.size() >= massimo_) {
    c.non_mostrate += d.quante;
    return;
  }
  c.righe.emplace(d.where.line, mostrate_.size());
  mostrate_.push_back(std::move(d));
}

void trovate_limitate::aggiungi(std::vector<Diagnostic> d) {
  for (Diagnostic& x : d) aggiungi(std::move(x));
}

std::vector<Diagnostic> trovate_limitate::prendi() {
  std::vector<Diagnostic> tutte = std::move(mostrate_);
  mostrate_.clear();
  for (auto& [k, c] : classi_) {
    if (c.non_mostrate == 0) continue;
    const auto& [file, code, severity] = k;
    Diagnostic r = riassunto_di(file, code, severity, c.non_mostrate);
    if (!c.aiuto.empty()) r.help = std::move(c.aiuto);
    tutte.push_back(std::move(r));
  }
  classi_.clear();
  return tutte;
}

std::vector<Diagnostic> limitate(std::vector<Diagnostic> d) {
  trovate_limitate t;
  t.aggiungi(std::move(d));
  return t.prendi();
}

Diagnostic riassunto_di(const std::string& file, const std::string& code, Severity severity,
                        size_t quante) {
  const bool uno = quante == 1;
  std::string cosa = severity == Severity::error ? "error" : "warning";
  if (!uno) cosa += "s";
  Diagnostic d{severity,
               {file, 0, 0, 0},
               code,
               con_migliaia(quante) + " more `" + code + "` " + cosa + " in this text " +
                   (uno ? "is" : "are") + " not shown",
               {},
               {"a text shows the findings of one class on its first " +
                std::to_string(kMassimoPerClasse) + " lines; the others are counted here"}};
  d.quante = quante;
  d.riassunto = true;
  return d;
}

std::string altre_con(const Diagnostic& d) {
  if (d.quante <= 1 || d.riassunto) return "";
  return "and " + con_migliaia(d.quante - 1) + " more " +
         (d.where.line > 0 ? "on this line" : "in this text");
}

conteggio_trovate conta(const std::vector<Diagnostic>& d) {
  conteggio_trovate n;
  for (const Diagnostic& x : d) (x.severity == Severity::error ? n.errori : n.avvisi) += x.quante;
  return n;
}

std::string con_migliaia(size_t n) {
  std::string s = std::to_string(n);
  for (size_t i = s.size(); i > 3; i -= 3) s.insert(i - 3, ",");
  return s;
}

}  // namespace lorvenna
