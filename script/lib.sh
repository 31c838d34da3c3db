# Shared by script/run, script/test and script/bench: installs what is
# missing, and sets up a Wine prefix of this run's own.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
  cmake ninja-build g++ pkg-config bc
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth fonts-wine xdotool imagemagick
  sendemail python3-aiosmtpd unzip
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# A virtual display of this run's own: Wine creates no window without one,
# and a prefix first booted without a display creates none in its first run.
start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "cannot start Xvfb" >&2
  return 1
}

# A fresh prefix per run, so that `wineserver -k` ends only this run's
# processes. The server and the prefix's services are started with no pipe
# attached: a Wine program inherits any pipe it is started on and hands it to
# the services, and whoever reads that pipe would then wait for ever.
start_wine() {
  start_display
  export WINEPREFIX="${WINEPREFIX_FOR_RUN:-$(mktemp -d /tmp/orvenda-wine-XXXXXX)}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineserver -p </dev/null >/dev/null 2>&1
  wineboot -i </dev/null >/dev/null 2>&1
  install_fonts
  set_window_frames win10
  # With no window manager on the virtual display, Wine waits two seconds
  # whenever a managed window is hidden or destroyed; let Wine frame them.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
}

# The prefix's own fonts, as a Windows machine has them: Debian's fonts-wine
# puts Tahoma (the face Wine gives "MS Shell Dlg") where this Wine does not
# look, so that without it every dialog face falls back to a wider one.
install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/tahoma*.ttf "$fonts"/
}

# The window frames of the prefix, for the programs started afterwards:
# "win10", as Windows 10 and 11 draw them (thicker than the classic ones, and
# what most users have), or "classic", a fresh prefix's own. With a second
# argument, the system DPI too. Windows 10 keeps its sizes in twips, negative;
# a fresh prefix has its classic ones in pixels.
set_window_frames() {
  local names=(BorderWidth CaptionHeight CaptionWidth SmCaptionHeight SmCaptionWidth PaddedBorderWidth
    ScrollWidth ScrollHeight MenuHeight MenuWidth)
  local values=(-15 -330 -330 -330 -330 -60 -255 -255 -285 -285) i
  [ "$1" = classic ] && values=(1 18 18 15 15 0 17 17 18 18)
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    [ -n "${2:-}" ] && printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n' "$2"
    printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n'
    for i in "${!names[@]}"; do printf '"%s"="%s"\r\n' "${names[$i]}" "${values[$i]}"; done
  } >"$WINEPREFIX/drive_c/orvenda-frames.reg"
  wine reg import 'C:\orvenda-frames.reg' </dev/null >/dev/null 2>&1
  rm -f "$WINEPREFIX/drive_c/orvenda-frames.reg"
}

stop_wine() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    case "$WINEPREFIX" in /tmp/orvenda-wine-*) rm -rf "$WINEPREFIX" ;; esac
  fi
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
