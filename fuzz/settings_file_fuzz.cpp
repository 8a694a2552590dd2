// The settings file reader and writer over any file content and any section, key and value,
// in a private directory under $TMPDIR (removed at exit). Besides memory safety it checks that
// reads respect their buffer, that a value written reads back as written, and that a write
// leaves every other key as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/settings_file.h"
#include "platform/text.h"

namespace {

class PrivateDir {
 public:
  PrivateDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orbiquant-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~PrivateDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  PrivateDir(const PrivateDir&) = delete;
  PrivateDir& operator=(const PrivateDir&) = delete;
  std::string file() const { return path_ + "/orbq7.ini"; }

 private:
  std::string path_;
};

// Names as the program uses them: printable ASCII, no brackets or "=", no blank at either end.
bool plainName(std::string_view name) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
  for (const char c : name) {
    if (c < ' ' || c > '~' || c == '=' || c == '[' || c == ']') return false;
  }
  return true;
}

// What a read gives back after a write: the value up to a line break, without blanks or
// tabs at either end.
std::string storedValue(std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  return std::string(value);
}

constexpr std::string_view kMissing = "\x01missing";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const PrivateDir dir;
  const std::string file = dir.file();
  FuzzedDataProvider input(data, size);
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << input.ConsumeRandomLengthString(2048);
  }
  for (int op = 0; op < 8 && input.remaining_bytes() > 0; ++op) {
    const std::string section = input.ConsumeRandomLengthString(12);
    const std::string key = input.ConsumeRandomLengthString(12);
    switch (input.ConsumeIntegralInRange(0, 2)) {
      case 0: {
        const int32_t fallback = input.ConsumeIntegral<int32_t>();
        const int32_t value = platform::settingsReadInt(file, section, key, fallback);
        const std::string text = platform::settingsReadText(file, section, key, kMissing, 4096);
        if (text != kMissing && value != platform::leadingInt(text)) std::abort();
        break;
      }
      case 1: {
        const auto bufferSize = input.ConsumeIntegralInRange<size_t>(0, 300);
        const std::string text =
            platform::settingsReadText(file, section, key, "fallback", bufferSize);
        if (text.size() + 1 > std::max<size_t>(bufferSize, 1)) std::abort();
        break;
      }
      default: {
        const std::string value = input.ConsumeRandomLengthString(64);
        const std::string otherSection = input.ConsumeRandomLengthString(12);
        const std::string otherKey = input.ConsumeRandomLengthString(12);
        const std::string before =
            platform::settingsReadText(file, otherSection, otherKey, kMissing, 4096);
        if (!platform::settingsWriteText(file, section, key, value)) std::abort();
        if (!plainName(section) || !plainName(key)) break;
        if (platform::settingsReadText(file, section, key, kMissing, 4096) != storedValue(value)) {
          std::abort();
        }
        const bool same = platform::equalsIgnoreCase(section, otherSection) &&
                          platform::equalsIgnoreCase(key, otherKey);
        if (!same &&
            platform::settingsReadText(file, otherSection, otherKey, kMissing, 4096) != before) {
          std::abort();
        }
        break;
      }
    }
  }
  return 0;
}
