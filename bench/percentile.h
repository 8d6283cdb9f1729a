// The p-th percentile (0 to 1) of a benchmark's samples, the nearest sample
// taken: the median at 0.5, the tail at 0.9.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace lorvenna::bench {

inline double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  const auto k = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k), v.end());
  return v[k];
}

}  // namespace lorvenna::bench
