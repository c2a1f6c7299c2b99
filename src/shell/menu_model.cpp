#include "shell/menu_model.h"

#include <string>

#include "note/note_style.h"
#include "store/text_utils.h"

namespace velumbrino {

namespace {

using P = MenuPicture;
using C = CommandId;

MenuItemSpec Item(C id, std::string_view caption, P picture) { return {id, caption, picture, {}}; }
MenuItemSpec Submenu(C id, std::string_view caption, P picture, std::vector<MenuItemSpec> items) {
  return {id, caption, picture, std::move(items)};
}
MenuItemSpec Separator() { return {}; }

// Captions are UTF-8; accented letters are escaped so the source reads the same in any editor.
std::vector<MenuItemSpec> BuildTrayMenu() {
  return {
      Item(C::kNewNote, "Nova Nota", P::kNewNote),
      Submenu(C::kNotesMenu, "Notas", P::kNotes,
              {
                  Item(C::kDeleteNotes, "Excluir", P::kDeleteNotes),
                  Separator(),
                  Item(C::kShowSelected, "Mostra Selecionadas...", P::kShowSelected),
                  Item(C::kShowAll, "Mostrar Todos", P::kShowAll),
                  Item(C::kHideAll, "Ocutar Todos", P::kHideAll),
              }),
      Separator(),
      Item(C::kHelp, "Ajuda", P::kHelp),
      Item(C::kSupport, "Obtendo Suporte...", P::kSupport),
      Item(C::kAbout, "Sobre o Velumbrino...", P::kAbout),
      Item(C::kClose, "Fechar", P::kClose),
  };
}

std::vector<MenuItemSpec> BuildOpacityMenu() {
  static const char* const kCaptions[10] = {"10 %", "20 %", "30 %", "40 %", "50 %",
                                            "60 %", "70 %", "80 %", "90 %", "100 %"};
  std::vector<MenuItemSpec> items;
  for (int level = 1; level <= 10; ++level) {
    items.push_back(Item(OpacityCommand(level), kCaptions[level - 1], P::kNone));
  }
  return items;
}

std::vector<MenuItemSpec> BuildNoteMenu() {
  return {
      Item(C::kPin, "Sempre Vis\xC3\xADvel", P::kPin),
      Item(C::kHideNote, "Ocultar", P::kHideNote),
      Item(C::kAlarm, "Alarme", P::kAlarm),
      Item(C::kDeleteNote, "Excluir", P::kDeleteNote),
      Separator(),
      Submenu(C::kAppearanceMenu, "Apar\xC3\xAAncia", P::kAppearance,
              {
                  Item(C::kClassic, "Classico", P::kClassic),
                  Item(C::kCustomColor, "Personaliza", P::kCustomColor),
                  Submenu(C::kOpacityMenu, "Transpar\xC3\xAAncia", P::kNone, BuildOpacityMenu()),
              }),
      Item(C::kFont, "Fonte...", P::kFont),
      Separator(),
      Item(C::kPrint, "Imprimir", P::kPrint),
      Submenu(C::kTextMenu, "Texto", P::kText,
              {
                  Item(C::kUndo, "Desfazer", P::kUndo),
                  Item(C::kCut, "Recortar", P::kCut),
                  Item(C::kCopy, "Copiar", P::kCopy),
                  Item(C::kPaste, "Colar", P::kPaste),
                  Separator(),
                  Item(C::kSelectAll, "Selecionar Tudo", P::kSelectAll),
                  Separator(),
                  Item(C::kLoadFile, "Carregar do Arquivo...", P::kLoadFile),
                  Item(C::kSaveFile, "Salvar em Arquivo...", P::kSaveFile),
              }),
      Submenu(C::kInsertMenu, "Inserir", P::kInsert,
              {
                  Item(C::kDateTime, "Data e hora...", P::kDateTime),
              }),
      Separator(),
      Item(C::kTitle, "T\xC3\xADtulo...", P::kTitle),
  };
}

const MenuItemSpec* FindIn(const std::vector<MenuItemSpec>& items, CommandId id) {
  for (const MenuItemSpec& item : items) {
    if (item.id == id) return &item;
    if (const MenuItemSpec* found = FindIn(item.submenu, id)) return found;
  }
  return nullptr;
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

const std::vector<MenuItemSpec>& TrayMenuItems() {
  static const std::vector<MenuItemSpec> items = BuildTrayMenu();
  return items;
}

const std::vector<MenuItemSpec>& NoteMenuItems() {
  static const std::vector<MenuItemSpec> items = BuildNoteMenu();
  return items;
}

const MenuItemSpec* FindMenuItem(CommandId id) {
  if (id == CommandId::kNone) return nullptr;
  if (const MenuItemSpec* found = FindIn(TrayMenuItems(), id)) return found;
  return FindIn(NoteMenuItems(), id);
}

TrayMenuStates TrayMenuState(int visible_notes, int hidden_notes) {
  TrayMenuStates states;
  states.hide_all = visible_notes > 0;
  states.show_all = hidden_notes > 0;
  states.show_selected = states.delete_notes = states.hide_all || states.show_all;
  return states;
}

bool StoredBooleanValue(std::string_view stored) { return TextToBool(stored).value_or(false); }

int StoredOpacityLevel(std::string_view stored) { return ParseOpacityLevel(stored); }

NoteMenuStates NoteMenuState(std::string_view on_top_stored, std::string_view opacity_stored,
                             long selection_length) {
  NoteMenuStates states;
  states.pin_checked = StoredBooleanValue(on_top_stored);
  states.opacity_level = StoredOpacityLevel(opacity_stored);
  states.cut_enabled = states.copy_enabled = selection_length > 0;
  return states;
}

bool CommandAvailable(CommandId id) {
  switch (id) {
    case CommandId::kAlarm:
    case CommandId::kFont:
    case CommandId::kPrint:
    case CommandId::kLoadFile:
    case CommandId::kSaveFile:
    case CommandId::kDateTime:
    case CommandId::kTitle:
    case CommandId::kShowSelected:
    case CommandId::kDeleteNotes:
      return false;
    default:
      return id != CommandId::kNone;
  }
}

}  // namespace velumbrino
