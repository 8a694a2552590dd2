#pragma once
// Whole-file reads and writes. A write never leaves a half-written file behind: it goes to a
// temporary file next to the file it replaces, which then takes the file's place.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes `content` as the file's new content, creating its directory when missing. A
// symbolic link is followed: its target gets the content and the link stays. A replaced
// file keeps its permissions; a new one gets 0666 less the umask. False when it could not
// be written; the old file is then left as it was.
bool writeFileAtomically(const std::string& path, std::string_view content);

// Removes the temporary files that writeFileAtomically calls of processes now gone left in
// the directories a write of `path` uses (a crash between writing and renaming). Files of
// any other naming, and those of running processes, stay. Returns how many were removed.
int removeStaleTemporaries(const std::string& path);

// At most `maxBytes` of the file; nothing when it cannot be opened.
std::optional<std::string> readFileBounded(const std::string& path, std::size_t maxBytes);

bool fileExists(const std::string& path);
void removeFile(const std::string& path);

}  // namespace platform
