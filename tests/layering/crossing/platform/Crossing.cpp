// Reaches into the product from the platform: the check must refuse it.
#include <tweak/core/Settings.h>
