// The world clocks and the news ticker in a real window: the program's own frame composition
// draws into an 800 x 600 window with a known ticker text and set summer-time flags, and the
// checks read back what reached the screen. UTC is held at an instant when London is still in
// winter and New York already in daylight time (the zone database and the flags agree), the
// local time is read once at start, and both are held for every frame, so the expected hands
// are exact. The clocks' settings live in a settings file of the test's own.
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
#include "tests/panel/settings_home.h"

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

// Friday 20 March 2026, 13:45:20 UTC.
constexpr platform::DateTime kHeldUtc{2026, 3, 5, 20, 13, 45, 20, 0};
platform::DateTime heldUtc = kHeldUtc;
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
    home = new SettingsHome;
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
    delete home;
  }

  void SetUp() override {
    display.view.zoom = 80;
    display.view.clocks = true;
    display.view.zones = true;
    display.view.news = true;
    display.view.dark = true;
    display.view.colorLevel = 50.0f;
    display.view.rotation = 0.0f;
    renderer->tickerPos = 0;
    renderer->tickerPause = 0;
    heldUtc = kHeldUtc;
    chooseClocks("");
  }

  // The [Items] keys of the user's clocks, which the next frame loads.
  void chooseClocks(const std::string& keys) {
    home->write("[Items]\n" + keys);
    display.requests.newClocks = true;
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

  // The pixels of a dial and its ticks, without its label.
  std::vector<unsigned char> dialPixels(const Dial& dial) const {
    const auto centre = project(dial.x, dial.y);
    const int reach = std::abs(project(dial.x, dial.y + 0.034)[1] - centre[1]);
    std::vector<unsigned char> part;
    for (int y = centre[1] - reach; y <= centre[1] + reach; ++y) {
      for (int x = centre[0] - reach; x <= centre[0] + reach; ++x) {
        const size_t at = static_cast<size_t>((y * viewport[2] + x) * 3);
        part.insert(part.end(), pixels.begin() + static_cast<long>(at),
                    pixels.begin() + static_cast<long>(at) + 3);
      }
    }
    return part;
  }

  int tickerPixels() const { return count(kTickerAt50, 0, 0, viewport[2], viewport[3] / 10); }

  int globeClockPixels() const {
    return count(kGlobeClockFace, 0, viewport[3] / 5, viewport[2], viewport[3] * 4 / 5);
  }

  static QuietEvents events;
  static platform::MainWindow* window;
  static SettingsHome* home;
  GLint viewport[4]{};
  GLdouble modelview[16]{};
  GLdouble projection[16]{};
  std::vector<unsigned char> pixels;
};

QuietEvents ClocksWindowTest::events;
platform::MainWindow* ClocksWindowTest::window = nullptr;
SettingsHome* ClocksWindowTest::home = nullptr;

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

// A dial set to a zone three quarters of an hour off the hour shows its minutes: its minute
// hand stands 45 minutes from London's, and the dial is the very picture of the program's
// Beijing dial at the instant Beijing's clock reads the same time.
TEST_F(ClocksWindowTest, KathmanduDialIsFortyFiveMinutesOffLondon) {
  display.view.zones = false;
  display.view.news = false;
  display.view.zoom = 30;  // a globe clear of the dials: only the dial itself is compared
  chooseClocks("clock4=Kathmandu=Asia/Kathmandu\n");
  compose("Kathmandu in Beijing's place");
  const Dial london{"London", -0.19, 0.12, 13, 45};
  const Dial kathmandu{"Kathmandu", -0.19, -0.12, 19, 30};  // 13:45 UTC + 5:45
  EXPECT_TRUE(seenOnDial(london, 45 * 6.0, 0.7 * kDialRadius, kHands));
  EXPECT_TRUE(seenOnDial(kathmandu, 30 * 6.0, 0.7 * kDialRadius, kHands));
  EXPECT_FALSE(seenOnDial(kathmandu, 45 * 6.0, 0.7 * kDialRadius, kHands));
  EXPECT_TRUE(seenOnDial(kathmandu, 7 * 30.0 + 15.0, 0.4 * kDialRadius, kHands));
  const std::vector<unsigned char> shown = dialPixels(kathmandu);

  chooseClocks("");
  heldUtc = {2026, 3, 5, 20, 11, 30, 20, 0};  // 19:30 in Beijing
  compose("Beijing at 19:30");
  EXPECT_TRUE(dialPixels(kathmandu) == shown);
}

}  // namespace
