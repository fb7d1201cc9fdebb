// The FLTK backend against the toolkit, on a real X display (run by
// with_xvfb.sh): what each toolkit call puts on the screen and what the
// user's actions report back.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <vector>

#include "core/cp1250.h"
#include "lib/view/fltk/backend.h"
#include "lib/view/fltk/fltk.h"
#include "lib/view/fltk/pane_widget.h"
#include "lib/view/toolkit.h"

namespace {

constexpr auto kTitle = CP1250("Počet Filtrů v3.0");
constexpr auto kCaption = CP1250("Další ->");

// A window that keeps what reaches it.
class RecordingWindow : public CWindow {
 public:
  void ReceiveEvent(TEvent* event) override {
    if (event != nullptr) commands.push_back(event->command);
    CWindow::ReceiveEvent(event);
  }
  bool ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override {
    messages.push_back(message);
    return CWindow::ReceiveMsg(message, wParam, lParam, result);
  }
  std::vector<std::uint32_t> commands;
  std::vector<win::UINT> messages;
};

// What the message box showed; pressed OK on it. Polls until a box opens.
view::fltk::OpenMessageBox seen;
void PollBox(void*) {
  if (const view::fltk::OpenMessageBox* box = view::fltk::CurrentMessageBox()) {
    seen = *box;
    view::fltk::PressMessageBoxOk();
  } else {
    Fl::repeat_timeout(0.05, PollBox);
  }
}

class FltkBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view::ResetToolkit();
    view::InitAllModules();
    PBackground = new CBackground;
    PBackground->Init(true);
    window = new RecordingWindow;
    window->Init(CRect{100, 100, 272, 188}, 0x80001213u, kTitle.length, kTitle.data);
    PBackground->Register(window);
    PBackground->Select();
    PBackground->Show();
  }
  void TearDown() override {
    if (window->IsOpen()) window->Done();
    view::PumpPending();
    if (PBackground != nullptr) PBackground->Done();
    view::ResetToolkit();
    Fl::wait(0);  // lets FLTK delete what the toolkit handed back
  }
  Fl_Window* Native() {
    const auto windows = view::fltk::ToolkitWindows();
    return windows.empty() ? nullptr : windows.front();
  }
  template <class T>
  T* Native(CView* view) {
    return dynamic_cast<T*>(static_cast<view::fltk::ViewPeer*>(view->peer)->widget);
  }
  RecordingWindow* window = nullptr;
};

TEST_F(FltkBackendTest, TheWindowHasTheInteriorSizeAndTheTitleInUtf8) {
  Fl_Window* native = Native();
  ASSERT_NE(native, nullptr);
  EXPECT_EQ(native->w(), 272);
  EXPECT_EQ(native->h(), 188);
  EXPECT_STREQ(native->label(), "Počet Filtrů v3.0");
  constexpr auto title = CP1250("Zelt KAF");
  window->SetTitle(title.length, title.data);
  EXPECT_STREQ(native->label(), "Zelt KAF");
}

TEST_F(FltkBackendTest, ButtonsShowTheirStateAndAPressBecomesTheirCommand) {
  auto* button = new CButton;
  button->Init(CRect{8, 156, 124, 0}, 1003, kCaption.length, kCaption.data, 0);
  window->Register(button);
  button->Show();
  EXPECT_EQ(button->Rect().height, 25) << "height 0 asks for the standard height";
  auto* native = Native<Fl_Button>(button);
  ASSERT_NE(native, nullptr);
  EXPECT_STREQ(native->label(), "Další ->");
  EXPECT_EQ(native->x(), 8);
  EXPECT_EQ(native->y(), 156);
  button->Disable();
  EXPECT_FALSE(native->active());
  button->Enable();
  EXPECT_TRUE(native->active());
  native->do_callback();
  view::PumpPending();
  EXPECT_EQ(window->commands, std::vector<std::uint32_t>{1003});
}

