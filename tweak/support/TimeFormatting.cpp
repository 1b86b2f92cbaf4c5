#include "tweak/support/TimeFormatting.h"

#include <cstdio>

#include "tweak/support/LocalizationHelper.h"

namespace lunadoze {

std::string timeFormatted(int32_t seconds) {
  // Truncating division: a negative count reads as "00:-5" rather than wrapping.
  int minutes = (seconds / 60) % 60;
  int rest = seconds % 60;
  char text[32];
  if (seconds < 3600) {
    std::snprintf(text, sizeof text, "%02d:%02d", minutes, rest);
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, minutes, rest);
  }
  return LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString(text);
}

}  // namespace lunadoze
