// What a run is doing at each moment, named for the one failure that
// carries no context of its own: running out of memory.
#pragma once

#include <ostream>
#include <string>

namespace lorvenna {

// Names a step for as long as it lives; steps nest.
class in_corso {
 public:
  // `cosa` must outlive the step (a literal); `file` may be empty.
  in_corso(const char* cosa, std::string file = {});
  ~in_corso();
  in_corso(const in_corso&) = delete;
  in_corso& operator=(const in_corso&) = delete;

 private:
  const in_corso* fuori_;
  const char* cosa_;
  std::string file_;
};

// Writes "PROGRAM: out of memory while STEP FILE" and a line end. It asks
// for no memory of its own beyond the stream's: it runs when there is none.
void riporta_memoria_esaurita(const char* programma, std::ostream& errori);

}  // namespace lorvenna
