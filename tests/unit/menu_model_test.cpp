#include "shell/menu_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace velumbrino {
namespace {

// "caption" per item, "-" per separator, submenus in brackets: the whole tree in one string.
std::string Outline(const std::vector<MenuItemSpec>& items) {
  std::string text;
  for (const MenuItemSpec& item : items) {
    if (!text.empty()) text += "|";
    text += item.IsSeparator() ? std::string("-") : std::string(item.caption);
    if (!item.submenu.empty()) text += "[" + Outline(item.submenu) + "]";
  }
  return text;
}

void CollectIds(const std::vector<MenuItemSpec>& items, std::vector<CommandId>& ids) {
  for (const MenuItemSpec& item : items) {
    if (!item.IsSeparator()) ids.push_back(item.id);
    CollectIds(item.submenu, ids);
  }
}

TEST(MenuModel, TrayMenuHasItsItemsInOrder) {
  EXPECT_EQ(Outline(TrayMenuItems()),
            "Nova Nota|Notas[Excluir|-|Mostra Selecionadas...|Mostrar Todos|Ocutar Todos]|-|"
            "Ajuda|Obtendo Suporte...|Sobre o Velumbrino...|Fechar");
}

TEST(MenuModel, NoteMenuHasItsItemsInOrder) {
  EXPECT_EQ(Outline(NoteMenuItems()),
            "Sempre Vis\xC3\xADvel|Ocultar|Alarme|Excluir|-|"
            "Apar\xC3\xAAncia[Classico|Personaliza|Transpar\xC3\xAAncia["
            "10 %|20 %|30 %|40 %|50 %|60 %|70 %|80 %|90 %|100 %]]|"
            "Fonte...|-|Imprimir|"
            "Texto[Desfazer|Recortar|Copiar|Colar|-|Selecionar Tudo|-|"
            "Carregar do Arquivo...|Salvar em Arquivo...]|"
            "Inserir[Data e hora...]|-|T\xC3\xADtulo...");
}

TEST(MenuModel, IdsAreUniqueAndFoundAgain) {
  std::vector<CommandId> ids;
  CollectIds(TrayMenuItems(), ids);
  CollectIds(NoteMenuItems(), ids);
  EXPECT_EQ(std::set<CommandId>(ids.begin(), ids.end()).size(), ids.size());
  for (CommandId id : ids) {
    EXPECT_GE(static_cast<int>(id), 1000);
    ASSERT_NE(FindMenuItem(id), nullptr);
    EXPECT_EQ(FindMenuItem(id)->id, id);
  }
  EXPECT_EQ(FindMenuItem(CommandId::kNone), nullptr);
}

TEST(MenuModel, PicturesOnlyWhereTheMenuShowsThem) {
  EXPECT_EQ(FindMenuItem(CommandId::kOpacityMenu)->picture, MenuPicture::kNone);
  EXPECT_EQ(FindMenuItem(CommandId::kOpacity1)->picture, MenuPicture::kNone);
  EXPECT_EQ(FindMenuItem(CommandId::kPin)->picture, MenuPicture::kPin);
  EXPECT_EQ(FindMenuItem(CommandId::kClose)->picture, MenuPicture::kClose);
}

TEST(MenuModel, OpacityItemsMapToLevels) {
  EXPECT_EQ(OpacityLevelOf(CommandId::kOpacity1), 1);
  EXPECT_EQ(OpacityLevelOf(CommandId::kOpacity10), 10);
  EXPECT_EQ(OpacityLevelOf(CommandId::kPin), 0);
  EXPECT_EQ(FindMenuItem(OpacityCommand(3))->caption, "30 %");
  EXPECT_EQ(OpacityCommand(0), CommandId::kOpacity10);
  EXPECT_EQ(OpacityCommand(11), CommandId::kOpacity10);
}

TEST(TrayMenuState, FollowsTheVisibilityOfTheNotes) {
  const TrayMenuStates none = TrayMenuState(0, 0);
  EXPECT_FALSE(none.show_all || none.hide_all || none.show_selected || none.delete_notes);

  const TrayMenuStates visible = TrayMenuState(2, 0);
  EXPECT_TRUE(visible.hide_all);
  EXPECT_FALSE(visible.show_all);
  EXPECT_TRUE(visible.show_selected && visible.delete_notes);

  const TrayMenuStates hidden = TrayMenuState(0, 3);
  EXPECT_FALSE(hidden.hide_all);
  EXPECT_TRUE(hidden.show_all);
  EXPECT_TRUE(hidden.show_selected && hidden.delete_notes);

  const TrayMenuStates mixed = TrayMenuState(1, 1);
  EXPECT_TRUE(mixed.hide_all && mixed.show_all && mixed.show_selected && mixed.delete_notes);
}

TEST(NoteMenuState, PinCheckReadsOnTopAsABoolean) {
  for (const char* yes : {"True", "true", "TRUE", " True ", "1", "-1", "2.5"}) {
    EXPECT_TRUE(NoteMenuState(yes, "10", 0).pin_checked) << yes;
  }
  for (const char* no : {"False", "false", "0", "0.0", "", "sim", "yes", "1x", "-"}) {
    EXPECT_FALSE(NoteMenuState(no, "10", 0).pin_checked) << no;
  }
}

TEST(NoteMenuState, OpacityOutsideOneToTenChecksOneHundredPercent) {
  EXPECT_EQ(NoteMenuState("False", "3", 0).opacity_level, 3);
  EXPECT_EQ(NoteMenuState("False", " 1 ", 0).opacity_level, 1);
  EXPECT_EQ(NoteMenuState("False", "10", 0).opacity_level, 10);
  for (const char* bad : {"", "0", "11", "-3", "abc", "3.5", "5x", "99999999999999999999"}) {
    EXPECT_EQ(NoteMenuState("False", bad, 0).opacity_level, 10) << bad;
  }
}

TEST(NoteMenuState, CutAndCopyNeedASelection) {
  EXPECT_FALSE(NoteMenuState("False", "10", 0).cut_enabled);
  EXPECT_FALSE(NoteMenuState("False", "10", 0).copy_enabled);
  EXPECT_FALSE(NoteMenuState("False", "10", -1).copy_enabled);
  EXPECT_TRUE(NoteMenuState("False", "10", 5).cut_enabled);
  EXPECT_TRUE(NoteMenuState("False", "10", 5).copy_enabled);
}

TEST(CommandAvailable, LaterFeaturesStayDisabled) {
  for (CommandId later : {CommandId::kAlarm, CommandId::kFont, CommandId::kPrint,
                          CommandId::kLoadFile, CommandId::kSaveFile, CommandId::kDateTime,
                          CommandId::kTitle, CommandId::kShowSelected, CommandId::kDeleteNotes}) {
    EXPECT_FALSE(CommandAvailable(later)) << static_cast<int>(later);
  }
  for (CommandId ready : {CommandId::kNewNote, CommandId::kShowAll, CommandId::kHideAll,
                          CommandId::kDeleteNote, CommandId::kPin, CommandId::kOpacity1,
                          CommandId::kCut, CommandId::kHelp, CommandId::kClose}) {
    EXPECT_TRUE(CommandAvailable(ready)) << static_cast<int>(ready);
  }
}

}  // namespace
}  // namespace velumbrino
