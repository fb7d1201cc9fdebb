// The headless backend: no screen. It keeps what a person would see (the
// toolkit's state plus the last painting of every view) and lets a driver act
// as the user. Fonts have fixed metrics: every character of the text font is
// 6 pixels wide, of the caption font 7; buttons are 23 pixels high, combo
// boxes 21.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "lib/view/message_box.h"
#include "lib/view/view.h"

namespace view::headless {

// Called whenever the event loop has nothing left to do and waits for the
// user. Return false to end: the loop then closes the open windows as a
// person would (close box) and returns.
using IdleHandler = std::function<bool()>;
void SetIdleHandler(IdleHandler handler);

// Held, message boxes stay open: the idle handler runs while one is open, and
// AnswerBox closes it as OK would. False from AnswerBox when none is open.
void HoldBoxes(bool hold);
bool BoxOpen();
bool AnswerBox();

// Every message box shown since the toolkit was last reset, oldest first.
const std::vector<MessageBoxRecord>& MessageBoxLog();

// Queued messages that a window's ReceiveMsg left unhandled (its base window
// got them), oldest first, since the toolkit was last reset; lParam tells only
// whether a record came with the message.
struct UnhandledMessage {
  const CWindow* window;
  win::UINT message;
  win::WPARAM wParam;
  bool hasRecord;
};
const std::vector<UnhandledMessage>& UnhandledMessages();

// The calls of the view's last PaintView (see RecordingDeviceContext).
const std::vector<std::string>& LastPaint(const CView* view);

// Paints every view that asked for it; the loop does this before it waits.
void PaintPending();

}  // namespace view::headless
