#include "output/binary_decoders.h"

#include <gtest/gtest.h>

#include <functional>

#include "output/binary_files.h"

namespace lorvenna {
namespace {

// What the encoders write, the decoders read back field for field.
TEST(Decodifica, ReadsBackWhatTheEncodersWrite) {
  modello m;
  m.celle.resize(3);
  m.celle[1] = {tipo_segnale, -32768, 32767, -1, 7, 255, 74, 3, 28, 97, 100};
  m.dati_generali[5] = {2, -5, 1000000, 7, 1,    "MILANO PORTA GARIBALDI", -1, 2, 3, 4, 5,
                        6, 7,  8,       9, 29460};
  const auto celle = decodifica_celle(codifica_celle(m));
  ASSERT_EQ(celle.size(), 3u);
  EXPECT_EQ(celle[1].dato_1, -32768);
  EXPECT_EQ(celle[1].dato_2, 32767);
  EXPECT_EQ(celle[1].aderenza, 100);
  const auto voci = decodifica_dati_generali(codifica_dati_generali(m));
  EXPECT_EQ(voci[5].nome, "MILANO PORTA GARIBALDI");
  EXPECT_EQ(voci[5].inizio, -5);
  EXPECT_EQ(voci[5].orario, 29460);
  EXPECT_EQ(voci[5].codice_4, 9);

  righe_planimetria p;
  p.crea(5);
  p.inizia();
  p.aggiungi(0.5, 2.5);
  const riassunto_planimetria r = decodifica_planimetria(codifica_planimetria(p));
  EXPECT_EQ(r.metri, 6u);
  EXPECT_EQ(r.interi, 2u);
  EXPECT_EQ(r.doppi, 1u);
  EXPECT_EQ(r.vuoti, 3u);
}

TEST(Decodifica, SaysWhatIsWrongWithADamagedFile) {
  struct caso {
    const char* nome;
    std::function<void()> leggi;
    std::string detto;
  };
  const std::string doppio_dopo_vuoto("\x00\x00\x05\x00", 4);
  const caso casi[] = {
      {"cells cut", [] { decodifica_celle(std::string(16, '\0')); }, "whole number"},
      {"entries cut", [] { decodifica_dati_generali(std::string(100, '\0')); }, "inside a record"},
      {"tags out of order", [&] { decodifica_planimetria(doppio_dopo_vuoto + doppio_dopo_vuoto); },
       "out of the order"},
  };
  for (const caso& c : casi) {
    try {
      c.leggi();
      ADD_FAILURE() << c.nome;
    } catch (const DamagedFileError& e) {
      EXPECT_NE(std::string(e.what()).find(c.detto), std::string::npos)
          << c.nome << ": " << e.what();
    }
  }
}

}  // namespace
}  // namespace lorvenna
