// The script's checks: what the screen shows, and the world afterwards.
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Window.H>

#include "lib/view/fltk/fltk.h"
#include "lib/view/window.h"
#include "tools/desktop/program_screen.h"
#include "tools/desktop/script_runner.h"
#include "tools/scenario/cameras.h"

namespace desktop {

void ScriptRunner::CmdExpect(const Args& a) {
  a.Between(1, SIZE_MAX);
  static const std::vector<std::string> kChecks = {"title", "button", "selected", "box",        "nobox",    "window",
                                                   "diff",  "memory", "changed",  "permission", "position", "state"};
  const std::size_t what = a.Choice(0, kChecks);
  const bool checking = phase_ == Phase::Checking;
  const bool running = phase_ == Phase::Running;
  const scenario::CameraLookup camera = [this, checking](const std::string& name) {
    sim::Camera& found = CameraFor(name);
    return checking ? nullptr : &found;
  };
  switch (what) {
    case 0: {  // title TEXT
      a.Exactly(2);
      if (checking) return;
      NeedWindow("check its title");
      if (ProgramTitle() != a.Text(1))
        throw ExpectFailure{"title " + scenario::Quote(a.Text(1)), scenario::Quote(ProgramTitle())};
      break;
    }
    case 1: {  // button CAPTION enabled|disabled|absent
      a.Exactly(3);
      const std::size_t state = a.Choice(2, {"enabled", "disabled", "absent"});
      if (checking) return;
      NeedWindow("check a button");
      const Fl_Button* button = FindButton(a.Text(1));
      const std::size_t seen = button == nullptr ? 2 : (button->active() ? 0 : 1);
      static const char* const kStates[] = {"enabled", "disabled", "absent"};
      if (seen != state)
        throw ExpectFailure{"button " + scenario::Quote(a.Text(1)) + " " + kStates[state], kStates[seen]};
      break;
    }
    case 2: {  // selected ITEM
      a.Exactly(2);
      if (checking) return;
      NeedWindow("check a box");
      int index = -1;
      const Fl_Choice* choice = FindChoiceWithItem(a.Text(1), index);
      if (choice == nullptr) throw ExpectFailure{"a box with the item " + scenario::Quote(a.Text(1)), "none"};
      if (choice->value() != index)
        throw ExpectFailure{scenario::Quote(a.Text(1)) + " selected", scenario::Quote(SelectedText(choice))};
      break;
    }
    case 3: {  // box TITLE LINE1 LINE2 LINE3 ICON
      a.Exactly(6);
      a.Choice(5, {"info", "stop", "about"});
      if (checking) return;
      const view::fltk::OpenMessageBox* box = running ? view::fltk::CurrentMessageBox() : nullptr;
      if (box == nullptr) throw ExpectFailure{"a message box", "none"};
      const std::string want = scenario::Quote(a.Text(1)) + " " + scenario::Quote(a.Text(2)) + " " +
                               scenario::Quote(a.Text(3)) + " " + scenario::Quote(a.Text(4)) + " " + a.Text(5);
      const std::string got = scenario::Quote(box->title) + " " + scenario::Quote(box->lines[0]) + " " +
                              scenario::Quote(box->lines[1]) + " " + scenario::Quote(box->lines[2]) + " " +
                              IconName(box->icon);
      if (want != got) throw ExpectFailure{"box " + want, got};
      break;
    }
    case 4: {  // nobox
      a.Exactly(1);
      if (checking) return;
      if (running && view::fltk::CurrentMessageBox() != nullptr)
        throw ExpectFailure{"no message box", scenario::Quote(view::fltk::CurrentMessageBox()->lines[0])};
      break;
    }
    case 5: {  // window open|closed
      a.Exactly(2);
      const bool open = a.Choice(1, {"open", "closed"}) == 0;
      if (checking) return;
      const bool seen = running && ProgramWindow() != nullptr;
      if (seen != open) throw ExpectFailure{open ? "the window open" : "the window closed", seen ? "open" : "closed"};
      break;
    }
    case 6:  // diff NAME none|ADDR:HH...
      scenario::ExpectDiff(a.Rest(1), camera);
      break;
    case 7:  // memory NAME ADDR HEX...
      scenario::ExpectMemory(a.Rest(1), camera);
      break;
    case 8: {  // changed NAME none|ADDR... : the bytes the panel's last reading marked
      a.Between(3, SIZE_MAX);
      std::vector<std::size_t> want;
      if (!(a.Count() == 3 && a.Text(2) == "none"))
        for (std::size_t i = 2; i < a.Count(); ++i)
          want.push_back(static_cast<std::size_t>(a.Number(i, 0, sim::kCameraMemorySize - 1, "address")));
      CameraFor(a.Text(1));
      if (checking) return;
      const BlockReading* reading = panel_.LastReading();
      if (reading == nullptr || panel_.LastReadingOf() != a.Text(1))
        throw ExpectFailure{"a reading of " + a.Text(1) + " in the panel", "none"};
      std::vector<std::size_t> got;
      for (std::size_t i = 0; i < reading->changed.size(); ++i)
        if (reading->changed[i]) got.push_back(reading->address + i);
      if (got != want) {
        auto text = [](const std::vector<std::size_t>& list) {
          std::string out;
          for (std::size_t address : list) out += (out.empty() ? "" : " ") + scenario::Hex(address, 2);
          return out.empty() ? std::string("none") : out;
        };
        throw ExpectFailure{"changed " + text(want), text(got)};
      }
      break;
    }
    case 9: {  // permission NAME present|absent
      a.Exactly(3);
      const bool present = a.Choice(2, {"present", "absent"}) == 0;
      CameraFor(a.Text(1));
      if (checking) return;
      const PermissionState state = panel_.Model().Permission(a.Text(1));
      const bool seen = state.kind == PermissionState::Kind::Present;
      if (seen != present)
        throw ExpectFailure{std::string("permission ") + (present ? "present" : "absent"), Describe(state)};
      break;
    }
    case 10: {  // position X Y: the window's client area on the screen
      a.Exactly(3);
      const int x = static_cast<int>(a.Number(1, -10000, 10000, "x"));
      const int y = static_cast<int>(a.Number(2, -10000, 10000, "y"));
      if (checking) return;
      NeedWindow("check its position");
      const Fl_Window* window = ProgramWindow();
      if (window->x() != x || window->y() != y)
        throw ExpectFailure{"position " + std::to_string(x) + " " + std::to_string(y),
                            std::to_string(window->x()) + " " + std::to_string(window->y())};
      break;
    }
    case 11: {  // state normal|minimized: as the toolkit window knows it
      a.Exactly(2);
      const bool minimized = a.Choice(1, {"normal", "minimized"}) == 1;
      if (checking) return;
      NeedWindow("check its state");
      const CWindow* window =
          PBackground != nullptr && !PBackground->Windows().empty() ? PBackground->Windows()[0] : nullptr;
      if (window == nullptr || window->IsMinimized() != minimized)
        throw ExpectFailure{std::string("state ") + (minimized ? "minimized" : "normal"),
                            window == nullptr ? "no window" : (window->IsMinimized() ? "minimized" : "normal")};
      break;
    }
  }
  if (!checking) ++held_;
}

}  // namespace desktop
