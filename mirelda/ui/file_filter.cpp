#include "mirelda/ui/file_filter.h"

#include <vector>

namespace mirelda::ui {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      if (start < text.size()) parts.emplace_back(text.substr(start));
      break;
    }
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string WithoutTrailingPatterns(std::string description) {
  const std::size_t open = description.rfind('(');
  if (open != std::string::npos && !description.empty() && description.back() == ')') {
    description.erase(open);
    while (!description.empty() && description.back() == ' ') description.pop_back();
  }
  return description;
}

}  // namespace

std::string QtNamePattern(std::string_view pattern) {
  return pattern == "*.*" ? std::string("*") : std::string(pattern);
}

std::string QtFileFilter(std::string_view pipeFilter) {
  const std::vector<std::string> parts = Split(pipeFilter, '|');
  std::string filter;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns;
    for (const std::string& pattern : Split(parts[i + 1], ';')) {
      if (!patterns.empty()) patterns += ' ';
      patterns += QtNamePattern(pattern);
    }
    if (!filter.empty()) filter += ";;";
    filter += WithoutTrailingPatterns(parts[i]) + " (" + patterns + ")";
  }
  return filter;
}

}  // namespace mirelda::ui
