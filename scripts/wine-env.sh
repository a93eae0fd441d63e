# Sourced by the scripts: a private Wine prefix under build/, one wineserver kept for the
# whole run, and an X display (Xvfb when there is none).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$root/build/wineprefix"
zr640_bin="$root/build/win64/bin"

# The x64 deliverables run in build/wineprefix (64-bit Wine), the x86 ones in their own 32-bit
# prefix build/wineprefix-win32.
zr640_use_arch() {
  case "$1" in
    win64) export WINEPREFIX="$root/build/wineprefix"; unset WINEARCH ;;
    win32) export WINEPREFIX="$root/build/wineprefix-win32" WINEARCH=win32 ;;
    *) echo "wine-env: no such arch $1" >&2; return 1 ;;
  esac
  zr640_bin="$root/build/$1/bin"
}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The system language of the prefix follows the locale; tests choose theirs through a seam.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

zr640_xvfb_pids=()
# A display of its own: a new Xvfb on the first free number, exported as DISPLAY. Two test runs
# that move the mouse and the focus must not share one.
zr640_new_display() {
  local n pid
  for n in $(seq 90 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 50); do
      if kill -0 "$pid" 2>/dev/null && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        zr640_xvfb_pids+=("$pid")
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break  # lost the number to another server
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  echo "wine-env: cannot start Xvfb" >&2
  return 1
}

# The display already set, or a new one.
zr640_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  zr640_new_display
}

zr640_start_wine() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-env: creating the Wine prefix $WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    # The server wineboot started goes when its last program does; only then can the
    # persistent one below start (else every program would start Wine's services anew).
    wineserver -w 2>/dev/null || true
  fi
  wineserver -p 2>/dev/null || true  # a server already running for the prefix is fine
  # Without a window manager on the display, managed windows make every closing window wait
  # two seconds for a withdrawal that never comes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  # Dialog fonts fall back to a CJK font for the Chinese texts.
  local face
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
         /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
  done
}

zr640_stop() {
  local prefix
  for prefix in "$root/build/wineprefix" "$root/build/wineprefix-win32"; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  done
  local pid
  for pid in "${zr640_xvfb_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# The driver package (scripts/package: both architectures, or only this one when the other is
# not built) installed as a driver maker ships it: its files in the prefix's driver folder, the
# viewer also in C:\RZKDriverlog\ and its language files in the user's RZK folder, where it
# reads them; and the test printer whose port is a file.
zr640_install_driver() {
  local arch=amd64 package="$root/build/package/ZR640"
  [[ "$zr640_bin" == */win32/bin ]] && arch=x86
  # A caller that runs several installs at once packages once beforehand and says so.
  if [ -n "${zr640_package_ready:-}" ]; then
    :
  elif [ -f "$root/build/win64/bin/ZR640UI.dll" ] && [ -f "$root/build/win32/bin/ZR640UI.dll" ]; then
    "$root/scripts/package" >/dev/null || return 1
  else
    "$root/scripts/package" --only "$arch" >/dev/null || return 1
  fi
  wine "$zr640_bin/zr640install.exe" --package "$(winepath -w "$package")" \
       --printer "T-ZR640 Test" --port 'C:\capture\zr640.prn' >/dev/null
}
