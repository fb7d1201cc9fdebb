// Reads a fuzzer's input front to back; past its end every read gives 0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::vector<std::uint8_t> Bytes(std::size_t n) {
    std::vector<std::uint8_t> out;
    while (n-- > 0 && at_ < size_) out.push_back(data_[at_++]);
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace fuzz
