#!/usr/bin/env bash
# The package on a bare machine: builds the .deb, makes a minimal Debian 12 root with
# debootstrap (from the mirror this machine uses), installs the package there with apt-get,
# and runs Fitcore on an example and Nodara on the offscreen platform up to its title window.
# Needs root. Slow (several minutes); not part of the test suite.
#   scripts/check-bare.sh [--fresh] [--commands]
#   --fresh      makes the base root again instead of reusing the one from the last run
#   --commands   also runs the README's test command on the committed sources in another
#                copy of the bare root (much slower: it builds everything twice)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fresh=0
commands=0
for arg in "$@"; do
  case $arg in
    --fresh) fresh=1 ;;
    --commands) commands=1 ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh" debootstrap
deb=$("$root/scripts/package.sh" | tail -n 1)

# The first Debian mirror named in this machine's apt sources (one-line or deb822 form).
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
           2>/dev/null | grep -v '^\s*#' |
         grep -oE '(deb[[:space:]]+|URIs:[[:space:]]*)https?://[^[:space:]]+/debian/?([[:space:]]|$)' |
         head -n 1 | grep -oE 'https?://[^[:space:]]+' || true)
mirror=${mirror:-http://deb.debian.org/debian}
echo "== mirror: $mirror"

work="$root/build/bare"
base="$work/base"
target="$work/root"
mkdir -p "$work"
if [ $fresh = 1 ] || [ ! -x "$base/bin/sh" ]; then
  rm -rf "$base"
  echo "== debootstrap bookworm (minbase) into $base"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log"; exit 1; }
fi

# Every check starts from an untouched copy of the base root.
roots=()
cleanup() {
  for r in "${roots[@]}"; do
    for m in dev/pts dev proc; do umount "$r/$m" 2>/dev/null || true; done
  done
}
trap cleanup EXIT
fresh_root() {  # fresh_root DIR: an untouched copy of the base root, ready for chroot
  roots+=("$1")
  cleanup
  rm -rf "$1"
  cp -a "$base" "$1"
  mount -t proc proc "$1/proc"
  mount --bind /dev "$1/dev"
  mount --bind /dev/pts "$1/dev/pts"
  cp /etc/resolv.conf "$1/etc/resolv.conf"
}
fresh_root "$target"

in_root() { chroot "$target" /usr/bin/env -i HOME=/root PATH=/usr/bin:/bin:/usr/sbin:/sbin LANG=C.UTF-8 "$@"; }

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$target/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" \
  >"$work/install.log" 2>&1 || { tail -n 30 "$work/install.log"; exit 1; }
echo "   $(grep -c '^Setting up' "$work/install.log") packages set up; root now $(du -shx "$target" | cut -f1)"

status=0
check() {  # check NAME COMMAND...: runs a check and reports it
  local name=$1
  shift
  if "$@"; then echo "PASS $name"; else echo "FAIL $name"; status=1; fi
}

engine_runs() {
  mkdir -p "$target/root/engine"
  cp "$root/examples/engine/B2F.dat" "$target/root/engine/"
  printf '00\r\n' >"$target/root/engine/Bor3.dat"
  echo | in_root sh -c 'cd /root/engine && Fitcore' >"$work/fitcore.log"
  head -n 3 "$target/root/engine/F2B.dat"
  head -c 8 "$target/root/engine/F2B.dat" | grep -q '^   500'
}
check "Fitcore on an example writes a 500-row F2B.dat" engine_runs

title_window_shown() {
  # Qt reports what it paints; the menu launcher starts Nodara in ~/Nodara.
  in_root env QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=qt.widgets.painting=true \
    timeout 30 nodara-desktop >"$work/nodara.log" 2>&1 || true
  grep -m 1 -oE 'Drawing QRegion\([^)]*\) of Form2\(' "$work/nodara.log"
}
check "Nodara (offscreen, from the menu launcher) shows its title window" title_window_shown

folder_made() {
  ls "$target/root/Nodara"
  [ -f "$target/root/Nodara/ex_linear.csv" ] && [ ! -e "$target/root/B2F.dat" ]
}
check "the menu start made ~/Nodara with the examples" folder_made

no_display_word() {
  local out rc=0
  out=$(in_root Nodara 2>&1) || rc=$?
  echo "   $out (status $rc)"
  [ $rc = 1 ] && [ "$(printf '%s\n' "$out" | wc -l)" = 1 ]
}
check "Nodara without a display says so in one line, status 1" no_display_word

if [ $commands = 1 ]; then
  # The README's test command on the committed sources, on a root without the package.
  target="$work/commands"
  fresh_root "$target"
  mkdir -p "$target/root/src"
  git -C "$root" archive HEAD | tar -x -C "$target/root/src"
  commands_run() { in_root bash -c 'cd /root/src && bash scripts/test.sh' >"$work/commands.log" 2>&1; }
  check "bash scripts/test.sh on a bare root (log: build/bare/commands.log)" commands_run
fi

echo "== done in ${SECONDS}s"
exit $status
