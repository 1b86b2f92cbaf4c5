// Reaches into the simulator from the product: the check must refuse it.
#include "sim/ScriptRunner.h"
