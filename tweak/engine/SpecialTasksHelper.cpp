#include "tweak/engine/SpecialTasksHelper.h"

namespace lunadoze {

std::shared_ptr<SpecialTasksHelper> SpecialTasksHelper::getInstance() {
  // The static's guarded initialization is the run-once guard.
  static const std::shared_ptr<SpecialTasksHelper> instance = std::make_shared<SpecialTasksHelper>();
  return instance;
}

}  // namespace lunadoze
