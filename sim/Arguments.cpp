#include "sim/Arguments.h"

#include "sim/CommandError.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {

double Arguments::duration(size_t index) const {
  auto seconds = parseDuration((*this)[index]);
  if (!seconds) throw CommandError(inQuotes((*this)[index]) + " is not a duration (90, 1.5, 30s, 15m, 8h)");
  if (*seconds > kMaximumDuration) {
    throw CommandError(inQuotes((*this)[index]) + " is out of range: a duration is from 0 to " +
                       formatNumber(kMaximumDuration / 3600) + "h (ten years)");
  }
  return *seconds;
}

}  // namespace lunadoze::sim
