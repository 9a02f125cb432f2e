// A decimal-comma locale for the length of a test, as the front-end runs in for a German or French user
// (Qt adopts the user's locale): for the C library (printf, strtod) and for C++ streams. An installed
// de_DE or fr_FR locale is used, or one compiled with localedef into a scratch folder. Everything is
// restored when the object goes.
#pragma once

#include <locale>
#include <string>

#include "tests/support/scratch_folder.h"

namespace mirelda::testing {

class CommaLocale {
 public:
  CommaLocale();
  ~CommaLocale();
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  // True when the C library's decimal point is ',' (a test skips when no such locale could be had).
  static bool Active();

 private:
  std::string previous_;
  std::locale previousGlobal_;
  ScratchFolder folder_;
  std::string savedLocpath_;
  bool hadLocpath_ = false;
};

}  // namespace mirelda::testing
