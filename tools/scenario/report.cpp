// `show`: the window as a person reads it; `dump`: everything the world can
// tell, also printed with every failure.
#include <ostream>

#include "platform/sim/world.h"
#include "tools/scenario/player.h"

namespace scenario {
namespace {

std::string DescribeButton(const ButtonSeen& button) {
  if (!button.present) return "absent";
  return Quote(button.caption) + (button.enabled ? " enabled" : " disabled");
}

std::string DescribeList(const ListSeen& list) {
  if (!list.present) return "absent";
  std::string out = list.shown == 0 ? "none" : std::to_string(list.shown);
  out += " of";
  for (const std::string& item : list.items) out += " " + Quote(item);
  return out + (list.open ? " (open)" : "");
}

const char* StateName(const Screen& screen) {
  return screen.minimized ? "minimized" : screen.maximized ? "maximized" : "normal";
}

}  // namespace

void Player::Show(std::ostream& out) {
  const std::vector<BoxSeen>& boxes = world.Boxes();
  for (; boxesShown < boxes.size(); ++boxesShown) {
    const BoxSeen& box = boxes[boxesShown];
    out << "+-- message box " << Quote(box.title) << " [" << box.icon << "]\n";
    for (const std::string& line : box.lines) out << "|   " << line << "\n";
    out << "+-- OK\n";
  }
  const Screen screen = world.See();
  if (!screen.open) {
    const std::optional<int> code = world.ExitCode();
    out << "== no window" << (code ? " (the program ended with " + std::to_string(*code) + ")" : "") << " ==\n\n";
    return;
  }
  out << "== " << screen.title << " ==  (" << StateName(screen);
  if (screen.placeKnown) out << " at " << screen.x << "," << screen.y;
  out << ")\n";
  if (!screen.pane.present) out << "  (no pane)\n";
  for (const std::string& line : screen.pane.lines) out << "  " << line << "\n";
  for (const auto& [name, list] : {std::pair{"count box", &screen.count}, std::pair{"wheel box", &screen.wheel}}) {
    if (!list->present) continue;
    out << "  " << name << ":";
    for (std::size_t i = 0; i < list->items.size(); ++i) {
      const bool shown = list->shown == static_cast<int>(i) + 1;
      out << (i == 0 ? " " : " | ") << (shown ? ">" : "") << list->items[i] << (shown ? "<" : "");
    }
    if (list->shown == 0) out << "  (nothing selected)";
    if (list->open) out << "  (open)";
    out << "\n";
  }
  out << " ";
  for (const ButtonSeen* button : {&screen.action, &screen.next})
    if (button->present) out << " [ " << button->caption << " ]" << (button->enabled ? "" : " (disabled)");
  out << "\n  focus: " << FocusName(screen.focus) << "\n\n";
}

void Player::Dump(std::ostream& out) {
  out << "--- state ---\n";
  const Screen screen = world.See();
  if (!screen.open) {
    const std::optional<int> code = world.ExitCode();
    out << "window: "
        << (code              ? "closed, exit " + std::to_string(*code)
            : world.Running() ? "closed"
                              : "not started")
        << "\n";
  } else {
    out << "window: open, title " << Quote(screen.title) << ", " << StateName(screen);
    if (screen.placeKnown) out << ", position " << screen.x << " " << screen.y;
    out << "\n";
    if (world.Can(kLooksInside)) {
      const Inside inside = world.LookInside();
      out << "step: " << inside.step << "\nlink: " << (inside.linkOpen ? "open" : "closed") << ", flags "
          << Hex(inside.flags, 3) << ", lasterror " << Quote(inside.lastError) << "\n";
    }
    if (screen.pane.present) {
      out << "pane:";
      for (std::size_t i = 0; i < kPaneFields; ++i)
        if (screen.pane.fields[i]) out << " " << kPaneFieldNames[i] << " " << Quote(*screen.pane.fields[i]);
      out << "\n";
    } else {
      out << "pane: absent\n";
    }
    out << "button action: " << DescribeButton(screen.action) << "\nbutton next: " << DescribeButton(screen.next)
        << "\ncountbox: " << DescribeList(screen.count) << "\nwheelbox: " << DescribeList(screen.wheel)
        << "\nfocus: " << FocusName(screen.focus) << "\n";
  }
  if (world.Can(kLooksInside)) {
    const Inside inside = world.LookInside();
    out << "handles: " << inside.handles << "\n";
    for (const std::string& handle : inside.handleNames) out << "  " << handle << "\n";
    out << "registrations: " << inside.registrations << "\n";
  }
  const std::vector<BoxSeen>& boxes = world.Boxes();
  out << "message boxes: " << boxes.size() << " shown, " << boxesChecked << " checked\n";
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const BoxSeen& box = boxes[i];
    out << "  " << (i < boxesChecked ? "checked " : "") << Quote(box.title) << " " << Quote(box.lines[0]) << " "
        << Quote(box.lines[1]) << " " << Quote(box.lines[2]) << " " << box.icon << "\n";
  }
  world.Describe(out);
  out << "cameras:\n";
  world.WithCameras([&] {
    for (const std::string& name : CameraNames()) {
      const camera_model::Camera* camera = world.FindCamera(name);
      if (camera == nullptr) continue;
      out << "  " << name << ": class " << camera->classIndex + 1 << ", power " << (camera->power ? "on" : "off")
          << ", faults:";
      std::string faults;
      for (const std::string& fault : camera->DescribeFaults()) faults += " " + fault;
      out << (faults.empty() ? " none" : faults) << "\n";
    }
  });
  out << "---\n";
}

Command ShowCommand(Parsing&, const Args& a) {
  a.Exactly(0);
  return Plays([](Player& p) { p.Show(p.out()); });
}

Command DumpCommand(Parsing&, const Args& a) {
  a.Exactly(0);
  return Plays([](Player& p) { p.Dump(p.out()); });
}

}  // namespace scenario
