#!/usr/bin/env bash
# The keylogger file test over a few hundred MB of real PE files (the DLLs
# and programs Wine installs, each at most 20,000,000 bytes, read once first
# so they are cached), timed as whole processes beside grep and ripgrep
# looking for the two text markers in the same files.
#
#   bench/marker_peers.sh [build/host]
#
# Uses hyperfine when installed (apt-get install hyperfine), plain timing
# otherwise. Prints every figure and the ratios.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/host}"
ours="$build/bench/marker_peers_bench"
[ -x "$ours" ] || { echo "build $ours first (cmake --build $build)" >&2; exit 1; }

list="$(mktemp)"
trap 'rm -f "$list"' EXIT
for dir in /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/x86_64-linux-gnu/wine/i386-windows; do
  [ -d "$dir" ] && find "$dir" -type f \( -name '*.dll' -o -name '*.exe' \) -size -19532k
done | sort >"$list"
count=$(wc -l <"$list")
[ "$count" -gt 0 ] || { echo "no PE files found (install wine)" >&2; exit 1; }
bytes=$(xargs -a "$list" cat | wc -c)
xargs -a "$list" cat >/dev/null  # cache them
echo "files: $count, bytes: $bytes"

# Word pieces, so this script itself is no match for anyone's search.
k="Key""stroke"
t="Team""Viewer"
files="$(tr '\n' ' ' <"$list")"
cmd_ours="$ours -f $list"
cmd_ours2="$ours -j 2 -f $list"
cmd_grep="grep -c -F -a -e $k -e $t $files"
cmd_rg="rg -c -F -a -e $k -e $t $files"

echo "ours:    $("$ours" -f "$list")"
echo "grep:    $(eval "$cmd_grep" | grep -vc ':0$' || true) files with a match"
command -v rg >/dev/null && echo "ripgrep: $(eval "$cmd_rg" | wc -l) files with a match"

run_round() {
  if command -v hyperfine >/dev/null; then
    args=(-N -i -w 2 -r 15 -n "marker test (1 thread)" "$cmd_ours" -n "marker test (2 threads)" "$cmd_ours2"
          -n "grep -F" "$cmd_grep")
    command -v rg >/dev/null && args+=(-n "ripgrep -F" "$cmd_rg")
    hyperfine "${args[@]}" 2>&1
  else
    for name in ours ours2 grep rg; do
      var="cmd_$name"
      [ "$name" = rg ] && ! command -v rg >/dev/null && continue
      start=$(date +%s%N)
      for _ in 1 2 3 4 5; do eval "${!var}" >/dev/null || true; done
      echo "$name: $(( ($(date +%s%N) - start) / 5000000 )) ms per run"
    done
  fi
}

echo "== round 1: all files (the marker test stops reading a file at its first marker)"
run_round

# Round 2: only the files without a text marker, so every program reads
# every byte.
clean="$(mktemp)"
trap 'rm -f "$list" "$clean"' EXIT
eval "grep -L -F -a -e $k -e $t $files" >"$clean" || true
files="$(tr '\n' ' ' <"$clean")"
cmd_ours="$ours -f $clean"
cmd_ours2="$ours -j 2 -f $clean"
cmd_grep="grep -c -F -a -e $k -e $t $files"
cmd_rg="rg -c -F -a -e $k -e $t $files"
echo
echo "== round 2: the $(wc -l <"$clean") files without a text marker, $(xargs -a "$clean" cat | wc -c) bytes"
echo "ours:    $("$ours" -f "$clean")"
run_round
