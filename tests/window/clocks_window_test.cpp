// The world clocks and the news ticker in a real window: the program's own frame composition
// draws into an 800 x 600 window with a known ticker text and set summer-time flags, and the
// checks read back what reached the screen. The time is read once at start (run the program
// under faketime to choose it) and held for every frame, so the expected hands are exact.
// With CLOCKS_WINDOW_HOLD_MS set, each picture stays up that long, for screenshots.
#include <FL/Fl.H>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/display_state.h"
#include "model/fetch_snapshot.h"
#include "model/ticker_text.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "render/frame.h"
#include "render/gl_context.h"
#include "render/news_ticker.h"
#include "render/renderer_state.h"
#include "render/scene.h"

// Last: the X headers define macros that clash with names in the headers above.
#include <FL/x.H>

namespace {

using Rgb = std::array<int, 3>;
constexpr Rgb kHands{232, 79, 0};
constexpr Rgb kDarkTicks{3, 252, 252};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kDarkLabel{5, 79, 54};
constexpr Rgb kLightLabel{207, 201, 201};
constexpr Rgb kGlobeClockFace{5, 156, 105};
constexpr Rgb kTickerAt50{255, 128, 64};
constexpr double kDialRadius = 0.03;
constexpr double kPi = 3.14159265358979;

// The test's own display state and renderer state, as the main window would hand them over.
DisplayState display;
std::unique_ptr<RendererState> renderer;
// The fetch results the frames draw: a known ticker text, London in winter, New York in summer.
FetchChannel results;
constexpr int kLondonSummer = 0;
constexpr int kNewYorkSummer = 1;

platform::DateTime heldUtc{};
platform::DateTime heldLocal{};
platform::DateTime utcHeld() { return heldUtc; }
platform::DateTime localHeld() { return heldLocal; }

class QuietEvents : public platform::WindowEvents {
 public:
  void paint() override {}  // the test composes the frames itself
  void close() override {}
};

struct Dial {
  const char* name;
  double x, y;  // centre in overlay units
  int hour, minute;
};

class ClocksWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    window = new platform::MainWindow({0, 0, 800, 600}, platform::chooseDepthBits(), events);
    ASSERT_TRUE(window->show());
    renderer = std::make_unique<RendererState>();
    ASSERT_TRUE(createFonts(&renderer->glyphAtlas));
    initScene(*window, *renderer, display.view);
    heldUtc = platform::utcNow();
    heldLocal = platform::localNow();
    renderer->clock.utc = utcHeld;
    renderer->clock.local = localHeld;
    std::string text = std::string(1, kHeadlineMark) + "Clocks and ticker: a known headline";
    results.publishTicker(text + std::string(200, ' '));
    results.publishSummerTime(kLondonSummer == 1, kNewYorkSummer == 1);
  }
  static void TearDownTestSuite() {
    window->destroy();
    delete window;
  }

  void SetUp() override {
    display.view.clocks = true;
    display.view.zones = true;
    display.view.news = true;
    display.view.dark = true;
    display.view.colorLevel = 50.0f;
    display.view.rotation = 0.0f;
    renderer->tickerPos = 0;
    renderer->tickerPause = 0;
  }

  // Composes frames, keeps the last one's pixels, then holds the picture when asked.
  void compose(const char* picture) {
    window->makeCurrent();
    display.requests.darkBackground = display.view.dark;
    display.requests.relayout = true;
    for (int frame = 0; frame < 8; ++frame) {
      Fl::check();
      window->makeCurrent();
      composeFrame(*window, *renderer, display, *results.latest());
    }
    readScreen();
    hold(picture);
  }

  void hold(const char* picture) {
    const char* holdMs = std::getenv("CLOCKS_WINDOW_HOLD_MS");
    if (holdMs == nullptr) return;
    std::fprintf(stderr, "showing: %s\n", picture);
    const uint32_t until = platform::tickMs() + static_cast<uint32_t>(std::atoi(holdMs));
    while (static_cast<int32_t>(platform::tickMs() - until) < 0) {
      Fl::check();
      window->makeCurrent();
      composeFrame(*window, *renderer, display, *results.latest());
    }
  }

  // What the X server shows of the window, bottom row first like OpenGL. A double-buffered
  // context's front buffer cannot be read back reliably, the screen can.
  void readScreen() {
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    XSync(fl_display, False);
    XImage* image =
        XGetImage(fl_display, fl_xid(Fl::first_window()), 0, 0, static_cast<unsigned>(viewport[2]),
                  static_cast<unsigned>(viewport[3]), AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    pixels.assign(static_cast<size_t>(viewport[2] * viewport[3] * 3), 0);
    for (int y = 0; y < viewport[3]; ++y) {
      for (int x = 0; x < viewport[2]; ++x) {
        const unsigned long p = XGetPixel(image, x, viewport[3] - 1 - y);
        const size_t at = static_cast<size_t>((y * viewport[2] + x) * 3);
        pixels[at] = static_cast<unsigned char>((p >> 16) & 255);
        pixels[at + 1] = static_cast<unsigned char>((p >> 8) & 255);
        pixels[at + 2] = static_cast<unsigned char>(p & 255);
      }
    }
    XDestroyImage(image);
  }

  // Window pixel (x right, y up) of an overlay point.
  std::array<int, 2> project(double x, double y) const {
    double wx = 0, wy = 0, wz = 0;
    gluProject(x, y, 0.0, modelview, projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(std::lround(wx)), static_cast<int>(std::lround(wy))};
  }

  bool matches(int x, int y, const Rgb& colour) const {
    if (x < 0 || y < 0 || x >= viewport[2] || y >= viewport[3]) return false;
    const size_t at = static_cast<size_t>((y * viewport[2] + x) * 3);
    for (int c = 0; c < 3; ++c) {
      if (std::abs(pixels[at + static_cast<size_t>(c)] - colour[static_cast<size_t>(c)]) > 3)
        return false;
    }
    return true;
  }

  int count(const Rgb& colour, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += matches(x, y, colour) ? 1 : 0;
    }
    return n;
  }

  // The colour within 2 pixels of the point at `radius` from the dial's centre, `degrees`
  // clockwise from twelve o'clock. Positive overlay x lies left on the screen.
  bool seenOnDial(const Dial& dial, double degrees, double radius, const Rgb& colour) const {
    const double a = degrees * kPi / 180.0;
    const auto p = project(dial.x - radius * std::sin(a), dial.y + radius * std::cos(a));
    return count(colour, p[0] - 2, p[1] - 2, p[0] + 3, p[1] + 3) > 0;
  }

  std::array<Dial, 4> dials() const {
    const int h = heldUtc.hour;
    return {{{"Local", 0.19, 0.12, heldLocal.hour, heldLocal.minute},
             {"London", -0.19, 0.12, (h + kLondonSummer) % 24, heldUtc.minute},
             {"New York", 0.19, -0.12, (h + kNewYorkSummer + 19) % 24, heldUtc.minute},
             {"Beijing", -0.19, -0.12, (h + 8) % 24, heldUtc.minute}}};
  }

  void expectHandsShowTheirTimes() const {
    for (const Dial& dial : dials()) {
      SCOPED_TRACE(std::string(dial.name) + " at " + std::to_string(dial.hour) + ":" +
                   std::to_string(dial.minute));
      const double minuteAt = dial.minute * 6.0;
      const double hourAt = (dial.hour % 12) * 30.0 + dial.minute * 0.5;
      // Only the minute hand reaches 0.7 of the radius; both reach 0.4.
      EXPECT_TRUE(seenOnDial(dial, minuteAt, 0.7 * kDialRadius, kHands));
      EXPECT_FALSE(seenOnDial(dial, minuteAt + 180.0, 0.7 * kDialRadius, kHands));
      EXPECT_TRUE(seenOnDial(dial, hourAt, 0.4 * kDialRadius, kHands));
    }
  }

  // Ticks at twelve, three, six and nine; the second mark may cover one of them.
  int ticksSeen(const Dial& dial, const Rgb& colour) const {
    int seen = 0;
    for (double at : {0.0, 90.0, 180.0, 270.0}) seen += seenOnDial(dial, at, 0.031, colour) ? 1 : 0;
    return seen;
  }

  int tickerPixels() const { return count(kTickerAt50, 0, 0, viewport[2], viewport[3] / 10); }

  int globeClockPixels() const {
    return count(kGlobeClockFace, 0, viewport[3] / 5, viewport[2], viewport[3] * 4 / 5);
  }

  static QuietEvents events;
  static platform::MainWindow* window;
  GLint viewport[4]{};
  GLdouble modelview[16]{};
  GLdouble projection[16]{};
  std::vector<unsigned char> pixels;
};

