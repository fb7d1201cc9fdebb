// Start-to-window time: from CreateProcess until the program's first window
// is visible and answers, measured inside the same Wine or Windows.
#pragma once
#include <string>
#include <vector>

namespace scenario::wine {

// Runs exe `runs` times; milliseconds of each run, or an empty list when a run failed.
std::vector<double> StartToWindow(const std::wstring& exe, int runs);
// Prints the median, minimum and maximum of both programs and the ratio of the medians.
int Benchmark(const std::wstring& program, const std::wstring& baseline, int runs);

}  // namespace scenario::wine
