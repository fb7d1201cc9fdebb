// What must hold of the program after any event, whatever the world did:
// the link's fields agree with the handles it holds, the step with the views
// it shows. The random explorer checks it after every line it plays.
#pragma once
#include <string>

class CRavikConfig;
namespace sim {
class World;
}

namespace scenario {

// What is wrong, or empty when everything holds; the window open.
std::string BrokenInside(CRavikConfig& window, const sim::World& world);
// With no window: the program holds nothing of the platform.
std::string BrokenWithoutWindow(const sim::World& world);
// Where the window must open: the saved place, or (100, 100) when a window of
// 272 by 188 there would overlap no monitor; an independent statement of the rule.
void PlaceToOpen(const sim::World& world, int place[2]);

}  // namespace scenario
