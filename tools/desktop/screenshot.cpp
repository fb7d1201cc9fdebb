#include "tools/desktop/screenshot.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>

#include "lib/view/fltk/fltk.h"

extern char** environ;

namespace desktop {
namespace {

constexpr double kWaitStep = 0.02;
constexpr int kShotTries = 5;  // import, like any X client, is now and then refused by a busy server

bool Run(std::vector<std::string> args, std::string& error) {  // a copy: posix_spawn wants char*
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    error = "cannot run " + args[0] + " (Debian package imagemagick)";
    return false;
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    error = args[0] + " failed";
    return false;
  }
  return true;
}

}  // namespace

void SettleScreen(double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    Fl::flush();
    if (fl_display != nullptr) XSync(fl_display, False);
    Fl::wait(kWaitStep);
  } while (std::chrono::steady_clock::now() < end);
  Fl::flush();
  if (fl_display != nullptr) XSync(fl_display, False);
}

bool TakeShot(const std::string& file, const std::vector<Fl_Window*>& windows, std::string& error) {
  std::vector<std::string> args = {"import", "-silent", "-window", "root"};
  if (!windows.empty()) {
    int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const Fl_Window* window : windows) {
      const view::fltk::ScreenRect rect = view::fltk::OuterRect(window);
      left = std::min(left, rect.x);
      top = std::min(top, rect.y);
      right = std::max(right, rect.x + rect.width);
      bottom = std::max(bottom, rect.y + rect.height);
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (fl_display != nullptr) {
      right = std::min(right, DisplayWidth(fl_display, fl_screen));
      bottom = std::min(bottom, DisplayHeight(fl_display, fl_screen));
    }
    if (right <= left || bottom <= top) {
      error = "the windows are off the screen";
      return false;
    }
    args.push_back("-crop");
    args.push_back(std::to_string(right - left) + "x" + std::to_string(bottom - top) + "+" + std::to_string(left) +
                   "+" + std::to_string(top));
    args.push_back("+repage");
  }
  args.push_back(file);
  for (int attempt = 1;; ++attempt) {
    if (Run(args, error)) return true;
    if (attempt == kShotTries) return false;
    SettleScreen(kWaitStep * 10);
  }
}

}  // namespace desktop
