# Shared by run.sh and test.sh: packages, the Wine environment and a private display.
# shellcheck shell=bash
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
REQUIRED_PACKAGES=(cmake make g++ python3 googletest g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xdotool x11-utils imagemagick fp-utils libchm-bin clang locales
  libclang-rt-14-dev nsis cups printer-driver-cups-pdf poppler-utils)

# Installs what is missing as root; otherwise prints the exact command and fails.
ensure_packages() {
  local missing=() pkg
  for pkg in "${REQUIRED_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them as root with:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# Wine takes its language from LANG; without the generated locale it falls back to English
# and cannot even create files with accented names.
ensure_locale() {
  locale -a 2>/dev/null | grep -qix 'pt_BR.utf8' && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "The pt_BR.UTF-8 locale is missing. Generate it as root with:" >&2
    echo "  sed -i 's/^# *pt_BR.UTF-8 UTF-8/pt_BR.UTF-8 UTF-8/' /etc/locale.gen && locale-gen" >&2
    exit 1
  fi
  sed -i 's/^# *pt_BR.UTF-8 UTF-8/pt_BR.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^pt_BR.UTF-8 UTF-8' /etc/locale.gen || echo 'pt_BR.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
}

# $1: the Wine prefix to use. Exports everything the wine-run.sh wrapper needs.
export_wine_env() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=pt_BR.UTF-8
  export WINE=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver
}

# Creates the prefix once. With $2 = private, the user folders become real folders inside
# the prefix (Wine links them to $HOME), so tests never touch the developer's files.
prepare_wine_prefix() {
  local mode=${1:-shared}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX (once)..."
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  use_virtual_desktop
  if [ "$mode" = private ]; then
    local home="$WINEPREFIX/drive_c/users/$(id -un)" dir
    for dir in Desktop Documents Downloads Music Pictures Videos; do
      if [ -L "$home/$dir" ]; then rm -f "$home/$dir"; mkdir -p "$home/$dir"; fi
    done
  fi
}

# Every program of the prefix runs in Wine's own desktop, named "shell" so that it has a taskbar
# with the notification area: windows get Windows' captions, close boxes and focus, with no
# window manager needed on the X display.
use_virtual_desktop() {
  grep -q '^"Desktop"="shell"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  cat >"$WINEPREFIX/drive_c/desktop.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="shell"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"shell"="1280x800"
EOF
  "$WINE" regedit /S 'C:\desktop.reg' >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/drive_c/desktop.reg"
  "$WINESERVER" -k 2>/dev/null || true  # the desktop is chosen when a session starts
}

# Starts a private Xvfb when there is no display; sets DISPLAY and XVFB_PID.
ensure_display() {
  XVFB_PID=""
  [ -n "${DISPLAY:-}" ] && return 0
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "Xvfb did not start on :$n" >&2
  exit 1
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

build_preset() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}
