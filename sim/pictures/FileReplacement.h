#pragma once

#include <filesystem>
#include <span>
#include <string_view>

namespace lunadoze::sim {

// Writes `bytes` to a new file beside `path` and renames it over `path`, so that a failed write
// (a full disk) leaves whatever was there before whole, and no half-written file beside it.
// Throws std::runtime_error "cannot write PATH: REASON" with the system's reason.
void replaceFile(const std::filesystem::path& path, std::span<const unsigned char> bytes);
void replaceFile(const std::filesystem::path& path, std::string_view text);
// Throws as replaceFile would when the file's folder is missing, is not a folder or cannot be
// written to, or when a folder stands at the path: for a file to be written later, told now.
// Nothing is made.
void checkFolderOf(const std::filesystem::path& path);

}  // namespace lunadoze::sim
