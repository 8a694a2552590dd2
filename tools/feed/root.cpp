#include "tools/feed/root.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace feed {

bool hasServerFiles(const std::string& root) {
  std::error_code ignored;
  return fs::is_regular_file(fs::path(root) / "cf2.txt", ignored) &&
         fs::is_regular_file(fs::path(root) / "s3.txt", ignored);
}

std::string defaultRoot(const std::string& executable) {
  if (!executable.empty()) {
    const fs::path share = fs::path(executable).parent_path().parent_path() / "share" / "orbiquant";
    if (hasServerFiles(share.string())) return share.lexically_normal().string();
  }
  return "server";
}

std::string helpFile(const std::string& executable, const std::string& root) {
  std::error_code ignored;
  if (!executable.empty()) {
    const fs::path installed = fs::path(executable).parent_path().parent_path() / "share" / "doc" /
                               "orbiquant" / "README.md";
    if (fs::is_regular_file(installed, ignored)) return installed.lexically_normal().string();
  }
  return (fs::path(root) / ".." / "README.md").lexically_normal().string();
}

std::string ownExecutable() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.string();
}

}  // namespace feed
