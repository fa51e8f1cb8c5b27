#!/usr/bin/env bash
# The Windows build, checked from a Linux machine: cross-compiles corvald with mingw-w64
# and plays one short hand with it under wine, headless, in a 58 x 60 tmux pane; the Linux
# build plays the same hand in a pane beside it, and both must show the same chances.
# Also: the zip for Windows users is made and holds its three files, the odds command
# counts the same hands on both builds, a replay error waits for the space bar, and the
# version comes from the registry ("no key" without the value, "no key path" without the
# key).
#
# Installs what it needs (through sudo when not root), reads no stdin, leaves nothing
# running. Prints one PASS/FAIL line per check and "N passed, N failed"; exits non-zero
# when a check fails or the cross build does. Every wait polls the screen with a time
# limit.
#
# Environment: CORVALD_WINDOWS_BUILD (folder of the cross build, default build-win),
# CORVALD_LINUX_BUILD (folder of the Linux build, default build, as ./run and ./test use),
# CORVALD_SMOKE_TIMEOUT (seconds allowed for each screen to appear, default 60).
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/deps.sh
source tools/deps.sh
install_missing "${corvald_packages[@]}" g++-mingw-w64-x86-64-posix wine wine64 unzip

windows_build=${CORVALD_WINDOWS_BUILD:-build-win}
linux_build=${CORVALD_LINUX_BUILD:-build}
timeout=${CORVALD_SMOKE_TIMEOUT:-60}

product_key='HKLM\Software\Arvelin Software\Corvald Poker'
company_key='HKLM\Software\Arvelin Software'
# Stored with a trailing backslash, which the registry read drops.
stored_version='9.4.2-smoke\'
shown_version='V9.4.2-smoke'

