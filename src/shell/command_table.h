#pragma once
// Every command of the program, one row each: its menu caption and picture, how its enabled
// and checked states are computed when its menu opens, and the router's handler that runs it.
// Both popup menus and the router are built from these rows; the menus only add structure.

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

// What a menu's item states are computed from when it opens.
struct MenuContext {
  int visible_notes = 0;
  int hidden_notes = 0;
  // The note whose menu opens: its stored OnTop and Opacidade, and its body's selection.
  bool pinned = false;
  int opacity_level = 10;
  long selection_length = 0;
};

enum class EnableRule { kAlways, kSomeNoteHidden, kSomeNoteVisible, kAnyNote, kSelection };
enum class CheckRule { kNever, kPinned, kOpacityLevel };

class CommandRouter;
// A handler gets the command's id and the number of the note captured when its menu opened
// (0 for a tray command).
using CommandHandler = void (CommandRouter::*)(CommandId id, int note_number);

struct CommandRow {
  CommandId id = CommandId::kNone;
  std::string_view caption;  // UTF-8, exactly as shown
  MenuPicture picture = MenuPicture::kNone;
  CommandHandler run = nullptr;  // nullptr for a submenu
  EnableRule enabled = EnableRule::kAlways;
  CheckRule checked = CheckRule::kNever;
};

// The row of an id, or nullptr.
const CommandRow* FindCommand(CommandId id);
bool ItemEnabled(const CommandRow& row, const MenuContext& context);
bool ItemChecked(const CommandRow& row, const MenuContext& context);

// A menu's structure; captions and pictures come from the rows.
struct MenuItemSpec {
  CommandId id = CommandId::kNone;  // kNone for a separator
  std::string_view caption;
  MenuPicture picture = MenuPicture::kNone;
  std::vector<MenuItemSpec> submenu;  // non-empty for a submenu item

  bool IsSeparator() const { return id == CommandId::kNone; }
};

const std::vector<MenuItemSpec>& TrayMenuItems();
const std::vector<MenuItemSpec>& NoteMenuItems();

// OnTop read as a boolean: "True"/"False" in any case, or a number (non-zero is true);
// anything else, and nothing, is false.
bool StoredBooleanValue(std::string_view stored);

}  // namespace velumbrino
