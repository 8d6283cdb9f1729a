#include "compiler/description_reader.h"

#include "compiler/failure.h"
#include "compiler/line_parser.h"
#include "compiler/record_outcome.h"
#include "compiler/train_parser.h"

namespace lorvenna {
namespace {

void elimina_se_esiste(FileSystem& fs, const std::string& percorso) {
  if (fs.exists(percorso)) fs.remove(percorso);
}

}  // namespace

void memorizza_dati(modello& m, traccia_lettura& t, FileSystem& fs, const testi_descrizione& testi,
                    bool salva_linea, const ascolta_guasti& recupero) {
  const std::string* in_lettura = &testi.linea;
  // Whatever the failure, no description text is left behind.
  auto fallimento = [&](const std::exception& e, int riga, const posizione_campo& campo,
                        tipo_lettura tipo) {
    t.motivo = {*in_lettura, riga, e.what(), campo, {}, {}};
    elimina_se_esiste(fs, testi.linea);
    elimina_se_esiste(fs, testi.treno);
    m.codice_errore = codice::lettura;
    m.valori_errore.lettura = tipo;
  };
  try {
    m.dati_generali[kVoceScenario].nome = m.nome_scenario;
    m.dati_generali[kVoceRipetizione].nome = m.numero_treno;
    int32_t indice_cartello = kPrimoCartello;
    if (!leggi_descrizione_linea(m, t, fs, testi.linea, indice_cartello, salva_linea, recupero)) {
      // A check goes on to the train text wherever there is a track to
      // read it onto; the fault that stopped the line text is told first.
      if (!recupero || !m.tracciato_creato()) return;
      recupero.guasto(m, t, t.motivo);
      togli_codice(m);
      t.motivo = {};
    }
    in_lettura = &testi.treno;
    leggi_descrizione_treno(m, t, fs, testi.treno, indice_cartello, recupero);
  } catch (const errore_lettura& e) {
    fallimento(e, e.riga(), e.campo(), e.tipo());
  } catch (const FileError& e) {
    fallimento(e, 0, {}, tipo_lettura::altro);
  }
}

}  // namespace lorvenna
