#include "tests/support/comma_locale.h"

#include <clocale>
#include <cstdlib>

namespace mirelda::testing {
namespace {

struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

}  // namespace

CommaLocale::CommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)), previousGlobal_(std::locale()) {
  std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr && Active()) return;
  }
  const std::string command =
      "localedef -i de_DE -f UTF-8 '" + (folder_ / "de_DE.UTF-8").string() + "' > /dev/null 2>&1";
  [[maybe_unused]] const int status = std::system(command.c_str());  // warnings still give a locale
  const char* locpath = std::getenv("LOCPATH");
  hadLocpath_ = locpath != nullptr;
  if (hadLocpath_) savedLocpath_ = locpath;
  setenv("LOCPATH", folder_.Path().c_str(), 1);
  std::setlocale(LC_ALL, "de_DE.UTF-8");
}

CommaLocale::~CommaLocale() {
  std::locale::global(previousGlobal_);
  std::setlocale(LC_ALL, previous_.c_str());
  if (hadLocpath_) {
    setenv("LOCPATH", savedLocpath_.c_str(), 1);
  } else {
    unsetenv("LOCPATH");
  }
}

bool CommaLocale::Active() { return std::string(std::localeconv()->decimal_point) == ","; }

}  // namespace mirelda::testing
