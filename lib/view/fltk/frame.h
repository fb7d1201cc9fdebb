// The window manager's frame round a top-level window. The toolkit places a
// window by its outer corner, as Windows does; FLTK places the client area.
#pragma once

class Fl_Window;

namespace view::fltk {

struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// What the window manager announced (_NET_FRAME_EXTENTS); all zero without a
// window manager or before it framed the window.
FrameExtents FrameOf(const Fl_Window* window);

}  // namespace view::fltk
