#include "platform/window.h"

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <GL/glx.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/frame_pacing.h"
#include "platform/loop_timer.h"
#include "platform/ui_thread.h"
#include "platform/window_placement.h"

namespace platform {

namespace {

std::vector<int> visualAttributes(int depthBits) {
  return {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
          8,        GLX_DEPTH_SIZE,   depthBits,    None};
}

// Notches away from the user: FLTK counts them toward the user.
int wheelNotches() { return -Fl::event_dy(); }

// FLTK handles events inside show() and the other start-up steps, before the program's
// handlers are ready for a close: one that arrives before the loop runs waits for it.
bool loopRunning = false;
WindowEvents* closeBeforeLoop = nullptr;

void deliverClose(WindowEvents& events) {
  if (loopRunning) {
    events.close();
  } else {
    closeBeforeLoop = &events;
  }
}

// Letters arrive upper-case and the number pad's digits as the digits themselves.
int upperKey(int key) {
  if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
  if (key >= FL_KP + '0' && key <= FL_KP + '9') return key - FL_KP;
  return key;
}

// Translates FLTK events into WindowEvents calls; shared by the GL window and the plain
// window used when the display has no suitable visual.
template <typename Base>
class EventWindow : public Base {
 public:
  EventWindow(int x, int y, int w, int h, WindowEvents& events)
      : Base(x, y, w, h), events_(events) {
    Base::callback(
        [](Fl_Widget*, void* self) { deliverClose(static_cast<EventWindow*>(self)->events_); },
        this);
  }

  int handle(int event) override {
    switch (event) {
      case FL_PUSH:
        return push();
      case FL_RELEASE:
        if (Fl::event_button() == FL_LEFT_MOUSE) events_.leftUp();
        if (Fl::event_button() == FL_RIGHT_MOUSE) events_.rightUp();
        return 1;
      case FL_MOVE:
      case FL_DRAG:
        events_.mouseMove(Fl::event_x(), Fl::event_y());
        return 1;
      case FL_MOUSEWHEEL:
        if (Fl::event_dy() != 0) events_.wheel(wheelNotches());
        return 1;
      case FL_KEYDOWN:
        events_.key(upperKey(Fl::event_key()));
        return 1;
      case FL_LEAVE:
        events_.mouseLeave();
        return 1;
      case FL_ENTER:
      case FL_FOCUS:
      case FL_UNFOCUS:
        return 1;
      default:
        return Base::handle(event);
    }
  }

  void resize(int x, int y, int w, int h) override {
    const bool sized = w != Base::w() || h != Base::h();
    Base::resize(x, y, w, h);
    if (sized) events_.size();
  }

 protected:
  WindowEvents& events_;

 private:
  int push() {
    const int button = Fl::event_button();
    if (button == FL_LEFT_MOUSE) {
      if (Fl::event_clicks() > 0) {
        Fl::event_clicks(0);  // a third click starts over
        events_.leftDoubleClick(Fl::event_x(), Fl::event_y());
      } else {
        events_.leftDown(Fl::event_x(), Fl::event_y());
      }
    } else if (button == FL_RIGHT_MOUSE) {
      events_.rightDown();
    }
    return 1;
  }
};

class GlView : public EventWindow<Fl_Gl_Window> {
 public:
  using EventWindow::EventWindow;
  // Frames are composed and presented by the program itself (WindowEvents::paint), also
  // when FLTK asks for a redraw after an expose.
  void flush() override {
    make_current();
    events_.paint();
  }
  void draw() override {}
};

class PlainView : public EventWindow<Fl_Window> {
 public:
  using EventWindow::EventWindow;
};

bool hasExtension(const char* list, const char* name) {
  if (!list) return false;
  const std::string all = std::string(" ") + list + " ";
  return all.find(std::string(" ") + name + " ") != std::string::npos;
}

// Asks for one swap per refresh; true when the driver offers the control.
bool requestSwapInterval() {
  using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
  using SwapIntervalMesa = int (*)(unsigned);
  const char* extensions = glXQueryExtensionsString(fl_display, fl_screen);
  const auto lookup = [](const char* name) {
    return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
  };
  if (hasExtension(extensions, "GLX_EXT_swap_control")) {
    if (auto set = reinterpret_cast<SwapIntervalExt>(lookup("glXSwapIntervalEXT"))) {
      set(fl_display, glXGetCurrentDrawable(), 1);
      return true;
    }
  }
  if (hasExtension(extensions, "GLX_MESA_swap_control")) {
    if (auto set = reinterpret_cast<SwapIntervalMesa>(lookup("glXSwapIntervalMESA"))) {
      return set(1) == 0;
    }
  }
  return false;
}

std::string_view rendererName() {
  const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return name ? name : "";
}

// FLTK does not ask the X server about the window being covered; the program does, to draw
// nothing while nothing is seen.
void selectVisibilityEvents(Fl_Window& window) {
  XWindowAttributes attributes{};
  const Window xid = fl_xid(&window);
  if (XGetWindowAttributes(fl_display, xid, &attributes) == 0) return;
  XSelectInput(fl_display, xid, attributes.your_event_mask | VisibilityChangeMask);
}

bool quitRequested = false;
int quitCode = 0;

// What drives the frames: nothing before show() and after destroy(); the display's refresh
// (a frame whenever the loop is idle, the swap waits); the frame timer; or, while the window
// is not seen, the slow timer of WindowEvents::unseenTick.
enum class Drive { stopped, display, timer, unseen };

// Once a second is often enough for the clock and the fetch schedule, and costs nothing.
constexpr uint64_t kUnseenTickUs = 1000000;

}  // namespace

int chooseDepthBits() {
  for (int depth : {32, 24, 16, 1}) {
    if (Fl_Gl_Window::can_do(visualAttributes(depth).data())) return depth;
  }
  return 0;
}

struct MainWindow::Impl {
  WindowEvents* events = nullptr;
  WindowPlace place;
  // The client area before the window went full screen; set from setFullScreen(true) to
  // setFullScreen(false), whenever the window manager carries the request out.
  std::optional<Rect> windowed;
  std::optional<GlView> gl;
  std::optional<PlainView> plain;
  std::vector<int> attributes;

