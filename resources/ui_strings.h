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

#endif  // VELUMBRINO_UI_STRINGS_H
