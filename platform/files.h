#pragma once
// Whole-file reads and writes. A write never leaves a half-written file behind: it goes to a
// temporary file in the same directory, which then replaces the old one.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes `content` as the file's new content, creating its directory when missing. False
// when it could not be written; the old file is then left as it was.
bool writeFileAtomically(const std::string& path, std::string_view content);

// At most `maxBytes` of the file; nothing when it cannot be opened.
std::optional<std::string> readFileBounded(const std::string& path, std::size_t maxBytes);

bool fileExists(const std::string& path);
void removeFile(const std::string& path);

}  // namespace platform
