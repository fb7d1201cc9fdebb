// The top-level window and the application's background object.
#pragma once
#include <string>
#include <string_view>

#include "lib/view/view.h"

class CBackground;

class CWindow : public CNodeView {
 public:
  CWindow();
  ~CWindow() override;

  // rect: position and interior size. The style word is not used: this
  // toolkit always makes a fixed-size window with a minimize box and a close
  // box, and no menu bar or other parts.
  void Init(const CRect& rect, std::uint32_t style, std::size_t titleLen, const char* title);
  void Init(const CRect& rect, std::uint32_t style, std::string_view title) {
    Init(rect, style, title.size(), title.data());
  }
  void SetWinIcon(win::HANDLE icon16, win::HANDLE icon32);
  void SetTitle(std::size_t len, const char* title);
  void Minimize();
  void Maximize();
  void Restore();
  void MoveTo(int x, int y);
  // Queues a copy of the event (class and command, not stopped) for this
  // window; it is handled after the current handler returns.
  void MakeEvent(const TEvent* event);

  void CreatePeerWindow() override;  // makes the native window
  void DeletePeerWindow() override;
  void Done() override;                       // closes the window: DeletePeerWindow, children, then itself
  void ReceiveEvent(TEvent* event) override;  // CmdClose (class 0x1000) closes
  bool ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override;

  // User actions, as the backends and drivers report them.
  void UserClose();  // the close box: queues CmdClose
  void UserCommand(std::uint32_t eventClass, std::uint32_t command);

  // The keyboard focus (focus.cpp): the view that has it, or null while the
  // window itself holds it. A view takes the focus when it is an enabled
  // button or a list, shown, with its native part. When the focused view is
  // disabled, hidden or ended, the next such view in the view order (the tab
  // order) gets it, or the window when there is none. It is kept while the
  // window is inactive and given back on activation: to the view that had
  // it, else to the first view that takes it.
  CView* FocusedView() const { return focus_; }
  bool IsActive() const { return active_; }
  void SetFocusView(CView* view);          // a view of this window that takes the focus, or null for the window
  void MoveFocus(bool backward);           // Tab and Shift+Tab: the next or previous view that takes it
  std::vector<CView*> FocusOrder() const;  // every view of the window in the view order, nested ones after their parent
  // The focus leaves `leaving` (a view of this window, or one holding the
  // focused view), which is losing its ability to take it.
  void FocusLeaves(CView* leaving);

  // What the window shows.
  win::HWND GetHandle() const { return handle_; }
  int InteriorWidth() const { return rect_.width; }
  int InteriorHeight() const { return rect_.height; }
  bool IsMinimized() const { return minimized_; }
  bool IsMaximized() const { return maximized_; }
  const CRect& RestoreRect() const { return restoreRect_; }
  // The window's place when neither minimized nor maximized.
  const CRect& NormalRect() const { return (minimized_ || maximized_) ? restoreRect_ : rect_; }
  static constexpr int kMinimizedPosition = -32000;
  const std::string& Title() const { return title_; }  // Windows-1250
  win::HANDLE SmallIcon() const { return icon16_; }
  win::HANDLE LargeIcon() const { return icon32_; }
  bool IsOpen() const { return handle_ != nullptr; }
  bool IsClosed() const { return closed_; }

  // For backends: the native window moved, changed state or was painted.
  void PeerMoved(int x, int y);
  void PeerStateChanged(bool minimized, bool maximized);
  void SetPeerHandle(win::HWND handle) { handle_ = handle; }
  void PeerActivated(bool active);
  void PeerFocused(CView* view);  // the native focus moved there (a click, Tab); null: the window itself

 protected:
  void SyncPeer() override;

 private:
  void ParkRect();  // Rect() after a change of state
  friend class CBackground;
  void DestroyNativeWindow();
  CBackground* background_ = nullptr;  // owner once registered; it frees the window after it closed
  win::HWND handle_ = nullptr;
  std::string title_;
  bool minimized_ = false;
  bool maximized_ = false;
  bool closed_ = false;
  bool active_ = false;
  CView* focus_ = nullptr;  // not owned; cleared or handed on before the view leaves the window
  void SyncFocus();
  CRect restoreRect_;
  win::HANDLE icon16_ = nullptr;
  win::HANDLE icon32_ = nullptr;
};

class CBackground : public CNodeView {
 public:
  ~CBackground() override;
  void Init(bool initialise);
  void Register(CWindow* window);  // the windows of the application
  void Select();
  void Show();  // creates the native windows of the registered windows and shows them
  void Exec();  // runs the event loop until no registered window is open
  // Frees the ended windows, then the background itself (made with new) and
  // clears PBackground; windows still open become their own owners.
  void Done() override;
  const std::vector<CWindow*>& Windows() const { return windows_; }

 private:
  friend class CWindow;
  std::vector<CWindow*> windows_;
};

extern CBackground* PBackground;
