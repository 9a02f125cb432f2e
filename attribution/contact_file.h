// Reading the contact file: one line per residue, the line's characters being the row of the contact
// matrix. Lines are read whole, whatever their length, so proteins of any size keep intact rows.
#pragma once

#include <istream>

#include "attribution/contact_matrix.h"

namespace mirelda::attribution {

// Every line of the stream is one row, its line end ("\n" or "\r\n") removed; N is the number of lines.
ContactMatrix ReadContactMatrix(std::istream& in);

}  // namespace mirelda::attribution
