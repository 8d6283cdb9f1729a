// Reads a description text as one stream of comma-separated fields, never by
// whole lines. Failures throw errore_lettura.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/failure.h"
#include "compiler/field_position.h"

namespace lorvenna {

// A number that a blank ended before the field did: `7 000` is read as 7,
// and what follows the blank as the next field.
struct numero_spezzato {
  posizione_campo campo;  // the number and what follows it, to the field's end
  std::string numero;
  std::string seguito;
};

// The value of a number field's text as the reader takes it; empty when it
// is not a number or lies beyond the 32-bit range. An empty field is 0.
std::optional<int32_t> numero_di(std::string_view campo);

class lettore_campi {
 public:
  explicit lettore_campi(std::string testo) : testo_(std::move(testo)) {}

  // A text field: up to the next comma or line end, which is consumed with it.
  // Inner blanks belong to the text; trailing blanks are dropped.
  std::string leggi_testo();
  // A number field: optional "-" and digits, ended by a blank, comma or line
  // end; a comma met first makes an empty field, read as 0.
  int32_t leggi_numero();
  // True when nothing remains after the last field read and its line end.
  bool alla_fine() const { return pos_ >= testo_.size(); }
  // Line (from 1) of the last field read, for the user's report.
  int riga() const;
  // Throws errore_lettura for the field just read, with its line.
  [[noreturn]] void fallisci(const std::string& motivo,
                             tipo_lettura tipo = tipo_lettura::altro) const;

  // From now on, every number a blank cuts short is noted in `dove`.
  void nota_numeri_spezzati(std::vector<numero_spezzato>* dove) { spezzati_ = dove; }

  // Back to the start of the field last read, to read it again.
  void torna_al_campo() { pos_ = inizio_campo_; }
  // On to the start of the next line, unless already at the start of one.
  void salta_riga();

  // From the field last read on, the fields read belong to one record: the
  // keyword field and what the record reads after it.
  void inizia_record();
  // The fields of the current record, in the order read.
  std::vector<posizione_campo> campi_record() const;
  posizione_campo ultimo_campo() const;
  // Field `i` of the current record (0 is its keyword), or the last one it
  // has when it has fewer.
  posizione_campo campo_del_record(size_t i) const;
  // Whether a blank cut a number short within the current record.
  bool numero_spezzato_nel_record() const {
    return spezzati_ != nullptr && spezzati_->size() > spezzati_prima_del_record_;
  }
  // Whether the last field read is the first of its line.
  bool primo_della_riga() const;
  // The first field of the current record that stands on a later line than
  // its keyword; 0 when all keep to its line.
  size_t primo_campo_a_capo() const;
  // How many fields the current record has read, its keyword included.
  size_t campi_letti() const { return campi_record_.size(); }
  // The text of field `i` of the current record as read; empty past its last.
  std::string_view testo_campo(size_t i) const;
  // Back to the start of field `i` of the current record, to read it again.
  void torna_al_campo_del_record(size_t i);
  // What stands on the current line after the last field read and the
  // comma that ended it, without its outer blanks and commas, with where it
  // stands and whether a comma comes before it; empty once the reading has
  // passed the line's end.
  std::string_view resto_della_riga(posizione_campo& dove, bool& dopo_virgola) const;

 private:
  void salta_spazi_e_righe();
  void salta_spazi();
  bool consuma_fine_riga();
  char corrente() const { return testo_[pos_]; }

  posizione_campo posizione(size_t inizio, size_t fine) const;
  void segna_campo(size_t inizio, size_t fine);
  void nota_se_spezzato(size_t inizio, size_t fine_numero);

  std::string testo_;
  size_t pos_ = 0;
  size_t inizio_campo_ = 0;
  size_t fine_campo_ = 0;
  // Byte offsets of the current record's fields, start and end; only turned
  // into lines and columns when a diagnostic asks for them.
  std::vector<std::pair<size_t, size_t>> campi_record_;
  std::vector<numero_spezzato>* spezzati_ = nullptr;
  size_t spezzati_prima_del_record_ = 0;
  // Line ends counted so far, and up to where.
  mutable size_t contati_fino_ = 0;
  mutable int righe_contate_ = 0;
  mutable size_t posizione_contata_fino_ = 0;
  mutable int righe_prima_posizione_ = 0;
};

// Runs `leggi` over `lettore`; a failure met outside the reader itself (a
// value that overflows once computed, say) takes the line of the last field read.
template <typename Leggi>
auto con_riga(const lettore_campi& lettore, Leggi leggi) {
  try {
    return leggi();
  } catch (errore_lettura& e) {
    e.colloca(lettore.ultimo_campo());
    throw;
  }
}

}  // namespace lorvenna
