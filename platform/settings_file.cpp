#include "platform/settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"

namespace platform {

namespace {

std::mutex& settingsFileMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string_view trim(std::string_view s) { return trimBlanks(s, true); }

// The file's lines (none for a file that does not exist); nothing, and why in `whyNot`, when
// the file is there but cannot be read: then it must not be rewritten from what was read.
std::optional<std::vector<std::string>> readLines(const std::string& file, std::string& whyNot) {
  const auto content = readFileIfThere(file, whyNot);
  if (!content) return std::nullopt;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content->size()) {
    const size_t end = std::min(content->find('\n', start), content->size());
    lines.push_back(content->substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Said once per file: its keys read as their defaults, and nothing is written over it.
void noteUnreadable(const std::string& file, std::string_view why) {
  noteOnce("unreadable " + file, "cannot read the settings file " + file + " (" + std::string(why) +
                                     "): running on defaults, and changes are not saved");
}

// A settings file the user made read-only (no write permission for anybody, or none for this
// user) is left as it is.
bool readOnly(const std::string& file) {
  struct stat info {};
  return stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ((info.st_mode & 0222) == 0 || access(file.c_str(), W_OK) != 0);
}

// The section name of a "[name]" line, if it is one.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

struct Location {
  std::optional<size_t> section;  // index of the section's header line
  std::optional<size_t> key;      // index of the key's line
  size_t sectionEnd = 0;          // index after the section's last non-blank line
};

Location locate(const std::vector<std::string>& lines, std::string_view section,
                std::string_view key) {
  Location where;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = sectionName(lines[i])) {
      if (inSection) break;  // the first matching section is the one used
      inSection = equalsIgnoreCase(*name, section);
      if (inSection) {
        where.section = i;
        where.sectionEnd = i + 1;
      }
      continue;
    }
    if (!inSection) continue;
    if (!trim(lines[i]).empty()) where.sectionEnd = i + 1;
    const auto kl = keyLine(lines[i]);
    if (kl && !where.key && equalsIgnoreCase(kl->key, key)) where.key = i;
  }
  return where;
}

std::optional<std::string> findValue(const std::string& file, std::string_view section,
                                     std::string_view key) {
  std::string why;
  const auto lines = readLines(file, why);
  if (!lines) {
    noteUnreadable(file, why);
    return std::nullopt;
  }
  const Location where = locate(*lines, section, key);
  if (!where.key) return std::nullopt;
  return std::string(keyLine((*lines)[*where.key])->value);
}

}  // namespace

std::string configFilePath(std::string_view name) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && home[0] ? home : ".") + "/.config";
  }
  return base + "/orbiquant/" + std::string(name);
}

int32_t settingsReadInt(const std::string& file, std::string_view section, std::string_view key,
                        int32_t fallback) {
  std::lock_guard lock(settingsFileMutex());
  const auto value = findValue(file, section, key);
  return value ? leadingInt(*value) : fallback;
}

std::string settingsReadText(const std::string& file, std::string_view section,
                             std::string_view key, std::string_view fallback, std::size_t size) {
  if (size == 0) return {};
  std::lock_guard lock(settingsFileMutex());
  const auto value = findValue(file, section, key);
  std::string text = value ? *value : std::string(fallback);
  if (text.size() > size - 1) text.resize(size - 1);
  return text;
}

std::vector<SettingsValue> settingsReadSection(const std::string& file, std::string_view section) {
  std::lock_guard lock(settingsFileMutex());
  std::vector<SettingsValue> values;
  std::string why;
  const auto lines = readLines(file, why);
  if (!lines) {
    noteUnreadable(file, why);
    return values;
  }
  bool inSection = false;
  for (const auto& line : *lines) {
    if (const auto name = sectionName(line)) {
      if (inSection) break;  // the first matching section is the one used
      inSection = equalsIgnoreCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    if (const auto kl = keyLine(line))
      values.push_back({std::string(kl->key), std::string(kl->value)});
  }
  return values;
}

namespace {

// Changes one key as a write of that key alone changes the file.
void setValue(std::vector<std::string>& lines, std::string_view section, std::string_view key,
              std::string_view value) {
  const Location where = locate(lines, section, key);
  // A line break in a value would start a new key or section: the value ends there.
  value = value.substr(0, value.find_first_of("\r\n"));
  const std::string entry = std::string(key) + "=" + std::string(value);
  if (where.key) {
    lines[*where.key] = entry;
  } else if (where.section) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(where.sectionEnd), entry);
  } else {
    if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
    // Appended piece by piece: GCC 12 at -O2 and above misreads `"[" + std::string` as an
    // overlapping copy (-Wrestrict).
    std::string header(1, '[');
    header.append(section).push_back(']');
    lines.push_back(std::move(header));
    lines.push_back(entry);
  }
}

// A line break in a section or key name makes more lines of the file than of `lines`; the
// next key of a batch must find them as a fresh read of the file would.
void splitAtLineBreaks(std::vector<std::string>& lines) {
  std::vector<std::string> split;
  split.reserve(lines.size());
  for (const auto& line : lines) {
    size_t start = 0;
    for (auto end = line.find('\n'); end != std::string::npos; end = line.find('\n', start)) {
      split.push_back(line.substr(start, end - start));
      start = end + 1;
    }
    split.push_back(line.substr(start));
  }
  lines = std::move(split);
}

}  // namespace

bool settingsWriteTexts(const std::string& file, std::string_view section,
                        std::span<const SettingsEntry> entries) {
  std::lock_guard lock(settingsFileMutex());
  // Another copy of the program may rewrite the file at the same time: the lock file beside
  // it keeps each read and rewrite whole, so that neither loses the other's keys.
  const FileLock fileLock(file + ".lock");
  std::string why;
  auto read = readLines(file, why);
  if (!read) {
    noteUnreadable(file, why);
    return false;
  }
  if (readOnly(file)) {
    noteOnce("read-only " + file,
             "the settings file " + file +
                 " is read-only: it is left as it is, and changes are not saved");
    return false;
  }
  auto& lines = *read;
  const bool nameBreaksLines = section.find('\n') != std::string_view::npos;
  for (const auto& [key, value] : entries) {
    setValue(lines, section, key, value);
    if (nameBreaksLines || key.find('\n') != std::string_view::npos) splitAtLineBreaks(lines);
  }
  std::string out;
  for (const auto& line : lines) out.append(line).push_back('\n');
  if (!writeFileAtomically(file, out, &why)) {
    reportWriteFailure(file, why);
    return false;
  }
  return true;
}

bool settingsWriteText(const std::string& file, std::string_view section, std::string_view key,
                       std::string_view value) {
  const SettingsEntry entry{key, value};
  return settingsWriteTexts(file, section, {&entry, 1});
}

}  // namespace platform
