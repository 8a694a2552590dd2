// The globe in a real OpenGL window with a fixed clock: frames are composed as the program
// composes them, then the presented picture is read back and compared with the Earth image.
//
// With GLOBE_SHOT_DIR set, every picture the tests look at is also written there as a PPM.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/display_state.h"
#include "model/fetch_snapshot.h"
#include "platform/resources.h"
#include "platform/window.h"
#include "render/earth_texture.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/renderer_state.h"
#include "render/scene.h"

namespace {

// The test's own display state and renderer state, as the main window would hand them over.
DisplayState display;
std::unique_ptr<RendererState> renderer;
FetchChannel results;  // no run has published anything

platform::DateTime fixedTime{2026, 12, 1, 7, 12, 0, 0, 0};
uint32_t fixedTick = 1000;

platform::DateTime fixedNow() { return fixedTime; }
uint32_t fixedTickMs() { return fixedTick; }
uint64_t fixedUs = 1000000;
uint64_t fixedMonotonicUs() { return fixedUs; }

class Events : public platform::WindowEvents {
 public:
  void paint() override {}  // the tests compose frames themselves
  void size() override { display.requests.relayout = true; }
  void close() override {}
};

struct Rgb {
  int r, g, b;
};

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;  // bottom row first, as GL reads them
  Rgb at(int x, int y) const {        // y counted from the bottom
    const unsigned char* p = &pixels[static_cast<size_t>((y * width + x) * 3)];
    return {p[0], p[1], p[2]};
  }
};

void savePicture(const Picture& picture, const std::string& name) {
  const char* dir = std::getenv("GLOBE_SHOT_DIR");
  if (!dir) return;
  const std::string path = std::string(dir) + "/" + name + ".ppm";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
  for (int y = picture.height - 1; y >= 0; --y) {
    std::fwrite(&picture.pixels[static_cast<size_t>(y * picture.width * 3)], 1,
                static_cast<size_t>(picture.width * 3), file);
  }
  std::fclose(file);
}

// The Earth image's colour at a latitude and longitude, red-green-blue, interpolated between
// the four nearest texels as the texture's linear filter does.
Rgb earthColour(double latitude, double longitude, bool dark = false) {
  const auto image = readTarga(platform::findResource("earth.tga"));
  double column = std::fmod(longitude + 179.38 + 720.0, 360.0) / 360.0 * image->width - 0.5;
  double row = (latitude + 90.0) / 180.0 * image->height - 0.5;
  const int c0 = static_cast<int>(std::floor(column));
  const int r0 = static_cast<int>(std::floor(row));
  const double fc = column - c0;
  const double fr = row - r0;
  double sum[3] = {0, 0, 0};
  for (int dr = 0; dr < 2; ++dr) {
    for (int dc = 0; dc < 2; ++dc) {
      const double weight = (dr ? fr : 1 - fr) * (dc ? fc : 1 - fc);
      const size_t offset = static_cast<size_t>(((r0 + dr) * image->width + (c0 + dc)) * 3);
      for (int k = 0; k < 3; ++k) {
        uint8_t v = image->pixels[offset + 2 - static_cast<size_t>(k)];
        if (dark) v = darken(v);
        sum[k] += weight * v;
      }
    }
  }
  return {static_cast<int>(std::lround(sum[0])), static_cast<int>(std::lround(sum[1])),
          static_cast<int>(std::lround(sum[2]))};
}

void expectNear(Rgb actual, Rgb expected, int tolerance, const std::string& what) {
  EXPECT_NEAR(actual.r, expected.r, tolerance) << what;
  EXPECT_NEAR(actual.g, expected.g, tolerance) << what;
  EXPECT_NEAR(actual.b, expected.b, tolerance) << what;
}

class GlobeWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    renderer = std::make_unique<RendererState>();
    renderer->clock.tick = fixedTickMs;
    renderer->clock.monotonicUs = fixedMonotonicUs;
    renderer->clock.utc = fixedNow;
    renderer->clock.local = fixedNow;
    window = new platform::MainWindow({0, 0, 640, 480}, platform::chooseDepthBits(), events);
    ready = window->show() && window->hasContext();
    if (!ready) return;
    createFonts(&renderer->glyphAtlas);
    initScene(*window, *renderer, display.view);
  }
  static void TearDownTestSuite() {
    delete window;
    window = nullptr;
  }

  // The preset view without options, at a UTC time, settled over enough frames for the tilt
  // to reach its target and the texture to be rebuilt for the time.
  static void viewAt(int hour, int minute) {
    fixedTime.hour = static_cast<uint16_t>(hour);
    fixedTime.minute = static_cast<uint16_t>(minute);
    display.view.zoom = 58;
    display.view.tilt = 200.0f;
    display.view.spinRate = 0.0f;
    display.view.rotation = 200.0f;
    display.view.gridLevel = 0.0f;
    display.view.noon = true;
    display.view.night = false;
    display.view.news = false;
    display.view.clocks = false;
    display.view.zones = false;
    display.requests.newTexture = true;
  }

  static Picture compose(int frames) {
    for (int i = 0; i < frames; ++i) {
      fixedTick += 16;
      fixedUs += 16667;  // one frame at 60 a second
      Fl::check();
      window->makeCurrent();
      composeFrame(*window, *renderer, display, *results.latest());
    }
    Picture picture;
    picture.width = window->clientWidth();
    picture.height = window->clientHeight();
    picture.pixels.resize(static_cast<size_t>(picture.width * picture.height * 3));
    // Mesa under Xvfb keeps the back buffer's contents across the swap; reading it gives the
    // picture just presented without going through the X server.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE,
                 picture.pixels.data());
    return picture;
  }

  static Events events;
  static platform::MainWindow* window;
  static bool ready;
};

Events GlobeWindowTest::events;
platform::MainWindow* GlobeWindowTest::window = nullptr;
bool GlobeWindowTest::ready = false;

// The top of the globe's outline on the centre column: the highest row that is not background.
int topEdge(const Picture& picture) {
  const int x = picture.width / 2;
  for (int y = picture.height - 1; y > picture.height / 2; --y) {
    const Rgb p = picture.at(x, y);
    if (p.r + p.g + p.b > 40) return y;
  }
  return -1;
}

TEST_F(GlobeWindowTest, GlobeInTheCentreOnTheBackgroundColour) {
  ASSERT_TRUE(ready);
  viewAt(12, 0);
  const Picture picture = compose(40);
  savePicture(picture, "globe_noon_1200");
  const Rgb corner = picture.at(2, 2);
  EXPECT_EQ(corner.r, 0);
  EXPECT_EQ(corner.g, 0);
  EXPECT_EQ(corner.b, 5);  // clear colour blue 0.02
  const Rgb centre = picture.at(320, 240);
  EXPECT_GT(centre.r + centre.g + centre.b, 60);
  // Zoom 58: radius 4060 x 3.78e-7 seen from 0.02 away fills about 0.88 of the half height.
  const int top = topEdge(picture);
  EXPECT_NEAR(top - 240, 210, 6);
}

TEST_F(GlobeWindowTest, NoonAtMiddayFacesLongitudeZeroPointSixTwo) {
  ASSERT_TRUE(ready);
  viewAt(12, 0);
  const Picture picture = compose(40);
  // Tilt 200 leans the north pole 20 degrees toward the viewer: latitude 20 lies at the centre.
  expectNear(picture.at(320, 240), earthColour(20.0, 0.62), 10, "centre at 12:00 UTC");
  viewAt(0, 0);  // midnight UTC: longitude 180.62 faces the viewer
  expectNear(compose(40).at(320, 240), earthColour(20.0, 180.62), 10, "centre at 00:00 UTC");
}

TEST_F(GlobeWindowTest, NightHalfDarkenedByAQuarterAtMidnight) {
  ASSERT_TRUE(ready);
  viewAt(0, 0);
  const Picture day = compose(40);
  savePicture(day, "globe_day_0000");
  viewAt(0, 0);
  display.view.night = true;
  const Picture night = compose(40);
  savePicture(night, "globe_night_0000");
  // The side facing the viewer (longitude 180.62) is lit: the same with and without Night.
  expectNear(night.at(320, 240), day.at(320, 240), 1, "facing side");
  // Just inside the top edge the view passes over the pole to longitude 0.62, in the band.
  const int edge = topEdge(night);
  ASSERT_GT(edge, 240);
  for (const int y : {edge - 1, edge - 3}) {
    const Rgb lit = day.at(320, y);
    const Rgb dark = night.at(320, y);
    ASSERT_GT(lit.r + lit.g + lit.b, 300) << "the polar ice should be bright";
    EXPECT_NEAR(dark.r, lit.r * 0.75, 3) << y;
    EXPECT_NEAR(dark.g, lit.g * 0.75, 3) << y;
    EXPECT_NEAR(dark.b, lit.b * 0.75, 3) << y;
  }
}

