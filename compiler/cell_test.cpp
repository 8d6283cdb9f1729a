#include "compiler/cell.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "compiler/cell_access.h"
#include "compiler/track_fixture.h"

namespace lorvenna {
namespace {

struct caso_posizione {
  int32_t p;
  int32_t cella_marca;       // cella_di
  int32_t cella_che_inizia;  // cella_che_inizia_in
  bool sulla_griglia;
  int64_t griglia_vicina;
  int32_t troncata;
};

// At the halves (25, 75, 125 m) both rules round to the even neighbour, each
// its own sum: the markers add their 1 before rounding, so at 125 m they take
// cell 4, two past the cell 2 that starts nearest.
TEST(Cella, PosizioniInCelle) {
  const caso_posizione casi[] = {
      {0, 1, 0, true, 0, 0},          {24, 1, 0, false, 0, 0},
      {25, 2, 0, false, 0, 0},        {26, 2, 1, false, 50, 0},
      {50, 2, 1, true, 50, 50},       {75, 2, 2, false, 100, 50},
      {125, 4, 2, false, 100, 100},   {149, 4, 3, false, 150, 100},
      {350, 8, 7, true, 350, 350},    {7100, 143, 142, true, 7100, 7100},
      {-75, 0, -2, false, -100, -50},
  };
  for (const caso_posizione& c : casi) {
    SCOPED_TRACE(c.p);
    EXPECT_EQ(cella_di(c.p), c.cella_marca);
    EXPECT_EQ(cella_che_inizia_in(c.p), c.cella_che_inizia);
    EXPECT_EQ(sulla_griglia(c.p), c.sulla_griglia);
    EXPECT_EQ(griglia_piu_vicina(c.p), c.griglia_vicina);
    EXPECT_EQ(tronca_alla_griglia(c.p), c.troncata);
  }
  // The unrounded form keeps the halves the two rules round.
  EXPECT_EQ(in_celle(125), 2.5);
}

// A cell's start is in the index's own type, so that a size_t index stays
// unsigned and a double one keeps its fraction; either rule takes the start
// back to its cell.
TEST(Cella, InizioDellaCella) {
  static_assert(std::is_same_v<decltype(inizio_cella(size_t{1})), size_t>);
  static_assert(std::is_same_v<decltype(inizio_cella(int64_t{1})), int64_t>);
  static_assert(std::is_same_v<decltype(inizio_cella(1.0)), double>);
  EXPECT_EQ(inizio_cella(int32_t{3}), 150);
  EXPECT_EQ(inizio_cella(2.5), 125.0);
  for (int32_t i = 0; i <= 25000; ++i) {
    ASSERT_EQ(cella_che_inizia_in(inizio_cella(i)), i);
    ASSERT_EQ(cella_di(inizio_cella(i)), i + 1);
  }
}

// The messages' last admitted position is the one entra draws the line at,
// for short and for the longest tracks.
TEST(Cella, UltimaPosizioneComeEntra) {
  for (int32_t lunghezza_estesa : {7000, 7025, 7075, 83000, 1007000}) {
    SCOPED_TRACE(lunghezza_estesa);
    const modello m = testing::tracciato(lunghezza_estesa);
    const int32_t ultima = ultima_posizione_record(m.ultima_cella());
    EXPECT_TRUE(entra(m, ultima, kMargineRecord));
    EXPECT_FALSE(entra(m, ultima + 1, kMargineRecord));
  }
}

}  // namespace
}  // namespace lorvenna
