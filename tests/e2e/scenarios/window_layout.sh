# Started without /p on the sample disc, autorun.exe shows the preferences
# window: 620 by 435, centred, its parts in order from top to bottom, none
# overlapping another or cut off, every text in the library's font, the
# heading on two lines on the screen, each alternative's label centred
# beside its radio button; resting the pointer on a control shows its long
# help text in the information area, wrapped and whole; the frame has a
# title bar with the program's icon and the system menu, the minimise,
# maximise and close boxes and a sizing border, and they work: the title bar
# moves it, it is minimised and restored with its layout as before, Alt+Space
# opens the window menu; the pointer shows the arrow over the window; a click
# on the close box ends the run and the settings are written. A screenshot
# is left in $W/window.png.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../wizard_lib.sh"
e2e_start
e2e_sample_disc

# Each alternative's radio button and label.
ALTERNATIVES="15009:15020 15010:15022 15011:15023 15013:15021 15012:15024"
pictures=()
for pair in $ALTERNATIVES; do
    pictures+=(ink "${pair%:*}" "ink${pair%:*}" ink "${pair#*:}" "ink${pair#*:}")
done

wizard_start
drive wait 30 sleep 500 dump controls.txt frame frame.txt "${pictures[@]}"
import -window root "$W/window.png" || fail "no screenshot"

# Resting the pointer on a control shows the control's long help text in
# the information area (a disabled control's too), one control after the
# other, so that each must replace the text before it.
HOVER_HELP=(
    "15010:Choose this option to open the disc index in your browser.  For a multi-disc collection, you will see the contents of the current disc.   For a single-disc collection, the collection and disc indexes are the same."
    "15014:Click on this button to open the Velmora Reader - Corvantis if it is not already running."
    "15006:Make a selection for each type of disc."
    "15025:Choose this option if you don't want to set a preference for the type of disc selected.  No programs are started for the current disc if it is of the selected type.  This window (Autorun Preferences for Zantic Collections) will be shown again the next time a collection disc of the selected type is inserted."
    "15005:Exit without saving any choices"
)
# The area shows each text whole: wrapped at its width in the library's
# font, the text takes no more lines than the area holds, and each of them
# shows on the screen (the last one, 15025's, is the longest help text).
# The rest of 100 ms and the painting come in the program's own time.
help_shown() {  # id text
    local needed held shown
    drive text 15018 "help$1" wrap 15018 "wrap$1"
    read -r needed held shown <"$W/wrap$1"
    [ "$(cat "$W/help$1")" == "$2" ] && [ "$shown" == "$needed" ]
}
for row in "${HOVER_HELP[@]}"; do
    id=${row%%:*}
    drive hover "$id"
    e2e_wait_for 20 help_shown "$id" "${row#*:}" || true  # the checks below say what it shows
    expect_eq "help text with the pointer on $id" "$(cat "$W/help$id")" "${row#*:}"
    read -r needed held shown <"$W/wrap$id"
    ((needed <= held)) || fail "the help text of $id takes $needed lines, the area holds $held"
    expect_eq "lines of the help text of $id on the screen" "$shown" "$needed"
done

# The frame's system commands are carried out: it moves with its title bar,
# is minimised and restored, and Alt+Space opens its window menu. A command
# runs in the program's own time, so each place is read until it comes (the
# checks after it say what came).
place_until() {  # file pattern
    e2e_wait_for 20 placed "$@" || true
}
placed() { drive place "$1"; [[ "$(tr -d '\r' <"$W/$1")" == $2 ]]; }
drive place place0
read -r left top right bottom iconic <"$W/place0"
moved="$((left + 40)) $((top + 30)) $((right + 40)) $((bottom + 30)) 0"
drive drag 40 30
place_until place1 "$moved"
expect_eq "the frame dragged by its title bar" "$(tr -d '\r' <"$W/place1")" "$moved"
drive minimize
place_until place2 "* 1"  # wherever the system puts it
read -r _ _ _ _ iconic <"$W/place2"
expect_eq "the frame minimised" "$iconic" 1
drive restore
place_until place3 "$moved"
expect_eq "the frame restored" "$(tr -d '\r' <"$W/place3")" "$moved"
# Every part is where it was before (the rectangles of the frame's client),
# once the program has laid it out again.
layout() { tr -d '\r' <"$W/$1" | awk -F'\t' 'NR > 1 { print $1, $6, $7, $8, $9 }'; }
laid_out_again() { drive dump restored; [ "$(layout restored)" == "$(layout controls.txt)" ]; }
e2e_wait_for 20 laid_out_again || true
expect_eq "the layout after minimise and restore" "$(layout restored)" "$(layout controls.txt)"
drive sysmenu

