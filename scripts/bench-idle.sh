#!/usr/bin/env bash
# What rilto32 costs while idle, beside minimal_tray (a tray program of the same shape
# with nothing in it), both started side by side in the same Wine session and left alone
# for two minutes with every window hidden:
#   - wake-ups of the main thread: the messages it retrieves (timers, posted and sent
#     ones), counted in Wine's +msg trace; beside them its voluntary context switches
#     (under Wine each Windows thread is a Linux thread, the main one the process's first
#     task), which count every call to the Wine server as well,
#   - CPU: user and system time of the whole process, as a share of one core,
#   - private memory: RssAnon at the end (anonymous resident memory, what the process
#     itself allocated; the mapped DLLs that every Wine process shares are left out).
# Prints the figures, then one @figure line each for the benchmark table. Expects a Wine
# environment with a display (scripts/with-wine.sh --xvfb scripts/bench-idle.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/bin"
idle_seconds=${IDLE_SECONDS:-120}
settle_seconds=10
store='HKCU\Software\VB and VBA Program Settings\Rilto Micropause'

for exe in rilto32.exe minimal_tray.exe; do
  if [ ! -f "$bin/$exe" ]; then
    echo "bench-idle: no $exe in $bin (build the windows preset first)" >&2
    exit 1
  fi
done

# The unix process of a program of ours: its command name (cut to 15 characters by the
# kernel) and our Wine prefix, so that other prefixes' copies are not taken.
unix_pid() {
  local name=${1:0:15} p
  for p in $(pgrep -x "$name" || true); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$p"
    fi
  done | tail -n 1
}
wait_for_pid() {
  local p=""
  for _ in $(seq 1 200); do
    p=$(unix_pid "$1")
    [ -n "$p" ] && break
    sleep 0.1
  done
  echo "$p"
}
wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/task/$1/status"; }
# User and system time of every thread, in clock ticks (fields 14 and 15 after the
# command name, which may hold spaces).
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
rss_anon_kb() { awk '/^RssAnon/ {print $2}' "/proc/$1/status"; }

# The Wine thread id of the main thread, from the trace: the thread that set the
# minute timer (both programs set it on their main window).
main_thread() { grep -m1 'NtUserSetTimer Added .* timeout 60000' "$1" | cut -d: -f1; }
lines() { wc -l <"$1"; }
# Messages the thread retrieved after line `from` of the trace.
retrieved() { tail -n +"$(($2 + 1))" "$1" | grep -c "^$3:trace:msg:peek_message got" || true; }

trace=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wine reg delete "$store" /f >/dev/null 2>&1 || true
  rm -rf "$trace"
}
trap cleanup EXIT

# A known store: set up, quiet, nothing to ask at start.
wine reg delete "$store" /f >/dev/null 2>&1 || true
wine reg add "$store\\Options" /v Initialised /d 1 /f >/dev/null
wine reg add "$store\\Micropause" /v Audible /d 0 /f >/dev/null
wine reg add "$store\\Micropause" /v AudiblePre /d 0 /f >/dev/null
wine reg add "$store\\Exercise" /v AudibleX /d 0 /f >/dev/null

(cd "$bin" && WINEDEBUG=+msg exec wine rilto32.exe) >/dev/null 2>"$trace/rilto" &
(cd "$bin" && WINEDEBUG=+msg exec wine minimal_tray.exe) >/dev/null 2>"$trace/minimal" &
rilto=$(wait_for_pid rilto32.exe)
minimal=$(wait_for_pid minimal_tray.exe)
if [ -z "$rilto" ] || [ -z "$minimal" ]; then
  echo "bench-idle: the programs did not start" >&2
  exit 1
fi
pids=("$rilto" "$minimal")
sleep "$settle_seconds"
r_tid=$(main_thread "$trace/rilto"); m_tid=$(main_thread "$trace/minimal")
if [ -z "$r_tid" ] || [ -z "$m_tid" ]; then
  echo "bench-idle: no minute timer in the traces" >&2
  exit 1
fi

r_wake0=$(wakeups "$rilto"); m_wake0=$(wakeups "$minimal")
r_line0=$(lines "$trace/rilto"); m_line0=$(lines "$trace/minimal")
r_cpu0=$(cpu_ticks "$rilto"); m_cpu0=$(cpu_ticks "$minimal")
start=$(date +%s%N)
sleep "$idle_seconds"
r_wake=$(($(wakeups "$rilto") - r_wake0)); m_wake=$(($(wakeups "$minimal") - m_wake0))
r_msg=$(retrieved "$trace/rilto" "$r_line0" "$r_tid"); m_msg=$(retrieved "$trace/minimal" "$m_line0" "$m_tid")
r_cpu=$(($(cpu_ticks "$rilto") - r_cpu0)); m_cpu=$(($(cpu_ticks "$minimal") - m_cpu0))
end=$(date +%s%N)
r_mem=$(rss_anon_kb "$rilto"); m_mem=$(rss_anon_kb "$minimal")
hz=$(getconf CLK_TCK)

# The figures and whether each goal holds, worked out at once.
awk -v rw="$r_wake" -v mw="$m_wake" -v rg="$r_msg" -v mg="$m_msg" -v rc="$r_cpu" -v mc="$m_cpu" -v hz="$hz" \
    -v s="$(((end - start) / 1000000))" -v rm="$r_mem" -v mm="$m_mem" -v secs="$idle_seconds" 'BEGIN {
  ratio = rg / (mg > 0 ? mg : 1)
  switches = rw / (mw > 0 ? mw : 1)
  s /= 1000  # milliseconds to seconds
  rp = 100 * rc / hz / s; mp = 100 * mc / hz / s
  rmb = rm / 1024; mmb = mm / 1024
  printf "idle for %d s, side by side (rilto32 / minimal_tray):\n", secs
  printf "  main thread wake-ups       %6d / %-6d  (%.2fx)   messages retrieved\n", rg, mg, ratio
  printf "  its voluntary switches     %6d / %-6d  (%.2fx)   with every Wine server call\n", rw, mw, switches
  printf "  CPU, share of one core     %6.2f / %-6.2f %%\n", rp, mp
  printf "  RssAnon at the end         %6.1f / %-6.1f MB\n", rmb, mmb
  verdict = ratio <= 1.2 ? "holds" : "FAILS"
  printf "@figure\tidle wake-ups in %d s (rilto32 / minimal)\t%d / %d (%.2fx)\tat most 1.2x\t%s\n", \
         secs, rg, mg, ratio, verdict
  verdict = rp <= mp + 0.5 ? "holds" : "FAILS"
  printf "@figure\tidle CPU in %d s (rilto32 / minimal)\t%.2f %% / %.2f %%\tat most the minimal'"'"'s + 0.5 point\t%s\n", \
         secs, rp, mp, verdict
  verdict = rmb - mmb <= 1.5 ? "holds" : "FAILS"
  printf "@figure\tidle private memory, RssAnon (rilto32 / minimal)\t%.1f MB / %.1f MB (+%.1f MB)\tat most 1.5 MB more\t%s\n", \
         rmb, mmb, rmb - mmb, verdict
}'

# rilto32 ends as a user's shutdown would end it; the minimal program as any other.
(cd "$bin" && timeout 20 wine shutdowntrigger.exe) >/dev/null 2>&1 || true
