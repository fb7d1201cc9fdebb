// The script commands about cameras, shared by every world that plays
// scripts: all run their cameras on the camera model, so parsing, acting and
// checks are one code. Each function parses its arguments (throwing
// ScriptError) into what the line does to its camera (words[0] names it) when
// it plays; a check throws ExpectFailure when it does not hold.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/camera_model/camera.h"
#include "platform/camera_model/host.h"
#include "tools/scenario/args.h"

namespace scenario {

// What a line does to its camera, or checks of it, run with the cameras' model locked.
using CameraAction = std::function<void(camera_model::Camera&)>;

// camera NAME class=N [model=M] [id=I] [type=TEXT] [count=C] [wheel=1|2]
// [flags=B] [seed=S] [power=on|off] [pathlen=L]: the camera to add.
using CameraCommand = camera_model::NewCamera;
CameraCommand ParseCameraCommand(const Args& a);

// poke NAME ADDR HEX...
CameraAction Poke(const Args& a);
// fault NAME KIND [after=K].
struct FaultLine {
  CameraAction act;
  // Real pipes must follow at once: a lasting fault of the pipes changed
  // (open-fail, device-open-fail, clear), or a zero-write may be due.
  bool pipes = false;
  bool cutsPower = false;  // the camera cuts its own power (power-cut-before|after)
};
FaultLine Fault(const Args& a);

// expect memory NAME ADDR HEX..., expect diff NAME ..., expect instructions NAME OP...
CameraAction ExpectMemory(const Args& a);
CameraAction ExpectDiff(const Args& a);
CameraAction ExpectInstructions(const Args& a);

// What "Zapsat filtry" may have written: the camera's memory differs from its
// snapshot only in the filter bits of its configuration block, and they hold
// what some order of the presses made, each press with the items the two
// lists showed (0: none). Empty when it holds; else what is wrong.
std::string WrongChosenBytes(const camera_model::Camera& camera, const std::vector<std::pair<int, int>>& presses);

}  // namespace scenario
