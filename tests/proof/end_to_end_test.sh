#!/usr/bin/env bash
# The whole program on a real link: a network namespace whose wan0 is one end
# of a veth pair, the other end in a second namespace standing for the
# provider (192.0.2.1, a test address of our own).  The program runs on Xvfb
# in an empty directory; everything is checked from outside: the screen's
# pixels, X window properties, the counter file and signals.
# Usage: end_to_end_test.sh <tavrelo> <XWindowProbe> <XPeek>
set -u
program=$(realpath "$1") probe=$(realpath "$2") peek=$(realpath "$3")
skip=77
[ "$(id -u)" -eq 0 ] || { echo "SKIP: network namespaces need root"; exit $skip; }
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed (Debian package xvfb)"; exit $skip; }
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit $skip; }
ns=tavrelo-e2e-$$ isp=tavrelo-isp-$$
ip netns add "$ns" 2>/dev/null || { echo "SKIP: network namespaces are not allowed here"; exit $skip; }

work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  ip netns del "$ns" 2>/dev/null
  ip netns del "$isp" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/out.log" ] && sed 's/^/  program: /' "$work/out.log"; exit 1; }
inns() { ip netns exec "$ns" "$@"; }

ip netns add "$isp"
# No IPv6 chatter on the link: only the test's own traffic moves the counters.
for n in "$ns" "$isp"; do
  ip netns exec "$n" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1
done
ip -n "$ns" link set lo up
ip -n "$ns" link add wan0 type veth peer name isp0 netns "$isp"
ip -n "$ns" addr add 192.0.2.2/24 dev wan0
ip -n "$ns" link set wan0 up
ip -n "$isp" addr add 192.0.2.1/24 dev isp0
ip -n "$isp" link set isp0 up
ip -n "$isp" link set lo up

ip netns exec "$ns" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
mkdir "$work/run"
cd "$work/run"
# The reset-day file is there, so no help window covers the screen.
printf '1\r\n' >jour_raz.txt

start_program() {
  ip netns exec "$ns" "$program" >>"$work/out.log" 2>&1 &
  app_pid=$!
  inns "$probe" wait "$app_pid" Tavrelo 10000 || fail "the banner was not mapped"
}
banner_x() { inns "$probe" shape "$app_pid" Tavrelo | head -n1 | cut -d' ' -f1; }
# The tip of the tongue: the state marker at (40, 74) of the banner, tucked at y -48.
tip_colour() { inns "$peek" pixel $(($(banner_x) + 45)) 34; }
wait_tip() { # colour, tenths of a second
  for _ in $(seq "$2"); do [ "$(tip_colour)" = "$1" ] && return 0; sleep 0.1; done
  return 1
}
line2() { tr -d '\r' <decompte_internet.log | sed -n 2p; }
visible_boxes() { inns xdotool search --onlyvisible --pid "$app_pid" --name '^Tavrelo$' 2>/dev/null | wc -l; }
menu_key() { # open the popup menu on the tongue, then type the keys
  local x
  x=$(($(banner_x) + 45))
  inns xdotool mousemove "$x" 20 click 3
  sleep 0.4
  inns xdotool key "$@"
  sleep 0.4
}
red=FF0000 green=008000

start_program
wait_tip "$green" 30 || fail "with no default route the tip is $(tip_colour), not green"
[ "$(line2)" = 0 ] || fail "a fresh counter file does not start at 0"

# A default route through wan0: up within two ticks (the first rebuild sees wan0).
ip -n "$ns" route add default via 192.0.2.1 dev wan0
wait_tip "$red" 25 || fail "with a default route the tip is $(tip_colour), not red"
up_at=$(date +%s.%N)

# Traffic over wan0 fills the enlarged gauge's bar (red on yellow).
menu_key Down Down Return
inns "$probe" wait "$app_pid" Jauge 3000 || fail "the enlarged gauge did not open from the menu"
read -r X Y WIDTH HEIGHT <<<"$(inns "$probe" shape "$app_pid" Jauge | head -n1)"
echo "gauge window at $X $Y, $WIDTH x $HEIGHT"
before=$(inns "$peek" count "$X" "$Y" "$WIDTH" "$HEIGHT" "$red")
inns bash -c 'exec 3>/dev/udp/192.0.2.1/9
  for _ in $(seq 25); do for _ in $(seq 200); do printf "%1400s" x >&3 2>/dev/null; done; sleep 0.1; done' 2>/dev/null &
traffic=$!
risen=""
for _ in $(seq 40); do
  after=$(inns "$peek" count "$X" "$Y" "$WIDTH" "$HEIGHT" "$red")
  [ "$after" -gt $((before + WIDTH * 20)) ] && { risen=yes; break; }
  sleep 0.1
done
wait "$traffic"
[ -n "$risen" ] || fail "the gauge's bar did not rise with traffic ($before then $after red pixels)"

# "Quitter" while connected is refused with a message box.
menu_key Up Return
[ "$(visible_boxes)" -ge 2 ] || fail "no refusal box while connected"
kill -0 "$app_pid" 2>/dev/null || fail "the program quit while connected"
inns xdotool key Return
sleep 0.3

# The route goes: down within a tick, and line 2 holds the connected ticks plus 10.
ip -n "$ns" route del default
wait_tip "$green" 25 || fail "without the route the tip stays $(tip_colour)"
down_at=$(date +%s.%N)
ticks=$(awk -v a="$up_at" -v b="$down_at" 'BEGIN { printf "%d", b - a + 0.5 }')
total=$(line2)
[ $((total - 10 - ticks)) -ge -1 ] && [ $((total - 10 - ticks)) -le 1 ] ||
  fail "line 2 is $total after about $ticks connected ticks"

# "Quitter" while disconnected ends the program.
menu_key Up Return
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "Quitter did not end the program while disconnected"
wait "$app_pid" 2>/dev/null
app_pid=""

# SIGTERM during a connection folds the session in before the program ends.
before_run=$(line2)
start_program
ip -n "$ns" route add default via 192.0.2.1 dev wan0
wait_tip "$red" 25 || fail "the second run did not see the link up"
up_at=$(date +%s.%N)
sleep 3
kill -TERM "$app_pid"
term_at=$(date +%s.%N)
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "SIGTERM did not end the program"
app_pid=""
ticks=$(awk -v a="$up_at" -v b="$term_at" 'BEGIN { printf "%d", b - a + 0.5 }')
added=$(($(line2) - before_run))
[ $((added - 10 - ticks)) -ge -1 ] && [ $((added - 10 - ticks)) -le 1 ] ||
  fail "SIGTERM folded in $added seconds after about $ticks connected ticks"
echo "PASS: end to end on wan0 (first session $total s, second $added s)"
