#include "sim/pictures/Storyboard.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "sim/ScriptSyntax.h"
#include "sim/StateFormat.h"
#include "sim/pictures/FileReplacement.h"
#include "sim/pictures/TextDrawing.h"

namespace lunadoze::sim {
namespace {

std::string escapeHtml(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace

Storyboard::Storyboard(std::filesystem::path directory) : directory_(std::move(directory)) {
  std::error_code error;
  std::filesystem::create_directories(directory_, error);
  if (error || !std::filesystem::is_directory(directory_))
    throw std::runtime_error("cannot make the directory " + directory_.string() + ": " +
                             (error ? error.message() : "a file is in the way"));
  // Every step is drawn: the fonts can load while the script starts.
  prepareText();
}

std::string Storyboard::script(std::string_view demo) {
  std::istringstream lines{std::string(demo)};
  std::string result;
  std::string line;
  bool lockShown = false;
  // The narration of a step: the echo lines in a row, which all speak of one screen.
  std::string narration;
  auto takePicture = [&] {
    if (narration.empty()) return;
    char name[32];
    std::snprintf(name, sizeof name, "step-%02zu.png", steps_.size() + 1);
    steps_.push_back({narration, name});
    result += std::string("screenshot ") + (lockShown ? "lock " : "cc ") +
              inQuotes(std::filesystem::absolute(directory_ / name).string()) + '\n';
    narration.clear();
  };
  while (std::getline(lines, line)) {
    auto words = tokenize(line);
    // Blank lines and comments change nothing on the screen.
    if (!words || words->empty()) {
      result += line + '\n';
      continue;
    }
    const auto& first = (*words)[0].text;
    if (first != "echo" || words->size() < 2) {
      takePicture();
      if (first == "lock") lockShown = words->size() > 1 && (*words)[1].text == "show";
      result += line + '\n';
      continue;
    }
    if (!narration.empty()) narration += '\n';
    for (size_t i = 1; i < words->size(); ++i) narration += (i > 1 ? " " : "") + (*words)[i].text;
    result += line + '\n';
  }
  takePicture();
  return result;
}

void Storyboard::writeIndex() const {
  const auto path = directory_ / "index.html";
  std::ostringstream page;
  page << "<!doctype html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
          "<title>Lunadoze: a 30-minute sleep timer</title>\n"
          "<style>body{font-family:Inter,\"DejaVu Sans\",sans-serif;background:#f2f2f7;margin:2em}"
          "figure{display:inline-block;vertical-align:top;width:340px;margin:0 1em 2em 0}"
          "img{width:320px;border-radius:12px}figcaption{white-space:pre-wrap;font-size:14px}</style>\n"
          "</head>\n<body>\n<h1>Lunadoze: a 30-minute sleep timer</h1>\n";
  for (const auto& step : steps_) {
    page << "<figure><img src=\"" << step.picture << "\" alt=\"\"><figcaption>" << escapeHtml(step.narration)
         << "</figcaption></figure>\n";
  }
  page << "</body>\n</html>\n";
  replaceFile(path, page.str());
}

}  // namespace lunadoze::sim
