// Tags, picking and input in the real main window: the program's own window, paint handler
// and frame composition draw a table of known items; xdotool then moves, clicks, drags,
// turns the wheel and types as a user would, and the checks read the display state, what
// reached the screen, and what the opener was asked to open.
// With TAGS_WINDOW_SHOTS naming a directory, screenshots of the screen are left there.
#include <FL/Fl.H>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "model/display_state.h"
#include "model/item_table.h"
#include "platform/window.h"
#include "render/tags.h"
#include "shell/main_window.h"

namespace {

struct Item {
  const char* name;
  const char* latitude;
  const char* longitude;
  const char* value;
  int32_t fresh, down;
  int boxWidth;  // screen pixels of the value label's box at a height above 320
};

// Near the meridian that faces the viewer (9.62 east at rotation 0), apart from each other;
// item 0, whose pick colour is plain black, on the far side where it is not drawn.
constexpr Item kItems[] = {
    {"BAK  ", "0    ", "-170 ", "1    ", 1, 0, 0},   // behind the globe's centre plane
    {"GRN  ", "0    ", "9.62 ", "10312", 1, 0, 56},  // bright green, width 40: 7 box pixels
    {"RED  ", "25   ", "35   ", "-4.21", 1, 1, 56},  // bright red
    {"FGR  ", "-25  ", "-15  ", "777  ", 0, 0, 40},  // faded green, shortened: width 24
    {"FRD  ", "30   ", "-20  ", "55.5 ", 0, 1, 48},  // faded red, shortened: width 32
};
constexpr int kItemCount = 5;

// The program's records, as its entry makes them.
ProgramRecords& records() {
  static ProgramRecords program;
  return program;
}

std::string webPage(int k) { return "http://127.0.0.1:8404/item" + std::to_string(k); }

void publishKnownItems() {
  auto table = std::make_unique<MarketItemTable>();
  for (int k = 0; k < kItemCount; ++k) {
    const Item& item = kItems[k];
    appendItemText(*table, kNameColumn, item.name);
    appendItemText(*table, kLatitudeColumn, item.latitude);
    appendItemText(*table, kLongitudeColumn, item.longitude);
    appendItemText(*table, kValueColumn, item.value);
    appendItemText(*table, kWebPageColumn, webPage(k));
    table->fresh[k] = item.fresh;
    table->down[k] = item.down;
  }
  table->tableReady = true;
  records().channel->publishItems(*table);
}

// Lets the loop run (and paint) for a while.
void pump(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) Fl::wait(0.005);
}

// Lets the loop run until `done` holds, for up to 10 s: what needs a frame drawn or another
// process (the opener) takes as long as a loaded machine makes it. Returns done().
bool pumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done() && std::chrono::steady_clock::now() < end) pump(50);
  return done();
}

std::string run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // client pixels, y downward
  int count = 0;
  int centreX() const { return (left + right) / 2; }
  int centreY() const { return (top + bottom) / 2; }
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
};

int panelShows = 0;
OpenMainWindow program;  // the main window under test, with its handler

class TagsInputWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/tags-window-XXXXXX";
    work = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", (work + "/config").c_str(), 1);
    run("mkdir -p " + work + "/config/orbiquant");
    std::ofstream(work + "/config/orbiquant/orbq7.ini")
        << "[Items]\nnewspage=http://127.0.0.1:8404/test-news\n";
    const std::string opener = work + "/opener";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> " << work << "/opened\n";
    run("chmod +x " + opener);
    setenv("ORBIQUANT_OPENER", opener.c_str(), 1);

    MainWindowLinks links;
    links.records = &records();
    links.panel.show = [] { ++panelShows; };
    program = createMainWindow(Placement{0, 0, 640, 480}, std::move(links));
    ASSERT_TRUE(program.window);
    const std::string search = "xdotool search --onlyvisible --pid " + std::to_string(getpid());
    pumpUntil([&] { return !(window = run(search + " | head -n 1")).empty(); });
    pumpUntil([] { return records().display.view.news; });  // the start-up applied preset A
    holdStill();
    publishKnownItems();
    pumpUntil([] { return findBox(kItemCount - 1).count > 0; });  // the tags are drawn
    // Preset A's tilt was drawn before holdStill: the globe eases to the held tilt, and the
    // positions the tests look up hold only once it stands still.
    pumpUntil([] {
      const Box before = findBox(2);
      pump(150);
      const Box after = findBox(2);
      return before.centreX() == after.centreX() && before.centreY() == after.centreY();
    });
  }

  static void TearDownTestSuite() {
    if (mainWindow) mainWindow->destroy();
    run("rm -rf " + work);
  }

  // The view the expected positions rely on: equator edge-on, rotation 0, no spin, value
  // labels with the cycle off, and nothing else on the globe.
  static void holdStill() {
    DisplayState& s = records().display;
    s.view.zoom = 58;
    s.view.tilt = 180.0f;
    s.view.tiltBase = 0;
    s.view.spinRate = 0.0f;
    s.view.rotation = 0.0f;
    s.view.cycle = false;
    s.view.showValue = true;
    s.view.largeTags = false;
    s.view.noon = false;
    s.view.dark = true;
    s.view.zones = false;
    s.view.clocks = false;
    s.view.news = false;
    s.pointer.hoveredItem = -1;
  }

  static void xdotool(const std::string& args) { run("xdotool " + args); }
  static void type(const std::string& keys) {
    xdotool("windowfocus --sync " + window);
    xdotool("key " + keys);
    pump(200);
  }
  static void moveTo(int x, int y) {
    xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
    pump(300);
  }
  static void doubleClickAt(int x, int y) {
    moveTo(x, y);
    xdotool("click --repeat 2 --delay 60 1");
    pump(400);
  }

  // The window's pixels as the X server shows them, rows from the top.
  static std::vector<uint8_t> screen(int& width, int& height) {
    width = mainWindow->clientWidth();
    height = mainWindow->clientHeight();
    const std::string path = work + "/screen.rgb";
    run("import -window " + window + " -depth 8 rgb:" + path);
    const std::string bytes = readFile(path);
    std::vector<uint8_t> pixels(bytes.begin(), bytes.end());
    if (pixels.size() != static_cast<size_t>(width * height * 3)) {
      ADD_FAILURE() << "screen capture of " << pixels.size() << " bytes";
      pixels.assign(static_cast<size_t>(width * height * 3), 0);
    }
    return pixels;
  }

  // Where the box of tag k is: its pick pixels, plain when fresh, lifted when faded.
  static Box findBox(int k) {
    int width = 0;
    int height = 0;
    const auto pixels = screen(width, height);
    const int lift = kItems[k].fresh ? 0 : 0x40;
    const std::array<int, 3> want{((k & 15) << 1) | lift, (((k >> 4) & 15) << 1) | lift,
                                  (((k >> 8) & 15) << 1) | lift};
    Box box;
    for (int row = 0; row < height; ++row) {
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = &pixels[static_cast<size_t>((row * width + x) * 3)];
        if (p[0] != want[0] || p[1] != want[1] || p[2] != want[2]) continue;
        const int y = row;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
        ++box.count;
      }
    }
    return box;
  }

  static int countColour(int red, int green, int blue) {
    int width = 0;
    int height = 0;
    const auto pixels = screen(width, height);
    int count = 0;
    for (size_t i = 0; i + 2 < pixels.size(); i += 3) {
      count += pixels[i] == red && pixels[i + 1] == green && pixels[i + 2] == blue;
    }
    return count;
  }

  static void shot(const char* name) {
    const char* dir = std::getenv("TAGS_WINDOW_SHOTS");
    if (dir && dir[0]) run(std::string("import -window root ") + dir + "/" + name + ".png");
  }

  static std::string opened() { return readFile(work + "/opened"); }

  static std::string work;
  static std::string window;
};

std::string TagsInputWindowTest::work;
std::string TagsInputWindowTest::window;

TEST_F(TagsInputWindowTest, TagsAreDrawnInTheirStateColours) {
  ASSERT_FALSE(window.empty());
  shot("tags-medium");
  EXPECT_EQ(countColour(0, 224, 0), 0);  // the text of item 0 is not drawn
  for (int k = 1; k < kItemCount; ++k) {
    const Box box = findBox(k);
    ASSERT_GT(box.count, 0) << "no box for item " << k;
    // Box pixels of 8 x 8 screen pixels, two rows high above a height of 320.
    EXPECT_EQ(box.width(), kItems[k].boxWidth) << k;
    EXPECT_EQ(box.height(), 16) << k;
  }
  // Text colours: the visible colours with the item code in the low bits.
  EXPECT_GT(countColour(0 + 2, 224, 0), 0);    // item 1, bright green
  EXPECT_GT(countColour(224 + 4, 0, 0), 0);    // item 2, bright red
  EXPECT_GT(countColour(96 + 6, 192, 96), 0);  // item 3, faded green
  EXPECT_GT(countColour(192 + 8, 96, 96), 0);  // item 4, faded red
  // Item 2 lies north-east of item 1: up and to the right on the screen.
  EXPECT_GT(findBox(2).centreX(), findBox(1).centreX());
  EXPECT_LT(findBox(2).centreY(), findBox(1).centreY());
}

