// Bounds-checked little-endian reads over a byte buffer. A read that would
// leave the buffer yields 0, so a damaged record can never reach outside it;
// code that needs the data to be there asks Has() first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rv::meta {

class ByteView {
 public:
  ByteView() = default;
  ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

  const std::uint8_t* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  bool Has(std::size_t offset, std::size_t length) const { return offset <= size_ && length <= size_ - offset; }
  // Has() for count elements of elementSize bytes, without overflow.
  bool HasArray(std::size_t offset, std::uint64_t count, std::size_t elementSize) const {
    if (offset > size_) return false;
    return count <= (size_ - offset) / (elementSize ? elementSize : 1);
  }

  std::uint8_t U8(std::size_t off) const { return Has(off, 1) ? data_[off] : 0; }
  std::uint16_t U16(std::size_t off) const {
    if (!Has(off, 2)) return 0;
    return static_cast<std::uint16_t>(data_[off] | (data_[off + 1] << 8));
  }
  std::int16_t I16(std::size_t off) const { return static_cast<std::int16_t>(U16(off)); }
  std::uint32_t U32(std::size_t off) const {
    if (!Has(off, 4)) return 0;
    return static_cast<std::uint32_t>(data_[off]) | (static_cast<std::uint32_t>(data_[off + 1]) << 8) |
           (static_cast<std::uint32_t>(data_[off + 2]) << 16) | (static_cast<std::uint32_t>(data_[off + 3]) << 24);
  }
  std::int32_t I32(std::size_t off) const { return static_cast<std::int32_t>(U32(off)); }
  float F32(std::size_t off) const {
    const std::uint32_t bits = U32(off);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }

  // The part [offset, offset + length), cut to what exists.
  ByteView Sub(std::size_t offset, std::size_t length) const {
    if (offset > size_) return {};
    if (length > size_ - offset) length = size_ - offset;
    return {data_ + offset, length};
  }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace rv::meta
