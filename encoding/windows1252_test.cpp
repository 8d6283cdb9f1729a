#include "encoding/windows1252.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lorvenna {
namespace {

TEST(Utf8A1252, ConvertsWhatTheCodePageHoldsAndRefusesTheRest) {
  struct caso {
    const char* nome;
    std::string utf8;
    std::optional<std::string> atteso;
  };
  const caso casi[] = {
      {"ascii", "Lorvenna", "Lorvenna"},
      {"latin-1 letter", "Citt\xC3\xA0", "Citt\xE0"},
      {"euro sign", "\xE2\x82\xAC", "\x80"},
      {"no such character", "\xC5\x81", std::nullopt},
      {"overlong slash", "\xC0\xAF", std::nullopt},
      {"overlong in three bytes", "\xE0\x80\xAF", std::nullopt},
      {"surrogate", "\xED\xA0\x80", std::nullopt},
      {"cut short", "\xC3", std::nullopt},
      {"stray continuation", "\x80", std::nullopt},
  };
  for (const caso& c : casi) EXPECT_EQ(utf8_a_windows1252(c.utf8), c.atteso) << c.nome;
}

TEST(Windows1252AUtf8, RoundTripsWhatTheCodePageHolds) {
  for (const std::string utf8 : {"Lorvenna", "Citt\xC3\xA0", "\xE2\x82\xAC 5", "\xC5\x92uvre"}) {
    EXPECT_EQ(windows1252_a_utf8(*utf8_a_windows1252(utf8)), utf8);
  }
  EXPECT_EQ(windows1252_a_utf8("\x81"), "\xEF\xBF\xBD") << "an undefined byte";
}

TEST(Minuscole1252, LowersTheCapitalsOnly) {
  EXPECT_EQ(minuscole_1252("ABC xyz \xC0\xDE\x8A\x9F"), "abc xyz \xE0\xFE\x9A\xFF");
  // The multiplication sign sits among the capitals but is no letter.
  EXPECT_EQ(minuscola_1252('\xD7'), '\xD7');
}

}  // namespace
}  // namespace lorvenna
