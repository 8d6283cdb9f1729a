#include "tools/scenario_diff.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "encoding/windows1252.h"
#include "output/binary_decoders.h"
#include "output/layouts.h"

namespace lorvenna {
namespace {

// A record's fields by name and value, from the shared layouts.
class campi {
 public:
  void u8(const char* nome, uint8_t v) { metti(nome, std::to_string(v)); }
  void i16(const char* nome, int16_t v) { metti(nome, std::to_string(v)); }
  void i32(const char* nome, int32_t v) { metti(nome, std::to_string(v)); }
  void testo(const char* nome, const std::string& v) {
    metti(nome, "\"" + windows1252_a_utf8(v) + "\"");
  }
  const std::vector<std::pair<const char*, std::string>>& elenco() const { return elenco_; }

 private:
  void metti(const char* nome, std::string v) { elenco_.emplace_back(nome, std::move(v)); }
  std::vector<std::pair<const char*, std::string>> elenco_;
};

template <typename Record, typename Layout>
std::vector<std::pair<const char*, std::string>> di(const Record& r, Layout layout) {
  campi c;
  layout(c, r);
  return c.elenco();
}

class differenze {
 public:
  differenze(size_t limite, std::ostream& out) : limite_(limite), out_(out) {}
  void riga(const std::string& testo) {
    if (limite_ == 0 || righe_ < limite_) out_ << testo << "\n";
    ++righe_;
  }
  void chiudi() {
    if (limite_ != 0 && righe_ > limite_) {
      out_ << "... and " << righe_ - limite_ << " more (--all shows them)\n";
    }
  }
  size_t righe() const { return righe_; }

 private:
  size_t limite_;
  std::ostream& out_;
  size_t righe_ = 0;
};

template <typename Record, typename Layout>
void confronta_record(const std::string& chi, const Record& a, const Record& b, Layout layout,
                      differenze& d) {
  const auto ca = di(a, layout);
  const auto cb = di(b, layout);
  for (size_t i = 0; i < ca.size(); ++i) {
    if (ca[i].second != cb[i].second) {
      d.riga(chi + ": " + ca[i].first + " " + ca[i].second + " -> " + cb[i].second);
    }
  }
}

std::string voce_di(int i, const voce_generale& v) {
  std::string chi = "entry " + std::to_string(i);
  if (!v.nome.empty()) chi += " (" + windows1252_a_utf8(v.nome) + ")";
  return chi;
}

std::string numero(double v) {
  std::ostringstream s;
  s.precision(10);
  s << v;
  return s.str();
}

void confronta_planimetria(const punti_planimetria& a, const punti_planimetria& b, differenze& d) {
  const size_t n = std::min(a.x.size(), b.x.size());
  for (size_t i = 0; i < n; ++i) {
    if (a.x[i] == b.x[i] && a.y[i] == b.y[i]) continue;
    const bool x = a.x[i] != b.x[i];
    d.riga("plan view: first difference at metre " + std::to_string(i) + ", " +
           (x ? "x " + numero(a.x[i]) + " -> " + numero(b.x[i])
              : "y " + numero(a.y[i]) + " -> " + numero(b.y[i])));
    return;
  }
  if (a.x.size() != b.x.size()) {
    d.riga("plan view: " + std::to_string(a.x.size()) + " metres computed -> " +
           std::to_string(b.x.size()));
  }
}

}  // namespace

int confronta_scenari(FileSystem& fs, const file_binari& a, const file_binari& b, size_t limite,
                      std::ostream& uscita) {
  differenze d(limite, uscita);
  const auto ga = decodifica_dati_generali(fs.read(a.scenario));
  const auto gb = decodifica_dati_generali(fs.read(b.scenario));
  for (int i = 0; i < kNumeroVoci; ++i) {
    confronta_record(
        voce_di(i, ga[i]), ga[i], gb[i], [](auto& v, const voce_generale& e) { campi_voce(v, e); },
        d);
  }
  const auto ca = decodifica_celle(fs.read(a.treno));
  const auto cb = decodifica_celle(fs.read(b.treno));
  for (size_t i = 0; i < std::min(ca.size(), cb.size()); ++i) {
    confronta_record(
        "cell " + std::to_string(i) + " (" + std::to_string(i * 50) + " m)", ca[i], cb[i],
        [](auto& v, const cella& c) { campi_cella(v, c); }, d);
  }
  if (ca.size() != cb.size()) {
    d.riga("track: " + std::to_string(ca.size()) + " cells -> " + std::to_string(cb.size()));
  }
  confronta_planimetria(decodifica_punti(fs.read(a.linea)), decodifica_punti(fs.read(b.linea)), d);
  d.chiudi();
  return d.righe() == 0 ? 0 : 1;
}

}  // namespace lorvenna
