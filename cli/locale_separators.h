#pragma once

#include "persist/report.h"

namespace tolvan::cli {

// The separators with which the user's locale writes numbers, for the report: the C library's
// numeric locale as LC_ALL, LC_NUMERIC and LANG name it, read without changing the program's
// own locale (its number reading and option parsing stay on the point). A locale with no
// thousands separator (C, POSIX) or one that is not installed gives a point and a comma, as
// Qt's C locale gives the window.
NumberSeparators LocaleNumberSeparators();

}  // namespace tolvan::cli
