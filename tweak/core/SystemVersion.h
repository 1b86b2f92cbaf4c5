#pragma once

namespace lunadoze {

// The running system's version as one number ("11.4.1" reads as 11.4), which the layout cases and
// the volume's path compare. Read anew at each call.
float systemVersion();

}  // namespace lunadoze
