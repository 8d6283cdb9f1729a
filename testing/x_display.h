// Looking at the X server the way a person would: which windows it shows,
// how large, and what pixels they hold. For the window tests, which check
// the desktop layer through the X protocol rather than through its code.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lorvenna::testing {

class XConnection {
 public:
  XConnection() : display_(XOpenDisplay(nullptr)) {}
  ~XConnection() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;
  Display* get() const { return display_; }

 private:
  Display* display_;
};

// Every viewable window whose title is `title`, in stacking order.
std::vector<Window> windows_titled(Display* d, const std::string& title);

// Waits up to `seconds` for at least `count` such windows.
std::vector<Window> wait_for_windows(Display* d, const std::string& title, size_t count,
                                     double seconds);

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // three bytes a pixel, row after row
};

Picture capture(Display* d, Window w, int x, int y, int width, int height);

// Pixels darker than mid-grey: the strokes of a text drawn in black.
int dark_pixels(const Picture& p);

// The server's resolution in dots per inch, from its size in pixels and in millimetres.
double dpi_across(Display* d);
double dpi_down(Display* d);

// Presses and releases a key in the window, as a person at the keyboard would.
void press_key(Display* d, Window w, unsigned long keysym);

}  // namespace lorvenna::testing
