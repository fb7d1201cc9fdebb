// The camera's command interpreter: one request as the command pipe carries
// it, and what comes of it, faults included.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/camera_model/camera.h"

namespace camera_model {

struct Exchange {
  bool delivered = false;  // false: the request moved no bytes (a zero-write fault, a power cut before it)
  std::vector<std::uint8_t> reply;
  bool replyLost = false;  // the read that fetches the reply moves no bytes
  // A power cut struck, before the request reached the camera or once it had
  // run the instruction (its reply is then lost): whoever serves the camera
  // takes its power away. The camera's power is left as it was.
  bool powerCut = false;
};

// Runs the request through the camera's interpreter with its faults, logging it.
Exchange Run(Camera& camera, const std::uint8_t* request, std::size_t size);

// True when the camera's next request will move no bytes through a zero-write
// fault (no power cut striking first). The fault is then taken as that request
// would take it: real pipes must break before the request is written.
bool TakeDueZeroWrite(Camera& camera);

}  // namespace camera_model
