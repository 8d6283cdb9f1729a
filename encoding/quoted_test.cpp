#include "encoding/quoted.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvenna {
namespace {

TEST(Citato, QuotesCutsAndEscapes) {
  struct Caso {
    std::string testo;
    std::string atteso;
  };
  const std::string lungo(10'000'000, '7');
  const std::string accentate = std::string(39, 'a') + "\xC3\xA0\xC3\xA0";
  const Caso casi[] = {
      {"12abc", "\"12abc\""},
      {"", "\"\""},
      {std::string(40, 'x'), "\"" + std::string(40, 'x') + "\""},
      {lungo, "\"" + std::string(40, '7') + "...\""},
      {std::string("a\0b\n\x7F", 5), "\"a\\x00b\\x0A\\x7F\""},
      {"\x1B[2J", "\"\\x1B[2J\""},
      // The 40th byte starts a two-byte letter: the cut falls before it.
      {accentate, "\"" + std::string(39, 'a') + "...\""},
  };
  for (const Caso& c : casi) EXPECT_EQ(citato(c.testo), c.atteso) << c.atteso;
}

}  // namespace
}  // namespace lorvenna
