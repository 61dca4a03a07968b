// Reads one fuzz input as a record: fixed fields from the front (little-endian integers)
// and texts after them, two bytes a character, so that every 16-bit value (lone
// surrogates, zero) can occur. A field past the end of the input reads as zero; an odd
// last byte is dropped. Also the check every target uses to report a broken property.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quardeln::fuzz {

class TFuzzInput {
 public:
  TFuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return static_cast<uint8_t>(Unsigned(1)); }
  uint16_t UInt16() { return static_cast<uint16_t>(Unsigned(2)); }
  int32_t Int32() { return static_cast<int32_t>(static_cast<uint32_t>(Unsigned(4))); }
  int64_t Int64() { return static_cast<int64_t>(Unsigned(8)); }

  // Up to `count` characters; the rest of the input when there are fewer.
  std::u16string Text(size_t count = SIZE_MAX) {
    std::u16string text;
    while (text.size() < count && size_ - at_ >= 2) {
      text += static_cast<char16_t>(data_[at_] | (data_[at_ + 1] << 8));
      at_ += 2;
    }
    return text;
  }

 private:
  uint64_t Unsigned(size_t bytes) {
    uint64_t value = 0;
    for (size_t i = 0; i < bytes && at_ < size_; ++i, ++at_) {
      value |= uint64_t{data_[at_]} << (8 * i);
    }
    return value;
  }

  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A property that must hold for every input: when it does not, say which and crash, so
// that libFuzzer keeps the input.
inline void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", property);
  std::abort();
}

}  // namespace quardeln::fuzz
