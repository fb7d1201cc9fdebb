#include "tools/scenario/layout.h"

#include <vector>

#include "tools/scenario/args.h"

namespace scenario {
namespace {

// Less than this shows no line of text, nor can a person aim at it.
constexpr int kLeast = 12;

enum class Kind { Pane, Button, List };

struct Shown {
  std::string name;
  Place place;
  Kind kind;
};

std::string Text(const Place& p) {
  return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.width) + " by " +
         std::to_string(p.height) + ")";
}

// Whether the two share any pixel.
bool Overlap(const Place& a, const Place& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Within(const Place& inner, const Place& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

}  // namespace

std::string LayoutFault(const Screen& screen) {
  if (!screen.open || screen.minimized) return "";
  std::vector<Shown> views;
  if (screen.pane.present) views.push_back({"the pane", screen.pane.place, Kind::Pane});
  for (const ButtonSeen* button : {&screen.action, &screen.next})
    if (button->present) views.push_back({"button " + Quote(button->caption), button->place, Kind::Button});
  if (screen.count.present) views.push_back({"the count list", screen.count.place, Kind::List});
  if (screen.wheel.present) views.push_back({"the wheel list", screen.wheel.place, Kind::List});

  const Place interior{0, 0, screen.interiorWidth, screen.interiorHeight};
  for (const Shown& view : views) {
    if (view.place.width <= 0 || view.place.height <= 0) return view.name + " " + Text(view.place) + " has no size";
    if (view.kind != Kind::Pane && (view.place.width < kLeast || view.place.height < kLeast))
      return view.name + " " + Text(view.place) + " is too small to show a line of its text";
    if (!Within(view.place, interior))
      return view.name + " " + Text(view.place) + " reaches out of the interior " + Text(interior);
  }
  for (std::size_t i = 0; i < views.size(); ++i) {
    for (std::size_t j = i + 1; j < views.size(); ++j) {
      const Shown& a = views[i];
      const Shown& b = views[j];
      if (!Overlap(a.place, b.place)) continue;
      // The pane comes first: a list lying on it, inside it, edits its value rows.
      if (a.kind == Kind::Pane && b.kind == Kind::List && Within(b.place, a.place)) continue;
      return b.name + " " + Text(b.place) + " lies over " + a.name + " " + Text(a.place);
    }
  }
  return "";
}

}  // namespace scenario
