// Builds the program's bitmap fonts in a real OpenGL window and checks that every list of
// every range exists and that a glyph of each font puts pixels on the screen.
#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "render/gl_context.h"

namespace {

class Canvas : public Fl_Gl_Window {
 public:
  Canvas() : Fl_Gl_Window(0, 0, 320, 240) { mode(FL_RGB8 | FL_DOUBLE | FL_DEPTH); }
  void draw() override {}
};

class FontWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    canvas = new Canvas;
    canvas->show();
    Fl::check();
    canvas->make_current();
    built = createFonts();
  }
  static void TearDownTestSuite() {
    canvas->hide();
    delete canvas;
  }
  static Canvas* canvas;
  static bool built;
};

Canvas* FontWindowTest::canvas = nullptr;
bool FontWindowTest::built = false;

TEST_F(FontWindowTest, EveryListOfEveryRangeExists) {
  ASSERT_TRUE(built);
  for (const auto& font : kFontTable) {
    for (int code = 0; code < font.glyphCount; ++code) {
      ASSERT_TRUE(glIsList(static_cast<GLuint>(font.listBase + code)))
          << font.face << " " << font.height << " code " << code;
    }
    EXPECT_FALSE(glIsList(static_cast<GLuint>(font.listBase + font.glyphCount)));
  }
}

TEST_F(FontWindowTest, AGlyphOfEachFontDrawsPixels) {
  ASSERT_TRUE(built);
  canvas->make_current();
  glViewport(0, 0, 320, 240);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 320, 0, 240, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DITHER);
  glReadBuffer(GL_BACK);
  for (const auto& font : kFontTable) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glRasterPos2i(20, 100);
    glListBase(static_cast<GLuint>(font.listBase));
    const char text[] = "W8";
    glCallLists(2, GL_UNSIGNED_BYTE, text);
    std::vector<unsigned char> pixels(320 * 240 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 320, 240, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (unsigned char p : pixels) lit += p > 128;
    EXPECT_GT(lit, font.height) << font.face << " " << font.height;
  }
}

}  // namespace
