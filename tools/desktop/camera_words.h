// "NAME class=N [model=M] [id=I] [type=TEXT] [count=C] [wheel=1|2] [flags=B]
// [seed=S] [power=on|off]": a virtual camera as the scenario console's
// `camera` command writes it, for the scripted mode and ZELTFW_DESKTOP_CAMERA.
#pragma once
#include <string>
#include <vector>

#include "tools/common/camera_image.h"
#include "tools/scenario/args.h"
#include "tools/scenario/words.h"

namespace desktop {

struct CameraWords {
  std::string name;
  simtools::CameraSetup setup;
  bool powerOn = true;
};

// Read by the console's own `camera` parser, so unset options take its
// defaults (model 1030, ID 1000 + class, type "Virtual N", count 5, wheel 1,
// seed 1, power on). Throws scenario::ScriptError.
CameraWords ParseCameraWords(const scenario::Args& a);
// The same for a split line: out is unchanged on failure, error says why.
bool ParseCameraWords(const std::vector<scenario::Word>& words, CameraWords& out, std::string& error);

}  // namespace desktop
