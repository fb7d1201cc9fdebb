// The script as the user: real input on zeltfw.exe's window.
#include <windows.h>
// windows.h must come first
#include <dbt.h>

#include <cstdint>

#include "tools/windows/play/registry.h"
#include "tools/windows/play/session.h"
#include "tools/windows/windows_of.h"

namespace play {

using scenario::Args;
using scenario::ExpectFailure;
using scenario::ScriptError;

namespace {

// Every resource of the program but its version resource, for a copy that
// starts from none.
struct ResourceCopy {
  HMODULE from;
  HANDLE to;
  bool done = true;
};

BOOL CALLBACK CopyLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param) {
  auto* copy = reinterpret_cast<ResourceCopy*>(param);
  HRSRC found = FindResourceExW(module, type, name, language);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr || !UpdateResourceW(copy->to, type, name, language, data, SizeofResource(module, found)))
    copy->done = false;
  return TRUE;
}

BOOL CALLBACK CopyName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
  EnumResourceLanguagesW(module, type, name, CopyLanguage, param);
  return TRUE;
}

BOOL CALLBACK CopyType(HMODULE module, LPWSTR type, LONG_PTR param) {
  if (!IS_INTRESOURCE(type) || type != MAKEINTRESOURCEW(16)) EnumResourceNamesW(module, type, CopyName, param);
  return TRUE;
}

}  // namespace

// zeltfw.exe, or a copy of it beside it with the script's version resource
// (the VS_VERSIONINFO block the simulated world uses) or none at all.
std::wstring Session::ProgramFile() {
  std::wstring file = exe_;
  if (versionChanged_) {
    file = exe_.substr(0, exe_.size() - 4) + L"-version.exe";
    if (!CopyFileW(exe_.c_str(), file.c_str(), FALSE)) throw ScriptError{"cannot copy zeltfw.exe"};
    HMODULE program = LoadLibraryExW(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HANDLE update = BeginUpdateResourceW(file.c_str(), TRUE);
    if (program == nullptr || update == nullptr) throw ScriptError{"cannot change the copy's resources"};
    ResourceCopy resources{program, update};
    EnumResourceTypesW(program, CopyType, reinterpret_cast<LONG_PTR>(&resources));
    FreeLibrary(program);
    const std::vector<std::uint8_t> block = sim::BuildVersionBlock(version_);
    if (hasVersion_ &&
        !UpdateResourceW(update, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT),
                         const_cast<std::uint8_t*>(block.data()), static_cast<DWORD>(block.size())))
      resources.done = false;
    if (!EndUpdateResourceW(update, !resources.done) || !resources.done)
      throw ScriptError{"cannot write the copy's resources"};
  }
  if (folder_.empty()) return file;
  // The same file in a folder of the script's name beside it.
  const std::wstring folder = exe_.substr(0, exe_.find_last_of(L"\\/") + 1) + folder_;
  const std::wstring moved = folder + L"\\zeltfw.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  if (!CopyFileW(file.c_str(), moved.c_str(), FALSE)) throw ScriptError{"cannot copy zeltfw.exe into the folder"};
  return moved;
}

void Session::RequireStartLine() {
  if (!checkedStart_) throw ScriptError{"the program is not started before this line"};
}

void Session::CmdStart(const Args& a) {
  a.Between(0, 1);
  int show = 1;
  if (a.Count() == 1)
    show = static_cast<int>(scenario::ParseNumberOrThrow(a.Option(0, "show"), INT32_MIN, INT32_MAX, "show"));
  if (checking_) {
    checkedStart_ = true;
    return;
  }
  if (program_ != nullptr && program_->Running()) {
    if (lenient_) return;
    throw ScriptError{"the program is running already"};
  }
  program_ = std::make_unique<Program>(*cameras_, ProgramFile());
  boxesTaken_ = 0;
  program_->HoldBoxes(holdBoxes_);
  program_->Start(show);
}

void Session::CmdClick(const Args& a) {
  a.Exactly(1);
  const bool action = a.Choice(0, {"action", "next"}) == 0;
  if (checking_) return RequireStartLine();
  const std::string which = action ? "action" : "next";
  Control button;
  if (!Running("window open").Button(action, button)) throw ExpectFailure{"button " + which + " to press", "absent"};
  if (!button.enabled)
    throw ExpectFailure{"button " + which + " to press", scenario::Quote(drive::Narrow(button.text)) + " disabled"};
  if (action && button.text == L"Zapsat filtry") {
    List count, wheel;
    writePresses_.emplace_back(program_->ListOf(kCountItems, count) ? count.shown : 0,
                               program_->ListOf(kWheelItems, wheel) ? wheel.shown : 0);
  }
  program_->Click(button);
}

