#include "lib/view/fltk/toolkit_window.h"

#include <FL/Fl.H>

#include "lib/view/event.h"
#include "lib/view/fltk/fltk.h"
#include "lib/view/fltk/text.h"
#include "lib/view/window.h"

namespace view::fltk {
namespace {

// Sets a flag for the lifetime of the guard.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = old_; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
  bool old_;
};
}  // namespace

ToolkitWindow::ToolkitWindow(CWindow* owner, int width, int height) : Fl_Double_Window(width, height), owner_(owner) {
  end();
  size_range(width, height, width, height);  // fixed size
  callback(OnClose, this);
  std::vector<const Fl_RGB_Image*> images = ProgramIcons();
  icons(images.data(), static_cast<int>(images.size()));
  placedX_ = owner->NormalRect().x;
  placedY_ = owner->NormalRect().y;
  position(placedX_, placedY_);
}

void ToolkitWindow::Sync() {
  if (owner_ == nullptr) return;
  const std::string title = Utf8Of(owner_->Title().size(), owner_->Title().c_str());
  if (title != title_ || label() == nullptr) {
    title_ = title;
    copy_label(title_.c_str());
  }
  const CRect& rect = owner_->NormalRect();
  if (rect.x != placedX_ || rect.y != placedY_) {
    FlagGuard guard(ownRequest_);
    placedX_ = rect.x;
    placedY_ = rect.y;
    position(placedX_, placedY_);
  }
  if (!owner_->IsShown()) {
    HideWindow();
  } else if (owner_->IsMinimized()) {
    if (!shown() || visible()) iconize();
  } else if (!shown() || !visible()) {
    show();
  }
}

void ToolkitWindow::ReportPosition() {
  if (owner_ == nullptr || !shown()) return;
  if (x() == placedX_ && y() == placedY_) return;
  placedX_ = x();
  placedY_ = y();
  owner_->PeerMoved(placedX_, placedY_);
}

int ToolkitWindow::handle(int event) {
  if (event == FL_SHORTCUT && Fl::event_key() == FL_F + 1 && owner_ != nullptr) {
    owner_->UserCommand(kCommandClass, CmdAbout);
    return 1;
  }
  const int handled = Fl_Double_Window::handle(event);
  if (owner_ == nullptr || ownRequest_) return handled;
  // The window manager unmaps an iconified window and maps it again on restore.
  if (event == FL_HIDE && shown() && !owner_->IsMinimized()) owner_->PeerStateChanged(true, false);
  if (event == FL_SHOW && owner_->IsMinimized()) owner_->PeerStateChanged(false, false);
  return handled;
}

void ToolkitWindow::resize(int x, int y, int width, int height) {
  Fl_Double_Window::resize(x, y, width, height);
  if (!ownRequest_) ReportPosition();
}

void ToolkitWindow::HideWindow() {
  FlagGuard guard(ownRequest_);
  hide();
}

void ToolkitWindow::OnClose(Fl_Widget*, void* data) {
  auto* window = static_cast<ToolkitWindow*>(data);
  // Escape does not close a window on Windows; only the close box does.
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  if (window->owner_ == nullptr) return;
  window->ReportPosition();
  window->owner_->UserClose();
}

}  // namespace view::fltk
