// What a console program's standard error looks like on a terminal: finished lines, and the line being
// written, which '\b' and '\r' rewrite in place (the relaxation overwrites its pass counter that way).
// Plain C++, so the progress window only shows what this computes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirelda::ui {

class ConsoleScreen {
 public:
  // Feeds the next piece of output; pieces may split a line anywhere (even between '\r' and '\n').
  // Returns the lines that this piece finished, in order.
  std::vector<std::string> Feed(std::string_view chunk);
  // The unfinished last line as a terminal shows it.
  const std::string& CurrentLine() const { return line_; }

 private:
  std::string line_;
  std::size_t cursor_ = 0;  // where the next character goes in line_
};

}  // namespace mirelda::ui
