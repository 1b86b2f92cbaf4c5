#include "sim/Arguments.h"

#include "sim/CommandError.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {

double Arguments::duration(size_t index) const {
  if (auto seconds = parseDuration((*this)[index])) return *seconds;
  throw CommandError(inQuotes((*this)[index]) + " is not a duration (90, 1.5, 30s, 15m, 8h)");
}

}  // namespace lunadoze::sim
