// The automation program's checks: each failure prints what was expected and
// what was seen, and ends the run with status 1.
#pragma once
#include <string>

namespace drive {

// Prints "FAIL what: detail", ends every program this run started, and exits 1.
[[noreturn]] void Fail(const std::string& what, const std::string& detail);
void Check(bool condition, const std::string& what, const std::string& detail);
void Passed(const std::string& what);

}  // namespace drive
