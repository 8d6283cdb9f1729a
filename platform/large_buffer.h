// Memory for one large buffer that is written once from the start, such as
// the plan view's halves: asked of the system directly, so that it can be
// backed by large pages and cost few page faults.
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
