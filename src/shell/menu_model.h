#pragma once
// The two popup menus as data: the tray menu and the note menu, their items in display order,
// and the rules that decide which items are enabled or checked when a menu opens.

#include <string_view>
#include <vector>

namespace velumbrino {

// One id per item, submenus included (they are never chosen, but their state can be set).
enum class CommandId : int {
  kNone = 0,
  // Tray menu.
  kNewNote = 1000,    // mnuNew
  kNotesMenu,         // menNotas (submenu)
  kDeleteNotes,       // menExcluir
  kShowSelected,      // mnSN
  kShowAll,           // mnuShowAll
  kHideAll,           // mnuHide
  kHelp,              // mnuAjuda
  kSupport,           // menSuporte
  kAbout,             // menSobre
  kClose,             // mnuFechar
  // Note menu.
  kPin = 1100,        // menTop
  kHideNote,          // menOcultar
  kAlarm,             // menAlarme
  kDeleteNote,        // menKill
  kAppearanceMenu,    // menSkim (submenu)
  kClassic,           // menClassico
  kCustomColor,       // menPersonaliza
  kOpacityMenu,       // menTrans (submenu)
  kFont,              // menFonte
  kPrint,             // menImprimir
  kTextMenu,          // menTexto (submenu)
  kUndo,              // menDesfazer
  kCut,               // menRecortar
  kCopy,              // menCopiar
  kPaste,             // menColar
  kSelectAll,         // menSelecionar
  kLoadFile,          // menOpen
  kSaveFile,          // menSave
  kInsertMenu,        // menAdd (submenu)
  kDateTime,          // menData
  kTitle,             // menTítulo
  // menOpacidade(1..10): consecutive, level k is kOpacity1 + k - 1.
  kOpacity1 = 1150,
  kOpacity10 = kOpacity1 + 9,
};

// Opacity level 1..10 of an opacity item, or 0 for any other id.
int OpacityLevelOf(CommandId id);
// The opacity item of a level; levels outside 1..10 give the 100 % item.
CommandId OpacityCommand(int level);

// The 16 x 16 picture shown beside an item.
enum class MenuPicture {
  kNone,
  kNewNote, kNotes, kDeleteNotes, kShowSelected, kShowAll, kHideAll,
  kHelp, kSupport, kAbout, kClose,
  kPin, kHideNote, kAlarm, kDeleteNote, kAppearance, kClassic, kCustomColor,
  kFont, kPrint, kText, kUndo, kCut, kCopy, kPaste, kSelectAll, kLoadFile, kSaveFile,
  kInsert, kDateTime, kTitle,
};

struct MenuItemSpec {
  CommandId id = CommandId::kNone;  // kNone for a separator
  std::string_view caption;         // UTF-8, exactly as shown; empty for a separator
  MenuPicture picture = MenuPicture::kNone;
  std::vector<MenuItemSpec> submenu;  // non-empty for a submenu item

  bool IsSeparator() const { return id == CommandId::kNone; }
};

const std::vector<MenuItemSpec>& TrayMenuItems();
const std::vector<MenuItemSpec>& NoteMenuItems();
// Item of either menu (searched through the submenus), or nullptr.
const MenuItemSpec* FindMenuItem(CommandId id);

// Enabled items of the tray menu when it opens.
struct TrayMenuStates {
  bool show_all = false;       // some note is hidden
  bool hide_all = false;       // some note is visible
  bool show_selected = false;  // some note exists
  bool delete_notes = false;   // some note exists
};
TrayMenuStates TrayMenuState(int visible_notes, int hidden_notes);

// Check marks and enabled items of the note menu when it opens, from the note's stored OnTop
// and Opacidade values and the length of the body's selection.
struct NoteMenuStates {
  bool pin_checked = false;
  int opacity_level = 10;  // the one checked opacity item
  bool cut_enabled = false;
  bool copy_enabled = false;
};
NoteMenuStates NoteMenuState(std::string_view on_top_stored, std::string_view opacity_stored,
                             long selection_length);

// OnTop read as a boolean: "True"/"False" in any case, or a number (non-zero is true);
// anything else, and nothing, is false.
bool StoredBooleanValue(std::string_view stored);
// Opacidade read as a level: a whole number 1..10, anything else gives 10.
int StoredOpacityLevel(std::string_view stored);

// False for the commands whose feature is not in the program yet; their items stay disabled.
bool CommandAvailable(CommandId id);

}  // namespace velumbrino
