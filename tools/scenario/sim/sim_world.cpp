#include "tools/scenario/sim/sim_world.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "app/about.h"
#include "app/ravik_config.h"
#include "lib/view/headless/headless.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/simtools/program_version.h"
#include "ui/camera_info_pane.h"

namespace scenario {
namespace {

constexpr int kCharWidth = 6;  // the headless text font; good enough to line texts up

std::string IconName(const TIcon* icon) {
  if (icon == nullptr) return "none";
  if (icon == piInfo32 || icon->kind == IconKind::Information) return "info";
  if (icon == piStop || icon->kind == IconKind::Stop) return "stop";
  if (icon == AboutIcon) return "about";
  return "resource#" + std::to_string(icon->resourceNumber);
}

// The pane's last painting as lines of text: strings at their row and
// column, horizontal lines as dashes.
std::vector<std::string> RenderPaint(const std::vector<std::string>& calls) {
  std::map<int, std::string> rows;
  auto put = [&rows](int x, int y, const std::string& text) {
    std::string& row = rows[y];
    const std::size_t column = static_cast<std::size_t>(std::max(0, x) / kCharWidth);
    std::size_t width = 0;  // in characters, not bytes: texts are UTF-8
    for (char c : row) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (width < column)
      row.append(column - width, ' ');
    else if (!row.empty())
      row += ' ';
    row += text;
  };
  for (const std::string& call : calls) {
    std::istringstream in(call);
    std::string op;
    int x = 0, y = 0;
    in >> op >> x >> y;
    if (op == "DrawString") {
      const std::size_t open = call.find('"'), close = call.rfind('"');
      if (open != std::string::npos && close > open) put(x, y, call.substr(open + 1, close - open - 1));
    } else if (op == "DrawLine") {
      int x2 = 0, y2 = 0;
      in >> x2 >> y2;
      if (y2 == y && rows.count(y - 1) == 0)  // an etched line is two lines: show one
        put(std::min(x, x2), y, std::string(static_cast<std::size_t>(std::abs(x2 - x) + 1) / kCharWidth, '-'));
    }
  }
  std::vector<std::string> lines;
  for (auto& [y, row] : rows) {
    row.erase(row.find_last_not_of(' ') + 1);
    lines.push_back(row);
  }
  return lines;
}

}  // namespace

SimWorld::SimWorld() {
  sim::World::Get().Reset();
  const sim::VersionResourceSpec version = simtools::ProgramVersionResource();
  ModuleVersionChanged(&version);
  view::ResetToolkit();
  view::headless::HoldBoxes(false);
  sim::World::Get().SetMessageSink(
      [](win::HWND window, win::UINT message, win::WPARAM wParam, std::vector<std::uint8_t> header) {
        view::PostNativeMessage(window, message, wParam, std::move(header));
      });
}

SimWorld::~SimWorld() {
  // Nothing of this script may reach the next one.
  view::headless::SetIdleHandler(nullptr);
  sim::World::Get().SetMessageSink(nullptr);
}

void SimWorld::Start(int showCommand) {
  if (started_) {
    // A second run in the same world: the toolkit begins afresh, the boxes seen so far stay.
    SyncBoxes();
    view::ResetToolkit();
    logSeen_ = 0;
    baseSeen_ = 0;
  }
  started_ = true;
  view::headless::SetIdleHandler([this] {
    SyncBoxes();
    FirstWait();
    return PlayNext();
  });
  view::headless::SetStartupShowCommand(showCommand);
  RunProgram(showCommand);
  SyncBoxes();
  view::headless::SetIdleHandler(nullptr);
}

CRavikConfig& SimWorld::Open() {
  CRavikConfig* window = Window();
  if (window == nullptr) throw ExpectFailure{"window open", "closed"};
  return *window;
}

// A click takes the window to the front and gives the control the focus.
void SimWorld::Click(Role role) {
  CRavikConfig& window = Open();
  CButton* button = ButtonOf(role);
  view::headless::CloseMenus();
  view::headless::Activate(&window);
  window.SetFocusView(button);
  button->Press();
}

// However a person chooses, the item chosen is the one the list shows: each
// arrow in an open list chooses, and Esc only closes it.
void SimWorld::Choose(ListRole list, int item, ChooseWay) {
  CRavikConfig& window = Open();
  CComboBox* box = ListOf(list);
  view::headless::CloseMenus();
  view::headless::Activate(&window);
  window.SetFocusView(box);
  box->UserSelect(item);
}

void SimWorld::Command(WindowCommand command) {
  CRavikConfig& window = Open();
  if (command != WindowCommand::About) view::headless::CloseMenus();
  switch (command) {
    case WindowCommand::Close:
      return window.UserClose();
    case WindowCommand::About:
      return window.UserCommand(view::kCommandClass, ::CmdAbout);
    case WindowCommand::Minimize:
      return window.Minimize();
    case WindowCommand::Maximize:
      return window.Maximize();
    case WindowCommand::Restore:
      return window.Restore();
  }
}

void SimWorld::Key(const KeyPress& press) {
  static_assert(static_cast<int>(view::headless::Key::F4) == static_cast<int>(KeyName::F4),
                "the same keys in the same order in both lists");
  view::headless::PressKey({static_cast<view::headless::Key>(press.key), press.shift, press.alt});
}

void SimWorld::HoldBoxes(bool hold) { view::headless::HoldBoxes(hold); }
bool SimWorld::BoxOpen() { return view::headless::BoxOpen(); }
void SimWorld::AnswerBox() { view::headless::AnswerBox(); }

void SimWorld::SyncBoxes() {
  const auto& log = view::headless::MessageBoxLog();
  for (; logSeen_ < log.size(); ++logSeen_) {
    const view::MessageBoxRecord& record = log[logSeen_];
    boxes_.push_back(BoxSeen{Utf8(record.title),
                             {Utf8(record.lines[0]), Utf8(record.lines[1]), Utf8(record.lines[2])},
                             IconName(record.icon)});
  }
}

const std::vector<BoxSeen>& SimWorld::Boxes() {
  SyncBoxes();
  return boxes_;
}

std::vector<std::pair<std::uintptr_t, bool>> SimWorld::BaseMessages() {
  std::vector<std::pair<std::uintptr_t, bool>> seen;
  CRavikConfig* window = Window();
  const auto& log = view::headless::UnhandledMessages();
  for (std::size_t i = baseSeen_; i < log.size(); ++i)
    if (log[i].window == window && log[i].message == WM_DEVICECHANGE)
      seen.emplace_back(log[i].wParam, log[i].hasRecord);
  baseSeen_ = log.size();
  return seen;
}

std::vector<std::string> SimWorld::PaneLines(CCameraInfoPane& pane) {
  return RenderPaint(view::headless::LastPaint(&pane));
}

bool SimWorld::ListOpen(CComboBox* list) { return view::headless::ListOpen(list); }

}  // namespace scenario