TEST_F(FltkBackendTest, ComboBoxesMirrorTheSelectionBothWays) {
  auto* combo = new CComboBox;
  combo->Init(CRect{108, 101, 156, 0}, 0, false);
  window->RegisterFirst(combo);
  constexpr auto none = CP1250("Není instalováno");
  constexpr auto five = CP1250("5 pozic");
  combo->AddItem(none.length, none.data, 0);
  combo->AddItem(five.length, five.data, 0);
  combo->FinishItems();
  combo->Show();
  auto* native = Native<Fl_Choice>(combo);
  ASSERT_NE(native, nullptr);
  ASSERT_EQ(native->size() - 1, 2);
  EXPECT_STREQ(native->menu()[0].label(), "Není instalováno");
  EXPECT_EQ(native->value(), -1) << "no selection until one is made";
  combo->SetSelection(2);
  EXPECT_EQ(native->value(), 1);
  combo->SetSelection(0);
  EXPECT_EQ(native->value(), -1);
  native->value(0);  // the user picks the first item
  native->do_callback();
  EXPECT_EQ(combo->GetSelection(), 1);
}

TEST_F(FltkBackendTest, PaintedViewsLieUnderTheControlsThatOverlapThem) {
  auto* combo = new CComboBox;
  combo->Init(CRect{108, 101, 156, 0}, 0, false);
  window->RegisterFirst(combo);
  auto* pane = new CView;
  pane->Init(CRect{8, 8, 256, 148});
  window->Register(pane);
  combo->Show();
  pane->Show();
  Fl_Window* native = Native();
  auto* paneWidget = Native<view::fltk::PaneWidget>(pane);
  ASSERT_NE(paneWidget, nullptr);
  EXPECT_LT(native->find(paneWidget), native->find(Native<Fl_Choice>(combo))) << "drawn first, so beneath";
}

TEST_F(FltkBackendTest, TextIsMeasuredInItsFontUpToTheMaximum) {
  constexpr auto label = CP1250("Počet filtrů:");
  const int text = GetTextW(view::TextFont(), label.length, label.data);
  const int caption = GetTextW(CaptionFont, label.length, label.data);
  EXPECT_GT(text, 30);
  EXPECT_LT(text, 92) << "the pane's labels end at x 92";
  EXPECT_GT(caption, text) << "the caption font is bold";
  EXPECT_EQ(GetTextW(view::TextFont(), 3, "abcdef"), GetTextW(view::TextFont(), 3, "abc"));
  EXPECT_EQ(GetTextW(view::TextFont(), 0, "abc"), 0);
}

TEST_F(FltkBackendTest, MessageBoxesAreModalAndShowTheirTextsInUtf8) {
  constexpr auto title = CP1250("Chyba");
  constexpr auto line1 = CP1250("Nelze zapsat EEPROM");
  constexpr auto line2 = CP1250("Kontaktujte technickou podporu");
  seen = view::fltk::OpenMessageBox{};
  Fl::add_timeout(0.05, PollBox);
  DoMessageBox(window, 2, CRect{}, 1, 1, 4, title.length, title.data, line1.length, line1.data, line2.length,
               line2.data, 0, "", piStop);
  EXPECT_EQ(seen.title, "Chyba");
  EXPECT_EQ(seen.lines[0], "Nelze zapsat EEPROM");
  EXPECT_EQ(seen.lines[1], "Kontaktujte technickou podporu");
  EXPECT_EQ(seen.lines[2], "");
  EXPECT_EQ(seen.icon, IconKind::Stop);
  EXPECT_EQ(view::fltk::CurrentMessageBox(), nullptr);
}

TEST_F(FltkBackendTest, TheLoopDeliversPostedMessagesAndEndsWithTheWindow) {
  static RecordingWindow* target = nullptr;
  target = window;
  Fl::add_timeout(0.05, [](void*) {
    view::PostNativeMessage(target->GetHandle(), 0x0219, 0x8000, {});
    Fl::add_timeout(0.05, [](void*) {
      Fl_Window* native = view::fltk::ToolkitWindows().front();
      native->do_callback();  // the close box
    });
  });
  PBackground->Exec();  // returns once the window closed
  EXPECT_EQ(window->messages, std::vector<win::UINT>{0x0219});
  EXPECT_TRUE(window->IsClosed());
  EXPECT_TRUE(view::fltk::ToolkitWindows().empty());
}

TEST_F(FltkBackendTest, AMoveByTheUserReachesTheToolkitWindow) {
  Fl_Window* native = Native();
  native->position(300, 200);
  EXPECT_EQ(window->Rect().x, 300);
  EXPECT_EQ(window->Rect().y, 200);
}

}  // namespace
