#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <random>

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

// The end of the chain of symbolic links that starts at `path` (the path itself when it is
// no link or does not exist yet); nothing for a loop or an unreadable link.
std::optional<std::string> linkTarget(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char buffer[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
    if (n <= 0 || static_cast<size_t>(n) == sizeof buffer) return std::nullopt;
    const std::string target(buffer, static_cast<size_t>(n));
    path = target.front() == '/' ? target : directoryOf(path) + "/" + target;
  }
  return std::nullopt;
}

bool isLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Creates a new temporary file for `target` with `mode` (less the umask) and opens it for
// writing; -1 when that fails.
int openTemporary(const std::string& target, mode_t mode, std::string& name) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  const std::string prefix =
      target + std::string(kTemporaryMarker) + std::to_string(getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = prefix;
    for (size_t i = 0; i < kRandomLetters; ++i) name += kLetters[pick(random)];
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
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

bool writeFileAtomically(const std::string& path, std::string_view content) {
  const auto target = linkTarget(path);
  if (!target || !makeDirectories(directoryOf(*target))) return false;
  struct stat old {};
  const bool replacing = stat(target->c_str(), &old) == 0;
  std::string tmp;
  const int fd = openTemporary(*target, replacing ? (old.st_mode & 0777) : 0666, tmp);
  if (fd < 0) return false;
  // The file is made with no more than the old permissions, so nobody else can open it in
  // between; the umask may have taken some away, which fchmod gives back.
  const bool written = (!replacing || fchmod(fd, old.st_mode & 07777) == 0) &&
                       writeAll(fd, content) && fsync(fd) == 0;
  if (close(fd) != 0 || !written || rename(tmp.c_str(), target->c_str()) != 0) {
    unlink(tmp.c_str());
    return false;
  }
  return true;
}

int removeStaleTemporaries(const std::string& path) {
  const std::string dir = directoryOf(path);
  int removed = sweepDirectory(dir);
  const auto target = linkTarget(path);
  if (target && directoryOf(*target) != dir) removed += sweepDirectory(directoryOf(*target));
  return removed;
}

std::optional<std::string> readFileBounded(const std::string& path, std::size_t maxBytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string content;
  char chunk[65536];
  while (content.size() < maxBytes) {
    const size_t want = std::min(sizeof chunk, maxBytes - content.size());
    const ssize_t n = read(fd, chunk, want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    content.append(chunk, static_cast<size_t>(n));
  }
  close(fd);
  return content;
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

void removeFile(const std::string& path) { unlink(path.c_str()); }

}  // namespace platform
