// What a person sees (`show`), everything the console knows (`dump`), and the
// message boxes copied from the toolkit's log.
#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>

#include "app/about.h"
#include "app/ravik_config.h"
#include "lib/view/headless/headless.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/common/camera_image.h"
#include "tools/scenario/cameras.h"
#include "tools/sim-console/program_view.h"
#include "tools/sim-console/session.h"
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

template <std::size_t N>
std::string Field(const char (&field)[N]) {
  return QuoteCp1250(std::string(field, strnlen(field, N)));
}

// The pane's last painting as lines of text: strings at their row and column,
// horizontal lines as dashes.
std::vector<std::string> RenderPaint(const std::vector<std::string>& calls) {
  std::map<int, std::string> rows;
  auto put = [&rows](int x, int y, const std::string& text) {
    std::string& row = rows[y];
    std::size_t column = static_cast<std::size_t>(std::max(0, x) / kCharWidth);
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
      std::size_t open = call.find('"'), close = call.rfind('"');
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

std::string DescribeButton(CButton* button) {
  if (button == nullptr) return "absent";
  return QuoteCp1250(button->Caption()) + (button->IsEnabled() ? " enabled" : " disabled");
}

std::string DescribeComboBox(CComboBox* box) {
  if (box == nullptr) return "absent";
  std::string out = box->GetSelection() == 0 ? "none" : std::to_string(box->GetSelection());
  out += " of";
  for (const std::string& item : box->Items()) out += " " + QuoteCp1250(item);
  return out;
}

}  // namespace

void Session::SyncBoxes() {
  const auto& log = view::headless::MessageBoxLog();
  for (; logSeen_ < log.size(); ++logSeen_) {
    const view::MessageBoxRecord& record = log[logSeen_];
    boxes_.push_back(BoxSeen{record.title, {record.lines[0], record.lines[1], record.lines[2]}, IconName(record.icon)});
  }
}

void Session::CmdShow(const Args& a) {
  a.Exactly(0);
  if (checking_) return;
  SyncBoxes();
  Show(std::cout);
}

void Session::CmdDump(const Args& a) {
  a.Exactly(0);
  if (checking_) return;
  SyncBoxes();
  Dump(std::cout);
}

void Session::Show(std::ostream& out) {
  for (; boxesShown_ < boxes_.size(); ++boxesShown_) {
    const BoxSeen& box = boxes_[boxesShown_];
    out << "+-- message box " << QuoteCp1250(box.title) << " [" << box.icon << "]\n";
    for (const std::string& line : box.lines) out << "|   " << Utf8(line) << "\n";
    out << "+-- OK\n";
  }
  CRavikConfig* window = running_ ? OpenMainWindow() : nullptr;
  if (window == nullptr) {
    out << "== no window" << (ended_ ? " (the program ended with " + std::to_string(exitCode_) + ")" : "") << " ==\n\n";
    return;
  }
  const char* state = window->IsMinimized() ? "minimized" : window->IsMaximized() ? "maximized" : "normal";
  const CRect& rect = window->IsMinimized() || window->IsMaximized() ? window->RestoreRect() : window->Rect();
  out << "== " << Utf8(window->Title()) << " ==  (" << state << " at " << rect.x << "," << rect.y << ")\n";
  if (CCameraInfoPane* pane = LivePane(*window)) {
    for (const std::string& line : RenderPaint(view::headless::LastPaint(pane))) out << "  " << line << "\n";
  } else {
    out << "  (no pane)\n";
  }
  const std::pair<const char*, std::size_t> boxes[] = {{"count box", kCountItems}, {"wheel box", kWheelItems}};
  for (const auto& [name, items] : boxes) {
    CComboBox* box = LiveBox(*window, items);
    if (box == nullptr) continue;
    out << "  " << name << ":";
    for (std::size_t i = 0; i < box->Items().size(); ++i) {
      bool selected = box->GetSelection() == static_cast<int>(i) + 1;
      out << (i == 0 ? " " : " | ") << (selected ? ">" : "") << Utf8(box->Items()[i]) << (selected ? "<" : "");
    }
    if (box->GetSelection() == 0) out << "  (nothing selected)";
    if (view::headless::ListOpen(box)) out << "  (open)";
    out << "\n";
  }
  out << " ";
  for (std::uint32_t command : {kActionCommand, kNextCommand}) {
    CButton* button = LiveButton(*window, command);
    if (button == nullptr) continue;
    out << " [ " << Utf8(button->Caption()) << " ]" << (button->IsEnabled() ? "" : " (disabled)");
  }
  out << "\n  focus: " << FocusRole(*window) << "\n";
  if (view::headless::SystemMenuOpen() && !view::headless::SystemMenuShown()) out << "  system menu: (items hidden)\n";
  if (view::headless::SystemMenuShown()) {
    const auto items = view::headless::SystemMenuItems(window);
    out << "  system menu:";
    for (std::size_t i = 0; i < items.size(); ++i) {
      const bool lit = static_cast<int>(i) == view::headless::SystemMenuHighlight();
      out << (i == 0 ? " " : " | ") << (lit ? ">" : "") << items[i].text << (items[i].enabled ? "" : " (grey)")
          << (lit ? "<" : "");
    }
    out << "\n";
  }
  out << "\n";
}

void Session::Dump(std::ostream& out) {
  SyncBoxes();
  sim::World& world = sim::World::Get();
  out << "--- state ---\n";
  CRavikConfig* window = running_ ? OpenMainWindow() : nullptr;
  if (window == nullptr) {
    out << "window: "
        << (!started_  ? "not started"
            : running_ ? "closed"
                       : "closed, exit " + std::to_string(exitCode_))
        << "\n";
  } else {
    const char* state = window->IsMinimized() ? "minimized" : window->IsMaximized() ? "maximized" : "normal";
    const CRect& rect = window->IsMinimized() || window->IsMaximized() ? window->RestoreRect() : window->Rect();
    out << "window: open, title " << QuoteCp1250(window->Title()) << ", " << state << ", position " << rect.x << " "
        << rect.y << "\n";
    out << "step: " << window->wizard.WizardStep << "\n";
    if (CCameraInfoPane* pane = LivePane(*window)) {
      out << "pane: title " << Field(pane->StepTitle) << " line1 " << Field(pane->TextLine1) << " line2 "
          << Field(pane->TextLine2) << " line3 " << Field(pane->TextLine3) << "\n      type "
          << Field(pane->CameraTypeText) << " id " << Field(pane->CameraIdText) << " count "
          << Field(pane->FilterCountText) << " wheel " << Field(pane->FilterWheelText) << "\n";
    } else {
      out << "pane: absent\n";
    }
    out << "button action: " << DescribeButton(LiveButton(*window, kActionCommand)) << "\n";
    out << "button next: " << DescribeButton(LiveButton(*window, kNextCommand)) << "\n";
    out << "countbox: " << DescribeComboBox(LiveBox(*window, kCountItems)) << "\n";
    out << "wheelbox: " << DescribeComboBox(LiveBox(*window, kWheelItems)) << "\n";
    out << "focus: " << FocusRole(*window) << (window->IsActive() ? "" : " (window not active)")
        << (view::headless::SystemMenuOpen() ? ", system menu open" : "") << "\n";
    const camera::CCameraLink& link = window->link;
    out << "link: " << ((link.LinkFlags & camera::kLinkOpen) != 0 ? "open" : "closed") << ", flags "
        << Hex(link.LinkFlags, 3) << ", path " << Field(link.DevicePath) << ", lasterror " << Field(link.LastErrorText)
        << "\n";
  }
  out << "handles: " << world.OpenHandleCount() << "\n";
  for (const std::string& handle : world.DescribeOpenHandles()) out << "  " << handle << "\n";
  out << "registrations: " << world.RegistrationCount() << "\n";
  out << "message boxes: " << boxes_.size() << " shown, " << boxesChecked_ << " checked\n";
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const BoxSeen& box = boxes_[i];
    out << "  " << (i < boxesChecked_ ? "checked " : "") << QuoteCp1250(box.title) << " " << QuoteCp1250(box.lines[0])
        << " " << QuoteCp1250(box.lines[1]) << " " << QuoteCp1250(box.lines[2]) << " " << box.icon << "\n";
  }
  out << "registry:\n";
  for (const char* root : {"HKCU\\Software\\Kelvane", "HKLM\\SYSTEM\\CurrentControlSet\\Services"})
    for (const std::string& line : world.registry.Dump(root)) out << "  " << line << "\n";
  out << "cameras:\n";
  for (const auto& camera : world.Cameras()) {
    out << "  " << camera->name << ": class " << camera->classIndex + 1 << " ("
        << simtools::SeriesName(simtools::SeriesOfClass(camera->classIndex + 1)) << "), power "
        << (camera->power ? "on" : "off") << ", faults:";
    std::string faults;
    for (const std::string& fault : DescribeFaults(*camera)) faults += " " + fault;
    out << (faults.empty() ? " none" : faults) << "\n";
  }
  out << "---\n";
}

}  // namespace scenario
