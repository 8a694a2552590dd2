#pragma once
// For tests of files that belong to another user or that this user may not read. Root hands a
// file to an unprivileged user (lchown) and sees permissions as a user does by dropping to that
// user in a child process; anybody else cannot make another user's files and is a user already.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

namespace testing_support {

constexpr uid_t kOtherUser = 65534;  // "nobody"
constexpr gid_t kOtherGroup = 65534;

inline bool canMakeOtherUsersFiles() { return geteuid() == 0; }

// Hands the file or link `path` itself to kOtherUser; false when this process may not.
inline bool giveToOtherUser(const std::string& path) {
  return canMakeOtherUsersFiles() && lchown(path.c_str(), kOtherUser, kOtherGroup) == 0;
}

// Runs `body` in a child process as an ordinary user: kOtherUser, owning `dir`, when this
// process is root, else this user. True when the body returned true.
inline bool runAsOrdinaryUser(const std::string& dir, const std::function<bool()>& body) {
  if (canMakeOtherUsersFiles() && chown(dir.c_str(), kOtherUser, kOtherGroup) != 0) return false;
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (canMakeOtherUsersFiles() &&
        (setgroups(0, nullptr) != 0 || setresgid(kOtherGroup, kOtherGroup, kOtherGroup) != 0 ||
         setresuid(kOtherUser, kOtherUser, kOtherUser) != 0)) {
      _exit(2);
    }
    const bool passed = body();
    std::fflush(nullptr);
    _exit(passed ? 0 : 1);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testing_support
