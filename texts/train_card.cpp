#include "texts/train_card.h"

#include <array>

#include "texts/line_table.h"

namespace lorvenna {

namespace {

// An empty timetable row: the frame stays open below the last entry.
constexpr std::string_view kRigaVuota =
    " |     |     |          |     |                            |                |     |";

// Plain ASCII, drawn for a fixed-width font. The train number is part of the
// drawing, not taken from the run: the card describes this one train. The
// seven blanks closing line 9 belong to the form as it was drawn.
constexpr std::array<std::string_view, 49> kRighe = {
    "",
    "",
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA                   |              |",
    " |   TRENO n.2579bis |                   da: GALLARATE             |    V140 B    |",
    " |___________________|                    a: MILANO P.GAR          |     120%     |",
    "                                                                   |______________|",
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |         R         |              |      400T         |",
    " |___________________|              |___________________|",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " | 140 | 140 |   24.800 | 140 | GALLARATE                  |           7.55 |     |",
    " |     |     |   17.800 |     | BUSTO ARSIZIO              | 8.00      8.01 |     |",
    " | 130 | 130 |          | 130 |     C.C.Km.14,350          |                |     |",
    " |     |     |   13.250 |     | LEGNANO                    | 8.06      8.07 | 0.5 |",
    " | 140 |     |          | 140 |     Dev.U.Legnano          |                |     |",
    " |     |     |   10.250 |     | CANEGRATE                  | 8.09+     8.10 |     |",
    " |     |     |    7.900 |     | PARABIAGO                  | 8.14+     8.15 | 1.0 |",
    " |     |     |    2.900 |     | VANZAGO POGLIANO           | 8.19+     8.20 | 0.5 |",
    " | 120 | 120 |          | 120 |     Dev.E.Rho              |       8.22+    |     |",
    " |     |     |   12.850 |     | RHO                        | 8.25      8.26 | 0.5 |",
    " |     |     |    9.550 |     | PBA P.719                  |       8.29     |     |",
    " |  60 |  60 |          |  60 |     Cav.Km.5,450           |                |     |",
    " |     |     |    5.100 |     | MILANO CERTOSA             | 8.32      8.33 | 0.5 |",
    " |  80 |  80 |          |  80 |     Cippo Km.3,000         |                |     |",
    " |     |     |    2.750 |     | QUAD.GHISOLFA              |       8.36     |     |",
    " |  30 |  30 |          |  30 |     Dev.I.Mi.P.Gar.        |                |     |",
    " |     |     |    0.000 |     | MILANO P.GAR.              | 8.40           | 0.5 |",
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
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    "",
};

}  // namespace

std::span<const std::string_view> righe_scheda() { return kRighe; }

void dati_scheda(FileSystem& fs, const std::string& percorso, Durability d) {
  scrivi_tabella(fs, percorso, kRighe, d);
}

}  // namespace lorvenna
