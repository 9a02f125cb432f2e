// Reading a text stream line by line through a fixed-size buffer, as the exchange-file readers do: a line
// longer than the buffer arrives as several pieces, and each piece keeps its line end ("\n", "\r\n", or
// a lone "\r" from old Mac files) when it has one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::exchange {

// Whether a piece given by ForEachBufferedLine ends its line (the next piece starts a new one).
inline bool EndsLine(std::string_view piece) {
  return !piece.empty() && (piece.back() == '\n' || piece.back() == '\r');
}

// Calls onLine(std::string_view piece) for every piece of at most bufferSize - 1 characters. The stream
// is read in large blocks (scene files run to tens of megabytes) and cut exactly as a character-by-
// character reading would; it ends, like such a reading, with its end-of-file and fail flags set.
template <typename OnLine>
void ForEachBufferedLine(std::istream& in, std::size_t bufferSize, OnLine&& onLine) {
  const std::size_t capacity = bufferSize > 1 ? bufferSize - 1 : 1;
  std::string piece;
  piece.reserve(capacity);
  const std::istream::sentry ready(in, true);
  if (ready) {
    std::vector<char> block(std::size_t{1} << 16);
    bool afterCarriageReturn = false;  // the piece ends with a '\r' whose follower was not yet read
    for (;;) {
      const std::streamsize got = in.rdbuf()->sgetn(block.data(), static_cast<std::streamsize>(block.size()));
      if (got <= 0) break;
      const char* next = block.data();
      const char* const end = next + got;
      if (afterCarriageReturn) {
        afterCarriageReturn = false;
        if (*next != '\n') {
          onLine(std::string_view(piece));
          piece.clear();
        }
      }
      while (next < end) {
        const std::size_t room = std::min(capacity - piece.size(), static_cast<std::size_t>(end - next));
        const char* lineEnd = static_cast<const char*>(std::memchr(next, '\n', room));
        const char* const searched = lineEnd != nullptr ? lineEnd : next + room;
        // A carriage return not followed by a line feed ends a line by itself.
        if (const char* cr = static_cast<const char*>(std::memchr(next, '\r', static_cast<std::size_t>(searched - next)));
            cr != nullptr && cr + 1 != lineEnd) {
          if (cr + 1 == end && piece.size() + static_cast<std::size_t>(end - next) < capacity) {
            piece.append(next, end);
            afterCarriageReturn = true;
            break;
          }
          lineEnd = cr;
        }
        const char* const stop = lineEnd != nullptr ? lineEnd + 1 : next + room;
        piece.append(next, stop);
        next = stop;
        if (lineEnd != nullptr || piece.size() == capacity) {
          onLine(std::string_view(piece));
          piece.clear();
        }
      }
    }
  }
  in.setstate(std::ios::eofbit | std::ios::failbit);
  if (!piece.empty()) onLine(std::string_view(piece));
}

}  // namespace mirelda::exchange
