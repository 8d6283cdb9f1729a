// Little-endian packing of the simulator's records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lorvenna {

class byte_buffer {
 public:
  void u8(uint8_t v) { dati_.push_back(static_cast<char>(v)); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void i32(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(u >> (8 * i)));
  }
  void bytes(std::string_view s) { dati_.append(s); }
  // A text with its 16-bit length; the caller has checked that it fits.
  void testo(const std::string& s) {
    u16(static_cast<uint16_t>(s.size()));
    bytes(s);
  }
  // The record layouts name each field; writing needs only the value.
  void u8(const char*, uint8_t v) { u8(v); }
  void i16(const char*, int16_t v) { i16(v); }
  void i32(const char*, int32_t v) { i32(v); }
  void testo(const char*, const std::string& s) { testo(s); }

  // A fixed-size record packed on the stack, to be appended whole.
  template <size_t N>
  class record {
   public:
    void u8(uint8_t v) { byte_[n_++] = static_cast<char>(v); }
    void i16(int16_t v) {
      u8(static_cast<uint8_t>(static_cast<uint16_t>(v) & 0xFF));
      u8(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
    }
    void u8(const char*, uint8_t v) { u8(v); }
    void i16(const char*, int16_t v) { i16(v); }
    std::string_view dati() const { return {byte_, n_}; }

   private:
    char byte_[N];
    size_t n_ = 0;
  };

  std::string dati() && { return std::move(dati_); }

 private:
  std::string dati_;
};

}  // namespace lorvenna
