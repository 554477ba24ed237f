// FixedText: a string with its storage inside the object, for texts built in
// the engine's hot paths (step traces, propagation chains) without touching
// the heap. Appending past the capacity drops the excess; the texts the
// engine writes are far shorter than the capacity.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tavimoro {

template <std::size_t Capacity>
class FixedText {
 public:
  FixedText() = default;
  FixedText(std::string_view text) { Append(text); }  // NOLINT: implicit from literals

  FixedText& Append(std::string_view text) {
    const std::size_t n = std::min(text.size(), Capacity - size_);
    std::copy_n(text.data(), n, data_.data() + size_);
    size_ += n;
    data_[size_] = '\0';
    return *this;
  }
  // Decimal, no blanks or leading zeros.
  FixedText& Append(int value) {
    char digits[12];
    int n = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[n++] = '-';
    std::reverse(digits, digits + n);
    return Append(std::string_view(digits, static_cast<std::size_t>(n)));
  }
  FixedText& Append(char ch) { return Append(std::string_view(&ch, 1)); }
  template <typename T>
  FixedText& operator<<(const T& value) {
    return Append(value);
  }

  void Clear() {
    size_ = 0;
    data_[0] = '\0';
  }
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }
  const char* c_str() const { return data_.data(); }
  std::string_view view() const { return {data_.data(), size_}; }
  std::string str() const { return std::string(view()); }
  bool Contains(std::string_view needle) const { return view().find(needle) != std::string_view::npos; }
  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

 private:
  std::array<char, Capacity + 1> data_{};
  std::size_t size_ = 0;
};

}  // namespace tavimoro
