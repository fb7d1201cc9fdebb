// Windows-1250 texts on FLTK widgets, checked against FLTK's own parsing.
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <gtest/gtest.h>

#include "lib/view/fltk/fonts.h"
#include "lib/view/fltk/text.h"

namespace view::fltk {
namespace {

TEST(FltkText, Cp1250IsShownAsUtf8UpToTheNulOrTheMaximum) {
  EXPECT_EQ(Utf8Of(63,
                   "Po\xE8"
                   "et filtr\xF9:"),
            "Počet filtrů:");
  EXPECT_EQ(Utf8Of(3, "Krok 1:"), "Kro");
  EXPECT_EQ(Utf8Of(63, "ab\0cd"), "ab");
  EXPECT_EQ(Utf8Of(0, "x"), "");
  EXPECT_EQ(Utf8Of(5, nullptr), "");
}

TEST(FltkText, MenuItemsKeepEveryCharacter) {
  Fl_Group::current(nullptr);
  Fl_Choice choice(0, 0, 100, 20);
  const std::string items[] = {"IFW, EFW revize 1", "a/b", "back\\slash", "_under", "R&D", "@home", "Není instalováno"};
  for (const std::string& item : items) choice.add(MenuItemText(item).c_str());
  ASSERT_EQ(choice.size() - 1, 7) << "one menu item per text, no submenus or dividers";
  // Labels as FLTK draws them: '&' and a leading '@' doubled stand for themselves.
  const std::string drawn[] = {"IFW, EFW revize 1", "a/b", "back\\slash", "_under", "R&&D", "@@home",
                               "Není instalováno"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(choice.menu()[i].label(), drawn[i]) << i;
}

TEST(FltkText, LabelsDoubleOnlyWhatFltkReads) {
  EXPECT_EQ(LabelText("Další ->"), "Další ->");
  EXPECT_EQ(LabelText("R&D"), "R&&D");
  EXPECT_EQ(LabelText("@x a@b"), "@@x a@b");
}

TEST(FltkFonts, CaptionFontIsBoldAndSizesFollowTheCell) {
  TFont text;
  text.pixelHeight = 13;
  TFont bold = text;
  bold.bold = true;
  EXPECT_EQ(FontFace(&text), FL_HELVETICA);
  EXPECT_EQ(FontFace(&bold), FL_HELVETICA_BOLD);
  EXPECT_EQ(FontSize(&text), 11);
  TFont tiny;
  tiny.pixelHeight = 2;
  EXPECT_EQ(FontSize(&tiny), 8);
  EXPECT_EQ(FontSize(nullptr), 12);
}

}  // namespace
}  // namespace view::fltk