// choose count|wheel N|none [mouse|keyboard|cancel]: mouse (the default) opens
// the list with a click, arrows to the item and takes it with Enter; keyboard
// tabs to the closed list and arrows; cancel arrows in the open list and
// leaves it with Esc, which only closes it: each arrow chose an item.
void Session::CmdChoose(const Args& a) {
  a.Between(2, 3);
  const bool count = a.Choice(0, {"count", "wheel"}) == 0;
  const std::size_t items = count ? kCountItems : kWheelItems;
  int item = 0;
  if (a.Text(1) != "none") item = static_cast<int>(a.Number(1, 1, static_cast<std::int64_t>(items), "item"));
  const std::size_t how = a.Count() == 3 ? a.Choice(2, {"mouse", "keyboard", "cancel"}) : 0;
  if (item == 0 && how != 0) throw ScriptError{"none goes without a way of choosing"};
  if (checking_) return RequireStartLine();
  List list;
  if (!Running("window open").ListOf(items, list))
    throw ExpectFailure{std::string(count ? "countbox" : "wheelbox") + " to choose from", "absent"};
  if (item == 0) {
    // A person can leave a list without a choice, but cannot take its choice away.
    if (list.shown != 0) throw ScriptError{"a person cannot take the choice away from a drop-down list"};
    return;
  }
  if (how == 1)
    program_->ChooseByKeyboard(list, item);
  else
    program_->ChooseByMouse(list, item, how == 2);
}

void Session::CmdLenient(const Args& a) {
  a.Exactly(1);
  const bool on = a.Choice(0, {"on", "off"}) == 0;
  if (!checking_) lenient_ = on;
}

void Session::CmdClose(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  Running("window open").Close();
}

void Session::CmdAbout(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  Running("window open").About();
}

void Session::CmdEvent(const Args& a) {
  a.Exactly(2);
  a.Number(0, 0, UINT32_MAX, "event class");
  a.Number(1, 0, UINT32_MAX, "command");
  NotHere("event (no control of the program sends a bare command)");
}

// A raw WM_DEVICECHANGE from another program, with a bare header of that type.
void Session::CmdDevmsg(const Args& a) {
  a.Exactly(2);
  const auto code = static_cast<WPARAM>(a.Number(0, 0, UINT32_MAX, "code"));
  std::vector<BYTE> header;
  if (a.Text(1) != "none") {
    const auto type = static_cast<DWORD>(a.Number(1, 0, UINT32_MAX, "device type"));
    DEV_BROADCAST_HDR record = {sizeof(DEV_BROADCAST_HDR), type, 0};
    header.assign(reinterpret_cast<const BYTE*>(&record), reinterpret_cast<const BYTE*>(&record) + sizeof(record));
  }
  if (checking_) return RequireStartLine();
  Running("window open").DeviceMessage(code, header);
}

void Session::CmdMove(const Args& a) {
  a.Exactly(2);
  const auto x = static_cast<int>(a.Number(0, INT32_MIN, INT32_MAX, "x"));
  const auto y = static_cast<int>(a.Number(1, INT32_MIN, INT32_MAX, "y"));
  if (checking_) return RequireStartLine();
  Running("window open").Move(x, y);
}

void Session::CmdMinimize(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  Running("window open").Command(SC_MINIMIZE);
}

void Session::CmdMaximize(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  Running("window open").Command(SC_MAXIMIZE);
}

void Session::CmdRestore(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  Running("window open").Command(SC_RESTORE);
}

// key NAME...: each key once the program has handled the one before, to the
// window in front, as a person types.
void Session::CmdKey(const Args& a) {
  const std::vector<scenario::KeyPress> keys = scenario::KeysFrom(a);
  if (checking_) return RequireStartLine();
  Program& program = Running("window open");
  for (const scenario::KeyPress& press : keys) {
    if (!program.WindowOpen()) return;
    const bool presses = (press.key == scenario::KeyName::Space || press.key == scenario::KeyName::Enter) &&
                         !press.alt && program.OpenBox() == nullptr;
    Control action;
    if (presses && program.Button(true, action) && action.hwnd == program.Focus() && action.text == L"Zapsat filtry") {
      List count, wheel;
      writePresses_.emplace_back(program.ListOf(kCountItems, count) ? count.shown : 0,
                                 program.ListOf(kWheelItems, wheel) ? wheel.shown : 0);
    }
    program.Key(press);
  }
}

// box hold: the boxes that open from now on stay open while the script goes
// on; box answer: OK on the open box, and boxes are answered at once again.
void Session::CmdBox(const Args& a) {
  a.Exactly(1);
  const bool hold = a.Choice(0, {"hold", "answer"}) == 0;
  if (checking_) return RequireStartLine();
  Program& program = Running("window open");
  holdBoxes_ = hold;
  if (hold) return program.HoldBoxes(true);
  if (program.OpenBox() == nullptr) throw ExpectFailure{"a box to answer", "no box"};
  program.HoldBoxes(false);
  program.AnswerBox();
  program.Settle();
}

}  // namespace play
