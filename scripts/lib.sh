# Shared set-up for scripts/run, scripts/test and scripts/wine-exec.
# Everything the project needs comes from Debian's packages.

VEXA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

vexa_log() { printf '[vexa] %s\n' "$*" >&2; }

# Installs the Debian packages that are missing (as root, or through sudo).
vexa_ensure_packages() {
  local want=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
              g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
              wine wine64 xvfb x11-utils imagemagick python3 ripgrep msitools wixl "$@")
  local missing=()
  for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  vexa_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

vexa_wine_env() {
  export WINEPREFIX="${WINEPREFIX:-$VEXA_ROOT/build/wineprefix}"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  export WINEARCH=win64
  if [ -x /usr/lib/wine/wine64 ]; then VEXA_WINE=/usr/lib/wine/wine64; else VEXA_WINE=$(command -v wine64 || command -v wine); fi
  if [ -x /usr/lib/wine/wineserver ]; then VEXA_WINESERVER=/usr/lib/wine/wineserver; else VEXA_WINESERVER=$(command -v wineserver); fi
  export VEXA_WINE VEXA_WINESERVER
}

# Creates the prefix once: booted, no crash dialog, no window-manager waits.
vexa_ensure_prefix() {
  [ -f "$WINEPREFIX/.vexa-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  local lock="$WINEPREFIX.lock"
  exec 9>"$lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.vexa-ready" ]; then
    vexa_log "creating Wine prefix $WINEPREFIX"
    "$VEXA_WINE" wineboot -i >/dev/null 2>&1 || true
    "$VEXA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    "$VEXA_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$VEXA_WINESERVER" -w
    touch "$WINEPREFIX/.vexa-ready"
  fi
  flock -u 9
}

# Starts Xvfb on a free display number of our own; sets DISPLAY and VEXA_XVFB_PID.
vexa_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    VEXA_XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$VEXA_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n" VEXA_XVFB_PID
      return 0
    fi
  done
  vexa_log "could not start Xvfb"
  return 1
}

vexa_stop_xvfb() {
  [ -n "${VEXA_XVFB_PID:-}" ] && kill "$VEXA_XVFB_PID" 2>/dev/null && wait "$VEXA_XVFB_PID" 2>/dev/null
  VEXA_XVFB_PID=""
}

vexa_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && "$VEXA_WINESERVER" -k >/dev/null 2>&1 || true
}
