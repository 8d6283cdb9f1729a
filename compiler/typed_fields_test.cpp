#include "compiler/typed_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "compiler/failure.h"

namespace lorvenna {
namespace {

TEST(TypedFields, KeepValuesInsideTheirWidth) {
  lettore_campi lettore("255, 0, 32767, -32768, -2147483648\r\n");
  EXPECT_EQ(leggi_byte(lettore), 255);
  EXPECT_EQ(leggi_byte(lettore), 0);
  EXPECT_EQ(leggi_integer(lettore), 32767);
  EXPECT_EQ(leggi_integer(lettore), -32768);
  EXPECT_EQ(leggi_long(lettore), INT32_MIN);
}

TEST(TypedFields, RefuseValuesOutsideTheirWidth) {
  struct caso {
    const char* testo;
    bool byte;
    const char* messaggio;
  };
  for (caso c :
       {caso{"256", true, "256 lies outside 0 to 255, the values this field holds"},
        caso{"-1", true, "-1 lies outside 0 to 255, the values this field holds"},
        caso{"32768", false, "32768 lies outside -32768 to 32767, the values this field holds"},
        caso{"-32769", false,
             "-32769 lies outside -32768 to 32767, the values this field holds"}}) {
    lettore_campi lettore(c.testo);
    try {
      if (c.byte) {
        leggi_byte(lettore);
      } else {
        leggi_integer(lettore);
      }
      ADD_FAILURE() << c.testo << " was accepted";
    } catch (const errore_lettura& e) {
      EXPECT_NE(std::string(e.what()).find(c.messaggio), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace lorvenna
