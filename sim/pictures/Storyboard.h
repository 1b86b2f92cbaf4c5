#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lunadoze::sim {

// The demo as a storyboard: the script with a screenshot of what the person looks at after each
// narrated step, and a page that shows the pictures with the narration.
class Storyboard {
 public:
  // The directory is made when missing; std::runtime_error when it cannot be.
  explicit Storyboard(std::filesystem::path directory);

  // The script with a `screenshot` line after each narrated step (the `echo` lines in a row, with
  // only blank lines and comments between them): the lock screen once it is shown, Control
  // Center otherwise.
  std::string script(std::string_view demo);
  // Writes DIR/index.html for the pictures the script took.
  void writeIndex() const;

 private:
  struct Step {
    std::string narration;
    std::string picture;
  };

  std::filesystem::path directory_;
  std::vector<Step> steps_;
};

}  // namespace lunadoze::sim