# The pointer over the window's own background shows the arrow, the shape
# it shows over a push button (a class of the system's), and not the shape
# it had before: the sizing border's.
drive pointer border shape-before pointer background shape-background \
    pointer border shape-border pointer 15005 shape-button
[ "$(cat "$W/shape-border")" != "$(cat "$W/shape-button")" ] ||
    fail "the pointer's shapes cannot be told apart"
expect_eq "the pointer over the window's background" \
    "$(cat "$W/shape-background")" "$(cat "$W/shape-button")"

drive closebox gone 30
wizard_end
expect_eq "boxes" "$(e2e_boxes | wc -l)" 0
tr -d '\r' <"$W/controls.txt" >"$W/controls.tsv"
cat "$W/controls.tsv"

# The frame's own parts, each in its style and where the pointer finds it.
tr -d '\r' <"$W/frame.txt" | tee "$W/frame.tsv"
style=$(sed -n 's/^style //p' "$W/frame.tsv")
parts=" $(sed -n 's/^parts //p' "$W/frame.tsv") "
FRAME_PARTS=(  # what:style bits:parts
    "title bar:0x00C00000:caption"
    "system menu:0x00080000:sysmenu close"
    "minimise box:0x00020000:minbutton"
    "maximise box:0x00010000:maxbutton"
    "sizing border:0x00040000:left right top bottom"
)
for row in "${FRAME_PARTS[@]}"; do
    IFS=: read -r what bits names <<<"$row"
    (((style & bits) == bits)) || fail "the frame has no $what: style $style"
    for name in $names; do
        [[ "$parts" == *" $name "* ]] || fail "the frame's $what: no part $name among$parts"
    done
done
(((style & 0xC0000000) == 0)) || fail "the frame is a child or pop-up window: style $style"
expect_eq "the caption shows the program's icon 1" \
    "$(sed -n 's/^caption-icon //p' "$W/frame.tsv")" 1

# The frame: 620 by 435, centred on the screen.
read -r _ left top right bottom _ _ _ _ sw sh line < <(head -n1 "$W/controls.tsv")
expect_eq "frame size" "$((right - left))x$((bottom - top))" "620x435"
expect_eq "frame corner" "$left,$top" "$(((sw - 620) / 2)),$(((sh - 435) / 2))"

# Every part of the window by its id, 15000 plus the Part's numbers.
field() {  # id column
    awk -F'\t' -v id="$1" -v c="$2" 'NR > 1 && $1 == id { print $c; exit }' "$W/controls.tsv"
}
for n in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 20 21 22 23 24 25; do
    [ -n "$(field $((15000 + n)) 1)" ] || fail "no control $((15000 + n))"
done
[ -z "$(field 15019 1)" ] || fail "15019 is used"
expect_eq "client" "$(field 32776 2)" "AutorunViewPort"
expect_eq "heading class" "$(field 15017 2)" "Static"
expect_eq "list items" "$(field 15006 12)" \
    "Discs with only Tandrel files|Discs with only PDF files|Discs with both Tandrel and PDF files#$(field 15006 12 | sed 's/.*#//')"

# From top to bottom: heading, list, the alternatives reader, disc index,
# collection index, do nothing, window (both lines), then Back/Next/Cancel.
screen_top() { field "$1" 7; }  # in the frame's client coordinates
previous=-1
for id in 15017 15006 15009 15010 15011 15013 15012 15025 15003; do
    t=$(screen_top $id)
    [ "$t" -gt "$previous" ] || fail "control $id ($t) is not below the one before ($previous)"
    previous=$t
done
expect_eq "Back, Next, Cancel in one row" \
    "$(screen_top 15004) $(screen_top 15005)" "$(screen_top 15003) $(screen_top 15003)"
for pair in $ALTERNATIVES; do
    expect_eq "label beside radio ${pair%:*}" "$(screen_top ${pair#*:})" "$(screen_top ${pair%:*})"
done
# Texts are measured in the library's font: the information area is four of
# its lines high, and a margin of 8.
expect_eq "information area height" "$(($(field 15018 9) - $(screen_top 15018)))" "$((4 * line + 8))"