TEST_F(GlobeWindowTest, GlobeTurnsBySpinRateEachFrame) {
  ASSERT_TRUE(ready);
  viewAt(12, 0);
  display.view.noon = false;
  display.view.spinRate = 0.5f;
  display.view.rotation = 351.0f;
  const Picture first = compose(1);
  const float rotation = display.view.rotation;
  const Picture later = compose(30);
  EXPECT_FLOAT_EQ(display.view.rotation, std::fmod(rotation + 15.0f, 360.0f));
  // 15 degrees further east now faces the viewer.
  expectNear(later.at(320, 240), earthColour(20.0, rotation + 15.0 + 9.62), 10, "centre");
  const Rgb a = first.at(320, 240);
  const Rgb b = later.at(320, 240);
  EXPECT_NE(a.r * 65536 + a.g * 256 + a.b, b.r * 65536 + b.g * 256 + b.b);
}

// At 06:00 UTC local midnight is at longitude -89.38, so the dawn meridian 0.62 divides the
// lit east from the dark west. Turned (Noon off) to face that meridian, the globe shows the
// night half on the left, at both window sizes, with the preset's grid.
TEST_F(GlobeWindowTest, NightHalfWestOfTheDawnMeridian) {
  ASSERT_TRUE(ready);
  const struct { int width, height, fontBase; } sizes[] = {{640, 480, 8100}, {1280, 1024, 8900}};
  for (const auto& size : sizes) {
    const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height);
    Fl::first_window()->resize(0, 0, size.width, size.height);
    Fl::check();
    Picture pictures[2];
    for (int night = 0; night < 2; ++night) {
      viewAt(6, 0);
      display.view.noon = false;
      display.view.rotation = 351.0f;  // longitude 0.62 faces the viewer
      display.view.gridLevel = 42.0f;
      display.view.night = night;
      pictures[night] = compose(40);
    }
    savePicture(pictures[1], "globe_dawn_" + name);
    ASSERT_EQ(pictures[1].width, size.width) << name;
    EXPECT_EQ(renderer->viewportWidth, static_cast<float>(size.width)) << name;
    EXPECT_EQ(renderer->viewportHeight, size.height) << name;
    EXPECT_EQ(tickerFontBaseFor(renderer->viewportHeight), size.fontBase) << name;
    const int y = size.height / 2;
    for (const int dx : {-size.width / 6, -size.width / 10}) {  // west: in the night band
      const Rgb lit = pictures[0].at(size.width / 2 + dx, y);
      const Rgb dark = pictures[1].at(size.width / 2 + dx, y);
      EXPECT_NEAR(dark.r, lit.r * 0.75, 2) << name << " " << dx;
      EXPECT_NEAR(dark.g, lit.g * 0.75, 2) << name << " " << dx;
      EXPECT_NEAR(dark.b, lit.b * 0.75, 2) << name << " " << dx;
    }
    for (const int dx : {size.width / 10, size.width / 6}) {  // east: lit
      expectNear(pictures[1].at(size.width / 2 + dx, y), pictures[0].at(size.width / 2 + dx, y), 1,
                 name + " east");
    }
  }
  Fl::first_window()->resize(0, 0, 640, 480);
  Fl::check();
}

// A globe that stands still is put back from a copy; every change of what shapes it must draw
// it afresh, and the copy must match a drawing pixel for pixel.
TEST_F(GlobeWindowTest, StillGlobePutBackMatchesAFreshDrawing) {
  ASSERT_TRUE(ready);
  const auto freshDrawing = [] {
    GlobeLayer& layer = renderer->globeLayer;
    const GlobeLayer saved = layer;
    layer.supported = false;
    layer.kept = false;
    const Picture picture = compose(1);
    layer = saved;
    return picture;
  };
  const struct {
    const char* change;
    void (*apply)();
  } changes[] = {
      {"none", [] {}},
      {"grid", [] { display.view.gridLevel = 80.0f; }},
      {"night",
       [] {
         display.view.night = true;
         display.requests.newTexture = true;
       }},
      {"zoom", [] { display.view.zoom = 40; }},
      {"tilt", [] { display.view.tilt = 150.0f; }},
      {"size", [] { Fl::first_window()->resize(0, 0, 500, 400); }},
  };
  viewAt(6, 0);
  display.view.noon = false;
  display.view.gridLevel = 42.0f;
  compose(40);
  ASSERT_TRUE(renderer->globeLayer.kept);
  for (const auto& c : changes) {
    c.apply();
    compose(40);  // the tilt settles, then the copy is taken and put back
    const Picture putBack = compose(1);
    EXPECT_TRUE(renderer->globeLayer.kept) << c.change;
    EXPECT_EQ(putBack.pixels, freshDrawing().pixels) << c.change;
  }
  Fl::first_window()->resize(0, 0, 640, 480);
  Fl::check();
}

}  // namespace