# A fresh, headless wine: its own prefix, no display, no prompts to install Mono or Gecko
# (the program needs neither), no debug chatter on the terminal.
work=$(mktemp -d /tmp/corvald-windows-smoke.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
socket=corvald-smoke-$$

cleanup() {
    tmux -L "$socket" kill-server 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The prefix is created while the programs build.
wineboot --init >"$work/wineboot.log" 2>&1 &
wineboot_pid=$!

echo "== cross build for Windows (mingw-w64, static, Release)"
# A Release build, as users get it: the program the checks below play is the one the zip
# holds.
cmake -S . -B "$windows_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCORVALD_BUILD_TESTS=OFF -DCORVALD_BUILD_BENCH=OFF -DCORVALD_WERROR=ON >/dev/null
cmake --build "$windows_build" --target corvald
windows_exe=$(realpath "$windows_build")/corvald.exe

echo "== Windows zip"
# The download for Windows users: the program, README.txt and LICENSES.txt in one folder.
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$windows_build/CMakeCache.txt")
windows_zip=$windows_build/corvald-$project_version-windows-x86_64.zip
rm -f "$windows_zip"
(cd "$windows_build" && cpack -G ZIP >/dev/null)
echo "zip: $windows_zip"

echo "== Linux build to compare with"
if [ ! -f "$linux_build/build.ninja" ]; then
    cmake -S . -B "$linux_build" -G Ninja >/dev/null
fi
cmake --build "$linux_build" --target corvald
linux_exe=$(realpath "$linux_build")/corvald

echo "== wine prefix (at ${SECONDS}s)"
if ! wait "$wineboot_pid"; then
    echo "wineboot failed:" >&2
    cat "$work/wineboot.log" >&2
    exit 1
fi
wine reg add "$product_key" /v Version /d "$stored_version" /f >/dev/null

# ---------------------------------------------------------------------------------------
# Panes and screens

printf '%s\n' 'set -g status off' 'set -g remain-on-exit on' 'set -g exit-empty off' \
    >"$work/tmux.conf"

# Starts `command` in a detached 58 x 60 session named `name`.
start() {
    local name=$1 command=$2
    tmux -u -L "$socket" -f "$work/tmux.conf" new-session -d -s "$name" -x 58 -y 60 "$command"
}

# Ends the session and the program in it.
stop() {
    tmux -L "$socket" kill-session -t "$1" 2>/dev/null || true
}

# The pane's text, one line per row, from row 0.
screen() {
    tmux -L "$socket" capture-pane -p -t "$1"
}

# Row y of the pane.
row() {
    screen "$1" | sed -n "$(($2 + 1))p"
}

# Rows first to last of the pane.
rows() {
    screen "$1" | sed -n "$(($2 + 1)),$(($3 + 1))p"
}

# The `length` characters of row y from column x.
text_at() {
    local line
    line=$(row "$1" "$3")
    printf '%s' "${line:$2:$4}"
}

# Polls until the command succeeds and the screen of the pane has stopped changing (two
# captures alike), so that a screen is read whole and not halfway through its drawing.
# False when the time limit passes first.
poll() {
    local name=$1 deadline=$((SECONDS + timeout)) before after
    shift
    while :; do
        if "$@"; then
            before=$(tmux -L "$socket" capture-pane -p -e -t "$name")
            sleep 0.2
            after=$(tmux -L "$socket" capture-pane -p -e -t "$name")
            [ "$before" = "$after" ] && "$@" && return 0
        fi
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# True when row y of the pane contains `text`.
row_has() {
    [[ "$(row "$1" "$2")" == *"$3"* ]]
}

# True when row y of the pane reads `text` from column x on (the rest of the row blank).
row_ends_with() {
    local line
    line=$(row "$1" "$3")
    [ "${line:$2}" = "$4" ]
}

# Polls until row y of the pane contains `text`.
wait_row() {
    poll "$1" row_has "$@"
}

# Types a line into the pane.
type_line() {
    [ -z "$2" ] || tmux -L "$socket" send-keys -t "$1" -l "$2"
    tmux -L "$socket" send-keys -t "$1" Enter
}

# ---------------------------------------------------------------------------------------
# Checks

passed=0
failed=0

# Runs the command as one check. A failure shows the screen of the pane named last.
check() {
    local description=$1 name=$2
    shift 2
    if "$@"; then
        echo "PASS  $description"
        passed=$((passed + 1))
    else
        echo "FAIL  $description"
        failed=$((failed + 1))
        if tmux -L "$socket" has-session -t "$name" 2>/dev/null; then
            echo "---- screen of $name:"
            screen "$name" | sed -n '1,45p'
            echo "----"
        fi
    fi
}

# True when the pane's screen, as tmux re-renders its attributes, holds an SGR sequence
# with the parameter.
has_sgr() {
    tmux -L "$socket" capture-pane -p -e -t "$1" | grep -qE $'\e\\[([0-9]+;)*'"$2"'(;[0-9]+)*m'
}

# The chances column: rows 24 to 39.
chances() {
    rows "$1" 24 39
}

# True when the chances column holds figures and is the same on both panes.
same_chances() {
    local first second
    first=$(chances "$1")
    second=$(chances "$2")
    [[ "$first" == *%* ]] && [ "$first" = "$second" ]
}

# Shows how the chances columns of the two panes differ (for a failed comparison).
show_chances() {
    diff <(chances "$1") <(chances "$2") | sed 's/^/    /' || true
}

# Plays one step of the hand in both panes: types `answer`, waits for the next question
# in each, and checks that both show the same chances.
both_answer() {
    local answer=$1 question=$2 y=${3:-3}
    type_line windows "$answer"
    type_line linux "$answer"
    check "Windows: \"$answer\" leads to \"$question\"" windows wait_row windows "$y" "$question"
    check "Linux: \"$answer\" leads to \"$question\"" linux wait_row linux "$y" "$question"
    if [ "$y" -eq 3 ]; then
        check "same chances on both builds after \"$answer\"" windows \
            same_chances windows linux
        same_chances windows linux || show_chances linux windows
    fi
}

# The zip's files, in its one folder; README.txt with Windows line ends.
zip_holds_three_files() {
    local folder listing
    folder=$(basename "$windows_zip" .zip)
    listing=$(unzip -Z1 "$windows_zip" | grep -v '/$' | sort | tr '\n' ' ')
    [ "$listing" = "$folder/LICENSES.txt $folder/README.txt $folder/corvald.exe " ] \
        && unzip -p "$windows_zip" "$folder/README.txt" | grep -q $'replay.*\r$' \
        || { echo "      zip holds: $listing"; return 1; }
}
check "the zip holds corvald.exe, README.txt and LICENSES.txt" none zip_holds_three_files

# Card glyphs, as the terminal shows code page 437.
top_of_back=$'\u250c\u2500\u2500\u2510'   # corner, two lines, corner
suits_of_back=$'\u2502\u2660\u2665\u2502' # line, spade, heart, line
diamond=$'\u2666'

echo "== odds command on Windows (wine) and on Linux (at ${SECONDS}s)"
# The calculator's exact counts for one situation, printed as text: the same generator
# with the same seed must count the same hands on both builds.
odds_arguments=(odds ahad 2c7d9h --players 4 --json)
linux_odds=$("$linux_exe" "${odds_arguments[@]}" </dev/null 2>&1 || true)
windows_odds=$(wine "$windows_exe" "${odds_arguments[@]}" </dev/null 2>&1 | tr -d '\r' || true)
same_odds() {
    [[ "$linux_odds" == *'"counts":['[1-9]* ]] && [ "$windows_odds" = "$linux_odds" ]
}
check "same odds counts on both builds: ${odds_arguments[*]}" none same_odds
same_odds || printf 'Linux:   %s\nWindows: %s\n' "$linux_odds" "$windows_odds"

echo "== one hand on Windows (wine) and on Linux, side by side (at ${SECONDS}s)"
start windows "wine $(printf %q "$windows_exe")"
start linux "$(printf %q "$linux_exe")"

for pane in windows linux; do
    label=${pane^}
    check "$label: first question on row 3" $pane \
        wait_row $pane 3 'Enter no players (max 16)'
    check "$label: \"Hand #1\" at column 0 of row 1" $pane \
        [ "$(text_at $pane 0 1 7)" = 'Hand #1' ]
done
check "Windows: version from the registry on row 1, trailing backslash dropped" windows \
    row_ends_with windows 12 1 "$shown_version"

# Two players, blinds and moves answered automatically: only the cards are typed.
both_answer '2 autobet' 'Enter hole cards'
for pane in windows linux; do
    label=${pane^}
    check "$label: card back of the first hole card drawn with box lines and suits" $pane \
        [ "$(text_at $pane 18 8 4)$(text_at $pane 18 9 4)" = "$top_of_back$suits_of_back" ]
    check "$label: table in green" $pane has_sgr $pane 42
done
both_answer 'ahad' 'Enter flop cards'
for pane in windows linux; do
    label=${pane^}
    check "$label: the ace of diamonds face up with its suit glyph" $pane \
        [ "$(text_at $pane 18 13 1)$(text_at $pane 18 14 1)" = "A$diamond" ]
    check "$label: the chance against the opponent in bright yellow" $pane has_sgr $pane 93
done
both_answer '2c7d9h' 'Enter turn card'
both_answer 'ts' 'Enter river card'
both_answer '3s' 'Hit enter for a new game'
both_answer '' 'Hand #2' 1
stop windows
stop linux

echo "== replay error on Windows (at ${SECONDS}s)"
# A hand history whose first line is no game header: the replay shows the error and ends
# with status 1 once the space bar is pressed, read from the console's input events.
printf 'PokerStars Game #1: not a header\n' >"$work/broken.txt"
pane_ended() {
    [ "$(tmux -L "$socket" display-message -p -t "$1" '#{pane_dead} #{pane_dead_status}')" = "1 $2" ]
}
# Under wine the process now and then does not end with its own status after the key
# (seen in about one run in five, on a fresh prefix as on a warm one), so the scenario is
# played up to three times with a fresh process; each try must show the error and end
# with status 1 after the space bar.
replay_ends_on_space() {
    local try
    for try in 1 2 3; do
        stop replay
        start replay "cd $(printf %q "$work") && wine $(printf %q "$windows_exe") replay broken.txt"
        if timeout=20 poll replay row_has replay 3 'Error:'; then
            tmux -L "$socket" send-keys -t replay Space
            if timeout=20 poll replay pane_ended replay 1; then
                [ "$try" -eq 1 ] || echo "      (wine: passed on try $try)"
                return 0
            fi
        fi
    done
    return 1
}
check "Windows replay: error on row 3, and the space bar ends it with status 1" replay \
    replay_ends_on_space
stop replay

echo "== replay of a file named by its absolute path, no console (at ${SECONDS}s)"
# Without a console the error goes to standard error and the run ends at once; the path
# must reach the replay as a file, not be read as a Windows-style "/option".
absolute_replay() {
    local status=0
    wine "$windows_exe" replay "$work/broken.txt" </dev/null >/dev/null 2>"$work/absolute.err" || status=$?
    [ "$status" -eq 1 ] && grep -q "Malformed game header1" "$work/absolute.err"
}
check "Windows replay: a file named by its absolute path, status 1 and the message on stderr" \
    absolute-path absolute_replay

echo "== registry errors on Windows (at ${SECONDS}s)"
wine reg delete "$product_key" /v Version /f >/dev/null
start no-value "wine $(printf %q "$windows_exe")"
check "Windows: version \"no key\" without the value" no-value \
    poll no-value row_ends_with no-value 12 1 'Vno key'
stop no-value

wine reg delete "$company_key" /f >/dev/null
start no-key "wine $(printf %q "$windows_exe")"
check "Windows: version \"no key path\" without the key" no-key \
    poll no-key row_ends_with no-key 12 1 'Vno key path'

echo "$passed passed, $failed failed (in ${SECONDS}s)"
[ "$failed" -eq 0 ]
