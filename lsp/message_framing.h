// The base protocol of a language server: each message is a header of
// "Name: value" lines ending in CR LF, an empty line, and a body of as many
// bytes as its Content-Length says. A client that sends something else, or
// too much, gets the fault told and the stream read on, never a crash.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace lorvenna {

struct messaggio_letto {
  enum class tipo { messaggio, guasto, fine };
  tipo t = tipo::fine;
  std::string corpo;   // the body, for a message
  std::string motivo;  // what was wrong, for a fault
};

class lettore_messaggi {
 public:
  // Bodies over `limite` bytes are passed over and told as faults.
  explicit lettore_messaggi(std::istream& in, size_t limite = size_t{64} << 20)
      : in_(in), limite_(limite) {}

  // The next message, a fault of one (after which the reading goes on with
  // the next header), or the end of the input.
  messaggio_letto leggi();

 private:
  std::istream& in_;
  size_t limite_;
};

// Whether a JSON text nests arrays and objects more than `limite` deep,
// counted without parsing it: the protocol's messages never nest past a
// dozen, and a deeper one would be parsed and copied by recursion, deep
// enough to run out of stack.
bool annidato_oltre(std::string_view testo, size_t limite);
inline constexpr size_t kAnnidamentoMassimo = 64;

// A body framed as the base protocol sends it.
std::string incornicia(std::string_view corpo);

}  // namespace lorvenna
