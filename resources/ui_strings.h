// Every text the user sees, in UTF-8. The C++ code and the resource script both include this
// file, so a caption or message is written once. Plain macros: the resource compiler's
// preprocessor understands nothing else.
#ifndef VELUMBRINO_UI_STRINGS_H
#define VELUMBRINO_UI_STRINGS_H

#define TXT_PROGRAM_NAME "Velumbrino"

// ---- Shell: tray, menus, messages -------------------------------------------------------

// ---- Note window and editing commands ---------------------------------------------------

// ---- Alarms -----------------------------------------------------------------------------

#define TXT_ALARM_DIALOG_CAPTION "Ajustar Alarme"
#define TXT_ALARM_USE "Usar Alarme"
#define TXT_ALARM_DAILY "Todos os dias"
#define TXT_ALARM_DATE_LABEL "Data:"
#define TXT_ALARM_TIME_LABEL "Hora:"
#define TXT_ALARM_PLAY_SOUND "Tocar Som"
#define TXT_ALARM_SOUND_DEFAULT "Padrão"
#define TXT_ALARM_SOUND_FROM_FILE "Do Arquivo"
#define TXT_ALARM_BROWSE "Procurar..."
#define TXT_ALARM_TEST "Testar"
#define TXT_ALARM_OK "OK"
#define TXT_ALARM_CANCEL "Cancelar"
#define TXT_ALARM_HELP "Ajuda"
#define TXT_ALARM_SOUND_FILTER "Arquivo de áudio (*.wav)|*.wav"
#define TXT_ALARM_IN_PAST \
  "A data e Hora selecionada, é menor que a data atual. Por favor, selecione outra data e hora."
#define TXT_ALARM_UNREADABLE \
  "A data ou a hora do alarme não é válida. Por favor, selecione outra data e hora."
#define TXT_ALARM_SAVE_FAILED \
  "Não foi possível gravar o alarme. Verifique se o arquivo config.cfg pode ser alterado."

// ---- Note dialogs: title, insert date and time, show and delete -------------------------

// ---- Files: font, print, load and save --------------------------------------------------

#endif  // VELUMBRINO_UI_STRINGS_H
