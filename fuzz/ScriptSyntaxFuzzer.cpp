// Any script given to the parser line by line, and every word to the number readers.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "sim/ScriptSyntax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view script(reinterpret_cast<const char*>(data), size);
  while (!script.empty()) {
    const size_t end = std::min(script.find('\n'), script.size());
    auto words = lunadoze::sim::tokenize(script.substr(0, end));
    script.remove_prefix(std::min(end + 1, script.size()));
    if (!words) continue;
    for (const auto& word : *words) {
      lunadoze::sim::parseInteger(word.text);
      lunadoze::sim::parseDecimal(word.text);
      lunadoze::sim::parseDuration(word.text);
    }
  }
  return 0;
}
