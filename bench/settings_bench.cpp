// A preset Save against a 10 MB settings file (a long section of someone's own keys ahead of
// the preset), on the real disk under the temporary folder, fsync included. Wall time is what
// the user waits for, so the benchmark reports real time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "command/view_presets.h"
#include "model/settings.h"

namespace {

constexpr size_t kFileSize = 10 * 1000 * 1000;

class SettingsHomeDir {
 public:
  SettingsHomeDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orbiquant-bench-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    std::filesystem::create_directories(path_ + "/orbiquant");
    std::ofstream out(settingsFile(), std::ios::binary);
    out << "[Items]\nmainx=200\nmainy=2\n\n[notes]\n";
    const std::string line = "note00000=a line of text that someone keeps in the same file\n";
    for (size_t size = 0; size < kFileSize; size += line.size()) out << line;
    out << "\n[bank1]\nd1=58\n";
  }
  ~SettingsHomeDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  SettingsHomeDir(const SettingsHomeDir&) = delete;
  SettingsHomeDir& operator=(const SettingsHomeDir&) = delete;

 private:
  std::string path_;
};

void BM_SavePreset10MB(benchmark::State& state) {
  const SettingsHomeDir home;
  const ViewState view;
  for (auto _ : state) savePreset(view, 0);
}
BENCHMARK(BM_SavePreset10MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
