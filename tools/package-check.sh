#!/usr/bin/env bash
# The Debian package, built and tried as a user gets it: a Release build, `cpack -G DEB`,
# the package installed with dpkg into a throw-away root, then checks of what it
# installed (the program runs, the manual page renders without warnings, the bash
# completion loads and completes, every option of --help is in the manual page and in
# the completion), its dependencies against this machine, lintian, and its removal with
# dpkg. The root is deleted however the script ends; nothing is installed on the machine
# but the tools.
#
# Prints one PASS/FAIL line per check and "N passed, N failed"; exits non-zero when a
# check fails or the build does. The package is left in the build folder.
#
# Environment: CORVALD_PACKAGE_BUILD (folder of the Release build, default build-package).
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/deps.sh
source tools/deps.sh
install_missing "${corvald_packages[@]}" "${corvald_package_check_packages[@]}"

build=${CORVALD_PACKAGE_BUILD:-build-package}
work=$(mktemp -d /tmp/corvald-package-check.XXXXXX)
trap 'rm -rf "$work"' EXIT

echo "== Release build and Debian package"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVALD_BUILD_TESTS=OFF \
      -DCORVALD_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target corvald
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
rm -f "$build"/corvald_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/corvald_"$version"_*.deb)
echo "package: $package"
dpkg-deb --info "$package"

echo "== installed into a throw-away root"
# A root of its own with an empty package database. The package's dependencies are
# libraries of the running system, so dpkg is told not to look for them in the root;
# they are checked against the system below.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --log="$root/var/log/dpkg.log" \
     -i "$package" >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; exit 1; }
bin=$root/usr/games/corvald
page=$root/usr/share/man/man1/corvald.1.gz
completion=$root/usr/share/bash-completion/completions/corvald
docs=$root/usr/share/doc/corvald

passed=0
failed=0

# Runs the rest of the line as one check.
check() {
    local description=$1
    shift
    if "$@"; then
        echo "PASS  $description"
        passed=$((passed + 1))
    else
        echo "FAIL  $description"
        failed=$((failed + 1))
    fi
}

# True when the command's standard output equals `expected`.
prints() {
    local expected=$1 actual
    shift
    actual=$("$@" </dev/null) && [ "$actual" = "$expected" ] \
        || { echo "      got: ${actual:-nothing}"; return 1; }
}

# The odds as JSON must parse and be for two players.
odds_json() {
    "$bin" odds ahkh --players 2 --json </dev/null >"$work/odds.json" || return 1
    python3 -c 'import json, sys
answer = json.load(open(sys.argv[1]))
assert answer["players"] == 2 and answer["hole"] == "ahkh", answer
assert len(answer["counts"]) == 2 and answer["counts"][0] > 0, answer' "$work/odds.json" \
        || { cat "$work/odds.json"; return 1; }
}

# man renders the installed page; groff's warnings (-ww) go to standard error.
man_renders() {
    MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" \
        && [ ! -s "$work/man.err" ] && grep -q "corvald odds" "$work/man.txt" \
        || { cat "$work/man.err"; return 1; }
}

mandoc_lint() {
    zcat "$page" >"$work/lint.1" && mandoc -T lint -W warning "$work/lint.1"
}

# The completion offered for the words of a command line, the last being completed.
complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
             _corvald; printf "%s\n" "${COMPREPLY[@]}"' bash "$completion" "$@"
}

completion_loads() {
    bash -c 'source "$1" && complete -p corvald' bash "$completion" | grep -q _corvald
}

completes() {
    local expected=$1 actual
    shift
    actual=$(complete_words "$@" | sort | tr '\n' ' ')
    [ "$actual" = "$expected" ] || { echo "      got: $actual"; return 1; }
}

# Every "--option" that --help names for the program and each command is in the manual
# page and in the completion: a new option cannot go undocumented.
options_documented() {
    local command options option missing=""
    zcat "$page" >"$work/corvald.1" || return 1
    for command in "" replay odds stats; do
        # A command that this build does not have is left out.
        # shellcheck disable=SC2086
        "$bin" $command --help </dev/null >"$work/help.txt" 2>/dev/null || continue
        if [ -n "$command" ]; then
            grep -q "Usage: corvald $command" "$work/help.txt" || continue
        fi
        options=$(grep -o -- '--[a-z][a-z-]*' "$work/help.txt" | sort -u)
        for option in $options; do
            grep -q -- "$(printf '%s' "$option" | sed 's/-/\\\\-/g')" "$work/corvald.1" \
                || missing+=" $option(manual page, ${command:-corvald})"
            completes_option "$command" "$option" \
                || missing+=" $option(completion, ${command:-corvald})"
        done
    done
    [ -z "$missing" ] || { echo "      missing:$missing"; return 1; }
}

completes_option() {
    local command=$1 option=$2
    # shellcheck disable=SC2086
    complete_words corvald $command "$option" | grep -qx -- "$option"
}

check "corvald --version prints the package's version" prints "corvald $version" "$bin" --version
check "corvald odds ahkh --players 2 --json gives JSON for two players" odds_json
check "man -l renders the installed page without warnings" man_renders
check "mandoc -T lint finds nothing in the installed page" mandoc_lint
check "the bash completion loads and registers corvald" completion_loads
check "completion: commands" completes "odds replay stats " corvald ''
check "completion: odds options" completes "--jobs --json " corvald odds --j
check "completion: --format values" completes "csv " corvald stats x --format c
check "completion: replay takes files" completes "$root/usr/share/doc/corvald/README.md " \
    corvald replay "$root/usr/share/doc/corvald/READ"
check "every option of --help is in the manual page and the completion" options_documented
check "README, copyright and changelog in the package's documentation" \
    test -f "$docs/README.md" -a -f "$docs/copyright" -a -f "$docs/changelog.gz"

# Depends, from the libraries the program links, must name the C and C++ libraries and
# be met by this Debian system (apt's dry run resolves them without installing).
depends_met() {
    local depends
    depends=$(dpkg-deb -f "$package" Depends)
    echo "      Depends: $depends"
    [[ $depends == *libc6* && $depends == *libstdc++6* ]] || return 1
    apt-get install --simulate --no-download "$(realpath "$package")" >"$work/apt.txt" 2>&1 \
        && grep -q '^Inst corvald' "$work/apt.txt" || { cat "$work/apt.txt"; return 1; }
}
check "Depends read off the linked libraries, and met on this system" depends_met

# lintian: no errors. Its warnings and notes are shown; the README says which are left
# and why.
lintian_clean() {
    lintian --fail-on error --info "$package" | sed 's/^/      /'
    return "${PIPESTATUS[0]}"
}
check "lintian reports no error" lintian_clean

# Removed again with dpkg, the package leaves nothing behind in the root.
purges_cleanly() {
    dpkg --root="$root" --force-not-root --log="$root/var/log/dpkg.log" --purge corvald \
        >"$work/purge.txt" 2>&1 || { cat "$work/purge.txt"; return 1; }
    local left
    left=$(find "$root/usr" -type f 2>/dev/null)
    [ -z "$left" ] || { echo "      left: $left"; return 1; }
}
check "dpkg --purge removes every file the package installed" purges_cleanly

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
