#include "testing/png_file.h"

#include <array>
#include <fstream>

namespace lorvenna::testing {
namespace {

uint32_t crc32(const std::string& bytes) {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void put32(std::string& out, uint32_t v) {
  for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void chunk(std::string& out, const char* type, const std::string& data) {
  put32(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  put32(out, crc32(body));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string zlib_stored(const std::string& raw) {
  std::string z = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<char>(n & 0xFF));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 0xFF));
    z.push_back(static_cast<char>((~n >> 8) & 0xFF));
    z.append(raw, pos, n);
    pos += n;
  } while (pos < raw.size());
  put32(z, (b << 16) | a);
  return z;
}

}  // namespace

void write_png(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
  std::string out = "\x89PNG\r\n\x1A\n";
  std::string header;
  put32(header, static_cast<uint32_t>(width));
  put32(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  chunk(out, "IHDR", header);
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');  // no filter
    raw.append(reinterpret_cast<const char*>(rgb.data()) + static_cast<size_t>(y) * width * 3,
               static_cast<size_t>(width) * 3);
  }
  chunk(out, "IDAT", zlib_stored(raw));
  chunk(out, "IEND", "");
  std::ofstream(path, std::ios::binary) << out;
}

}  // namespace lorvenna::testing
