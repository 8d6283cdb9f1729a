// Memory for one large buffer that is written once from the start, such as
// the y half of the line file held while the x half is written: asked of the
// system directly, and kept for the next one in the same process, so that a
// tool compiling many scenarios pays its page faults once.
#pragma once

#include <cstddef>

namespace lorvenna {

class LargeBuffer {
 public:
  LargeBuffer() = default;
  explicit LargeBuffer(size_t size);
  ~LargeBuffer();
  LargeBuffer(LargeBuffer&& other) noexcept;
  LargeBuffer& operator=(LargeBuffer&& other) noexcept;
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;

  char* get() const { return data_; }

 private:
  void release();
  char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace lorvenna
