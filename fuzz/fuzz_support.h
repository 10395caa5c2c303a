#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

class QByteArray;

// What every fuzz target defines; the replay main and libFuzzer both call it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace palvex::fuzz {

// Starts the offscreen Qt GUI application text measurement needs, once.
void StartQt();

// A broken invariant: prints it and aborts, so the fuzzer keeps the input.
[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// A bag the control saved must load into a new control that saves the
// very same bag; anything else is a broken invariant.
void CheckBagLoadsBack(const QByteArray& saved);

// Takes typed values off the front of a fuzz input; zeros once it is used up,
// so every input is a complete program. Values are taken in statements of
// their own, never two as arguments of one call: the compiler picks the
// order those are worked out in, and an input must mean the same to every
// build.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return size_ == 0; }

  template <typename T>
  T Take() {
    T v{};
    const std::size_t n = sizeof(T) < size_ ? sizeof(T) : size_;
    if (n) std::memcpy(&v, data_, n);
    data_ += n;
    size_ -= n;
    return v;
  }
  // A value in [0, n).
  unsigned Below(unsigned n) { return n ? Take<std::uint8_t>() % n : 0; }
  // Up to maxLength UTF-16 units.
  std::u16string Text(std::size_t maxLength) {
    std::u16string s(Below(static_cast<unsigned>(maxLength) + 1), u'\0');
    for (char16_t& c : s) c = Take<char16_t>();
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace palvex::fuzz
