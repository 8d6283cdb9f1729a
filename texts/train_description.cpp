#include "texts/train_description.h"

#include <array>

#include "texts/line_table.h"

namespace lorvenna {

namespace {

// Plain ASCII. The runs of blanks are layout only and do not follow the
// fields; they are kept as typed so the file stays the same byte for byte,
// the blank at the end of the "orologio" line included.
constexpr std::array<std::string_view, 70> kRighe = {
    "[generale]",
    "numero vetture,    8",
    "percentuale massa frenata,    120",
    "sabbia,    300",
    "orologio,    7               55            50 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,     700,    75",
    "velocita,    7000,    90",
    "velocita,   13700,    70",
    "velocita,   14800,    95",
    "velocita,   18900,   100",
    "velocita,   30700,    90",
    "velocita,   32800,   140",
    "velocita,   38850,    60",
    "velocita,   39850,   140",
    "velocita,   43250,   130",
    "velocita,   45000,   140",
    "velocita,   57000,    60",
    "velocita,   58050,   120",
    "velocita,   66200,    60",
    "velocita,   68650,    80",
    "[stazioni]",
    "stazione,   32800,  4,  500,  1, 0, 0,  4,1,1,  2,1,1,    1,   7,56, 0, GALLARATE",
    "stazione,   33900, 11,  800,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Gallarate Scalo",
    "stazione,   38500, 11,  800,  0, 0, 0,  1,1,0,  2,3,1,    0,   0, 0, 0, Busto Scalo",
    "stazione,   39800, 12,  400,  1, 0, 0,  4,1,1,  2,1,1,   55,   8, 1, 0, BUSTO ARSIZIO",
    "stazione,   44350, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,   70,   8, 7, 0, LEGNANO",
    "stazione,   47350, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   40,   8,10, 0, CANEGRATE",
    "stazione,   49700, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,   45,   8,15, 0, PARABIAGO",
    "stazione,   54700, 22,  300,  0, 0, 0,  0,0,0,  4,1,1,   33,   8,20, 0, VANZAGO POGLIANO",
    "stazione,   57700, 11,  800,  0, 0, 0,  1,1,0,  3,1,1,    0,   0, 0, 0, Scalo Rho",
    "stazione,   58800, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,   75,   8,26, 0, RHO",
    "stazione,   66500, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,   99,   8,33, 0, MILANO CERTOSA",
    "stazione,   68900, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   8,40, 0, Quadrivio Ghisolfa",
    "stazione,   71700,  6,  400,  1, 0, 0,  4,1,0,  2,1,1,    0,   8,40, 0, MILANO PORTA "
    "GARIBALDI",
    "[rallentamenti]",
    "rallentamento,   54250,    70,  200, 0,  1,  0",
    "[segnali]",
    "segnale,    7100,   2, 3, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,   12550,   2, 3, 4,  1, 0,    0,  0,0,0, 0",
    "segnale,   13600,   2, 2, 3,  1, 0,    0,  0,0,0, 0",
    "segnale,   31250,   2, 5, 7,  1, 0,    0,  0,0,0, 0",
    "segnale,   32250,   2, 2, 3,  1, 0,    0,  0,0,0, 0",
    "segnale,   35700,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   36650,   2, 3, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   37800,   2, 5, 6,  0, 0,    2,  2,1,0, 255",
    "segnale,   41600,   2, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   43050,   2, 3, 1,  1, 0,    2,  2,1,1, 0",
    "segnale,   46050,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   47500,   2, 5, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   48800,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   51050,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   52200,   2, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   53350,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   55800,   2, 5, 6,  0, 0,    1,  3,0,0, 0",
    "segnale,   57000,   2, 2, 5,  0, 1,    2,  2,0,0, 0",
    "segnale,   59850,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   60900,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   62100,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   63250,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,   64150,   2, 5, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   65650,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   68700,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   69900,   2, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   70900,   2, 2, 3,  1, 0,    0,  0,0,0, 0",
    "[codici]",
    "[fine]",
};

}  // namespace

std::span<const std::string_view> righe_treno() { return kRighe; }

void dati_treno(FileSystem& fs, const std::string& percorso, Durability d) {
  scrivi_tabella(fs, percorso, kRighe, d);
}

}  // namespace lorvenna
