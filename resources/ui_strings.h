// Every text the user sees, in UTF-8. The C++ code and the resource script both include this
// file, so a caption or message is written once. Plain macros: the resource compiler's
// preprocessor understands nothing else.
#ifndef VELUMBRINO_UI_STRINGS_H
#define VELUMBRINO_UI_STRINGS_H

#define TXT_PROGRAM_NAME "Velumbrino"

// ---- Shell: tray, menus, messages -------------------------------------------------------

// ---- Note window and editing commands ---------------------------------------------------

// ---- Alarms -----------------------------------------------------------------------------

// ---- Note dialogs: title, insert date and time, show and delete -------------------------

// Note title dialog
#define TXT_TITLE_DIALOG_CAPTION "Título da Nota"
#define TXT_TITLE_DIALOG_FRAME "Título da Nota"
#define TXT_TITLE_DIALOG_OK "Ok"
#define TXT_TITLE_DIALOG_CANCEL "Cancelar"
#define TXT_TITLE_BUTTON_DATE "Data"
#define TXT_TITLE_BUTTON_TIME "Hora"
#define TXT_TITLE_BUTTON_DATE_AND_TIME "Com Data e Hora"

// Insert date and time
#define TXT_INSERT_DATE_CAPTION "Data e hora"
#define TXT_INSERT_DATE_FORMATS "Formatos disponíveis:"
#define TXT_INSERT_DATE_OK "OK"
#define TXT_INSERT_DATE_CANCEL "Cancelar"

// Show and delete notes
#define TXT_SHOW_NOTES_CAPTION "Mostrar Notas"
#define TXT_DELETE_NOTES_CAPTION "Excluir Notas..."
#define TXT_NOTE_LIST_SELECTED "&Selecionadas"
#define TXT_NOTE_LIST_ALL "&Todas"
#define TXT_NOTE_LIST_CANCEL "Cancelar"
#define TXT_NOTE_LIST_HELP "&Ajuda"
#define TXT_NOTE_LIST_BLANK_TITLE "[Em Branco]"
#define TXT_NOTE_LIST_HELP_MISSING_CAPTION "Ajuda do Windows"
#define TXT_NOTE_LIST_HELP_MISSING                                                          \
  "Aquivo de ajuda Ajuda.chm não encontrado.Verifique se o arquivo está mesmo no disco.\r\n" \
  "Se ele não existir, você precisara reinstalá-lo."
// Shown (caption TXT_PROGRAM_NAME) when some notes or files could not be deleted.
#define TXT_DELETE_FAILED_NOTES "Não foi possível excluir estas notas; elas continuam abertas:"
#define TXT_DELETE_FAILED_FILES \
  "Estes arquivos da pasta de notas não puderam ser excluídos:"
#define TXT_DELETE_FAILED_MORE "e mais %d."
#define TXT_DELETE_FAILED_HINT \
  "Feche os programas que possam estar usando esses arquivos e tente de novo."

// ---- Files: font, print, load and save --------------------------------------------------

#endif  // VELUMBRINO_UI_STRINGS_H
