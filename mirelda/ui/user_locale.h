// The user's decimal separator, for the numbers the windows show (Qt follows the user's locale); the
// numbers written for the console programs never use it.
#pragma once

namespace mirelda::ui {

// ',' or '.', from QLocale; '.' when the locale's separator is not a single ASCII character.
char UserDecimalSeparator();

}  // namespace mirelda::ui
