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

// ---- Files: font, print, load and save --------------------------------------------------

// Font command.
#define TXT_FONT_MAKE_DEFAULT_QUESTION "Deseja definir como fonte padrão ?"

// Print command: no printer installed (information box, caption as written).
#define TXT_PRINT_NO_PRINTER "Aviso: Não foi possível localizar uma impressora padrão existente."
#define TXT_PRINT_NO_PRINTER_CAPTION "imprimir"

// Load and save commands: the file dialogs' filter, "description|pattern".
#define TXT_TEXT_FILE_FILTER "Documentos de texto (*.txt)|*.txt"

// A file that cannot be loaded or saved: the first line names it (%s = full path), the
// reason follows on its own paragraph.
#define TXT_FILE_CANNOT_LOAD "Não foi possível carregar o arquivo “%s”."
#define TXT_FILE_CANNOT_SAVE "Não foi possível salvar o arquivo “%s”."
#define TXT_FILE_REASON_NOT_FOUND \
  "O arquivo não existe mais. Ele pode ter sido movido ou excluído."
#define TXT_FILE_REASON_FOLDER_NOT_FOUND \
  "A pasta do arquivo não existe mais ou a unidade não está disponível."
#define TXT_FILE_REASON_READ_ONLY \
  "O arquivo ou o disco está protegido contra gravação (somente leitura)."
#define TXT_FILE_REASON_NO_READ_ACCESS "Você não tem permissão para abrir este arquivo."
#define TXT_FILE_REASON_NO_WRITE_ACCESS \
  "Você não tem permissão para gravar este arquivo ou nesta pasta."
#define TXT_FILE_REASON_LOCKED \
  "O arquivo está sendo usado por outro programa. Feche-o e tente novamente."
#define TXT_FILE_REASON_DISK_FULL "Não há espaço suficiente no disco."
#define TXT_FILE_REASON_INVALID_NAME "O nome ou o caminho do arquivo não é válido."
#define TXT_FILE_REASON_BINARY "O arquivo não é um documento de texto."
#define TXT_FILE_REASON_TOO_LARGE "O arquivo é grande demais para uma nota (o limite é 64 MB)."
#define TXT_FILE_REASON_OTHER "Ocorreu um erro inesperado ao acessar o arquivo."

#endif  // VELUMBRINO_UI_STRINGS_H
