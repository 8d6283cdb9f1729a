#include "compiler/field_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <variant>
#include <vector>

#include "compiler/failure.h"

namespace lorvenna {
namespace {

using campo = std::variant<std::string, int32_t>;

struct caso {
  const char* nome;
  std::string testo;
  std::vector<campo> campi;  // a string reads a text field, a number a number field
  bool alla_fine;
};

void PrintTo(const caso& c, std::ostream* os) { *os << c.nome; }

class LettoreCampiTest : public ::testing::TestWithParam<caso> {};

TEST_P(LettoreCampiTest, ReadsFieldsInOrder) {
  const caso& c = GetParam();
  lettore_campi r(c.testo);
  for (const campo& atteso : c.campi) {
    if (auto* testo = std::get_if<std::string>(&atteso)) {
      EXPECT_EQ(r.leggi_testo(), *testo);
    } else {
      EXPECT_EQ(r.leggi_numero(), std::get<int32_t>(atteso));
    }
  }
  EXPECT_EQ(r.alla_fine(), c.alla_fine);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, LettoreCampiTest,
    ::testing::Values(
        caso{"Record", "pendenza,  400,   7\r\n", {"pendenza", 400, 7}, true},
        caso{"EmptyNumberFieldsReadZero",
             "indicatori_vmax,  700,  75,  ,  ,  0\r\n",
             {"indicatori_vmax", 700, 75, 0, 0, 0},
             true},
        caso{"BlankSeparatedNumbers",
             "orologio,    7               55            50 \r\n[fine]\r\n",
             {"orologio", 7, 55, 50},
             false},
        caso{"NegativeNumber", "pendenza,  10800,   -4\r\n", {"pendenza", 10800, -4}, true},
        caso{"TextKeepsInnerBlanks",
             "cartello_indicatore,  66150,   (Cavalcavia)(Km.5.450  )\r\n[fine]\r\n",
             {"cartello_indicatore", 66150, "(Cavalcavia)(Km.5.450  )", "[fine]"},
             true},
        caso{"NameWithSpacesAndTrailingBlanks",
             "0, MILANO PORTA GARIBALDI   \r\n",
             {0, "MILANO PORTA GARIBALDI"},
             true},
        caso{"LineEndsOtherThanCrLf", "a\n1\r2\n", {"a", 1, 2}, true},
        caso{"Int32Limits", "-2147483648, 2147483647", {-2147483647 - 1, 2147483647}, true},
        caso{"TrailingEmptyLineIsNotTheEnd", "[fine]\r\n\r\n", {"[fine]"}, false},
        caso{"EmptyTextField", ",x\r\n", {"", "x"}, true}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LettoreCampi, RefusesWhatIsNotANumber) {
  for (const char* testo : {"abc", "[fine]", "12abc", "-", "1-2", "2147483648", "-2147483649",
                            "99999999999999999999"}) {
    lettore_campi r(testo);
    EXPECT_THROW(r.leggi_numero(), errore_lettura) << testo;
  }
}

TEST(LettoreCampi, ReadingPastTheEndFails) {
  for (const char* testo : {"", "   \r\n  "}) {
    lettore_campi a(testo);
    EXPECT_THROW(a.leggi_testo(), errore_lettura);
    lettore_campi b(testo);
    EXPECT_THROW(b.leggi_numero(), errore_lettura);
  }
}

}  // namespace
}  // namespace lorvenna