QuietEvents ClocksWindowTest::events;
platform::MainWindow* ClocksWindowTest::window = nullptr;

TEST_F(ClocksWindowTest, DarkPictureShowsDialsGlobeClocksAndTicker) {
  compose("dark, London side");
  expectHandsShowTheirTimes();
  for (const Dial& dial : dials()) EXPECT_GE(ticksSeen(dial, kDarkTicks), 3) << dial.name;
  // Labels sit below the upper dials and above the lower ones.
  const auto below = project(-0.19, 0.12 - 0.045);
  EXPECT_GT(count(kDarkLabel, below[0] - 80, below[1] - 20, below[0] + 80, below[1] + 20), 20);
  EXPECT_GT(globeClockPixels(), 500);
  EXPECT_GT(tickerPixels(), 100);
}

TEST_F(ClocksWindowTest, LightPictureHasBlackTicksAndGreyLabels) {
  display.view.dark = false;
  display.view.rotation = 180.0f;  // the Asian and Pacific clocks face the viewer
  compose("light, Beijing side");
  expectHandsShowTheirTimes();
  for (const Dial& dial : dials()) EXPECT_GE(ticksSeen(dial, kBlack), 3) << dial.name;
  const auto above = project(-0.19, -0.12 + 0.04);
  EXPECT_GT(count(kLightLabel, above[0] - 80, above[1] - 20, above[0] + 80, above[1] + 20), 20);
  EXPECT_GT(globeClockPixels(), 500);
  EXPECT_GT(tickerPixels(), 100);
}

TEST_F(ClocksWindowTest, OptionsHideEachPartAlone) {
  display.view.zones = false;
  display.view.news = false;
  compose("no globe clocks, no ticker");
  expectHandsShowTheirTimes();  // the city times do not depend on the globe clocks
  EXPECT_EQ(globeClockPixels(), 0);
  EXPECT_EQ(tickerPixels(), 0);

  display.view.clocks = false;
  display.view.zones = true;
  compose("globe clocks only");
  EXPECT_GT(globeClockPixels(), 500);
  for (const Dial& dial : dials()) EXPECT_LT(ticksSeen(dial, kDarkTicks), 3) << dial.name;
}

}  // namespace
