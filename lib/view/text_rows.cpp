#include "lib/view/text_rows.h"

#include <algorithm>

#include "core/text.h"
#include "lib/view/view.h"

namespace view {

void TextRows::DrawString(int x, int y, std::size_t maxLen, const char* text) {
  rows_[y].emplace_back(x, text != nullptr ? std::string(text, core::LengthA(maxLen, text)) : std::string());
}

std::vector<std::string> TextRows::Lines() const {
  std::vector<std::string> lines;
  for (const auto& [y, drawn] : rows_) {
    std::vector<std::pair<int, std::string>> texts = drawn;
    std::stable_sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string line;
    for (const auto& text : texts)
      if (!text.second.empty()) line += (line.empty() ? "" : " ") + text.second;
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> PaintedLines(CView* view) {
  TextRows rows;
  if (view != nullptr) view->PaintView(&rows);
  return rows.Lines();
}

}  // namespace view
