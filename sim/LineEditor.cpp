#include "sim/LineEditor.h"

#include <editline/readline.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace lunadoze::sim {
namespace {

// libedit calls back plain functions: what they need lives here while an editor exists.
LineEditor::Completions* activeCompletions = nullptr;
std::vector<std::string> candidates;
std::optional<std::string> finishedLine;
bool lineDone = false;

char* nextCandidate(const char* text, int state) {
  static size_t next;
  if (state == 0) next = 0;
  const size_t length = std::strlen(text);
  while (next < candidates.size()) {
    const std::string& candidate = candidates[next++];
    if (candidate.compare(0, length, text) == 0) return strdup(candidate.c_str());
  }
  return nullptr;
}

char** complete(const char* text, int start, int) {
  rl_attempted_completion_over = 1;
  std::vector<std::string> before;
  std::istringstream words(std::string(rl_line_buffer, static_cast<size_t>(start)));
  for (std::string word; words >> word;) before.push_back(word);
  candidates = activeCompletions ? (*activeCompletions)(before) : std::vector<std::string>{};
  return rl_completion_matches(text, nextCandidate);
}

void lineRead(char* line) {
  lineDone = true;
  finishedLine = line ? std::optional<std::string>(line) : std::nullopt;
  std::free(line);
  rl_callback_handler_remove();
}

}  // namespace

std::filesystem::path LineEditor::defaultHistoryFile() {
  if (const char* chosen = std::getenv("LUNADOZE_SIM_HISTORY"); chosen != nullptr && *chosen != '\0') {
    return chosen;
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".lunadoze-sim_history";
}

LineEditor::LineEditor(std::filesystem::path historyFile, Completions completions)
    : historyFile_(std::move(historyFile)) {
  activeCompletions = new Completions(std::move(completions));
  rl_readline_name = "lunadoze-sim";
  rl_attempted_completion_function = complete;
  using_history();
  read_history(historyFile_.c_str());
}

LineEditor::~LineEditor() {
  write_history(historyFile_.c_str());
  delete activeCompletions;
  activeCompletions = nullptr;
}

std::optional<std::string> LineEditor::readLine(const std::string& prompt,
                                                const std::function<void()>& waitForInput) {
  prompt_ = prompt;
  if (status_) std::printf("%s\n", status_().c_str());
  lineDone = false;
  rl_callback_handler_install(prompt.c_str(), lineRead);
  while (!lineDone) {
    waitForInput();
    rl_callback_read_char();
  }
  if (status_ && finishedLine) {
    // The line read has moved the cursor below it: up to the status line, which is deleted (what
    // was typed moves up into its place), then back down.
    const int rows = rowsTo(finishedLine->size()) + 1;
    std::printf("\r\033[%dA\033[M\033[%dB", rows + 1, rows);
    std::fflush(stdout);
  }
  if (finishedLine && !finishedLine->empty()) add_history(finishedLine->c_str());
  return finishedLine;
}

int LineEditor::rowsTo(size_t column) const {
  int height = 0;
  int width = 0;
  rl_get_screen_size(&height, &width);
  if (width <= 0) width = 80;
  return static_cast<int>((prompt_.size() + column) / static_cast<size_t>(width));
}

void LineEditor::redrawStatus() {
  if (!status_) return;
  int height = 0;
  int width = 0;
  rl_get_screen_size(&height, &width);
  std::string text = status_();
  // A status line that wrapped would push the prompt down, and the next redraw would miss it.
  if (width > 1 && text.size() >= static_cast<size_t>(width)) text.resize(static_cast<size_t>(width) - 1);
  const int up = rowsTo(static_cast<size_t>(rl_point)) + 1;
  std::printf("\0337\r\033[%dA\033[K%s\0338", up, text.c_str());
  std::fflush(stdout);
}

}  // namespace lunadoze::sim
