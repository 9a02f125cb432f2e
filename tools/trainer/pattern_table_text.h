// A whole pattern table as the text attribution reads: one line per entry, in ascending key value.
#pragma once

#include <optional>
#include <string>

#include "attribution/pattern_table.h"

namespace mirelda::trainer {

// "\n" line ends; nullopt when an entry cannot be written (a bad key or a count that does not fit).
std::optional<std::string> PatternTableText(const attribution::PatternTable& table);

}  // namespace mirelda::trainer
