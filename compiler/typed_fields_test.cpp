#include "compiler/typed_fields.h"

#include <gtest/gtest.h>

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
  };
  for (caso c :
       {caso{"256", true}, caso{"-1", true}, caso{"32768", false}, caso{"-32769", false}}) {
    lettore_campi lettore(c.testo);
    if (c.byte) {
      EXPECT_THROW(leggi_byte(lettore), errore_lettura) << c.testo;
    } else {
      EXPECT_THROW(leggi_integer(lettore), errore_lettura) << c.testo;
    }
  }
}

}  // namespace
}  // namespace lorvenna
