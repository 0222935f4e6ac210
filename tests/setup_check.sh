#!/bin/sh
# The set-up installs what the scripts call: every `require COMMAND PACKAGE
# [TASK]` in scripts/ names a package that scripts/setup installs for that
# task (the test task when none is named), and playing installs none of the
# tools only the tests and the Windows build need.
set -eu
root="$1"
status=0
lists=$(mktemp -d)
trap 'rm -rf "$lists"' EXIT
for task in play windows bench web browser test; do
    "$root/scripts/setup" --list "$task" >"$lists/$task"
done
for script in "$root"/scripts/*; do
    [ -f "$script" ] || continue
    grep -E '^ *require [^ ]+ [^ ]+' "$script" | while read -r _ command package task; do
        if ! grep -qx "$package" "$lists/${task:-test}"; then
            echo "$(basename "$script"): needs '$command' from $package, which setup's ${task:-test} list lacks"
        fi
    done
done >"$lists/problems"
for package in wine wine64 valgrind imagemagick xdotool openbox g++-mingw-w64-i686 g++-mingw-w64-x86-64; do
    grep -qx "$package" "$lists/play" && echo "playing installs $package" >>"$lists/problems"
done
if [ -s "$lists/problems" ]; then
    cat "$lists/problems"
    status=1
fi
[ "$status" -eq 0 ] && echo "setup-check: every command the scripts call is installed by their set-up"
exit "$status"
