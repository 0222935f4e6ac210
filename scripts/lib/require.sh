# Sourced by the scripts: `require COMMAND PACKAGE` stops the script with a
# clear message when a command it calls is missing, naming the Debian
# package that brings it (scripts/setup installs them all).
require() {
    command -v "$1" >/dev/null 2>&1 && return 0
    echo "$(basename "$0"): '$1' not found: install Debian's package $2 (or run scripts/setup ${3:-test})" >&2
    exit 127
}
