// What the automation program does to zeltfw.exe, one person's session each.
// Every scenario prints one line per check and ends the program it started.
#pragma once
#include <string>

namespace drive {

// First start for this user: window, texts, controls, a screenshot (saved to
// shotPath unless empty), a move, closing; then the saved position.
void FirstRun(const std::wstring& exe, const std::wstring& shotPath);
// A saved position is used; closing while minimized keeps the normal one.
void SavedPosition(const std::wstring& exe);
// Started minimized (show command 2), restored, closed.
void ShowMinimized(const std::wstring& exe);
// The About command from the system menu: a modal box with the version.
void AboutBox(const std::wstring& exe);
// The About box, "Vyhledat kameru", minimize and restore, `rounds` times in
// one session, then `runs` short sessions: the program's live object counts
// must not grow and must be back to their start-up values before it closes.
void SteadyUse(const std::wstring& exe, int rounds, int runs);

}  // namespace drive
