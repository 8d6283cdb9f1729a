#include "texts/slow_order.h"

#include <array>

#include "texts/line_table.h"

namespace lorvenna {

namespace {

// An empty slowdown row: the frame stays open below the last entry.
constexpr std::string_view kRigaVuota =
    " |   |                            |            |          |         |            |";

// Plain ASCII, copied from the paper form as it is filled in, slips
// included: the first row's station cell is one blank too wide, and the
// legend's "Rallentamneto" is the form's own spelling.
constexpr std::array<std::string_view, 47> kRighe = {
    "",
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________________",
    "  Linea  GALLARATE-MILANO PORTA GARIBALDI",
    "",
    "  Si ordina al macchinista del treno 2579bis di effettuare i seguenti rallentamenti",
    "  _______________________________________________________________________________",
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
    " |___|____________________________|____________|__________|_________|____________|",
    " | 1 | VANZAGO                     |      4     |    70    |   200   |    ---     |",
    " | 2 | MILANO CERTOSA             |      9     |    60    |   300   |     E      |",
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    kRigaVuota,
    " |___|____________________________|____________|__________|_________|____________|",
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " C - Rallentamneto N. ... e N. ...  sono contigui",
    " D - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
    " E - Rallentamento interessante solo i treni percorrenti la linea da/per Novara",
};

}  // namespace

std::span<const std::string_view> righe_rallentamenti() { return kRighe; }

void dati_rallentamenti(FileSystem& fs, const std::string& percorso, Durability d) {
  scrivi_tabella(fs, percorso, kRighe, d);
}

}  // namespace lorvenna