# No control overlaps a sibling, none sticks out of its parent, every text
# is drawn whole in the library's font (its ink the very pixels of the same
# text drawn in that font; a disabled button's, drawn embossed, a pixel
# wider; the information area, whose text comes and goes, is measured
# above), and so every text fits its control's width when measured in its
# own font (the heading by wrapping).
# (Rectangles are all in the frame's client coordinates.)
awk -F'\t' '
    NR == 1 { split($0, f, " "); L[0] = 0; T[0] = 0; R[0] = f[8] - f[6]; B[0] = f[9] - f[7]; next }
    { id[NR] = $1; p[NR] = $3; l[NR] = $6; t[NR] = $7; r[NR] = $8; b[NR] = $9
      L[$1] = $6; T[$1] = $7; R[$1] = $8; B[$1] = $9; cls[NR] = $2; need[NR] = $11; n = NR
      on[NR] = $4; ink[NR] = $13; drawn[NR] = $14; same[NR] = $15 }
    END {
        bad = 0
        for (i = 2; i <= n; i++) {
            if (drawn[i] > 0 && id[i] != 15018 &&
                (cls[i] == "Button" && !on[i] ? ink[i] < drawn[i] || ink[i] > drawn[i] + 1 : !same[i])) {
                print "not whole in the library font: " id[i] " (ink " ink[i] " wide, " drawn[i] " in the font)"; bad = 1 }
            if (r[i] <= l[i] || b[i] <= t[i]) continue  # takes no place
            q = p[i]
            if (l[i] < L[q] || t[i] < T[q] || r[i] > R[q] || b[i] > B[q]) { print "cut off: " id[i]; bad = 1 }
            for (j = i + 1; j <= n; j++)
                if (p[j] == p[i] && r[j] > l[j] && b[j] > t[j] &&
                    l[i] < r[j] && l[j] < r[i] && t[i] < b[j] && t[j] < b[i]) {
                    print "overlap: " id[i] " " id[j]; bad = 1 }
            if (cls[i] == "Static" && id[i] != 15017 && id[i] != 15018 && need[i] > r[i] - l[i]) {
                print "text cut: " id[i]; bad = 1 }
            if (cls[i] == "Button" && need[i] + 8 > r[i] - l[i]) { print "button text cut: " id[i]; bad = 1 }
        }
        exit bad
    }' "$W/controls.tsv" || fail "layout faults (above)"
expect_eq "lines of the heading on the screen" "$(field 15017 10)" 2

# The rows in which a control's ink picture (a file in $W) has ink, as
# "TOP BOTTOM" in the frame's client coordinates (BOTTOM exclusive); with
# "first", only the rows of its first letter, the columns from the first
# with ink to the next without.
ink_rows() {  # file [first]
    awk -v first="${2:-}" '
        function inked(c,   y) {
            for (y = 0; y < n; y++) if (substr(row[y], c, 1) == "#") return 1
            return 0
        }
        NR == 1 { top = $2; next }
        { row[n++] = $0 }
        END {
            from = 1; to = length(row[0])
            if (first) {
                while (from <= to && !inked(from)) from++
                for (c = from; c <= to && inked(c); c++) ;
                to = c - 1
            }
            lo = -1
            for (y = 0; y < n; y++)
                if (index(substr(row[y], from, to - from + 1), "#")) { if (lo < 0) lo = y; hi = y + 1 }
            if (lo < 0) print "none"; else print top + lo, top + hi
        }' "$W/$1"
}

# On the screen each label stands centred beside its radio button: the
# middle of the label's capital first letter within a pixel of the middle of
# the button's circle (the whole line would not do: descenders hang below).
for pair in $ALTERNATIVES; do
    radio=${pair%:*} label=${pair#*:}
    read -r circle_top circle_bottom < <(ink_rows "ink$radio")
    read -r letter_top letter_bottom < <(ink_rows "ink$label" first)
    [ "$circle_top" != none ] && [ "$letter_top" != none ] || fail "no ink on $radio or $label"
    off=$(((letter_top + letter_bottom) - (circle_top + circle_bottom)))  # twice the distance
    [ "${off#-}" -le 2 ] || fail "label $label (rows $letter_top-$letter_bottom) is not centred" \
        "beside radio $radio (rows $circle_top-$circle_bottom)"
done

# The close box ended the run normally: the settings were written.
grep -q '^AUtilities::setRegistryKeys() RegSetValueEx( tndrlChoice = Window ) rc = 0' \
    <(tr -d '\r' <"$W/work/trace.txt") || fail "the settings were not written"
grep -q '^AAutorun::main() Exit.' <(tr -d '\r' <"$W/work/trace.txt") || fail "no Exit."
echo "PASS $E2E_NAME"
