#pragma once
// Settings files of sections and keys:
//
//   [Section]
//   key=value
//
// There is no in-memory copy: every read goes to the file, every write replaces it at once.
// Section and key names match without regard to letter case; values compare exactly.
// One process-wide mutex serialises every call, a write holds an advisory lock on the file
// "<file>.lock" beside it from its read to its rewrite, and a write replaces the file
// atomically (temporary file in the same directory, then rename): writers on two threads or in
// two processes never lose each other's keys, and a crash never leaves a half-written file.
//
// A file that exists but cannot be read reads as missing (every key its default) and is never
// written; neither is a read-only file. Each of the two is said once on standard error, and a
// write that fails names the file and the reason there (see platform/files.h).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// $XDG_CONFIG_HOME/orbiquant/<name>, or ~/.config/orbiquant/<name> when XDG_CONFIG_HOME is
// unset or not an absolute path.
std::string configFilePath(std::string_view name);

// The value's leading decimal integer (a sign is allowed); `fallback` when the file, the
// section or the key is missing; 0 when the value does not start with a number.
int32_t settingsReadInt(const std::string& file, std::string_view section, std::string_view key,
                        int32_t fallback);

// At most size - 1 characters of the value, or of `fallback` when the key is missing.
std::string settingsReadText(const std::string& file, std::string_view section,
                             std::string_view key, std::string_view fallback, std::size_t size);

struct SettingsValue {
  std::string key;
  std::string value;
};

// Every key line of the section, in the file's order, with one read of the file: a lookup
// that takes the first key matching without regard to case finds what settingsReadText and
// settingsReadInt would find. Empty when the file or the section is missing.
std::vector<SettingsValue> settingsReadSection(const std::string& file, std::string_view section);

// Replaces the key's value, or adds the key, its section, the file and its directory.
// Returns false when the file could not be read or written; the old file is then left as it
// was.
bool settingsWriteText(const std::string& file, std::string_view section, std::string_view key,
                       std::string_view value);

struct SettingsEntry {
  std::string_view key;
  std::string_view value;
};

// Writes several keys of one section with one read and one replacement of the file: the file
// ends exactly as after one settingsWriteText per entry, in order. Returns false when it could
// not be written; the old file is then left as it was, with none of the entries.
bool settingsWriteTexts(const std::string& file, std::string_view section,
                        std::span<const SettingsEntry> entries);

}  // namespace platform
