#pragma once
// Whole-file reads and writes. A write never leaves a half-written file behind: it goes to a
// temporary file next to the file it replaces, which then takes the file's place.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes `content` as the file's new content, creating its directory when missing. A
// symbolic link of this user is followed: its target gets the content and the link stays; a
// link owned by anybody else is never followed, and the write fails. A replaced file keeps
// its permissions; a new one gets 0666 less the umask. False when it could not be written;
// the old file is then left as it was, and `whyNot`, when given, says why in a few words.
bool writeFileAtomically(const std::string& path, std::string_view content,
                         std::string* whyNot = nullptr);

// The same, but a symbolic link at `path` is never followed: the new file takes the place of
// the link in the link's own folder (where the folder lets this user replace it).
bool replaceFileAtomically(const std::string& path, std::string_view content,
                           std::string* whyNot = nullptr);

// Removes the temporary files that writeFileAtomically calls of processes now gone left in
// the directories a write of `path` uses (a crash between writing and renaming). Files of
// any other naming, and those of running processes, stay. Returns how many were removed.
int removeStaleTemporaries(const std::string& path);

// At most `maxBytes` of the regular file at `path`, opened without following a symbolic link;
// nothing when there is no such file or it cannot be read (a folder, a link, no permission, a
// read error).
std::optional<std::string> readFileBounded(const std::string& path, std::size_t maxBytes);

// The whole regular file at `path`, links followed: an empty text when there is no such file;
// nothing, and why in `whyNot`, when it is there but cannot be read (a folder, no permission,
// a read error).
std::optional<std::string> readFileIfThere(const std::string& path, std::string& whyNot);

// Holds an advisory lock (flock) on the file `path` (created, with its folder, when missing)
// from construction to destruction. Processes that take the same lock around a read and a
// rewrite of a file never lose each other's changes. Waits at most `waitMs` for a holder to
// let go, then goes on without the lock rather than hang: held() tells which.
class FileLock {
 public:
  explicit FileLock(const std::string& path, int waitMs = 3000);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
};

// Problems with the program's files are told on standard error, one line each, starting with
// "orbiquant: ". A failed write names the file and the reason, at most once a minute per file;
// noteOnce tells a lasting condition once per process (`key` tells notes apart).
void reportWriteFailure(const std::string& path, std::string_view why);
void noteOnce(const std::string& key, std::string_view text);

// For tests: where the lines go and the clock (milliseconds) of the once-a-minute rule; an
// empty function puts back standard error or the monotonic clock. Also forgets what was told.
void setFileNoticeHooks(std::function<void(std::string_view line)> write,
                        std::function<int64_t()> nowMs);

bool fileExists(const std::string& path);
void removeFile(const std::string& path);

}  // namespace platform
