// zeltfw.exe as a person meets it: started with a show command, seen through
// its windows (title, the pane's accessible text, buttons, drop-down lists,
// message boxes, place and state), and acted on with real input. Nothing is
// read from inside the program.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/scenario/keys.h"
#include "tools/scenario/wine/process.h"
#include "tools/scenario/wine/reader.h"
#include "tools/scenario/world.h"

namespace scenario::wine {

// The two lists of step 4, told apart by their number of items.
constexpr std::size_t kCountItems = 8;
constexpr std::size_t kWheelItems = 2;

// A push button or drop-down list of the main window, as shown now.
struct Control {
  HWND hwnd = nullptr;
  std::wstring text;  // a button's caption, the item a list shows
  bool enabled = false;
  RECT rect = {};  // in the window's interior
  Spoken spoken;   // what a screen reader reads of it
};

struct List : Control {
  std::vector<std::wstring> items;
  int shown = 0;  // the item the list shows, 1-based; 0: none
};

class Program {
 public:
  explicit Program(std::wstring exe);
  ~Program();  // a program still running is closed like a person would, then ended
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void Start(int showCommand);  // returns once its window is up and it waits for input
  bool Running();               // the process has not ended
  bool WindowOpen();
  // Waits up to milliseconds for the process to end; false while it runs.
  bool Exited(DWORD milliseconds, DWORD* exitCode);
  HWND Window() const { return window_; }

  // Returns once the program has handled the input given so far. (Device
  // messages come from Windows whenever it sends them: what the program
  // shows then is waited for by the checks.) Message boxes that open are
  // recorded in Boxes() and answered with OK, unless boxes are held.
  void Settle();
  void HoldBoxes(bool hold) { holdBoxes_ = hold; }
  HWND OpenBox();
  void AnswerBox();  // OK on the open box
  std::vector<BoxSeen>& Boxes() { return boxes_; }

  // What a person sees.
  std::wstring Title();
  // The pane's lines as a screen reader reads them (its accessible name);
  // empty: no pane.
  std::vector<std::wstring> PaneLines();
  // Where the pane lies in the window's interior; false: no pane.
  bool PanePlace(RECT& place);
  // The left or right of the two side by side: the left button has no room
  // for another of its width before it, whatever the window's state.
  bool Button(bool action, Control& button);
  bool ListOf(std::size_t items, List& list);  // the list with that many items
  bool Minimized();
  bool Maximized();
  POINT Position();  // outer top-left, while neither minimized nor maximized

  // What a person does. Each returns once the program handled it.
  void Click(const Control& control);
  void ChooseByMouse(const List& list, int item, bool cancel);
  void ChooseByKeyboard(const List& list, int item);
  // One key, to the window in front; returns once the program handled it.
  void Key(const scenario::KeyPress& press);
  // The window with the keyboard focus in the program, or null.
  HWND Focus();
  bool Enabled() { return WindowOpen() && IsWindowEnabled(window_) != FALSE; }
  void Close();  // Alt+F4
  void About();  // the system menu's last item
  void Command(UINT systemCommand);
  void Move(int x, int y);
  // The program's live object count of that kind, or -1; and the counts of
  // every kind once it had started.
  long LiveCount(int kind);
  const std::vector<long>& StartCounts() const { return startCounts_; }
  // The window's controls, now and once it had started (a step's views).
  std::size_t Controls();
  std::size_t StartControls() const { return startControls_; }

 private:
  void Foreground(HWND hwnd);
  void SyncInput(bool listOpening = false);
  void WaitForFirstPaint();
  void Record(HWND box);
  void PressKeysAndSettle(WORD key, int times, bool listOpen);
  void ArrowTo(const List& list, int item, bool open);
  bool HoldsTheMouse();  // an open list or menu

  std::wstring exe_;
  wine::Process process_;
  bool started_ = false;
  HWND window_ = nullptr;
  DWORD thread_ = 0;
  bool holdBoxes_ = false;
  std::vector<HWND> recorded_;  // boxes already in boxes_
  std::vector<BoxSeen> boxes_;
  std::vector<long> startCounts_;
  std::size_t startControls_ = 0;
};

}  // namespace scenario::wine
