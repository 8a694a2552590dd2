#include "platform/settings_file.h"

#include <cstdlib>
#include <fstream>
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

std::vector<std::string> readLines(const std::string& file) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
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
  const auto lines = readLines(file);
  const Location where = locate(lines, section, key);
  if (!where.key) return std::nullopt;
  return std::string(keyLine(lines[*where.key])->value);
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
  bool inSection = false;
  for (const auto& line : readLines(file)) {
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
  auto lines = readLines(file);
  const bool nameBreaksLines = section.find('\n') != std::string_view::npos;
  for (const auto& [key, value] : entries) {
    setValue(lines, section, key, value);
    if (nameBreaksLines || key.find('\n') != std::string_view::npos) splitAtLineBreaks(lines);
  }
  std::string out;
  for (const auto& line : lines) out.append(line).push_back('\n');
  return writeFileAtomically(file, out);
}

bool settingsWriteText(const std::string& file, std::string_view section, std::string_view key,
                       std::string_view value) {
  const SettingsEntry entry{key, value};
  return settingsWriteTexts(file, section, {&entry, 1});
}

}  // namespace platform