  int frameRate = kDefaultFrameRate;
  FramePacing pacing = FramePacing::timer;
  SwapWatch swapWatch;
  bool started = false;
  bool mapped = false;
  bool obscured = false;
  Drive drive = Drive::stopped;
  LoopTimer timer{timerFired, this};

  // Puts the drive the state asks for in place.
  void update();
  void paint();
  static void idlePaint(void* data);
  static void timerFired(void* data);
  static int watchEvents(void* event, void* data);

  Fl_Window& window() {
    return gl ? static_cast<Fl_Window&>(*gl) : static_cast<Fl_Window&>(*plain);
  }
  const Fl_Window& window() const {
    return gl ? static_cast<const Fl_Window&>(*gl) : static_cast<const Fl_Window&>(*plain);
  }
};

MainWindow::MainWindow(const WindowPlace& place, int depthBits, WindowEvents& events)
    : impl_(std::make_unique<Impl>()) {
  impl_->events = &events;
  impl_->place = place;
  const int x = place.x;
  const int y = place.y;
  const int width = place.width;
  const int height = place.height;
  if (depthBits > 0) {
    impl_->attributes = visualAttributes(depthBits);
    impl_->gl.emplace(x, y, width, height, events);
    impl_->gl->mode(impl_->attributes.data());
  } else {
    impl_->plain.emplace(x, y, width, height, events);
  }
  impl_->window().end();
  impl_->window().resizable(&impl_->window());
  impl_->window().size_range(1, 1);
}

MainWindow::~MainWindow() {
  impl_->started = false;
  impl_->update();
  Fl::remove_system_handler(Impl::watchEvents);
  if (closeBeforeLoop == impl_->events) closeBeforeLoop = nullptr;
}

void MainWindow::Impl::update() {
  Drive want = Drive::stopped;
  if (started) {
    if (!mapped || obscured) {
      want = Drive::unseen;
    } else {
      want = pacing == FramePacing::display ? Drive::display : Drive::timer;
    }
  }
  if (want == drive) return;
  if (drive == Drive::display) Fl::remove_idle(idlePaint, this);
  drive = want;
  switch (want) {
    case Drive::stopped:
      timer.stop();
      break;
    case Drive::display:
      timer.stop();
      swapWatch = {};
      Fl::add_idle(idlePaint, this);
      break;
    case Drive::timer:
      timer.start(static_cast<uint64_t>(1000000 / frameRate));
      break;
    case Drive::unseen:
      timer.start(kUnseenTickUs);
      break;
  }
}

void MainWindow::Impl::paint() {
  if (gl) gl->make_current();
  events->paint();
}

// Display pacing: whenever the loop has nothing else to do, one more frame; the swap waits
// for the refresh. Swaps that turn out not to wait hand the pace to the frame timer.
void MainWindow::Impl::idlePaint(void* data) {
  auto* impl = static_cast<Impl*>(data);
  impl->paint();
  if (swapsReturnAtOnce(impl->swapWatch, monotonicUs())) {
    impl->pacing = FramePacing::timer;
    impl->update();
  }
}

void MainWindow::Impl::timerFired(void* data) {
  auto* impl = static_cast<Impl*>(data);
  if (impl->drive == Drive::timer) impl->paint();
  if (impl->drive == Drive::unseen) impl->events->unseenTick();
}

// Follows the window being mapped, unmapped (minimised, hidden) and covered; FLTK handles
// the events as well.
int MainWindow::Impl::watchEvents(void* event, void* data) {
  auto* impl = static_cast<Impl*>(data);
  const auto& x = *static_cast<const XEvent*>(event);
  Fl_Window& window = impl->window();
  if (!window.shown() || x.xany.window != fl_xid(&window)) return 0;
  if (x.type == VisibilityNotify) {
    impl->obscured = x.xvisibility.state == VisibilityFullyObscured;
  } else if (x.type == MapNotify) {
    impl->mapped = true;
  } else if (x.type == UnmapNotify && x.xunmap.window == fl_xid(&window)) {
    impl->mapped = false;
  } else {
    return 0;
  }
  impl->update();
  return 0;
}

void MainWindow::setFrameRate(int framesPerSecond) {
  impl_->frameRate = clampFrameRate(framesPerSecond);
  if (impl_->drive != Drive::timer) return;
  impl_->drive = Drive::stopped;  // restarts the timer at the new rate
  impl_->update();
}

bool MainWindow::show() {
  Fl_Window& window = impl_->window();
  // The X class of every window the program opens: desktops match it against the desktop
  // entry (StartupWMClass) to show the program's name and icon for its windows.
  Fl_Window::default_xclass(kWindowClass);
  Fl::add_system_handler(Impl::watchEvents, impl_.get());
  // The window opens where it is asked to, its frame and title bar on the screen; the
  // window manager's frame and FLTK's keeping new windows clear of the screen's edges do
  // not move it.
  const Rect target = placeBeforeShow(window, impl_->place);
  window.show();
  settleAfterShow(window, target);
  selectVisibilityEvents(window);
  impl_->mapped = window.visible() != 0;
  impl_->started = true;
  if (!impl_->gl) {
    impl_->update();
    return false;
  }
  impl_->gl->make_current();
  const bool swapControl = requestSwapInterval();
  impl_->pacing = choosePacing(swapControl, rendererName());
  impl_->update();
  return true;
}

bool MainWindow::hasContext() const {
  return impl_->gl.has_value() && impl_->gl->context() != nullptr;
}

void MainWindow::makeCurrent() {
  if (impl_->gl) impl_->gl->make_current();
}

void MainWindow::swapBuffers() {
  if (impl_->gl) impl_->gl->swap_buffers();
}

void MainWindow::setCaption(std::string_view text) {
  impl_->window().copy_label(std::string(text).c_str());
}

std::string MainWindow::caption() const {
  const char* label = impl_->window().label();
  return label ? label : "";
}

int MainWindow::clientWidth() const { return impl_->window().w(); }
int MainWindow::clientHeight() const { return impl_->window().h(); }

Rect MainWindow::clientRect() const {
  // FLTK 1.3 declares shown() and fl_xid() on non-const windows.
  return platform::clientRect(const_cast<Fl_Window&>(impl_->window()));
}

Rect MainWindow::placementToStore() const { return impl_->windowed.value_or(clientRect()); }

void MainWindow::setFullScreen(bool on) {
  Fl_Window& window = impl_->window();
  if (on == fullScreen()) return;
  if (on) {
    impl_->windowed = clientRect();
    window.fullscreen();
    return;
  }
  const Rect back = impl_->windowed.value_or(clientRect());
  impl_->windowed.reset();
  window.fullscreen_off(back.left, back.top, back.right - back.left, back.bottom - back.top);
}

bool MainWindow::fullScreen() const { return impl_->windowed.has_value(); }

void MainWindow::raise() { impl_->window().show(); }

void MainWindow::reveal() {
  if (!impl_->window().visible()) impl_->window().show();
}

void MainWindow::requestClose() { impl_->window().do_callback(); }

void MainWindow::destroy() {
  impl_->started = false;
  impl_->update();
  Fl::remove_system_handler(Impl::watchEvents);
  impl_->window().hide();
}

int screenWidth() { return Fl::w(); }

int runLoop() {
  loopRunning = true;
  if (WindowEvents* events = std::exchange(closeBeforeLoop, nullptr)) events->close();
  while (!quitRequested) {
    if (Fl::wait(0.5) < 0) break;
  }
  loopRunning = false;
  stopUiCalls();
  while (Fl_Window* window = Fl::first_window()) window->hide();
  return quitCode;
}

void quit(int code) {
  quitCode = code;
  quitRequested = true;
}

}  // namespace platform
