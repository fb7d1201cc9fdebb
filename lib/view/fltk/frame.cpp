#include "lib/view/fltk/frame.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

#if !defined(_WIN32) && !defined(__APPLE__)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace view::fltk {

FrameExtents FrameOf(const Fl_Window* window) {
  FrameExtents extents;
#if !defined(_WIN32) && !defined(__APPLE__)
  if (window == nullptr || fl_display == nullptr) return extents;
  const Window xid = fl_xid(window);  // 0 while not shown
  if (xid == 0) return extents;
  const Atom property = XInternAtom(fl_display, "_NET_FRAME_EXTENTS", True);
  if (property == None) return extents;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(fl_display, xid, property, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr) {
    if (type == XA_CARDINAL && format == 32 && count == 4) {
      // Format 32 comes as longs, whatever their size.
      const auto* values = reinterpret_cast<const long*>(data);
      extents.left = static_cast<int>(values[0]);
      extents.right = static_cast<int>(values[1]);
      extents.top = static_cast<int>(values[2]);
      extents.bottom = static_cast<int>(values[3]);
    }
    XFree(data);
  }
#else
  (void)window;
#endif
  return extents;
}

}  // namespace view::fltk
