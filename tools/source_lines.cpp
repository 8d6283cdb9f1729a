#include "tools/source_lines.h"

namespace lorvenna {

std::optional<std::string_view> SourceLines::line(const std::string& file, int n) {
  const auto t = testi_.find(file);
  if (t == testi_.end() || n < 1) return std::nullopt;
  const std::string& bytes = t->second;
  std::vector<size_t>& starts = starts_[file];
  if (starts.empty()) {
    starts.push_back(0);
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') starts.push_back(i + 1);
    }
  }
  const auto i = static_cast<size_t>(n - 1);
  // A text that ends with its line end has no line after it.
  if (i >= starts.size() || (i > 0 && starts[i] == bytes.size())) return std::nullopt;
  const size_t end = i + 1 < starts.size() ? starts[i + 1] - 1 : bytes.size();
  std::string_view l(bytes.data() + starts[i], end - starts[i]);
  if (l.ends_with('\r')) l.remove_suffix(1);
  return l;
}

}  // namespace lorvenna