TEST_F(TagsInputWindowTest, HoverMarksTheTagAndShowsItsName) {
  const Box box = findBox(2);
  moveTo(box.centreX(), box.centreY());
  pumpUntil([] { return records().display.pointer.hoveredItem == 2; });
  EXPECT_EQ(records().display.pointer.hoveredItem, 2);
  pump(200);
  shot("tags-hover-red");
  moveTo(5, 5);  // the dark background names no tag
  pumpUntil([] { return records().display.pointer.hoveredItem == -1; });
  EXPECT_EQ(records().display.pointer.hoveredItem, -1);
}

TEST_F(TagsInputWindowTest, DoubleClicksOpenTheTagOrTheNews) {
  const size_t before = opened().size();
  const Box box = findBox(3);
  doubleClickAt(box.centreX(), box.centreY());
  pumpUntil([&] { return opened().size() > before; });
  EXPECT_EQ(opened().substr(before), webPage(3) + "\n");

  const size_t afterTag = opened().size();
  doubleClickAt(20, 30);   // no tag, above the bottom tenth: nothing
  doubleClickAt(20, 470);  // no tag, in the bottom tenth: the news page
  pumpUntil([&] { return opened().size() > afterTag; });
  pump(300);  // time for an opening the first double-click should not have asked for
  EXPECT_EQ(opened().substr(afterTag), "http://127.0.0.1:8404/test-news\n");
}

TEST_F(TagsInputWindowTest, DragsWheelAndKeys) {
  holdStill();
  ASSERT_EQ(platform::screenWidth(), 1280) << "the expected spin assumes a 1280-pixel screen";
  // Left drag from the centre to x = 100, 100 pixels down (client width 640, screen 1280).
  moveTo(320, 200);
  xdotool("mousedown 1");
  pump(100);
  moveTo(100, 300);
  EXPECT_TRUE(records().display.pointer.leftDragging);
  EXPECT_NEAR(records().display.view.spinRate, 191.6f / 128.0f * (1.0f - 58.0f / 700.0f), 1e-4f);
  EXPECT_FLOAT_EQ(records().display.view.tilt, 191.0f);  // 100 x 0.917 / 8 = 11.46 -> 11
  xdotool("mouseup 1");
  pump(200);
  EXPECT_FALSE(records().display.pointer.leftDragging);
  EXPECT_EQ(records().display.view.tiltBase, 11);

  type("h");
  EXPECT_FLOAT_EQ(records().display.view.spinRate, 0.0f);
  xdotool("click 4");  // wheel away from the user: zoom in 5 %
  pump(200);
  EXPECT_EQ(records().display.view.zoom, 60);
  type("z");
  EXPECT_EQ(records().display.view.zoom, 66);
  type("X");
  EXPECT_EQ(records().display.view.zoom, 59);
  type("u u d");
  EXPECT_FLOAT_EQ(records().display.view.tilt, 192.0f);

  // Both buttons: moving up zooms in, moving down zooms out; the right release shows the panel.
  const int shows = panelShows;
  moveTo(320, 240);
  xdotool("mousedown 1");
  pump(100);
  xdotool("mousedown 3");
  pump(100);
  EXPECT_TRUE(records().display.pointer.rightDragging);
  const int32_t zoomBefore = records().display.view.zoom;
  moveTo(320, 200);
  EXPECT_GT(records().display.view.zoom, zoomBefore);
  xdotool("mouseup 3");
  pump(100);
  xdotool("mouseup 1");
  pump(200);
  EXPECT_FALSE(records().display.pointer.rightDragging);
  EXPECT_FALSE(records().display.pointer.leftDragging);
  EXPECT_EQ(panelShows, shows + 1);
  holdStill();
  pump(600);
}

TEST_F(TagsInputWindowTest, SizeClasses) {
  holdStill();
  records().display.view.largeTags = true;
  pumpUntil([] { return findBox(1).width() == 88; });
  shot("tags-large");
  EXPECT_EQ(findBox(1).width(), 88);  // 11 x 3 box pixels
  EXPECT_EQ(findBox(1).height(), 24);

  records().display.view.largeTags = false;
  xdotool("windowsize " + window + " 640 300");
  pumpUntil([] { return mainWindow->clientHeight() == 300; });  // the program saw the resize
  pumpUntil([] { return findBox(1).height() == 8; });
  shot("tags-small");
  EXPECT_EQ(findBox(1).width(), 40);  // 5 x 1 box pixels at 300 pixels high
  EXPECT_EQ(findBox(1).height(), 8);
}

TEST_F(TagsInputWindowTest, FetchThreadRanAndEndedItsRun) {
  // The start-up kick asked for a fetch; the first paint started the thread.
  EXPECT_FALSE(records().schedule->running());
  EXPECT_TRUE(records().schedule->runDone());
  EXPECT_FALSE(records().schedule->requested());
}

}  // namespace
