#include "mirelda/ui/user_locale.h"

#include <QLocale>

namespace mirelda::ui {

char UserDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
}

}  // namespace mirelda::ui
