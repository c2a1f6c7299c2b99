#include "shell/command_table.h"

#include <algorithm>

#include "shell/command_router.h"
#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

using C = CommandId;
using P = MenuPicture;
using R = CommandRouter;
using E = EnableRule;

std::vector<CommandRow> BuildRows() {
  std::vector<CommandRow> rows = {
      // Tray menu.
      {C::kNewNote, TXT_MENU_NEW_NOTE, P::kNewNote, &R::NewNoteCommand},
      {C::kNotesMenu, TXT_MENU_NOTES, P::kNotes},
      {C::kDeleteNotes, TXT_MENU_DELETE_NOTES, P::kDeleteNotes, &R::DeleteNotesCommand,
       E::kAnyNote},
      {C::kShowSelected, TXT_MENU_SHOW_SELECTED, P::kShowSelected, &R::ShowSelectedCommand,
       E::kAnyNote},
      {C::kShowAll, TXT_MENU_SHOW_ALL, P::kShowAll, &R::ShowAllCommand, E::kSomeNoteHidden},
      {C::kHideAll, TXT_MENU_HIDE_ALL, P::kHideAll, &R::HideAllCommand, E::kSomeNoteVisible},
      {C::kHelp, TXT_MENU_HELP, P::kHelp, &R::HelpCommand},
      {C::kSupport, TXT_MENU_SUPPORT, P::kSupport, &R::HelpCommand},
      {C::kAbout, TXT_MENU_ABOUT, P::kAbout, &R::AboutCommand},
      {C::kClose, TXT_MENU_CLOSE, P::kClose, &R::CloseCommand},
      // Note menu.
      {C::kPin, TXT_MENU_PIN, P::kPin, &R::PinCommand, E::kAlways, CheckRule::kPinned},
      {C::kHideNote, TXT_MENU_HIDE_NOTE, P::kHideNote, &R::HideNoteCommand},
      {C::kAlarm, TXT_MENU_ALARM, P::kAlarm, &R::AlarmCommand},
      {C::kDeleteNote, TXT_MENU_DELETE_NOTE, P::kDeleteNote, &R::DeleteNoteCommand},
      {C::kAppearanceMenu, TXT_MENU_APPEARANCE, P::kAppearance},
      {C::kClassic, TXT_MENU_CLASSIC, P::kClassic, &R::ClassicCommand},
      {C::kCustomColor, TXT_MENU_CUSTOM_COLOR, P::kCustomColor, &R::CustomColorCommand},
      {C::kOpacityMenu, TXT_MENU_OPACITY, P::kNone},
      {C::kFont, TXT_MENU_FONT, P::kFont, &R::FontCommand},
      {C::kPrint, TXT_MENU_PRINT, P::kPrint, &R::PrintCommand},
      {C::kTextMenu, TXT_MENU_TEXT, P::kText},
      {C::kUndo, TXT_MENU_UNDO, P::kUndo, &R::BodyEditCommand},
      {C::kCut, TXT_MENU_CUT, P::kCut, &R::BodyEditCommand, E::kSelection},
      {C::kCopy, TXT_MENU_COPY, P::kCopy, &R::BodyEditCommand, E::kSelection},
      {C::kPaste, TXT_MENU_PASTE, P::kPaste, &R::BodyEditCommand},
      {C::kSelectAll, TXT_MENU_SELECT_ALL, P::kSelectAll, &R::BodyEditCommand},
      {C::kLoadFile, TXT_MENU_LOAD_FILE, P::kLoadFile, &R::LoadFileCommand},
      {C::kSaveFile, TXT_MENU_SAVE_FILE, P::kSaveFile, &R::SaveFileCommand},
      {C::kInsertMenu, TXT_MENU_INSERT, P::kInsert},
      {C::kDateTime, TXT_MENU_DATE_TIME, P::kDateTime, &R::DateTimeCommand},
      {C::kTitle, TXT_MENU_TITLE, P::kTitle, &R::TitleCommand},
  };
  static const char* const kOpacityCaptions[10] = {"10 %", "20 %", "30 %", "40 %", "50 %",
                                                   "60 %", "70 %", "80 %", "90 %", "100 %"};
  for (int level = 1; level <= 10; ++level) {
    rows.push_back({OpacityCommand(level), kOpacityCaptions[level - 1], P::kNone,
                    &R::OpacityCommand, E::kAlways, CheckRule::kOpacityLevel});
  }
  return rows;
}

