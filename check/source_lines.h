// The lines of the description texts, by number, as the check's findings
// point at them.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/diagnostic_render.h"

namespace lorvenna {

// Each text is read through once, on its first use, for the start of every
// kStep-th line; a line is then found from the nearest such start, or from
// the line found last when it is nearer, as findings mostly come in the
// order of their lines. A text of millions of short lines costs a few bytes
// for every kStep of them, and finding each of its lines in order costs
// one pass over it.
class SourceLines {
 public:
  explicit SourceLines(const testi_sorgente& testi) : testi_(testi) {}

  // Line `n` (from 1) without its line end (LF, or CR LF), or nothing when
  // the text is not there or has no such line.
  std::optional<std::string_view> line(const std::string& file, int n);

 private:
  static constexpr size_t kStep = 64;
  struct Index {
    std::vector<size_t> marks;  // where line k * kStep starts (lines from 0)
    size_t lines = 0;           // how many the text has
    size_t last_line = 0;       // the line found last (from 0), and its start
    size_t last_start = 0;
  };

  const testi_sorgente& testi_;
  std::map<std::string, Index> index_;
};

}  // namespace lorvenna
