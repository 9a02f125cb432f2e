// The default weights of the amino-acid table, as the front-end writes them into option_bis.txt, for
// tests that run the tessellation as a user gets it.
#pragma once

#include <string>

#include "brindel/exchange/option_files.h"

namespace mirelda::testing {

exchange::WeightTable DefaultWeights();

// option_bis.txt for a protein name with the default weights, CR LF lines in the front-end's order.
std::string DefaultTessellationOptions(const std::string& proteinName);

}  // namespace mirelda::testing
