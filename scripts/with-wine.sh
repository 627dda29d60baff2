#!/usr/bin/env bash
# Runs a command with a Wine environment of the project's own: a prefix under
# build/, an X display (Xvfb when asked for or when there is none), and a
# wineserver kept up for the duration.
#   scripts/with-wine.sh [--fresh] [--xvfb] command...
#     --fresh  start from a new prefix (the tests use this)
#     --xvfb   use a virtual display even when $DISPLAY is set
#     --discard  remove the prefix at the end when the command succeeded (a test's own
#              prefix: a failed one stays for a look)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fresh=0
xvfb=0
discard=0
while [ $# -gt 0 ]; do
  case "$1" in
    --fresh) fresh=1; shift ;;
    --xvfb) xvfb=1; shift ;;
    --discard) discard=1; shift ;;
    *) break ;;
  esac
done

export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"

xvfb_pid=""
cleanup() {
  local status=$?
  # A fresh prefix is this run's alone; a reused one may serve other commands too.
  if [ "$fresh" = 1 ]; then timeout 20 wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  # Each prefix is some hundreds of MB, and a run makes many.
  if [ "$discard" = 1 ] && [ "$status" = 0 ]; then rm -rf "$WINEPREFIX"; fi
}
trap cleanup EXIT

if [ "$xvfb" = 1 ] || [ -z "${DISPLAY:-}" ]; then
  # Several of these may start at once (tests run side by side), and two may try the
  # same display: it is ours only when its lock file names our server. Otherwise our
  # server is stopped (the other one keeps the display) and the next one is tried.
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    owner=""
    for _ in $(seq 1 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        owner=$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null || true)
        [ -n "$owner" ] && break
      fi
      sleep 0.1
    done
    if [ "$owner" = "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "with-wine: using a virtual display (Xvfb $DISPLAY)" >&2
fi

# A new prefix: wineboot, with the server kept up from the start (waiting for the one
# that wineboot starts to linger and end costs seconds), and the fonts.
make_prefix() {
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 || true
  timeout 120 wineboot -i >/dev/null 2>&1
  # Wine's game-controller bus asks SDL for events every millisecond, a few percent of a
  # core for each prefix, and the tests run many prefixes at once: none needs a joystick.
  timeout 60 wine reg add 'HKLM\System\CurrentControlSet\Services\winebus' \
    /v 'Enable SDL' /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

if [ "$fresh" = 1 ]; then
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  # A fresh prefix is a copy of a template that the first command to need it makes,
  # while the others wait, and that lasts while Wine does not change: a copy costs a
  # second of CPU, wineboot several, and the tests make many prefixes side by side.
  template="$root/build/wineprefix-template"
  # (made anew, too, when this script, which says how a prefix is made, changes)
  wine_version=$(wine --version 2>/dev/null; ls -l --time-style=+%s "$(command -v wine)" 2>/dev/null
                 cksum <"$root/scripts/with-wine.sh")
  mkdir -p "$root/build"
  (
    flock 9
    if [ "$(cat "$template/.with-wine" 2>/dev/null)" != "$wine_version" ]; then
      # Without the lock's descriptor: a Wine process that outlives the making (a
      # device host has been seen to) would hold the lock for good, and every later
      # fresh prefix would wait for it.
      (
        export WINEPREFIX="$template"
        rm -rf "$template"
        make_prefix
        # Stopping the server writes the registry out.
        timeout 20 wineserver -k >/dev/null 2>&1 || true
        timeout 20 wineserver -w >/dev/null 2>&1 || true
        printf '%s' "$wine_version" >"$template/.with-wine"
      ) 9>&-
    fi
  ) 9>"$root/build/wineprefix-template.lock"
  cp -a "$template" "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  make_prefix
fi
wineserver -p >/dev/null 2>&1 || true
# Start Wine's own background processes (desktop, services) now, detached from
# our output: started later by a test, they would hold its output pipe open and
# keep ctest waiting until they exit.
timeout 60 wine reg query 'HKCU\Software' >/dev/null 2>&1 </dev/null || true

"$@"
