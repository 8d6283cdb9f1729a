#include "compiler/description_reader.h"

#include "compiler/failure.h"
#include "compiler/line_parser.h"
#include "compiler/train_parser.h"

namespace lorvenna {
namespace {

void elimina_se_esiste(FileSystem& fs, const std::string& percorso) {
  if (fs.exists(percorso)) fs.remove(percorso);
}

}  // namespace

void memorizza_dati(modello& m, FileSystem& fs, const nomi_file& nomi) {
  const std::string* in_lettura = &nomi.linea_txt;
  // Whatever the failure, no description text is left behind.
  auto fallimento = [&](const std::exception& e) {
    m.motivo_errore = *in_lettura + ": " + e.what();
    elimina_se_esiste(fs, nomi.linea_txt);
    elimina_se_esiste(fs, nomi.treno_txt);
    m.codice_errore = 25;
  };
  try {
    m.dati_generali[kVoceScenario].nome = m.nome_scenario;
    m.dati_generali[kVoceRipetizione].nome = m.numero_treno;
    int32_t indice_cartello = kPrimoCartello;
    if (!leggi_descrizione_linea(m, fs, nomi.linea_txt, indice_cartello)) return;
    in_lettura = &nomi.treno_txt;
    leggi_descrizione_treno(m, fs, nomi.treno_txt, indice_cartello);
  } catch (const errore_lettura& e) {
    fallimento(e);
  } catch (const FileError& e) {
    fallimento(e);
  }
}

}  // namespace lorvenna
