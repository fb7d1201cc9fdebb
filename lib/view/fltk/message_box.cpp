// Modal message boxes: the title, up to three lines beside a 32-pixel icon,
// and OK. The box runs its own wait loop; the toolkit's queue waits until it
// is closed, as the program's handler that opened it has not returned yet.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <vector>

#include "lib/view/fltk/backend.h"
#include "lib/view/fltk/fltk.h"
#include "lib/view/fltk/fonts.h"
#include "lib/view/fltk/text.h"
#include "lib/view/fltk/toolkit_window.h"

namespace view::fltk {
namespace {

constexpr int kMargin = 14;
constexpr int kIconSize = 32;
constexpr int kTextX = kMargin + kIconSize + 14;
constexpr int kLineHeight = 18;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 25;
constexpr int kMinWidth = 240;
constexpr int kTitleAllowance = 200;  // the window manager's icon and buttons, and its bolder title font

// Boxes on the screen, innermost last.
std::vector<OpenMessageBox*>& OpenBoxes() {
  static std::vector<OpenMessageBox*> boxes;
  return boxes;
}

class BoxIcon : public Fl_Widget {
 public:
  BoxIcon(int x, int y, IconKind kind) : Fl_Widget(x, y, kIconSize, kIconSize), kind_(kind) {}

  void draw() override {
    switch (kind_) {
      case IconKind::Information:
        DrawDisc(40, 110, 210);
        fl_color(FL_WHITE);
        fl_font(FL_TIMES_BOLD, 24);
        fl_draw("i", x(), y() + 2, w(), h() - 2, FL_ALIGN_CENTER);
        break;
      case IconKind::Stop: {
        DrawDisc(200, 40, 40);
        fl_color(FL_WHITE);
        fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
        const int a = 10, b = kIconSize - 11;
        fl_line(x() + a, y() + a, x() + b, y() + b);
        fl_line(x() + b, y() + a, x() + a, y() + b);
        fl_line_style(0);
        break;
      }
      case IconKind::Resource:
        ProgramIcon(kIconSize)->draw(x(), y());
        break;
    }
  }

 private:
  void DrawDisc(uchar r, uchar g, uchar b) {
    fl_color(r, g, b);
    fl_pie(x(), y(), w(), h(), 0, 360);
  }
  IconKind kind_;
};

void OnOk(Fl_Widget* widget, void*) { widget->window()->hide(); }

// Trailing empty lines take no room.
int ShownLines(const OpenMessageBox& box) {
  int count = 3;
  while (count > 0 && box.lines[count - 1].empty()) --count;
  return count;
}

int TextWidthUtf8(const std::string& text) {
  return text.empty() ? 0 : static_cast<int>(fl_width(text.c_str(), static_cast<int>(text.size())) + 0.5);
}

}  // namespace

void FltkBackend::ShowMessageBox(CWindow* owner, const MessageBoxRecord& record) {
  OpenMessageBox box;
  box.title = Utf8Of(record.title.size(), record.title.c_str());
  for (int i = 0; i < 3; ++i) box.lines[i] = Utf8Of(record.lines[i].size(), record.lines[i].c_str());
  box.icon = record.icon != nullptr ? record.icon->kind : IconKind::Information;

  SelectFont(TextFont());
  int textWidth = 0;
  for (const std::string& line : box.lines) textWidth = std::max(textWidth, TextWidthUtf8(line));
  const int lines = std::max(ShownLines(box), 1);
  const int textHeight = std::max(kIconSize, lines * kLineHeight);
  const int width = std::max({kMinWidth, kTextX + textWidth + kMargin, TextWidthUtf8(box.title) + kTitleAllowance});
  const int height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;

  Fl_Group::current(nullptr);
  Fl_Double_Window window(width, height);
  box.window = &window;
  window.copy_label(box.title.c_str());
  new BoxIcon(kMargin, kMargin, box.icon);
  const int textTop = kMargin + (textHeight - lines * kLineHeight) / 2;
  for (int i = 0; i < lines; ++i) {
    auto* text = new Fl_Box(kTextX, textTop + i * kLineHeight, width - kTextX - kMargin, kLineHeight);
    text->copy_label(LabelText(box.lines[i]).c_str());
    text->labelfont(FontFace(TextFont()));
    text->labelsize(FontSize(TextFont()));
    text->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  }
  auto* ok =
      new Fl_Button((width - kButtonWidth) / 2, height - kMargin - kButtonHeight, kButtonWidth, kButtonHeight, "OK");
  ok->shortcut(FL_Enter);
  ok->labelsize(FontSize(TextFont()));
  ok->callback(OnOk);
  window.end();
  window.set_modal();

  // Over the owner's window, or in the middle of the screen.
  Fl_Window* over = owner != nullptr ? WindowOf(owner) : nullptr;
  if (over != nullptr && over->shown() && over->visible())
    window.position(over->x() + (over->w() - width) / 2, over->y() + (over->h() - height) / 2);
  else
    window.position((Fl::w() - width) / 2, (Fl::h() - height) / 2);

  OpenBoxes().push_back(&box);
  window.show();
  while (window.shown()) Fl::wait();
  OpenBoxes().pop_back();
}

const OpenMessageBox* CurrentMessageBox() { return OpenBoxes().empty() ? nullptr : OpenBoxes().back(); }

bool PressMessageBoxOk() {
  if (OpenBoxes().empty()) return false;
  OpenBoxes().back()->window->hide();
  return true;
}

}  // namespace view::fltk
