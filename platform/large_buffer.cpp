#include "platform/large_buffer.h"

#include <array>
#include <mutex>
#include <new>
#include <utility>

#ifndef _WIN32
#include <sys/mman.h>
#endif

namespace lorvenna {
namespace {

// Below this the system's allocator serves as well.
constexpr size_t kGrande = size_t{256} << 10;

#ifndef _WIN32
// The last blocks given back, kept mapped for the next compile in the same
// process (a benchmark, a tool compiling many scenarios): their pages are
// already there, so the next held half costs no page faults. Two blocks:
// the held half of the line file and one more.
struct MappedBlock {
  char* dati = nullptr;
  size_t dimensione = 0;
};

class BlockCache {
 public:
  MappedBlock prendi(size_t dimensione) {
    std::lock_guard<std::mutex> chiave(mutex_);
    // The smallest block that is large enough.
    MappedBlock* scelto = nullptr;
    for (MappedBlock& b : blocchi_) {
      if (b.dati == nullptr || b.dimensione < dimensione) continue;
      if (scelto == nullptr || b.dimensione < scelto->dimensione) scelto = &b;
    }
    if (scelto == nullptr) return {};
    return std::exchange(*scelto, MappedBlock{});
  }
  // Keeps the block, in place of the smallest one kept if none is free;
  // returns the block that is no longer kept, to be unmapped.
  MappedBlock lascia(char* dati, size_t dimensione) {
    std::lock_guard<std::mutex> chiave(mutex_);
    MappedBlock* posto = &blocchi_[0];
    for (MappedBlock& b : blocchi_) {
      if (b.dati == nullptr) {
        posto = &b;
        break;
      }
      if (b.dimensione < posto->dimensione) posto = &b;
    }
    return std::exchange(*posto, MappedBlock{dati, dimensione});
  }

 private:
  std::mutex mutex_;
  std::array<MappedBlock, 2> blocchi_{};
};

BlockCache& block_cache() {
  static BlockCache s;
  return s;
}

char* mappa(size_t dimensione) {
  void* p = ::mmap(nullptr, dimensione, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  // No advice for large pages: where the system's large-page setting makes
  // such a request compact memory first, a run could wait well over 100 ms
  // in the kernel for a buffer that costs about a millisecond in small pages.
  return static_cast<char*>(p);
}
#endif

}  // namespace

LargeBuffer::LargeBuffer(size_t size) : size_(size) {
  if (size == 0) return;
#ifndef _WIN32
  if (size >= kGrande) {
    const MappedBlock b = block_cache().prendi(size);
    data_ = b.dati != nullptr ? b.dati : mappa(size);
    size_ = b.dati != nullptr ? b.dimensione : size;
    return;
  }
#endif
  data_ = new char[size];
}

LargeBuffer::~LargeBuffer() { release(); }

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void LargeBuffer::release() {
  if (data_ == nullptr) return;
#ifndef _WIN32
  if (size_ >= kGrande) {
    const MappedBlock fuori = block_cache().lascia(data_, size_);
    if (fuori.dati != nullptr) ::munmap(fuori.dati, fuori.dimensione);
    data_ = nullptr;
    return;
  }
#endif
  delete[] data_;
  data_ = nullptr;
}

}  // namespace lorvenna
