#include "tools/scenario/wine/timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "tools/scenario/wine/process.h"
#include "tools/scenario/wine/windows_of.h"

namespace scenario::wine {
namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Print(const char* label, const std::wstring& exe, const std::vector<double>& times) {
  std::printf("%-9s %-22s median %7.1f ms  min %7.1f ms  max %7.1f ms  (%zu runs)\n", label,
              Narrow(exe.substr(exe.find_last_of(L"\\/") + 1)).c_str(), Median(times),
              *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
              times.size());
}

}  // namespace

std::vector<double> StartToWindow(const std::wstring& exe, int runs) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    Process process;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    if (!process.Start(exe, SW_SHOWNORMAL)) return {};
    HWND window = WaitForMainWindow(process.Id(), 30000);
    if (window == nullptr || !Settle(window)) return {};
    QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!process.Wait(15000, nullptr)) return {};
  }
  return times;
}

int Benchmark(const std::wstring& program, const std::wstring& baseline, int runs) {
  // One unmeasured start each, so neither pays for a cold cache alone; then
  // alternate, so that drift in the machine's load hits both alike.
  StartToWindow(program, 1);
  StartToWindow(baseline, 1);
  std::vector<double> programTimes, baselineTimes;
  for (int i = 0; i < runs; ++i) {
    const std::vector<double> p = StartToWindow(program, 1);
    const std::vector<double> b = StartToWindow(baseline, 1);
    if (p.empty() || b.empty()) {
      std::printf("benchmark failed: a program did not show its window or did not close\n");
      return 1;
    }
    programTimes.push_back(p[0]);
    baselineTimes.push_back(b[0]);
  }
  std::printf("start to window (CreateProcess until the first window is visible and answers):\n");
  Print("program", program, programTimes);
  Print("baseline", baseline, baselineTimes);
  std::printf("ratio of medians: %.2f\n", Median(programTimes) / Median(baselineTimes));
  return 0;
}

}  // namespace scenario::wine
