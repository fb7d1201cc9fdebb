#include <algorithm>

#include "lib/view/controls.h"
#include "lib/view/internal.h"

void CComboBox::Init(const CRect& rect, int, bool sorted) {
  sorted_ = sorted;
  CView::Init(rect);
}

void CComboBox::AddItem(std::size_t len, const char* text, int) {
  std::string item = view::detail::CutText(len, text);
  if (sorted_) {
    items_.insert(std::upper_bound(items_.begin(), items_.end(), item), std::move(item));
  } else {
    items_.push_back(std::move(item));
  }
  SyncPeer();
}

void CComboBox::FinishItems() { SyncPeer(); }

void CComboBox::SetSelection(int item) {
  selection_ = item >= 1 && static_cast<std::size_t>(item) <= items_.size() ? item : 0;
  SyncPeer();
}

void CComboBox::UserSelect(int item) {
  if (ended_) return;
  SetSelection(item);
}
