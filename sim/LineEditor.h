#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lunadoze::sim {

// The repl's line editing on a terminal, by libedit: arrows, history kept in a file across runs,
// tab completion from what the caller offers for the words before the cursor. One at a time:
// libedit keeps its state per process.
class LineEditor {
 public:
  // The words that may complete the word being typed, given the words before it on the line.
  using Completions = std::function<std::vector<std::string>(const std::vector<std::string>& before)>;

  LineEditor(std::filesystem::path historyFile, Completions completions);
  ~LineEditor();
  LineEditor(const LineEditor&) = delete;
  LineEditor& operator=(const LineEditor&) = delete;

  // Reads one line after the prompt; `waitForInput` lets the device live until the terminal has
  // something to read. Nothing at the end of input (Ctrl-D).
  std::optional<std::string> readLine(const std::string& prompt, const std::function<void()>& waitForInput);

  // A status line kept just above the prompt while a line is edited, on a terminal that lets the
  // cursor move: drawn with the prompt, redrawn by redrawStatus (the cursor left where it was), and
  // taken away once the line is read, so that only the one above the current prompt remains.
  void setStatus(std::function<std::string()> status) { status_ = std::move(status); }
  void redrawStatus();

  // Where the history is kept: $LUNADOZE_SIM_HISTORY, else ~/.lunadoze-sim_history.
  static std::filesystem::path defaultHistoryFile();

 private:
  // The rows from the prompt's first one to the cursor, or to the end of the line.
  int rowsTo(size_t column) const;

  std::filesystem::path historyFile_;
  std::function<std::string()> status_;
  std::string prompt_;
};

}  // namespace lunadoze::sim
