# Reading windows back from the X server for desktop-check (sourced, bash):
# finding the game's windows, their geometry and frames, their Motif hints,
# and comparing pictures by pixels.
# shellcheck shell=bash disable=SC2154  # work, gamePid and main are desktop-check's

# Runs a command every 0.1 s until it succeeds, for up to $1 seconds.
within() {
    local until=$((${EPOCHREALTIME/./} + $1 * 1000000))
    shift
    until "$@"; do
        [ "${EPOCHREALTIME/./}" -lt "$until" ] || return 1
        sleep 0.1
    done
}

# A window's _NET_WM_NAME (UTF-8).
net_name() {
    xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

# Prints the visible window whose title matches the pattern, waiting up to
# 10 s. Tools read the title from WM_NAME (xdotool search --name); a window
# found only by its _NET_WM_NAME is written down in $work/unreadable-names.
find_window() {
    within 10 window_titled "$1"
}
window_titled() {
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
    if [ -n "$id" ]; then
        echo "$id"
        return 0
    fi
    for id in $(xdotool search --onlyvisible --pid "$gamePid" 2>/dev/null); do
        if net_name "$id" | grep -q -- "$1"; then
            # Mapped between the two searches, or WM_NAME unreadable.
            xdotool getwindowname "$id" 2>/dev/null | grep -q -- "$1" ||
                echo "$1 ($(xprop -id "$id" WM_NAME | sed 's/ = .*//'))" >>"$work/unreadable-names"
            echo "$id"
            return 0
        fi
    done
    return 1
}

# The game's visible windows other than the main one (menus, dialogs).
other_windows() {
    xdotool search --onlyvisible --pid "$gamePid" 2>/dev/null | grep -v -x "$main"
}

# "x y width height state" of a window's inside in root coordinates; state
# is xwininfo's map state (IsViewable, IsUnMapped).
client_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk -F: '
        /Absolute upper-left X/ { x = $2 + 0 }
        /Absolute upper-left Y/ { y = $2 + 0 }
        /^ *Width/ { w = $2 + 0 }
        /^ *Height/ { h = $2 + 0 }
        /Map State/ { gsub(/ /, "", $2); s = $2 }
        END { print x, y, w, h, s }'
}

# "x y width height" of the outer edge of the window manager's frame around
# a window: its ancestor just below the root (the window itself when no
# manager took it in).
frame_geometry() {
    local id=$1 info parent root
    while :; do
        info=$(xwininfo -children -id "$id" 2>/dev/null) || return 1
        root=$(sed -n 's/^ *Root window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
        parent=$(sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
        if [ -z "$parent" ] || [ "$parent" = "$root" ] || [ "$parent" = 0x0 ]; then
            break
        fi
        id=$parent
    done
    xwininfo -id "$id" | awk -F: '
        /Absolute upper-left X/ { x = $2 + 0 }
        /Absolute upper-left Y/ { y = $2 + 0 }
        /Border width/ { b = $2 + 0 }
        /^ *Width/ { w = $2 + 0 }
        /^ *Height/ { h = $2 + 0 }
        END { print x - b, y - b, w + 2 * b, h + 2 * b }'
}

# ICCCM state of a window: Normal, Iconic, Withdrawn, or none.
wm_state() {
    local state
    state=$(xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^.*window state: //p')
    echo "${state:-none}"
}

# _MOTIF_WM_HINTS (flags, functions, decorations, input mode, status).
# Unset fields leave the choice to the manager, which then offers every
# function and decoration; bit 0 (ALL) set means all except those listed.
mwmFunctions=(all resize move minimize maximize close)
mwmDecorations=(all border resizeh title menu minimize maximize)

# Prints the functions and decorations a window's hints allow, as two
# comma-separated lists: "functions=move,close decorations=border,title".
motif_allowed() {
    local raw flags=0 functions=0 decorations=0
    raw=$(xprop -id "$1" -notype _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/^_MOTIF_WM_HINTS = //p' | tr -d ' ')
    [ -n "$raw" ] && IFS=, read -r flags functions decorations _ <<<"$raw"
    printf 'functions=%s decorations=%s' \
        "$(mwm_names $((flags & 1)) $((functions)) "${mwmFunctions[@]}")" \
        "$(mwm_names $((flags & 2)) $((decorations)) "${mwmDecorations[@]}")"
}

# mwm_names present value names...: the names of the bits allowed.
mwm_names() {
    local present=$1 value=$2 bit=1 names=""
    shift 2
    shift  # bit 0 is ALL, not a name of its own
    [ "$present" -ne 0 ] || value=$((~1))
    [ $((value & 1)) -eq 0 ] || value=$((~value))
    for name in "$@"; do
        [ $((value & (1 << bit))) -eq 0 ] || names="$names,$name"
        bit=$((bit + 1))
    done
    echo "${names#,}"
}

# Whether a list from motif_allowed ("a,b,c") holds a name.
has() {
    case ",$1," in *",$2,"*) return 0 ;; esac
    return 1
}

# shot window name: the window's picture as $work/name.png (import waits
# for a click when the window is gone, hence the time limit).
shot() {
    rm -f "$work/$2.png"
    timeout 5 import -window "$1" "$work/$2.png" 2>/dev/null
}

# Pixels that differ between two pictures ("size" when their sizes differ,
# "none" when one is missing).
changed() {
    local n
    if ! [ -s "$work/$1.png" ] || ! [ -s "$work/$2.png" ]; then
        echo none
        return
    fi
    n=$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)
    case $n in '' | *[!0-9.e+]*) echo size ;; *) echo "$n" ;; esac
}

# A picture's size, "WIDTHxHEIGHT".
picture_size() {
    identify -format '%wx%h' "$work/$1.png" 2>/dev/null
}

# A picture's pixels as "r g b" lines, row by row.
pixels() {
    convert "$work/$1.png" -depth 8 rgb:- | od -An -v -tu1 -w3
}

# Compares a picture (screen) with a smaller one (picture) stretched over it
# as StretchBlt does, by nearest neighbour with no blending: each screen
# pixel takes the picture pixel under its centre, column
# (2 * x + 1) * width / (2 * screen width) and likewise for rows. Prints the
# mismatches in the top row, in the bottom row and overall.
stretch_mismatches() {
    local screen=$1 picture=$2 sw sh pw ph
    IFS=x read -r sw sh <<<"$(picture_size "$screen")"
    IFS=x read -r pw ph <<<"$(picture_size "$picture")"
    pixels "$picture" >"$work/picture.rgb"
    pixels "$screen" >"$work/screen.rgb"
    awk -v sw="$sw" -v sh="$sh" -v pw="$pw" -v ph="$ph" '
        function div(n, d) { return (n - n % d) / d }
        NR == FNR { p[NR - 1] = $0; next }
        {
            i = FNR - 1; x = i % sw; y = div(i, sw)
            if ($0 != p[div((2 * y + 1) * ph, 2 * sh) * pw + div((2 * x + 1) * pw, 2 * sw)]) {
                all++
                if (y == 0) top++
                if (y == sh - 1) bottom++
            }
        }
        END { print top + 0, bottom + 0, all + 0 }' "$work/picture.rgb" "$work/screen.rgb"
}

# Pixels of a picture that are pure white: a few hundred on the field of a
# run (the craft, the pause label), thousands on the title and the result.
white_pixels() {
    pixels "$1" | grep -c '^ *255 *255 *255$'
}

# Pixels of a picture that are not black.
lit_pixels() {
    pixels "$1" | grep -c -v '^ *0 *0 *0$'
}
