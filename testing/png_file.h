// Writes an RGB picture as a PNG file, uncompressed, so that a person can
// look at what a window test saw.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lorvenna::testing {

// `rgb` holds width * height pixels, three bytes each, row after row.
void write_png(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace lorvenna::testing
