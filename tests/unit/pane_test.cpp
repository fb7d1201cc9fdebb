// What the information pane paints, call by call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp1250.h"
#include "core/text.h"
#include "lib/view/headless/recording_dc.h"
#include "lib/view/loop.h"
#include "lib/view/modules.h"
#include "ui/camera_info_pane.h"

namespace {

class PaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view::ResetToolkit();
    view::InitAllModules();
  }
  void TearDown() override { view::ResetToolkit(); }

  static void Set(char (&field)[64], const char* utf8) { Put(field, 63, utf8); }
  static void SetValue(char (&field)[32], const char* utf8) { Put(field, 31, utf8); }
  static void Put(char* field, std::size_t max, const char* utf8) {
    std::string cp;
    core::Cp1250FromUtf8(utf8, cp);
    core::CopyA(max, field, cp.size(), cp.c_str());
  }

  std::vector<std::string> Paint(CCameraInfoPane& pane) {
    view::RecordingDeviceContext dc(pane.gContext->font);
    pane.PaintView(&dc);
    return dc.calls;
  }
};

TEST_F(PaneTest, LabelsEndAtX92InTheContextFont) {
  CCameraInfoPane* pane = new CCameraInfoPane;
  ASSERT_NE(pane->gContext, nullptr);
  const char* labels[4] = {"Typ kamery:", "ID kamery:", "Počet filtrů:", "Filtrové kolo:"};
  for (int row = 0; row < 4; ++row) {
    std::string cp;
    core::Cp1250FromUtf8(labels[row], cp);
    EXPECT_EQ(pane->LabelX[row] + GetTextW(pane->gContext->font, cp.size(), cp.c_str()), 92) << labels[row];
  }
  pane->Done();
}

TEST_F(PaneTest, FactsLayoutInOrder) {
  CCameraInfoPane* pane = new CCameraInfoPane;
  pane->Init(CRect(8, 8, 256, 148));
  Set(pane->StepTitle, "Krok 1:");
  Set(pane->TextLine1, "Připojte kameru a klikněte [Vyhledat kameru]");
  Set(pane->TextLine2, "not drawn in this layout");
  SetValue(pane->CameraTypeText, "Zelt KAF");
  SetValue(pane->CameraIdText, "4294967295");
  SetValue(pane->FilterCountText, "5 pozic");
  SetValue(pane->FilterWheelText, "EFW revize 2");
  auto label = [&](int row, const char* text, int y, int len) {
    return "DrawString " + std::to_string(pane->LabelX[row]) + " " + std::to_string(y) + " " + std::to_string(len) +
           " \"" + text + "\"";
  };
  std::vector<std::string> expected = {
      "ClearRect 0 0 256 148",
      // The separator under the title is etched: a dark grey line over a white one.
      "SetLineColor 0x00a0a0a0",
      "DrawLine 0 38 255 38",
      "SetLineColor 0x00ffffff",
      "DrawLine 0 39 255 39",
      "DrawString 0 20 63 \"Připojte kameru a klikněte [Vyhledat kameru]\"",
      label(0, "Typ kamery:", 46, 11),
      label(1, "ID kamery:", 70, 10),
      label(2, "Počet filtrů:", 94, 13),
      label(3, "Filtrové kolo:", 118, 14),
      "SelectFont " + CaptionFont->face,
      "DrawString 0 0 63 \"Krok 1:\"",
      "DrawString 100 46 31 \"Zelt KAF\"",
      "DrawString 100 70 31 \"4294967295\"",
      "DrawString 100 94 31 \"5 pozic\"",
      "DrawString 100 118 31 \"EFW revize 2\"",
  };
  EXPECT_EQ(Paint(*pane), expected);
  pane->Done();
}

TEST_F(PaneTest, MessageLayoutWhenLineThreeIsSet) {
  CCameraInfoPane* pane = new CCameraInfoPane;
  pane->Init(CRect(8, 8, 256, 148));
  Set(pane->StepTitle, "Krok 5:");
  Set(pane->TextLine1, "Konfigurace byla úspěšně zapsána.");
  Set(pane->TextLine3, "je nutné kameru opět odpojit od napájení.");
  SetValue(pane->CameraTypeText, "hidden");
  const std::vector<std::string> calls = Paint(*pane);
  ASSERT_EQ(calls.size(), 10u);
  EXPECT_EQ(calls[5], "DrawString 0 20 63 \"Konfigurace byla úspěšně zapsána.\"");
  EXPECT_EQ(calls[6], "SelectFont " + CaptionFont->face);
  EXPECT_EQ(calls[7], "DrawString 0 0 63 \"Krok 5:\"");
  EXPECT_EQ(calls[8], "DrawString 0 46 63 \"\"");  // empty second line: nothing visible at y 46
  EXPECT_EQ(calls[9], "DrawString 0 70 63 \"je nutné kameru opět odpojit od napájení.\"");
  pane->Done();
}

TEST_F(PaneTest, FullLengthFieldsAreDrawnWhole) {
  CCameraInfoPane* pane = new CCameraInfoPane;
  pane->Init(CRect(8, 8, 256, 148));
  const std::string line(63, 'L');
  const std::string value(31, 'V');
  Set(pane->StepTitle, line.c_str());
  Set(pane->TextLine1, line.c_str());
  SetValue(pane->CameraTypeText, value.c_str());
  const std::vector<std::string> calls = Paint(*pane);
  EXPECT_EQ(calls[5], "DrawString 0 20 63 \"" + line + "\"");
  EXPECT_EQ(calls[11], "DrawString 0 0 63 \"" + line + "\"");
  EXPECT_EQ(calls[12], "DrawString 100 46 31 \"" + value + "\"");
  pane->Done();
}

}  // namespace
