#include "testing/x_display.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace lorvenna::testing {
namespace {

void collect(Display* d, Window w, const std::string& title, std::vector<Window>& out) {
  char* name = nullptr;
  if (XFetchName(d, w, &name) != 0 && name != nullptr) {
    XWindowAttributes a;
    if (title == name && XGetWindowAttributes(d, w, &a) != 0 && a.map_state == IsViewable) {
      out.push_back(w);
    }
    XFree(name);
  }
  Window root, parent;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) return;
  for (unsigned i = 0; i < count; ++i) collect(d, children[i], title, out);
  if (children != nullptr) XFree(children);
}

}  // namespace

std::vector<Window> windows_titled(Display* d, const std::string& title) {
  std::vector<Window> out;
  collect(d, DefaultRootWindow(d), title, out);
  return out;
}

std::vector<Window> wait_for_windows(Display* d, const std::string& title, size_t count,
                                     double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (true) {
    XSync(d, False);
    auto found = windows_titled(d, title);
    if (found.size() >= count || std::chrono::steady_clock::now() > end) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

Picture capture(Display* d, Window w, int x, int y, int width, int height) {
  Picture p;
  XImage* image = XGetImage(d, w, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) return p;
  p.width = width;
  p.height = height;
  p.rgb.reserve(static_cast<size_t>(width) * height * 3);
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const unsigned long px = XGetPixel(image, col, row);
      p.rgb.push_back(static_cast<uint8_t>((px & image->red_mask) >> 16));
      p.rgb.push_back(static_cast<uint8_t>((px & image->green_mask) >> 8));
      p.rgb.push_back(static_cast<uint8_t>(px & image->blue_mask));
    }
  }
  XDestroyImage(image);
  return p;
}

int dark_pixels(const Picture& p) {
  int n = 0;
  for (size_t i = 0; i + 2 < p.rgb.size(); i += 3) {
    if (p.rgb[i] + p.rgb[i + 1] + p.rgb[i + 2] < 3 * 96) ++n;
  }
  return n;
}

double dpi_across(Display* d) {
  const int s = DefaultScreen(d);
  return DisplayWidth(d, s) * 25.4 / DisplayWidthMM(d, s);
}

double dpi_down(Display* d) {
  const int s = DefaultScreen(d);
  return DisplayHeight(d, s) * 25.4 / DisplayHeightMM(d, s);
}

void press_key(Display* d, Window w, unsigned long keysym) {
  XSetInputFocus(d, w, RevertToPointerRoot, CurrentTime);
  const KeyCode code = XKeysymToKeycode(d, keysym);
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  XSync(d, False);
}

}  // namespace lorvenna::testing
