// The lines of the description texts, by number, as the check's findings
// point at them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/diagnostic_render.h"

namespace lorvenna {

// Each text's line starts are found once, on its first use: a check can
// report many findings in one long text.
class SourceLines {
 public:
  explicit SourceLines(const testi_sorgente& testi) : testi_(testi) {}

  // Line `n` (from 1) without its line end (LF, or CR LF), or nothing when
  // the text is not there or has no such line.
  std::optional<std::string_view> line(const std::string& file, int n);

 private:
  const testi_sorgente& testi_;
  std::map<std::string, std::vector<size_t>> starts_;
};

}  // namespace lorvenna
