// Every text the user sees, in UTF-8. The C++ code and the resource script both include this
// file, so a caption or message is written once. Plain macros: the resource compiler's
// preprocessor understands nothing else.
#ifndef VELUMBRINO_UI_STRINGS_H
#define VELUMBRINO_UI_STRINGS_H

#define TXT_PROGRAM_NAME "Velumbrino"

// ---- Shell: tray, menus, messages -------------------------------------------------------
#define TXT_MESSAGE_TITLE "Velumbrino"
#define TXT_WELCOME_BALLOON \
  "Para criar uma nova nota dê um clique dublo no ícone do Velumbrino ou pressione Shift+Ctrl+N  "
#define TXT_CONFIRM_DELETE_NOTE "Deseja Excluir o Lembrete Atual?"
// Followed by the folder, then TXT_SAVE_FAILURE_ADVICE.
#define TXT_SAVE_FAILURE "Não foi possível gravar as notas na pasta"
#define TXT_SAVE_FAILURE_ADVICE                                                              \
  "Verifique se a pasta existe, se não está protegida contra gravação e se há espaço no " \
  "disco. O Velumbrino continua aberto e tentará gravar de novo."
#define TXT_NEW_NOTE_REFUSED \
  "A nota não foi criada: não foi possível gravar na pasta de notas. Tente de novo depois."
#define TXT_HELP_MISSING                                                                   \
  "Aquivo de ajuda Ajuda.chm não encontrado.Verifique se o arquivo está mesmo no disco.\r\n" \
  "Se ele não existir, você precisara reinstalá-lo."
#define TXT_HELP_MISSING_TITLE "Ajuda do Windows"
#define TXT_ABOUT_TITLE "Sobre o Velumbrino"
#define TXT_ABOUT_NAME "Velumbrino"  // the version follows
#define TXT_ABOUT_DESCRIPTION "Notas adesivas para a área de trabalho"
#define TXT_ABOUT_COPYRIGHT "© Ovrask"
#define TXT_ABOUT_LINK "www.ovrask.com.br/velumbrino"
#define TXT_BUTTON_OK "OK"

#define TXT_MENU_NEW_NOTE "Nova Nota"
#define TXT_MENU_NOTES "Notas"
#define TXT_MENU_DELETE_NOTES "Excluir"
#define TXT_MENU_SHOW_SELECTED "Mostra Selecionadas..."
#define TXT_MENU_SHOW_ALL "Mostrar Todos"
#define TXT_MENU_HIDE_ALL "Ocutar Todos"
#define TXT_MENU_HELP "Ajuda"
#define TXT_MENU_SUPPORT "Obtendo Suporte..."
#define TXT_MENU_ABOUT "Sobre o Velumbrino..."
#define TXT_MENU_CLOSE "Fechar"
#define TXT_MENU_PIN "Sempre Visível"
#define TXT_MENU_HIDE_NOTE "Ocultar"
#define TXT_MENU_ALARM "Alarme"
#define TXT_MENU_DELETE_NOTE "Excluir"
#define TXT_MENU_APPEARANCE "Aparência"
#define TXT_MENU_CLASSIC "Classico"
#define TXT_MENU_CUSTOM_COLOR "Personaliza"
#define TXT_MENU_OPACITY "Transparência"
#define TXT_MENU_FONT "Fonte..."
#define TXT_MENU_PRINT "Imprimir"
#define TXT_MENU_TEXT "Texto"
#define TXT_MENU_UNDO "Desfazer"
#define TXT_MENU_CUT "Recortar"
#define TXT_MENU_COPY "Copiar"
#define TXT_MENU_PASTE "Colar"
#define TXT_MENU_SELECT_ALL "Selecionar Tudo"
#define TXT_MENU_LOAD_FILE "Carregar do Arquivo..."
#define TXT_MENU_SAVE_FILE "Salvar em Arquivo..."
#define TXT_MENU_INSERT "Inserir"
#define TXT_MENU_DATE_TIME "Data e hora..."
#define TXT_MENU_TITLE "Título..."

// ---- Note window and editing commands ---------------------------------------------------
#define TXT_TIP_PIN "Sempre Visível"
#define TXT_TIP_HIDE "Ocutar Nota"
// A body that made the program close while loading: shown in its place (%s: file name).
#define TXT_BODY_SET_ASIDE \
  "O texto desta nota não foi aberto porque fez o Velumbrino fechar; o arquivo %s foi guardado."
// Told once (%s: the note's title, then the body file's path).
#define TXT_BODY_SET_ASIDE_NOTICE                                                          \
  "A nota \"%s\" não foi aberta: o texto dela fez o Velumbrino fechar ao ser carregado. " \
  "O arquivo foi guardado sem alterações: %s"

// A body that exists but could not be read at start (held by another program): shown in its
// place, read-only; it is loaded again at the next start (%s: file name).
#define TXT_BODY_UNREADABLE                                                               \
  "O texto desta nota não pôde ser lido agora (o arquivo %s está em uso por outro "       \
  "programa). Ele não foi alterado e será aberto na próxima vez que o Velumbrino iniciar."
// At start, before any note is read (%s: file name).
#define TXT_STORE_FILE_HELD                                                                \
  "Outro programa está usando o arquivo %s das notas. Se o Velumbrino abrisse as notas " \
  "agora, poderia perdê-las.\r\n\r\nFeche o outro programa e clique em Repetir, ou clique " \
  "em Cancelar para fechar o Velumbrino sem alterar nenhuma nota."
// A command that would change such a body, or a set-aside one.
#define TXT_BODY_PROTECTED                                                                \
  "O texto desta nota não foi aberto, por isso não pode ser alterado agora. O arquivo "   \
  "original continua guardado sem alterações."

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
// Shown (caption TXT_PROGRAM_NAME) when some notes or files could not be deleted.
#define TXT_DELETE_FAILED_NOTES "Não foi possível excluir estas notas; elas continuam abertas:"
#define TXT_DELETE_FAILED_FILES \
  "Estes arquivos da pasta de notas não puderam ser excluídos:"
#define TXT_DELETE_FAILED_MORE "e mais %d."
#define TXT_DELETE_FAILED_HINT \
  "Feche os programas que possam estar usando esses arquivos e tente de novo."
// The name a deleted note without a title has in the Recycle Bin (before its date and time).
#define TXT_DELETED_NOTE_FILE_NAME "Nota"
// Tray balloon at start, followed by the titles of the notes taken back in.
#define TXT_NOTES_CAME_BACK "Estas notas voltaram:"

// ---- Files: font, print, load and save --------------------------------------------------

// Font command.
#define TXT_FONT_MAKE_DEFAULT_QUESTION "Deseja definir como fonte padrão ?"

// Print command: no printer installed (information box, caption as written).
#define TXT_PRINT_NO_PRINTER "Aviso: Não foi possível localizar uma impressora padrão existente."
#define TXT_PRINT_NO_PRINTER_CAPTION "imprimir"

// Print command: the job could not be sent or finished.
#define TXT_PRINT_FAILED "Não foi possível imprimir a nota."

// Load command: the note already has text (the load replaces all of it).
#define TXT_LOAD_REPLACES_TEXT \
  "O texto atual desta nota será substituído pelo conteúdo do arquivo. Deseja continuar?"
// Save command: the ".txt" added to the typed name makes it the name of an existing file.
#define TXT_SAVE_REPLACES_FILE "O arquivo “%s” já existe. Deseja substituí-lo?"

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
