#pragma once
// A popup menu built from the menu model, drawn by the program: Tahoma 8.25 pt captions with a
// 16 x 16 picture beside each item that has one.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "shell/command_table.h"

namespace velumbrino {

class PopupMenu {
 public:
  explicit PopupMenu(const std::vector<MenuItemSpec>& items);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  HMENU handle() const { return menu_.get(); }

  // Every item's enabled and checked state from its command row, as the menu opens.
  void Prepare(const MenuContext& context);
  // Unknown ids are ignored.
  void SetEnabled(CommandId id, bool enabled);
  void SetChecked(CommandId id, bool checked);
  bool IsEnabled(CommandId id) const;
  bool IsChecked(CommandId id) const;

  // Shows the menu at the screen point and waits for the choice: the chosen item's id, or
  // CommandId::kNone when the menu was dismissed. The owner must pass WM_MEASUREITEM and
  // WM_DRAWITEM to HandleOwnerDrawMessage.
  CommandId Track(HWND owner, int x, int y);

  // Measures or draws an item of any PopupMenu; false for messages that are not about one.
  static bool HandleOwnerDrawMessage(UINT message, WPARAM wparam, LPARAM lparam,
                                     LRESULT& result);

  struct ItemData;

 private:
  HMENU BuildLevel(const std::vector<MenuItemSpec>& items);

  unique_menu menu_;
  std::vector<std::unique_ptr<ItemData>> items_;
  struct Place {
    HMENU parent;
    UINT position;
  };
  std::map<CommandId, Place> places_;
};

}  // namespace velumbrino
