// The script commands about cameras, shared by every world that plays
// scripts: both run their cameras on the simulated camera model, so parsing,
// acting and checking are one code. Each function parses its arguments
// (throwing ScriptError), then looks the camera up and acts or checks
// (throwing ExpectFailure); in the check pass the lookup gives null.
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

// The camera of that name; null in the check pass; throws ScriptError for a
// name the script never gave a camera.
using CameraLookup = std::function<camera_model::Camera*(const std::string& name)>;

// camera NAME class=N [model=M] [id=I] [type=TEXT] [count=C] [wheel=1|2]
// [flags=B] [seed=S] [power=on|off] [pathlen=L]: the camera to add.
using CameraCommand = camera_model::CameraSpec;
CameraCommand ParseCameraCommand(const Args& a);

// poke NAME ADDR HEX...
void Poke(const Args& a, const CameraLookup& find);
// fault NAME KIND [after=K]. True when real pipes must follow at once: a
// lasting fault of the pipes changed (open-fail, device-open-fail, clear), or
// a zero-write may be due.
bool Fault(const Args& a, const CameraLookup& find);

// expect memory NAME ADDR HEX..., expect diff NAME ..., expect instructions NAME OP...
void ExpectMemory(const Args& a, const CameraLookup& find);
void ExpectDiff(const Args& a, const CameraLookup& find);
void ExpectInstructions(const Args& a, const CameraLookup& find);

// What "Zapsat filtry" may have written: the camera's memory differs from its
// snapshot only in the filter bits of its configuration block, and they hold
// what some order of the presses made, each press with the items the two
// lists showed (0: none). Empty when it holds; else what is wrong.
std::string WrongChosenBytes(const camera_model::Camera& camera, const std::vector<std::pair<int, int>>& presses);

}  // namespace scenario
