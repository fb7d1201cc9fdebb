// The texts a view paints, gathered as a screen reader reads them: row by row
// from the top, left to right within a row, the texts of a row joined by a
// blank. A row drawn with empty texts only is an empty line, so the lines
// keep their places. The native backend names a painted pane by them; the
// scenario worlds read the pane so too.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lib/view/graphics.h"

class CView;

namespace view {

class TextRows : public CDeviceContext {
 public:
  void ClearRect(int, int, int, int) override {}
  void SetLineColor(TColor) override {}
  void DrawLine(int, int, int, int) override {}
  void SelectFont(TFont*) override {}
  void DrawString(int x, int y, std::size_t maxLen, const char* text) override;
  std::vector<std::string> Lines() const;  // Windows-1250

 private:
  std::map<int, std::vector<std::pair<int, std::string>>> rows_;
};

// What the view paints, line by line.
std::vector<std::string> PaintedLines(CView* view);

}  // namespace view
