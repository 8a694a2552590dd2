#include "platform/open_url.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace platform {

namespace {

// Reaps openers as they end so that none stays a zombie; the program never waits for them.
void reapChildrenAutomatically() {
  static const bool done = [] {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    action.sa_flags = SA_NOCLDWAIT;
    sigaction(SIGCHLD, &action, nullptr);
    return true;
  }();
  (void)done;
}

}  // namespace

bool isOpenableUrl(std::string_view url) {
  std::string_view rest;
  if (url.starts_with("http://")) {
    rest = url.substr(7);
  } else if (url.starts_with("https://")) {
    rest = url.substr(8);
  } else {
    return false;
  }
  if (rest.empty()) return false;
  for (unsigned char c : url) {
    if (c < 32 || c == 127) return false;
  }
  return true;
}

bool openUrl(std::string_view url) {
  if (!isOpenableUrl(url)) return false;
  reapChildrenAutomatically();
  const char* custom = std::getenv("ORBIQUANT_OPENER");
  std::string opener = custom && custom[0] ? custom : "xdg-open";
  std::string address(url);
  char* argv[] = {opener.data(), address.data(), nullptr};
  pid_t pid = 0;
  return posix_spawnp(&pid, opener.c_str(), nullptr, nullptr, argv, environ) == 0;
}

}  // namespace platform
