#include "check/source_lines.h"

#include <cstring>

namespace lorvenna {
namespace {

// The start of the line after the one starting at `from`; the text's size
// when that line is its last.
size_t next_start(std::string_view bytes, size_t from) {
  const void* nl = std::memchr(bytes.data() + from, '\n', bytes.size() - from);
  return nl ? static_cast<size_t>(static_cast<const char*>(nl) - bytes.data()) + 1 : bytes.size();
}

}  // namespace

std::optional<std::string_view> SourceLines::line(const std::string& file, int n) {
  const auto t = testi_.find(file);
  if (t == testi_.end() || n < 1) return std::nullopt;
  const std::string_view bytes = t->second;
  Index& x = index_[file];
  if (x.marks.empty()) {
    x.marks.push_back(0);
    x.lines = 1;
    const char* const end = bytes.data() + bytes.size();
    for (const char* p = bytes.data();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))));) {
      ++p;
      if (x.lines % kStep == 0) x.marks.push_back(static_cast<size_t>(p - bytes.data()));
      ++x.lines;
    }
  }
  const auto i = static_cast<size_t>(n - 1);
  // A text that ends with its line end has no line after it.
  if (i >= x.lines || (i > 0 && i + 1 == x.lines && bytes.ends_with('\n'))) return std::nullopt;
  size_t line = i / kStep * kStep;
  size_t start = x.marks[i / kStep];
  if (x.last_line <= i && x.last_line > line) {
    line = x.last_line;
    start = x.last_start;
  }
  for (; line < i; ++line) start = next_start(bytes, start);
  x.last_line = i;
  x.last_start = start;
  const size_t end = next_start(bytes, start);
  std::string_view l = bytes.substr(start, end - start);
  if (l.ends_with('\n')) l.remove_suffix(1);
  if (l.ends_with('\r')) l.remove_suffix(1);
  return l;
}

}  // namespace lorvenna
