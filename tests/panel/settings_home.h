#pragma once
// A settings file of the test's own: XDG_CONFIG_HOME points at a fresh directory for as long
// as the object lives, and back at what it was afterwards.
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "model/settings.h"
#include "tests/support/temp_dir.h"

class SettingsHome {
 public:
  SettingsHome() {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
  }
  ~SettingsHome() {
    if (saved_) {
      setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }
  SettingsHome(const SettingsHome&) = delete;
  SettingsHome& operator=(const SettingsHome&) = delete;

  std::string file() const { return dir_.path() + "/orbiquant/orbq7.ini"; }

  // The whole settings file, or "" when there is none.
  std::string content() const {
    std::ifstream in(file());
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }

  void write(const std::string& text) const {
    std::filesystem::create_directories(dir_.path() + "/orbiquant");
    std::ofstream(file()) << text;
  }

 private:
  TempDir dir_;
  std::optional<std::string> saved_;
};
