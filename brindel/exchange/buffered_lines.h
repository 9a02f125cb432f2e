// Reading a text stream line by line through a fixed-size buffer, as the exchange-file readers do: a line
// longer than the buffer arrives as several pieces, and each piece keeps its line end ("\n", or "\r\n"
// from files written on another platform) when it has one.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace mirelda::exchange {

// Calls onLine(std::string_view piece) for every piece of at most bufferSize - 1 characters.
template <typename OnLine>
void ForEachBufferedLine(std::istream& in, std::size_t bufferSize, OnLine&& onLine) {
  const std::size_t capacity = bufferSize > 1 ? bufferSize - 1 : 1;
  std::string piece;
  piece.reserve(capacity);
  char c;
  while (in.get(c)) {
    piece.push_back(c);
    if (c == '\n' || piece.size() == capacity) {
      onLine(std::string_view(piece));
      piece.clear();
    }
  }
  if (!piece.empty()) onLine(std::string_view(piece));
}

}  // namespace mirelda::exchange