const std::vector<CommandRow>& Rows() {
  static const std::vector<CommandRow> rows = BuildRows();
  return rows;
}

MenuItemSpec Item(C id) {
  const CommandRow* row = FindCommand(id);
  return {id, row->caption, row->picture, {}};
}
MenuItemSpec Submenu(C id, std::vector<MenuItemSpec> items) {
  MenuItemSpec item = Item(id);
  item.submenu = std::move(items);
  return item;
}
MenuItemSpec Separator() { return {}; }

std::vector<MenuItemSpec> BuildTrayMenu() {
  return {
      Item(C::kNewNote),
      Submenu(C::kNotesMenu, {Item(C::kDeleteNotes), Separator(), Item(C::kShowSelected),
                              Item(C::kShowAll), Item(C::kHideAll)}),
      Separator(),
      Item(C::kHelp),
      Item(C::kSupport),
      Item(C::kAbout),
      Item(C::kClose),
  };
}

std::vector<MenuItemSpec> BuildNoteMenu() {
  std::vector<MenuItemSpec> opacity;
  for (int level = 1; level <= 10; ++level) opacity.push_back(Item(OpacityCommand(level)));
  return {
      Item(C::kPin),
      Item(C::kHideNote),
      Item(C::kAlarm),
      Item(C::kDeleteNote),
      Separator(),
      Submenu(C::kAppearanceMenu, {Item(C::kClassic), Item(C::kCustomColor),
                                   Submenu(C::kOpacityMenu, std::move(opacity))}),
      Item(C::kFont),
      Separator(),
      Item(C::kPrint),
      Submenu(C::kTextMenu, {Item(C::kUndo), Item(C::kCut), Item(C::kCopy), Item(C::kPaste),
                             Separator(), Item(C::kSelectAll), Separator(), Item(C::kLoadFile),
                             Item(C::kSaveFile)}),
      Submenu(C::kInsertMenu, {Item(C::kDateTime)}),
      Separator(),
      Item(C::kTitle),
  };
}

bool IsSubmenu(CommandId id) {
  return id == C::kNotesMenu || id == C::kAppearanceMenu || id == C::kOpacityMenu ||
         id == C::kTextMenu || id == C::kInsertMenu;
}

}  // namespace

int OpacityLevelOf(CommandId id) {
  const int value = static_cast<int>(id);
  const int first = static_cast<int>(CommandId::kOpacity1);
  return (value >= first && value < first + 10) ? value - first + 1 : 0;
}

CommandId OpacityCommand(int level) {
  if (level < 1 || level > 10) level = 10;
  return static_cast<CommandId>(static_cast<int>(CommandId::kOpacity1) + level - 1);
}

const CommandRow* FindCommand(CommandId id) {
  const auto& rows = Rows();
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [id](const CommandRow& row) { return row.id == id; });
  return it == rows.end() ? nullptr : &*it;
}

bool ItemEnabled(const CommandRow& row, const MenuContext& context) {
  // A command whose feature is not in the program stays in place, disabled.
  if (!row.run && !IsSubmenu(row.id)) return false;
  switch (row.enabled) {
    case EnableRule::kAlways: return true;
    case EnableRule::kSomeNoteHidden: return context.hidden_notes > 0;
    case EnableRule::kSomeNoteVisible: return context.visible_notes > 0;
    case EnableRule::kAnyNote: return context.visible_notes + context.hidden_notes > 0;
    case EnableRule::kSelection: return context.selection_length > 0;
  }
  return true;
}

bool ItemChecked(const CommandRow& row, const MenuContext& context) {
  switch (row.checked) {
    case CheckRule::kNever: return false;
    case CheckRule::kPinned: return context.pinned;
    case CheckRule::kOpacityLevel: return OpacityLevelOf(row.id) == context.opacity_level;
  }
  return false;
}

const std::vector<MenuItemSpec>& TrayMenuItems() {
  static const std::vector<MenuItemSpec> items = BuildTrayMenu();
  return items;
}

const std::vector<MenuItemSpec>& NoteMenuItems() {
  static const std::vector<MenuItemSpec> items = BuildNoteMenu();
  return items;
}

bool StoredBooleanValue(std::string_view stored) { return TextToBool(stored).value_or(false); }

}  // namespace velumbrino
