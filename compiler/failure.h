// A failure met while reading a description that no numbered rule catches:
// the parse turns it into code 25.
#pragma once

#include <stdexcept>
#include <string>

namespace lorvenna {

class errore_lettura : public std::runtime_error {
 public:
  explicit errore_lettura(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace lorvenna
