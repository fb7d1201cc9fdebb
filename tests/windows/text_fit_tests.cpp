// Every text the program draws fits where it is drawn, in the fonts the
// native backend uses: the pane's lines and values at every step, the labels,
// the button captions and the list items.
#include <string>
#include <vector>

#include "config/blocks.h"
#include "config/wizard_texts.h"
#include "core/text.h"
#include "lib/view/win32/win32_backend.h"
#include "tests/windows/view_fixture.h"
#include "ui/camera_info_pane.h"

namespace wintest {
namespace {

namespace texts = config::texts;

// Measures what a view paints: each string's left and right edge in the font
// in effect when it is drawn.
class Measuring : public CDeviceContext {
 public:
  explicit Measuring(TFont* font) : font_(font) {}
  void ClearRect(int, int, int, int) override {}
  void SetLineColor(TColor) override {}
  void DrawLine(int, int, int, int) override {}
  void SelectFont(TFont* font) override { font_ = font; }
  void DrawString(int x, int y, std::size_t maxLen, const char* text) override {
    const std::size_t len = core::LengthA(maxLen, text);
    drawn.push_back({x, x + GetTextW(font_, len, text), y, std::string(text, len)});
  }
  struct Drawn {
    int left, right, y;
    std::string text;  // Windows-1250
  };
  std::vector<Drawn> drawn;

 private:
  TFont* font_;
};

void Set(char* field, std::size_t max, std::string_view text) { core::CopyA(max, field, text); }

// The pane as the wizard fills it; the widest of each kind of value.
void ExpectPaneFits(CCameraInfoPane& pane, const std::string& screen) {
  Measuring dc(pane.gContext->font);
  pane.PaintView(&dc);
  for (const auto& d : dc.drawn) {
    EXPECT_GE(d.left, 0) << screen << ": \"" << d.text << "\" starts left of the pane";
    EXPECT_LE(d.right, pane.Rect().width) << screen << ": \"" << d.text << "\" runs past the pane's edge";
  }
}

// The widths measured here are Windows' own only if the face the program
// asks for is Arial or one with Arial's widths (Liberation Sans, under Wine).
TEST_F(NativeWindow, TheProgramsFaceHasArialsWidths) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, view::win32::Win32Backend::Instance().Fonts().Dialog());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(screen, LF_FACESIZE, face);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  const std::wstring name = face;
  EXPECT_TRUE(name == L"Arial" || name == L"Liberation Sans") << "the text is measured in another face";
}

TEST_F(NativeWindow, EveryTextOfTheProgramFitsWhereItIsDrawn) {
  auto* info = new CCameraInfoPane;
  info->Init(CRect(8, 8, 256, 148));
  window->Register(info);
  info->Show();

  const std::string_view titles[] = {texts::kStep1.view(), texts::kStep2.view(), texts::kStep3.view(),
                                     texts::kStep4.view(), texts::kStep5.view()};
  const std::string_view lines[] = {texts::kConnectAndFind.view(), texts::kRemovePower.view(),
                                    texts::kReconnectAndFind.view(), texts::kChooseCount.view(),
                                    texts::kWritten.view()};
  for (int step = 0; step < 5; ++step) {
    Set(info->StepTitle, 63, titles[step]);
    Set(info->TextLine1, 63, lines[step]);
    Set(info->CameraTypeText, 31, "ZELT KAF 16803");  // 14 characters, the block's most
    Set(info->CameraIdText, 31, "4294967295");
    for (int item = 1; item <= 8; ++item) {
      core::CopyA(31, info->FilterCountText, config::FilterCountChoiceText(item));
      for (bool revision2 : {false, true}) {
        core::CopyA(31, info->FilterWheelText, config::WheelTypeText(revision2));
        ExpectPaneFits(*info, "step " + std::to_string(step + 1));
      }
    }
    Set(info->CameraTypeText, 31, texts::kNotConnected.view());
    ExpectPaneFits(*info, "step " + std::to_string(step + 1) + " without a camera");
  }
  Set(info->TextLine2, 63, texts::kToTakeEffect.view());
  Set(info->TextLine3, 63, texts::kPowerCycleAgain.view());
  ExpectPaneFits(*info, "step 5's message");

  // Captions inside their buttons, with the room a push button keeps at its edges.
  constexpr int kButtonMargins = 2 * 6;
  for (std::string_view caption :
       {texts::kFindCamera.view(), texts::kWriteFilters.view(), texts::kNext.view(), texts::kFinish.view()})
    EXPECT_LE(GetTextW(view::TextFont(), caption.size(), caption.data()) + kButtonMargins, next->Rect().width)
        << caption;
  // Items inside the closed list's field, beside its arrow.
  const int field = box->Rect().width - GetSystemMetrics(SM_CXVSCROLL) - 2 * 4;
  for (int item = 1; item <= 8; ++item) {
    const std::string_view text = config::FilterCountChoiceText(item);
    EXPECT_LE(GetTextW(view::TextFont(), text.size(), text.data()), field) << text;
  }
  for (bool revision2 : {false, true}) {
    const std::string_view text = config::WheelTypeText(revision2);
    EXPECT_LE(GetTextW(view::TextFont(), text.size(), text.data()), field) << text;
  }
}

}  // namespace
}  // namespace wintest
