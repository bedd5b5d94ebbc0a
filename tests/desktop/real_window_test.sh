#!/usr/bin/env bash
# Start the program in an empty directory on a fresh Xvfb display and check
# its windows from outside.  Usage: real_window_test.sh <tavrelo> <probe>
set -u
program=$1
probe=$2
skip=77
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed (Debian package xvfb)"; exit $skip; }

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display itself and writes its number on descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

mkdir "$work/run"
cd "$work/run"
"$program" >"$work/out.log" 2>&1 &
app_pid=$!

"$probe" wait "$app_pid" "Tavrelo" 10000 || fail "the banner was not mapped within 10 s"

# The banner: at y -48 on the left edge, as wide as the screen, shaped by the 48 rectangles.
expected="0 -48 1024 740
176 0 245 7
30 7 246 8
28 8 248 9
27 9 249 10
26 10 250 11
25 11 251 13
24 13 252 15
23 15 253 18
22 18 254 20
21 20 255 23
20 23 256 26
19 26 257 28
18 28 258 31
17 31 259 33
16 33 260 36
15 36 261 38
14 38 262 41
13 41 263 44
12 44 264 48
22 48 69 49
27 49 65 50
29 50 63 51
30 51 61 52
31 52 60 53
32 53 59 54
33 54 58 55
34 55 58 56
34 56 57 57
35 57 56 59
36 59 55 60
37 60 55 61
37 61 54 62
38 62 54 63
38 63 53 64
39 64 53 65
39 65 52 67
40 67 52 68
40 68 51 70
41 70 51 71
41 71 50 73
42 73 50 74
42 74 49 76
43 76 49 78
43 78 48 80
44 80 48 82
44 82 47 84
45 84 47 85
45 85 46 86"
# The marquee moves the banner one pixel each 100 ms: compare x apart.
shape=$("$probe" shape "$app_pid" "Tavrelo") || fail "the banner's window was not found"
read -r x y w h <<<"$(head -n1 <<<"$shape")"
[ "$y $w $h" = "-48 1024 740" ] || fail "banner geometry is '$x $y $w $h'"
[ "$x" -ge 0 ] && [ "$x" -le 20 ] || fail "banner x is $x, not near the left edge"
[ "$(tail -n +2 <<<"$shape")" = "$(tail -n +2 <<<"$expected")" ] || fail "banner shape differs:
$(tail -n +2 <<<"$shape")"

# The counter file: three CR LF lines, the start date, 0 seconds, a plan of 1 hour.
[ -f decompte_internet.log ] || fail "the counter file was not created"
[ "$(wc -l <decompte_internet.log)" -eq 3 ] || fail "the counter file does not hold three lines"
[ "$(tr -d '\r' <decompte_internet.log | sed -n 2,3p | paste -sd,)" = "0,1" ] || fail "counter lines 2 and 3 are wrong"
tr -d '\r' <decompte_internet.log | head -n1 | grep -Eq '^[0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}$' ||
  fail "counter line 1 is not a date and time"
[ "$(grep -c $'\r$' decompte_internet.log)" -eq 3 ] || fail "counter lines do not end with CR LF"
[ ! -e jour_raz.txt ] || fail "the reset-day file was written"

# No reset-day file: the help window is shown.
"$probe" wait "$app_pid" "Je vous dois des ex-complications" 3000 || fail "the help window is not mapped"

# The splash goes away by itself, on the second tick of its 2 s timer.
gone=""
for _ in $(seq 80); do
  "$probe" mapped "$app_pid" "A propos" || { gone=yes; break; }
  sleep 0.1
done
[ -n "$gone" ] || fail "the splash was still mapped 8 s after start"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended by itself: $(cat "$work/out.log")"

# SIGTERM ends the program, without writing the reset-day file.
kill -TERM "$app_pid"
ended=""
for _ in $(seq 50); do
  kill -0 "$app_pid" 2>/dev/null || { ended=yes; break; }
  sleep 0.1
done
[ -n "$ended" ] || fail "the program did not end within 5 s of SIGTERM"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work/out.log")"
[ ! -e jour_raz.txt ] || fail "the reset-day file was written at the end"
echo "PASS"
