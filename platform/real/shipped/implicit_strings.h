// Included first in every file of zeltfw.exe and its libraries (the build's
// -include). For C++17, libstdc++ declares std::string's and std::wstring's
// members extern and takes them from its own copies, which are built with
// exceptions and bring its whole exception machinery. -1 is the library's own
// setting (the one it uses with _GLIBCXX_ASSERTIONS, here without the
// assertions) for instantiating just the strings' members where they are used;
// every other extern declaration stays as it is.
#pragma once
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
