#include "mirelda/ui/console_screen.h"

namespace mirelda::ui {

std::vector<std::string> ConsoleScreen::Feed(std::string_view chunk) {
  std::vector<std::string> finished;
  for (const char c : chunk) {
    switch (c) {
      case '\n':
        finished.push_back(std::move(line_));
        line_.clear();
        cursor_ = 0;
        break;
      case '\r':  // back to the start of the line; what follows overwrites it
        cursor_ = 0;
        break;
      case '\b':  // one character back, never past the start of the line
        if (cursor_ > 0) --cursor_;
        break;
      default:
        if (cursor_ < line_.size()) {
          line_[cursor_] = c;
        } else {
          line_.push_back(c);
        }
        ++cursor_;
        break;
    }
  }
  return finished;
}

}  // namespace mirelda::ui
