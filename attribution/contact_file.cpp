#include "attribution/contact_file.h"

#include "brindel/exchange/contact_file.h"

namespace mirelda::attribution {

ContactMatrix ReadContactMatrix(std::istream& in) {
  return ContactMatrix(exchange::ReadContactRows(in));
}

}  // namespace mirelda::attribution
