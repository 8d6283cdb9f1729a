#include "compiler/keywords.h"

#include <string>

#include "encoding/windows1252.h"

namespace lorvenna {

bool contiene(std::string_view pagliaio, std::string_view ago) {
  return minuscole_1252(pagliaio).find(minuscole_1252(ago)) != std::string::npos;
}

bool contiene_esatto(std::string_view pagliaio, std::string_view ago) {
  return pagliaio.find(ago) != std::string_view::npos;
}

}  // namespace lorvenna
