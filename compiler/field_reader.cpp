#include "compiler/field_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <optional>

#include "compiler/failure.h"
#include "encoding/quoted.h"

namespace lorvenna {
namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }
bool fine_riga(char c) { return c == '\r' || c == '\n'; }

// Empty when the field is not a number or lies beyond the 32-bit range.
std::optional<int32_t> converti_numero(std::string_view campo) {
  if (campo.empty()) return std::nullopt;
  size_t i = campo[0] == '-' ? 1 : 0;
  if (i == campo.size()) return std::nullopt;
  int64_t valore = 0;
  for (; i < campo.size(); ++i) {
    char c = campo[i];
    if (c < '0' || c > '9') return std::nullopt;
    valore = valore * 10 + (c - '0');
    if (valore > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (campo[0] == '-') valore = -valore;
  if (valore > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(valore);
}

}  // namespace

std::optional<int32_t> numero_di(std::string_view campo) {
  if (campo.empty()) return 0;
  return converti_numero(campo);
}

size_t lettore_campi::primo_campo_a_capo() const {
  for (size_t i = 1; i < campi_record_.size(); ++i) {
    const size_t da = campi_record_[i - 1].first;
    const size_t a = campi_record_[i].first;
    if (a > da && std::memchr(testo_.data() + da, '\n', a - da) != nullptr) return i;
  }
  return 0;
}

bool lettore_campi::primo_della_riga() const {
  size_t i = inizio_campo_;
  while (i > 0 && spazio(testo_[i - 1])) --i;
  return i == 0 || testo_[i - 1] == '\n';
}

std::string_view lettore_campi::testo_campo(size_t i) const {
  if (i >= campi_record_.size()) return {};
  const auto& [inizio, fine] = campi_record_[i];
  return std::string_view(testo_).substr(inizio, fine - inizio);
}

void lettore_campi::torna_al_campo_del_record(size_t i) {
  if (i >= campi_record_.size()) return;
  pos_ = campi_record_[i].first;
  campi_record_.resize(i);
}

std::string_view lettore_campi::resto_della_riga(posizione_campo& dove, bool& dopo_virgola) const {
  if (pos_ == 0 || pos_ >= testo_.size() || fine_riga(testo_[pos_ - 1])) return {};
  size_t inizio = pos_;
  size_t fine = pos_;
  while (fine < testo_.size() && !fine_riga(testo_[fine])) ++fine;
  const auto vuoto = [](char c) { return spazio(c) || c == ','; };
  while (inizio < fine && vuoto(testo_[inizio])) ++inizio;
  while (fine > inizio && vuoto(testo_[fine - 1])) --fine;
  if (inizio == fine) return {};
  dopo_virgola =
      testo_[pos_ - 1] == ',' ||
      std::string_view(testo_).substr(pos_, inizio - pos_).find(',') != std::string_view::npos;
  dove = posizione(inizio, fine);
  return std::string_view(testo_).substr(inizio, fine - inizio);
}

// Fields are only ever read forward: the count goes on from where the last
// call left it, so asking for every record's line costs one pass in all.
int lettore_campi::riga() const {
  const auto da = testo_.begin() + static_cast<std::ptrdiff_t>(contati_fino_);
  const auto fine = testo_.begin() + static_cast<std::ptrdiff_t>(inizio_campo_);
  righe_contate_ += static_cast<int>(std::count(da, fine, '\n'));
  contati_fino_ = inizio_campo_;
  return 1 + righe_contate_;
}

void lettore_campi::fallisci(const std::string& motivo, tipo_lettura tipo) const {
  throw errore_lettura(motivo, ultimo_campo(), tipo);
}

posizione_campo lettore_campi::posizione(size_t inizio, size_t fine) const {
  // The line count goes on from the last answer, forward or back: asked
  // about the fields of one record, it moves over a line or two.
  const auto primo = testo_.begin();
  const auto a = [&](size_t i) { return primo + static_cast<std::ptrdiff_t>(i); };
  if (inizio < posizione_contata_fino_) {
    righe_prima_posizione_ -=
        static_cast<int>(std::count(a(inizio), a(posizione_contata_fino_), '\n'));
  } else {
    righe_prima_posizione_ +=
        static_cast<int>(std::count(a(posizione_contata_fino_), a(inizio), '\n'));
  }
  posizione_contata_fino_ = inizio;
  const int riga = 1 + righe_prima_posizione_;
  const size_t inizio_riga = inizio == 0 ? 0 : testo_.rfind('\n', inizio - 1);
  const size_t da = inizio_riga == std::string::npos || inizio == 0 ? 0 : inizio_riga + 1;
  const int colonna = static_cast<int>(inizio - da) + 1;
  return {riga, colonna, colonna + static_cast<int>(fine - inizio)};
}

void lettore_campi::segna_campo(size_t inizio, size_t fine) {
  // No record has this many fields; text read outside any record (a section
  // skipped, say) must not pile up.
  constexpr size_t kCampiTenuti = 32;
  fine_campo_ = fine;
  if (campi_record_.size() < kCampiTenuti) campi_record_.emplace_back(inizio, fine);
}

void lettore_campi::salta_riga() {
  if (pos_ == 0 || pos_ >= testo_.size() || fine_riga(testo_[pos_ - 1])) return;
  while (pos_ < testo_.size() && !fine_riga(corrente())) ++pos_;
  consuma_fine_riga();
}

void lettore_campi::inizia_record() {
  if (spezzati_ != nullptr) spezzati_prima_del_record_ = spezzati_->size();
  campi_record_.clear();
  campi_record_.emplace_back(inizio_campo_, std::max(inizio_campo_, fine_campo_));
}

std::vector<posizione_campo> lettore_campi::campi_record() const {
  std::vector<posizione_campo> campi;
  for (const auto& [inizio, fine] : campi_record_) campi.push_back(posizione(inizio, fine));
  return campi;
}

posizione_campo lettore_campi::campo_del_record(size_t i) const {
  if (campi_record_.empty()) return ultimo_campo();
  const auto& [inizio, fine] = campi_record_[std::min(i, campi_record_.size() - 1)];
  return posizione(inizio, fine);
}

posizione_campo lettore_campi::ultimo_campo() const {
  return posizione(inizio_campo_, std::max(inizio_campo_, fine_campo_));
}

void lettore_campi::salta_spazi_e_righe() {
  while (pos_ < testo_.size() && (spazio(corrente()) || fine_riga(corrente()))) ++pos_;
  // A record cut short is reported on the line of its last field.
  if (pos_ >= testo_.size()) fallisci("the file ends where a field was expected");
  inizio_campo_ = pos_;
  fine_campo_ = pos_;
}

void lettore_campi::salta_spazi() {
  while (pos_ < testo_.size() && spazio(corrente())) ++pos_;
}

bool lettore_campi::consuma_fine_riga() {
  if (pos_ >= testo_.size() || !fine_riga(corrente())) return false;
  if (corrente() == '\r' && pos_ + 1 < testo_.size() && testo_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  return true;
}

std::string lettore_campi::leggi_testo() {
  salta_spazi_e_righe();
  size_t inizio = pos_;
  while (pos_ < testo_.size() && corrente() != ',' && !fine_riga(corrente())) ++pos_;
  size_t fine = pos_;
  while (fine > inizio && spazio(testo_[fine - 1])) --fine;
  std::string campo = testo_.substr(inizio, fine - inizio);
  segna_campo(inizio, fine);
  if (pos_ < testo_.size() && corrente() == ',') {
    ++pos_;
  } else {
    consuma_fine_riga();
  }
  return campo;
}

// Blanks between numbers are a separator the texts use (`7   55   50`);
// what is noted is a blank that most likely meant none: a group of three
// digits after a number of one to three (`7 000`), or a unit (`400 m`).
void lettore_campi::nota_se_spezzato(size_t inizio, size_t fine_numero) {
  size_t fine = pos_;
  while (fine < testo_.size() && testo_[fine] != ',' && !spazio(testo_[fine]) &&
         !fine_riga(testo_[fine])) {
    ++fine;
  }
  const std::string_view seguito = std::string_view(testo_).substr(pos_, fine - pos_);
  const auto cifre = [](std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const std::string_view numero = std::string_view(testo_).substr(inizio, fine_numero - inizio);
  const bool migliaia = pos_ == fine_numero + 1 && cifre(numero) && numero.size() <= 3 &&
                        seguito.size() == 3 && cifre(seguito);
  // Only a number can be cut short: a word read where one was expected is a
  // fault of its own.
  const bool unita = converti_numero(numero).has_value() && !seguito.empty() &&
                     std::isalpha(static_cast<unsigned char>(seguito[0]));
  if (!migliaia && !unita) return;
  spezzati_->push_back({posizione(inizio, fine), std::string(numero), std::string(seguito)});
}

int32_t lettore_campi::leggi_numero() {
  salta_spazi_e_righe();
  if (corrente() == ',') {
    segna_campo(pos_, pos_);
    ++pos_;
    return 0;
  }
  size_t inizio = pos_;
  while (pos_ < testo_.size() && corrente() != ',' && !spazio(corrente()) &&
         !fine_riga(corrente())) {
    ++pos_;
  }
  const std::string_view campo = std::string_view(testo_).substr(inizio, pos_ - inizio);
  segna_campo(inizio, pos_);
  const size_t fine_numero = pos_;
  salta_spazi();
  if (spezzati_ && pos_ > fine_numero && pos_ < testo_.size())
    nota_se_spezzato(inizio, fine_numero);
  if (pos_ < testo_.size() && corrente() == ',') {
    ++pos_;
  } else {
    consuma_fine_riga();
  }
  auto numero = converti_numero(campo);
  if (!numero) {
    fallisci(citato(campo) + " is not a number within the 32-bit range", tipo_lettura::non_numero);
  }
  return *numero;
}

}  // namespace lorvenna
