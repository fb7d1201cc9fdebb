// Push buttons and drop-down lists.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "lib/view/view.h"

class CButton : public CView {
 public:
  // Repeatable on a registered button to change its command and caption.
  // height 0: the standard button height.
  void Init(const CRect& rect, std::uint32_t command, std::size_t captionLen, const char* caption, int flags);
  void Init(const CRect& rect, std::uint32_t command, std::string_view caption, int flags) {
    Init(rect, command, caption.size(), caption.data(), flags);
  }
  void Enable();
  void Disable();

  bool IsEnabled() const { return enabled_; }
  const std::string& Caption() const { return caption_; }  // Windows-1250
  std::uint32_t Command() const { return command_; }
  void Press();  // the user clicks: queues the command (class 0x1000) to the window

 private:
  std::string caption_;
  std::uint32_t command_ = 0;
  bool enabled_ = true;
};

class CComboBox : public CView {
 public:
  // height 0: the standard combo box height. sorted: items kept in byte order.
  void Init(const CRect& rect, int flags, bool sorted);
  void AddItem(std::size_t len, const char* text, int data);  // items are numbered from 1
  void FinishItems();
  void SetSelection(int item);  // 0 or out of range: no selection
  int GetSelection() const { return selection_; }

  const std::vector<std::string>& Items() const { return items_; }  // Windows-1250
  void UserSelect(int item);                                        // the user picks an item (0: none)

 private:
  std::vector<std::string> items_;
  int selection_ = 0;
  bool sorted_ = false;  // items kept in byte order
};
