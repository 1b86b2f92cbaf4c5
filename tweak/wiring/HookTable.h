#pragma once

namespace lunadoze {

// Replaces 15 host methods and adds 16 methods to host classes, in table order. A class that the
// running system does not have is skipped; an added selector that the class already implements
// keeps the class's own method.
void installHookTable();

}  // namespace lunadoze
