#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

namespace platform {

namespace {

bool makeDirectories(const std::string& dir) {
  for (size_t pos = 1; pos <= dir.size(); ++pos) {
    if (pos != dir.size() && dir[pos] != '/') continue;
    const std::string part = dir.substr(0, pos);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool writeAll(int fd, std::string_view content) {
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// A temporary file is "<file>.orbiquant-tmp-<pid>-<six letters>": the pid tells a later
// start whether its writer is still running.
constexpr std::string_view kTemporaryMarker = ".orbiquant-tmp-";
constexpr size_t kRandomLetters = 6;
constexpr int kMaxLinkHops = 40;

std::string directoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string errorText(int error) {
  char buffer[256];
  return strerror_r(error, buffer, sizeof buffer);  // the GNU variant returns the text
}

constexpr const char* kForeignLink = "it is a symbolic link owned by another user";

// The end of the chain of symbolic links that starts at `path` (the path itself when it is
// no link or does not exist yet). Only this user's links are followed: nothing, and why in
// `whyNot`, for another user's link, a loop or an unreadable link.
std::optional<std::string> linkTarget(std::string path, std::string* whyNot = nullptr) {
  const auto fail = [whyNot](std::string why) -> std::optional<std::string> {
    if (whyNot) *whyNot = std::move(why);
    return std::nullopt;
  };
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    if (info.st_uid != geteuid()) return fail(kForeignLink);
    char buffer[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
    if (n <= 0 || static_cast<size_t>(n) == sizeof buffer) return fail(errorText(errno));
    const std::string target(buffer, static_cast<size_t>(n));
    path = target.front() == '/' ? target : directoryOf(path) + "/" + target;
  }
  return fail(errorText(ELOOP));
}

bool isLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Creates a new temporary file for the file `base` of the folder `dir` with `mode` (less the
// umask) and opens it for writing; -1 when that fails.
int openTemporary(int dir, const std::string& base, mode_t mode, std::string& name) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  const std::string prefix = base + std::string(kTemporaryMarker) + std::to_string(getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = prefix;
    for (size_t i = 0; i < kRandomLetters; ++i) name += kLetters[pick(random)];
    const int fd =
        openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The writer's pid of a name that openTemporary makes; nothing for any other name.
std::optional<pid_t> temporaryWriter(std::string_view name) {
  if (name.size() <= kRandomLetters + 1) return std::nullopt;
  if (!std::all_of(name.end() - kRandomLetters, name.end(), isLetterOrDigit)) return std::nullopt;
  name.remove_suffix(kRandomLetters);
  if (name.back() != '-') return std::nullopt;
  name.remove_suffix(1);
  const auto marker = name.rfind(kTemporaryMarker);
  if (marker == std::string_view::npos || marker == 0) return std::nullopt;
  const auto digits = name.substr(marker + kTemporaryMarker.size());
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  pid_t pid = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    pid = pid * 10 + (c - '0');
  }
  if (pid <= 0) return std::nullopt;
  return pid;
}

// A process that no longer exists; one we may not signal still runs, and so do we.
bool processGone(pid_t pid) { return pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH; }

int sweepDirectory(const std::string& dir) {
  DIR* stream = opendir(dir.c_str());
  if (!stream) return 0;
  int removed = 0;
  while (const dirent* entry = readdir(stream)) {
    const auto writer = temporaryWriter(entry->d_name);
    if (!writer || !processGone(*writer)) continue;
    const std::string path = dir + "/" + entry->d_name;
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  closedir(stream);
  return removed;
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view content, std::string* whyNot) {
  const auto target = linkTarget(path, whyNot);
  return target && replaceFileAtomically(*target, content, whyNot);
}

// Everything happens in the folder opened once: the temporary file is made there without
// following links, and renameat puts it in the place of the name, which is never followed.
bool replaceFileAtomically(const std::string& path, std::string_view content, std::string* whyNot) {
  const auto fail = [whyNot](int error) {
    if (whyNot) *whyNot = errorText(error);
    return false;
  };
  const std::string base = baseNameOf(path);
  if (base.empty() || base == "." || base == "..") return fail(EISDIR);
  if (!makeDirectories(directoryOf(path))) return fail(errno);
  const int dir = open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return fail(errno);
  struct stat old {};
  const bool replacing =
      fstatat(dir, base.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode);
  std::string tmp;
  const int fd = openTemporary(dir, base, replacing ? (old.st_mode & 0777) : 0666, tmp);
  if (fd < 0) {
    const int error = errno;
    close(dir);
    return fail(error);
  }
  // The file is made with no more than the old permissions, so nobody else can open it in
  // between; the umask may have taken some away, which fchmod gives back.
  int error = 0;
  errno = 0;
  if ((replacing && fchmod(fd, old.st_mode & 07777) != 0) || !writeAll(fd, content) ||
      fsync(fd) != 0) {
    error = errno != 0 ? errno : EIO;
  }
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && renameat(dir, tmp.c_str(), dir, base.c_str()) != 0) error = errno;
  if (error != 0) unlinkat(dir, tmp.c_str(), 0);
  close(dir);
  return error == 0 || fail(error);
}

int removeStaleTemporaries(const std::string& path) {
  const std::string dir = directoryOf(path);
  int removed = sweepDirectory(dir);
  const auto target = linkTarget(path);
  if (target && directoryOf(*target) != dir) removed += sweepDirectory(directoryOf(*target));
  return removed;
}

namespace {

// At most `maxBytes` of a regular file; nothing, and why in `whyNot`, when it cannot be opened
// or read (errno ENOENT for a missing one).
std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes, int flags,
                                           std::string& whyNot, int& error) {
  // O_NONBLOCK: opening a named pipe must not wait for a writer; it is no regular file anyway.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | flags);
  error = fd < 0 ? errno : 0;
  if (fd < 0) {
    whyNot = errorText(error);
    return std::nullopt;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    whyNot = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
    close(fd);
    return std::nullopt;
  }
  std::string content;
  char chunk[65536];
  while (content.size() < maxBytes) {
    const size_t want = std::min(sizeof chunk, maxBytes - content.size());
    const ssize_t n = read(fd, chunk, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) whyNot = errorText(error = errno);
    if (n <= 0) break;
    content.append(chunk, static_cast<size_t>(n));
  }
  close(fd);
  if (error != 0) return std::nullopt;
  return content;
}

}  // namespace

std::optional<std::string> readFileBounded(const std::string& path, std::size_t maxBytes) {
  std::string whyNot;
  int error = 0;
  return readRegularFile(path, maxBytes, O_NOFOLLOW, whyNot, error);
}

std::optional<std::string> readFileIfThere(const std::string& path, std::string& whyNot) {
  int error = 0;
  auto content = readRegularFile(path, std::string::npos, 0, whyNot, error);
  if (!content && (error == ENOENT || error == ENOTDIR)) return std::string();
  return content;
}

FileLock::FileLock(const std::string& path, int waitMs) {
  if (!makeDirectories(directoryOf(path))) return;
  fd_ = open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd_ < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (!held_) {
    held_ = flock(fd_, LOCK_EX | LOCK_NB) == 0;
    if (held_ || (errno != EWOULDBLOCK && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) close(fd_);  // closing lets go of the lock
}

namespace {

struct FileNotices {
  std::mutex mutex;
  std::function<void(std::string_view)> write;
  std::function<int64_t()> nowMs;
  std::map<std::string, int64_t> lastWriteReport;
  std::set<std::string> noted;
};

FileNotices& fileNotices() {
  static FileNotices notices;
  return notices;
}

void tell(FileNotices& notices, const std::string& line) {
  if (notices.write) {
    notices.write(line);
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
}

constexpr int64_t kWriteReportIntervalMs = 60000;

}  // namespace

void reportWriteFailure(const std::string& path, std::string_view why) {
  FileNotices& notices = fileNotices();
  std::lock_guard lock(notices.mutex);
  const int64_t now = notices.nowMs ? notices.nowMs()
                                    : std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count();
  const auto last = notices.lastWriteReport.find(path);
  if (last != notices.lastWriteReport.end() && now - last->second < kWriteReportIntervalMs) {
    return;
  }
  notices.lastWriteReport[path] = now;
  tell(notices, "orbiquant: cannot write " + path + ": " + std::string(why));
}

void noteOnce(const std::string& key, std::string_view text) {
  FileNotices& notices = fileNotices();
  std::lock_guard lock(notices.mutex);
  if (notices.noted.insert(key).second) tell(notices, "orbiquant: " + std::string(text));
}

void setFileNoticeHooks(std::function<void(std::string_view line)> write,
                        std::function<int64_t()> nowMs) {
  FileNotices& notices = fileNotices();
  std::lock_guard lock(notices.mutex);
  notices.write = std::move(write);
  notices.nowMs = std::move(nowMs);
  notices.lastWriteReport.clear();
  notices.noted.clear();
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

void removeFile(const std::string& path) { unlink(path.c_str()); }

}  // namespace platform
