#include "cli/locale_separators.h"

#include <langinfo.h>
#include <locale.h>

#include <string>

namespace tolvan::cli {

NumberSeparators LocaleNumberSeparators() {
  NumberSeparators separators;  // a point and a comma
  const locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (numeric == static_cast<locale_t>(0)) return separators;
  const std::string decimal = nl_langinfo_l(RADIXCHAR, numeric);
  const std::string grouping = nl_langinfo_l(THOUSEP, numeric);
  freelocale(numeric);
  if (!decimal.empty()) separators.decimal = decimal;
  if (!grouping.empty()) separators.grouping = grouping;
  return separators;
}

}  // namespace tolvan::cli
