// Shared by the view tests: a fresh toolkit on the headless backend, and a
// window and a view that write down when the toolkit calls them.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/view/headless/headless.h"
#include "lib/view/toolkit.h"

using CallLog = std::vector<std::string>;

class ViewTest : public ::testing::Test {
 protected:
  // Outlives TearDown, which frees the views that write to it.
  CallLog log;

  void SetUp() override {
    view::ResetToolkit();
    view::InitAllModules();
  }
  void TearDown() override {
    view::headless::SetIdleHandler(nullptr);
    view::ResetToolkit();
  }
};

// Overrides the five operations as the program does: creating ones call the
// base first, tearing-down ones last, handlers pass everything on.
class LoggingWindow : public CWindow {
 public:
  explicit LoggingWindow(CallLog* log) : log_(log) {}
  bool ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override {
    log_->push_back("ReceiveMsg " + std::to_string(message));
    return CWindow::ReceiveMsg(message, wParam, lParam, result);
  }
  void CreatePeerWindow() override {
    CWindow::CreatePeerWindow();
    log_->push_back(GetHandle() != nullptr ? "CreatePeerWindow with handle" : "CreatePeerWindow without handle");
  }
  void DeletePeerWindow() override {
    log_->push_back(GetHandle() != nullptr ? "DeletePeerWindow with handle" : "DeletePeerWindow without handle");
    CWindow::DeletePeerWindow();
  }
  void Done() override {
    log_->push_back("Done");
    CWindow::Done();
  }
  void ReceiveEvent(TEvent* event) override {
    log_->push_back("ReceiveEvent " + std::to_string(event->command));
    if (stopClose && event->command == CmdClose) StopEvent(event);
    CWindow::ReceiveEvent(event);
  }
  bool stopClose = false;

 private:
  CallLog* log_;
};

class LoggingView : public CView {
 public:
  LoggingView(CallLog* log, std::string name) : log_(log), name_(std::move(name)) {}
  ~LoggingView() override { log_->push_back("delete " + name_); }
  void Done() override {
    log_->push_back("Done " + name_);
    CView::Done();
  }

 private:
  CallLog* log_;
  std::string name_;
};

// A window at (100, 100), 272 by 188, registered with a new background and shown.
inline LoggingWindow* OpenWindow(CallLog* log) {
  PBackground = new CBackground;
  PBackground->Init(true);
  auto* window = new LoggingWindow(log);
  window->Init(CRect(100, 100, 272, 188), 0x80001213, 5, "Title");
  PBackground->Register(window);
  PBackground->Select();
  PBackground->Show();
  return window;
}
