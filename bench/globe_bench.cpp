// The globe's costs: the Earth texture build split into the pixel pass (as a ratio to memcpy of
// the same bytes) and the mipmap upload, frame composition per window size as CPU time of the
// whole process (Mesa's rasteriser threads included; the 4 ms wait uses none), and start-up
// to the first frame; frameProfile draws a fixed number of frames for instruction profiles.
// Needs an X display: xvfb-run -a -s '-screen 0 1920x1200x24 -noreset' globe_bench
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/display_state.h"
#include "model/fetch_snapshot.h"
#include "model/item_table.h"
#include "platform/resources.h"
#include "platform/window.h"
#include "render/earth_texture.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/renderer_state.h"

namespace {

const TargaImage& earthImage() {
  static const TargaImage image = *readTarga(platform::findResource("earth.tga"));
  return image;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double processCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The pixel pass with the night band (range 1) or without (0); the counter memcpy_ratio is
// its time over that of copying the same 1,572,864 bytes, measured right after in this run.
void pixelPass(benchmark::State& state) {
  const TargaImage& image = earthImage();
  std::vector<uint8_t> out(image.pixels.size());
  const NightBand band = nightBandAt(6, 0, image.width);
  const NightBand* night = state.range(0) != 0 ? &band : nullptr;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    convertEarthPixels(image, night, out.data());
    benchmark::ClobberMemory();
  }
  const double pass = secondsSince(start);
  const auto copyStart = std::chrono::steady_clock::now();
  for (benchmark::IterationCount i = 0; i < state.iterations(); ++i) {
    std::memcpy(out.data(), image.pixels.data(), out.size());
    benchmark::ClobberMemory();
  }
  state.counters["memcpy_ratio"] = pass / secondsSince(copyStart);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}
BENCHMARK(pixelPass)->Arg(0)->Arg(1);

// The benchmark's own display record and fetch results, as the main window hands them over.
DisplayState display;
FetchChannel results;

struct Events : platform::WindowEvents {
  void paint() override {}
  void size() override { display.requests.relayout = true; }
  void close() override {}
};
Events events;
platform::MainWindow* window = nullptr;
std::unique_ptr<RendererState> renderer;

void mipmapUpload(benchmark::State& state) {
  const TargaImage& image = earthImage();
  std::vector<uint8_t> pixels(image.pixels.size());
  convertEarthPixels(image, nullptr, pixels.data());
  window->makeCurrent();
  bindEarthTexture(renderer->earthTexture);
  for (auto _ : state) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      pixels.data());
    glFinish();
  }
}

// Tags as the feed server's script leaves them: a mix of fresh and faded, up and down, most on
// the side of the globe that faces the viewer.
void publishTags() {
  struct Tag {
    const char* name;
    const char* latitude;
    const char* longitude;
    const char* value;
  };
  constexpr Tag kTags[] = {
      {"Dow J", "40.71", "-74.0", "38512"}, {"Nasdq", "37.38", "-122.0", "15904"},
      {"FTSE ", "51.51", "-0.13", "7650"},  {"DAX  ", "50.11", "8.68", "16912"},
      {"CAC  ", "48.86", "2.35", "7398"},   {"Nikke", "35.68", "139.6", "33420"},
      {"HSeng", "22.32", "114.1", "16790"}, {"Bovsp", "-23.5", "-46.6", "12701"},
      {"ASX  ", "-33.8", "151.2", "7501"},  {"TSX  ", "43.65", "-79.3", "21010"},
      {"SSE  ", "31.23", "121.4", "2949"},  {"Sensx", "19.07", "72.87", "71480"},
      {"Gold ", "40.0", "-100.0", "2041"},  {"Oil  ", "29.7", "-95.3", "74.52"},
      {"IBM  ", "41.1", "-73.7", "162.1"},  {"AAPL ", "37.3", "-122.0", "189.4"},
  };
  auto table = std::make_unique<MarketItemTable>();
  for (const Tag& tag : kTags) {
    appendItemText(*table, kNameColumn, tag.name);
    appendItemText(*table, kLatitudeColumn, tag.latitude);
    appendItemText(*table, kLongitudeColumn, tag.longitude);
    appendItemText(*table, kValueColumn, tag.value);
  }
  for (int k = 0; k < table->itemCount(); ++k) {
    table->fresh[k] = k % 3 == 0 ? 1 : 0;
    table->down[k] = k % 2 == 1;
  }
  table->tableReady = true;
  results.publishItems(*table);
}

// The first preset's view with every overlay on, as a user sees it after start-up.
void presetView() {
  display.view.zoom = 58;
  display.view.tilt = 200.0f;
  display.view.spinRate = 0.1f;
  display.view.rotation = 200.0f;
  display.view.gridLevel = 42.0f;
  display.view.colorLevel = 99.0f;
  display.view.night = true;
  display.view.dark = true;
  display.view.news = true;
  display.view.zones = true;
  display.view.clocks = true;
  display.view.showValue = true;
}

void frameCpu(benchmark::State& state) {
  Fl::first_window()->resize(0, 0, static_cast<int>(state.range(0)),
                             static_cast<int>(state.range(1)));
  Fl::check();
  window->makeCurrent();
  presetView();
  for (int i = 0; i < 10; ++i) composeFrame(*window, *renderer, display, *results.latest());
  for (auto _ : state) {
    const double start = processCpuSeconds();
    composeFrame(*window, *renderer, display, *results.latest());
    glFinish();
    state.SetIterationTime(processCpuSeconds() - start);
  }
}

}  // namespace

constexpr int kProfileFrames = 20;

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  window = new platform::MainWindow(0, 0, 640, 480, platform::chooseDepthBits(), events);
  if (!window->show()) {
    std::fprintf(stderr, "no OpenGL window\n");
    return 1;
  }
  renderer = std::make_unique<RendererState>();
  createFonts(&renderer->glyphAtlas);
  initScene(*window, *renderer, display.view);
  publishTags();
  presetView();
  composeFrame(*window, *renderer, display, *results.latest());
  glFinish();
  benchmark::AddCustomContext("first_frame_ms", std::to_string(secondsSince(start) * 1e3));

  benchmark::RegisterBenchmark("mipmapUpload", mipmapUpload)->Unit(benchmark::kMillisecond);
  for (const auto& size : {std::pair{640, 480}, {1280, 720}, {1920, 1080}}) {
    benchmark::RegisterBenchmark("frameCpu", frameCpu)
        ->Args({size.first, size.second})
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    // A fixed number of frames, for instruction profiles that repeat exactly:
    //   LP_NUM_THREADS=0 valgrind --tool=callgrind
    //     --zero-before='benchmark::State::StartKeepRunning*'
    //     --dump-before='benchmark::State::FinishKeepRunning*'
    //     globe_bench --benchmark_filter=frameProfile/1280/720
    benchmark::RegisterBenchmark("frameProfile", frameCpu)
        ->Args({size.first, size.second})
        ->Iterations(kProfileFrames)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
