// What zelt-drive keeps of the program's sessions: live objects that must not grow.
#pragma once
#include <string>

namespace drive {

// The About box, "Vyhledat kameru", minimize and restore, `rounds` times in
// one session, then `runs` short sessions: the program's live object counts
// must not grow and must be back to their start-up values before it closes.
void SteadyUse(const std::wstring& exe, int rounds, int runs);

}  // namespace drive
