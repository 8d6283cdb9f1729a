#include "platform/memory_reserve.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace lorvenna {
namespace {

constexpr std::size_t kRiserva = 512 * 1024;
char* riserva = nullptr;

void al_fallimento() {
  // Released once; after that, a failure is thrown at once, with the
  // reserve's room now free for the exception and its handling.
  if (riserva == nullptr) throw std::bad_alloc();
  std::free(riserva);
  riserva = nullptr;
}

}  // namespace

bool keep_memory_for_reports() {
  // Not `new (std::nothrow)`: its failure goes through an exception, the very
  // thing there may be no memory for.
  riserva = static_cast<char*>(std::malloc(kRiserva));
  if (riserva == nullptr) return false;
  // Touched, so that the pages exist and their release gives real room.
  for (std::size_t i = 0; i < kRiserva; i += 4096) riserva[i] = 1;
  std::set_new_handler(al_fallimento);
  return true;
}

}  // namespace lorvenna
