#include "bench/route_generator.h"

#include <string>

namespace lorvenna::bench {
namespace {

// Stations and text boards share the general table: 78 entries at most.
constexpr int kStazioni = 38;
constexpr int kCartelli = 38;

void riga(std::string& testo, const std::string& r) { testo += r + "\r\n"; }

std::string n(int64_t v) { return std::to_string(v); }

// Spread `quanti` positions over the route, on the 1500 m grid of the
// signals but half-way between two of them, so that no two marks meet.
int64_t posto(int i, int quanti, int32_t lunghezza, int64_t scarto) {
  const int64_t passi = (lunghezza - 3000) / 1500;
  return 1500 * (1 + passi * i / quanti) + scarto;
}

}  // namespace

descrizioni genera_percorso(int32_t lunghezza) {
  descrizioni d;
  std::string& l = d.linea;
  riga(l, "[generale]");
  riga(l, "lunghezza percorso, " + n(lunghezza));
  riga(l, "ripetizione segnali 4 codici, 0, 0");
  riga(l, "[pendenze]");
  for (int64_t p = 0; p < lunghezza; p += 500)
    riga(l, "pendenza, " + n(p) + ", " + n(p / 500 % 7 - 3));
  riga(l, "[curve]");
  for (int64_t k = 0; k * 1000 + 700 < lunghezza; ++k) {
    riga(l, std::string(k % 2 == 0 ? "curvad" : "curvas") + n(1 + k % 6) + ", " +
                n(k * 1000 + 300) + ", 400");
  }
  riga(l, "[cartelli]");
  for (int i = 0; i < kCartelli; ++i) {
    riga(l,
         "cartello_indicatore, " + n(posto(i, kCartelli, lunghezza, 300)) + ", (Km." + n(i) + ")");
  }
  riga(l, "[fine]");

  std::string& t = d.treno;
  riga(t, "[generale]");
  riga(t, "numero vetture, 8");
  riga(t, "percentuale massa frenata, 120");
  riga(t, "[aderenze]");
  riga(t, "aderenza, 0, 100");
  riga(t, "[vel_limite]");
  for (int64_t p = 0; p < lunghezza; p += 5000)
    riga(t, "velocita, " + n(p) + ", " + n(p % 10000 ? 120 : 100));
  riga(t, "[stazioni]");
  for (int i = 0; i < kStazioni; ++i) {
    riga(t, "stazione, " + n(posto(i, kStazioni, lunghezza, 1000)) +
                ", 12, 300, 0,0,0, 1,1,0, 4,1,1, 45, 8,15, 0, STAZIONE " + n(i));
  }
  riga(t, "[segnali]");
  for (int64_t p = 1500; p + 1500 < lunghezza; p += 1500) {
    riga(t, "segnale, " + n(p) + ", 2, 3, 1, 0, 0, 0, 0,0,0, 0");
  }
  riga(t, "[fine]");
  return d;
}

}  // namespace lorvenna::bench
