#include "lib/view/message_box.h"

#include "lib/view/internal.h"

int DoMessageBox(CWindow* owner, int, const CRect&, int, int, int, std::size_t titleLen, const char* title,
                 std::size_t len1, const char* line1, std::size_t len2, const char* line2, std::size_t len3,
                 const char* line3, TIcon* icon) {
  view::MessageBoxRecord box;
  box.title = view::detail::CutText(titleLen, title);
  box.lines[0] = view::detail::CutText(len1, line1);
  box.lines[1] = view::detail::CutText(len2, line2);
  box.lines[2] = view::detail::CutText(len3, line3);
  box.icon = icon;
  view::TheBackend().ShowMessageBox(owner, box);  // returns when the user closed it
  return 1;
}
