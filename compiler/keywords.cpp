#include "compiler/keywords.h"

#include <array>

#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

// Every keyword test lower-cases both sides; a table read per byte does it
// without building a lower-cased copy of either.
const std::array<char, 256>& minuscole() {
  static const std::array<char, 256> tabella = [] {
    std::array<char, 256> t{};
    for (int b = 0; b < 256; ++b) t[static_cast<size_t>(b)] = minuscola_1252(static_cast<char>(b));
    return t;
  }();
  return tabella;
}

}  // namespace

bool contiene(std::string_view pagliaio, std::string_view ago) {
  if (ago.size() > pagliaio.size()) return false;
  const auto& t = minuscole();
  auto basso = [&t](char c) { return t[static_cast<unsigned char>(c)]; };
  for (size_t i = 0; i + ago.size() <= pagliaio.size(); ++i) {
    size_t k = 0;
    while (k < ago.size() && basso(pagliaio[i + k]) == basso(ago[k])) ++k;
    if (k == ago.size()) return true;
  }
  return false;
}

bool contiene_esatto(std::string_view pagliaio, std::string_view ago) {
  return pagliaio.find(ago) != std::string_view::npos;
}

}  // namespace lorvenna
