#include "encoding/quoted.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvenna {
namespace {

TEST(Citato, QuotesCutsAndEscapes) {
  struct caso {
    std::string testo;
    std::string atteso;
  };
  const std::string lungo(10'000'000, '7');
  const std::string accentate = std::string(39, 'a') + "\xC3\xA0\xC3\xA0";
  const caso casi[] = {
      {"12abc", "\"12abc\""},
      {"", "\"\""},
      {std::string(40, 'x'), "\"" + std::string(40, 'x') + "\""},
      {lungo, "\"" + std::string(40, '7') + "...\""},
      {std::string("a\0b\n\x7F", 5), "\"a\\x00b\\x0A\\x7F\""},
      {"\x1B[2J", "\"\\x1B[2J\""},
      // The 40th byte starts a two-byte letter: the cut falls before it.
      {accentate, "\"" + std::string(39, 'a') + "...\""},
  };
  for (const caso& c : casi) EXPECT_EQ(citato(c.testo), c.atteso) << c.atteso;
}

// A path is cut only when very long, in its middle, so that the file's name
// at its end still shows; its control bytes are escaped as an argument's are.
TEST(PercorsoCitato, EscapesAndCutsOnlyVeryLongPathsInTheMiddle) {
  struct caso {
    std::string percorso;
    std::string atteso;
  };
  const std::string cartella(200, 'c');
  const std::string lungo = "/" + std::string(300, 'c') + "/Lorvenna_linea.dat";
  // A two-byte letter across each cut: neither cut splits it.
  const std::string accentato = std::string(79, 'a') + "\xC3\xA0" + std::string(100, 'b') +
                                "\xC3\xA0" + std::string(156, 'z');
  const caso casi[] = {
      {"", "\"\""},
      {"build/" + cartella, "\"build/" + cartella + "\""},
      {"scen\x1B[31mari\no/x.dat", "\"scen\\x1B[31mari\\x0Ao/x.dat\""},
      {lungo,
       "\"/" + std::string(79, 'c') + "..." + std::string(157 - 19, 'c') + "/Lorvenna_linea.dat\""},
      {accentato, "\"" + std::string(79, 'a') + "..." + std::string(156, 'z') + "\""},
  };
  for (const caso& c : casi) EXPECT_EQ(percorso_citato(c.percorso), c.atteso) << c.atteso;
  EXPECT_EQ(senza_controlli(std::string("a\0\x7F\xC3\xA0", 5)), "a\\x00\\x7F\xC3\xA0");
}

}  // namespace
}  // namespace lorvenna
