#include "texts/notes.h"

#include <array>
#include <stdexcept>
#include <string_view>

#include "encoding/windows1252.h"
#include "texts/line_table.h"

namespace lorvenna {

namespace {

// Kept in UTF-8 so the accented letters stay readable here; the file holds
// them as single Windows-1252 bytes. Each paragraph is one line and is
// never wrapped: the reader's viewer does that.
constexpr std::array<std::string_view, 24> kRighe = {
    "Autori dello scenario: Ettore Basilico (ebasilico@example.org)",
    "                 Ivo Carcano (ivoc73@example.org)",
    "                 Marta Colombini (mcolom@example.net)",
    "",
    "N.ro scenario: 1",
    "",
    "***NOTE SUL TRENO 2579 bis***",
    "Il treno 2579 bis non compare nell'orario ufficiale delle ferrovie per l'inverno 2000/2001: "
    "lo abbiamo inventato noi per questo scenario. Viaggia però come i regionali del mattino che "
    "portano i pendolari a Milano, i cui tempi di percorrenza si allungano di qualche minuto e le "
    "cui soste nelle stazioni sono talvolta piuttosto lunghe.",
    "Il treno parte da Gallarate con un minuto di ritardo, dato che deve attendere il treno 2579 "
    "in arrivo da Domodossola. Lungo la linea non ci sono grandi perdite di tempo, per cui si può "
    "arrivare in orario oppure con qualche minuto di ritardo.",
    "Il modulo M3 dell'ordine di rallentamento riporta anche un rallentamento dopo Rho: occorre "
    "pertanto fare attenzione nel tratto fra Rho e Milano Certosa, dove il treno può essere "
    "instradato sulla linea da Novara.",
    "Sulla linea si trovano tre scali merci: Gallarate, Busto Arsizio e Rho. Il segnale di "
    "protezione esterno di Rho è stato reso con il rosso/giallo lampeggiante e il ripetitore dei "
    "60 km/h, in quanto non è possibile riprodurre il vero segnale, che in realtà è un segnale "
    "basso a tre vele montato su un portale. Il limite dei 60 km/h vale fino al segnale "
    "successivo, cioè fino al segnale di protezione interno: RICORDATEVI DI NON SUPERARE I 60 KM/H "
    "PRIMA DI AVER RAGGIUNTO QUESTO SEGNALE.",
    "Dopo Rho la linea non è banalizzata, ossia non è attrezzata per la marcia su tutti e due i "
    "binari: dal secondo segnale oltre Rho verso Milano mancano i segnali di destra.",
    "Il segnale di protezione di Milano Certosa ha una sola vela, in quanto nella realtà in quella "
    "stazione non è possibile alcun itinerario deviato. La stazione è inoltre interessata da "
    "lavori che durano da tempo, per cui la sua configurazione potrebbe ancora cambiare.",
    "I due cartelli posti poco prima di Canegrate riproducono le tabelle di preavviso della "
    "fermata: visto che la fermata non ha un segnale di partenza, li abbiamo aggiunti così che i "
    "macchinisti che non conoscono ancora la linea sappiano dove si trova la fermata e possano "
    "cominciare a frenare per tempo e con dolcezza.",
    "CONDIZIONI DI ADERENZA: Buone",
    "N.RO RALLENTAMENTI: ?",
    "",
    "",
    "***NOTE SULLA LINEA GALLARATE-MILANO***",
    "Il tracciato planimetrico della linea corrisponde a quello reale per il 99%. Fra Rho e Milano "
    "P.G. il percorso è più lungo di 300 m rispetto alla realtà, ma ciò non ha alcun effetto sulla "
    "marcia del treno. Non è invece presente nello scenario il nuovo tratto aperto il 17/04/2001, "
    "che evita il tortuoso percorso fra Milano Certosa e il Quadrivio Ghisolfa passando per la "
    "nuova fermata di Villapizzone: quando abbiamo costruito la linea non era ancora aperto.",
    "Anche il profilo altimetrico della linea corrisponde alla realtà: si scende da Gallarate fino "
    "a Rho, poi c'è una breve salita fra Rho e Milano Certosa e si scende di nuovo dopo Certosa.",
    "Le posizioni delle stazioni sono corrette. Nello scalo di Busto Arsizio è stato necessario un "
    "compromesso con l'editor degli scenari: con quel tipo di stazione e di segnalamento il "
    "programma del simulatore sembra non abbassare la velocità a 60 km/h già dai segnali, per cui "
    "abbiamo modificato invece la velocità della linea. Nello scalo di Rho, dove il percorso reale "
    "impegna un solo deviatoio da percorrere a 60 km/h, abbiamo costruito allo stesso modo un "
    "itinerario a 60 km/h, così che il macchinista debba comunque rallentare nel punto giusto del "
    "tratto.",
    "Abbiamo preferito questa soluzione per restare più aderenti al segnalamento reale.",
    "Le gallerie dello scenario in realtà sono cavalcavia, e purtroppo non risultano molto "
    "convincenti.",
};

}  // namespace

std::vector<std::string> righe_note() {
  std::vector<std::string> righe;
  righe.reserve(kRighe.size());
  for (size_t i = 0; i < kRighe.size(); ++i) {
    std::optional<std::string> riga = utf8_a_windows1252(kRighe[i]);
    // A broken table is a programming error, not a run-time condition.
    if (!riga)
      throw std::logic_error("notes line " + std::to_string(i + 1) + " is not Windows-1252");
    righe.push_back(*std::move(riga));
  }
  return righe;
}

void dati_note(FileSystem& fs, const std::string& percorso, Durability d) {
  const std::vector<std::string> righe = righe_note();
  const std::vector<std::string_view> viste(righe.begin(), righe.end());
  scrivi_tabella(fs, percorso, viste, d);
}

}  // namespace lorvenna
