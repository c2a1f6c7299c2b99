#!/usr/bin/env bash
# Fails when an executable imports a library Windows does not always take from the system folder.
# Any other library named in the import table is searched for beside the program first, so a file
# of that name dropped there would run inside it; such libraries are loaded on first use through
# LoadSystemLibrary (src/platform/system_library_win.h) instead.
# comctl32 is allowed because the manifest binds it to the system's Common Controls 6 assembly.
set -euo pipefail
ALLOWED="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll"
status=0
for exe in "$@"; do
  names=$(LC_ALL=C x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$names" ] || { echo "check_imports: no import table read from $exe" >&2; status=1; }
  for name in $names; do
    case " $ALLOWED " in
      *" $name "*) ;;
      *) echo "check_imports: $exe imports $name, which may be loaded from beside the program" >&2
         status=1 ;;
    esac
  done
done
[ $status -eq 0 ] && echo "check_imports: only system libraries imported by $*"
exit $status
