#include "mirelda/results/read_report.h"

namespace mirelda::results {

std::string ReadReport::Message() const {
  std::string message;
  for (const std::string& problem : problems) {
    if (!message.empty()) message += '\n';
    message += problem;
  }
  return message;
}

}  // namespace mirelda::results
