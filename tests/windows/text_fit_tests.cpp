// Every text the program draws fits where it is drawn, in the fonts the
// native backend uses: the pane's lines and values at every step, the labels,
// the button captions and the list items.
#include <string>
#include <vector>

#include "config/blocks.h"
#include "config/wizard_texts.h"
#include "core/text.h"
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

// A text of the program with its length.
struct Piece {
  const char* data;
  std::size_t length;
};
template <std::size_t N>
Piece P(const core::Text<N>& text) {
  return Piece{text.data, text.length};
}

void Set(char* field, std::size_t max, Piece text) { core::CopyA(max, field, text.length, text.data); }
void Set(char* field, std::size_t max, const char* text) { core::CopyA(max, field, max, text); }

// The pane as the wizard fills it; the widest of each kind of value.
void ExpectPaneFits(CCameraInfoPane& pane, const std::string& screen) {
  Measuring dc(pane.gContext->font);
  pane.PaintView(&dc);
  for (const auto& d : dc.drawn) {
    EXPECT_GE(d.left, 0) << screen << ": \"" << d.text << "\" starts left of the pane";
    EXPECT_LE(d.right, pane.Rect().width) << screen << ": \"" << d.text << "\" runs past the pane's edge";
  }
}

TEST_F(NativeWindow, EveryTextOfTheProgramFitsWhereItIsDrawn) {
  auto* info = new CCameraInfoPane;
  info->Init(CRect(8, 8, 256, 148));
  window->Register(info);
  info->Show();

  const Piece titles[] = {P(texts::kStep1), P(texts::kStep2), P(texts::kStep3), P(texts::kStep4), P(texts::kStep5)};
  const Piece lines[] = {P(texts::kConnectAndFind), P(texts::kRemovePower), P(texts::kReconnectAndFind),
                         P(texts::kChooseCount), P(texts::kWritten)};
  for (int step = 0; step < 5; ++step) {
    Set(info->StepTitle, 63, titles[step]);
    Set(info->TextLine1, 63, lines[step]);
    Set(info->CameraTypeText, 31, "ZELT KAF 16803");  // 14 characters, the block's most
    Set(info->CameraIdText, 31, "4294967295");
    for (int item = 1; item <= 8; ++item) {
      std::size_t length = 0;
      const char* count = config::FilterCountChoiceText(item, &length);
      core::CopyA(31, info->FilterCountText, length, count);
      for (bool revision2 : {false, true}) {
        const char* wheel = config::WheelTypeText(revision2, &length);
        core::CopyA(31, info->FilterWheelText, length, wheel);
        ExpectPaneFits(*info, "step " + std::to_string(step + 1));
      }
    }
    Set(info->CameraTypeText, 31, P(texts::kNotConnected));
    ExpectPaneFits(*info, "step " + std::to_string(step + 1) + " without a camera");
  }
  Set(info->TextLine2, 63, P(texts::kToTakeEffect));
  Set(info->TextLine3, 63, P(texts::kPowerCycleAgain));
  ExpectPaneFits(*info, "step 5's message");

  // Captions inside their buttons, with the room a push button keeps at its edges.
  constexpr int kButtonMargins = 2 * 6;
  for (const Piece& caption : {P(texts::kFindCamera), P(texts::kWriteFilters), P(texts::kNext), P(texts::kFinish)})
    EXPECT_LE(GetTextW(view::TextFont(), caption.length, caption.data) + kButtonMargins, next->Rect().width)
        << caption.data;
  // Items inside the closed list's field, beside its arrow.
  const int field = box->Rect().width - GetSystemMetrics(SM_CXVSCROLL) - 2 * 4;
  for (int item = 1; item <= 8; ++item) {
    std::size_t length = 0;
    const char* text = config::FilterCountChoiceText(item, &length);
    EXPECT_LE(GetTextW(view::TextFont(), length, text), field) << text;
  }
  for (bool revision2 : {false, true}) {
    std::size_t length = 0;
    const char* text = config::WheelTypeText(revision2, &length);
    EXPECT_LE(GetTextW(view::TextFont(), length, text), field) << text;
  }
}

}  // namespace
}  // namespace wintest
