#include "lib/view/headless/headless.h"
#include "tests/unit/view_fixture_test.h"

namespace {

using ControlsTest = ViewTest;

// Records the commands that reach the window.
class CommandWindow : public CWindow {
 public:
  std::vector<TEvent> received;
  void ReceiveEvent(TEvent* event) override {
    received.push_back(*event);
    CWindow::ReceiveEvent(event);
  }
};

TEST_F(ControlsTest, HeightZeroGivesTheStandardHeightOfTheKind) {
  auto* button = new CButton;
  button->Init(CRect(8, 156, 124, 0), 1002, 15, "Vyhledat kameru", 0);
  EXPECT_EQ(button->Rect(), CRect(8, 156, 124, 23));
  auto* box = new CComboBox;
  box->Init(CRect(108, 101, 156, 0), 0, false);
  EXPECT_EQ(box->Rect().height, 21);
  auto* pane = new CView;
  pane->Init(CRect(8, 8, 256, 0));
  EXPECT_EQ(pane->Rect().height, 0);
  button->Init(CRect(8, 156, 124, 30), 1002, 3, "abc", 0);
  EXPECT_EQ(button->Rect().height, 30);
}

TEST_F(ControlsTest, PressQueuesTheCommandOnlyWhenShownAndEnabled) {
  auto* window = new CommandWindow;
  window->CreatePeerWindow();
  auto* button = new CButton;
  button->Init(CRect(8, 156, 124, 0), 1003, 8, "Dal\x9a\xed ->", 0);
  window->Register(button);

  button->Press();  // not shown yet
  button->Show();
  button->Disable();
  button->Press();
  view::PumpPending();
  EXPECT_TRUE(window->received.empty());

  button->Enable();
  button->Press();
  EXPECT_TRUE(window->received.empty());  // queued
  view::PumpPending();
  ASSERT_EQ(window->received.size(), 1u);
  EXPECT_EQ(window->received[0].eventClass, view::kCommandClass);
  EXPECT_EQ(window->received[0].command, 1003u);

  button->Done();
  button->Press();  // ended in the same handler that still holds it
  view::PumpPending();
  EXPECT_EQ(window->received.size(), 1u);
}

TEST_F(ControlsTest, InitAgainChangesCommandAndCaption) {
  auto* window = new CommandWindow;
  window->CreatePeerWindow();
  auto* button = new CButton;
  button->Init(CRect(8, 156, 124, 0), 1002, 15, "Vyhledat kameru", 0);
  window->Register(button);
  button->Show();
  button->Disable();
  button->Init(button->Rect(), 1003, 100, "Dokon\xe8it", 0);
  EXPECT_EQ(button->Caption(), "Dokon\xe8it");
  EXPECT_EQ(button->Command(), 1003u);
  EXPECT_FALSE(button->IsEnabled());  // Init does not touch the enabled state
  EXPECT_TRUE(button->needsPaint);
}

TEST_F(ControlsTest, ComboItemsAreNumberedFromOne) {
  auto* box = new CComboBox;
  box->Init(CRect(108, 125, 156, 0), 0, false);
  box->AddItem(17, "IFW, EFW revize 1", 0);
  box->AddItem(50, "EFW revize 2\0tail", 0);
  box->FinishItems();
  EXPECT_EQ(box->Items(), (std::vector<std::string>{"IFW, EFW revize 1", "EFW revize 2"}));
  EXPECT_EQ(box->GetSelection(), 0);
  box->SetSelection(2);
  EXPECT_EQ(box->GetSelection(), 2);
  box->SetSelection(3);
  EXPECT_EQ(box->GetSelection(), 0);
  box->UserSelect(1);
  EXPECT_EQ(box->GetSelection(), 1);
  box->UserSelect(-1);
  EXPECT_EQ(box->GetSelection(), 0);
}

TEST_F(ControlsTest, SortedComboKeepsByteOrder) {
  auto* box = new CComboBox;
  box->Init(CRect(0, 0, 100, 0), 0, true);
  box->AddItem(1, "b", 0);
  box->AddItem(1, "a", 0);
  box->AddItem(1, "c", 0);
  EXPECT_EQ(box->Items(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(ControlsTest, MessageBoxesAreLoggedCutAtLengthsAndNuls) {
  const int result = DoMessageBox(nullptr, 2, CRect(), 1, 1, 4, 5, "Chyba\0x", 10, "Nelze zapsat EEPROM", 100,
                                  "Kontaktujte\0 podporu", 0, "ignored", piStop);
  EXPECT_EQ(result, 1);
  ASSERT_EQ(view::headless::MessageBoxLog().size(), 1u);
  const view::MessageBoxRecord& box = view::headless::MessageBoxLog()[0];
  EXPECT_EQ(box.title, "Chyba");
  EXPECT_EQ(box.lines[0], "Nelze zaps");
  EXPECT_EQ(box.lines[1], "Kontaktujte");
  EXPECT_EQ(box.lines[2], "");
  EXPECT_EQ(box.icon, piStop);
  EXPECT_EQ(piStop->kind, IconKind::Stop);
  EXPECT_EQ(piInfo32->kind, IconKind::Information);
}

}  // namespace
