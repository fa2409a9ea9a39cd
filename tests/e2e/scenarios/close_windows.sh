# Other instances' preferences windows are asked to close on every run;
# windows whose title contains the kit title, in any case, only with /p. The
# request is posted, not waited for: a kit window that has stopped answering
# holds up no run, and gets the request once it answers again.
source "$(dirname "$0")/../lib.sh"
e2e_start
e2e_sample_disc

# closed NAME: whether the window got a close request within 10 seconds.
closed() { e2e_wait_for 10 grep -q WM_CLOSE "$W/$1.log"; }

kitTitle="index - zantic dovrel SAMPLE collection - DECEMBER 2026 - browser"
e2e_titlewin prefs1 "Autorun Preferences for Zantic Collections"
e2e_titlewin kit1 "$kitTitle"
e2e_boxwatch_start
e2e_window_closer_start
e2e_autorun 'E:\autorun.exe' /t
e2e_window_closer_stop
e2e_boxwatch_stop
closed prefs1 || fail "another instance's window was not asked to close"
e2e_titlewin_marked kit1 "$kitTitle"  # a close request of the run came before
grep -q WM_CLOSE "$W/kit1.log" && fail "a kit window was closed without /p"
mv "$W/work/trace.txt" "$W/trace-without-p.txt"

e2e_titlewin prefs2 "Autorun Preferences for Zantic Collections"
e2e_titlewin hung "$kitTitle (not answering)" hung "$(winpath "$W/wake")"
e2e_boxwatch_start
e2e_window_closer_start
e2e_autorun 'E:\autorun.exe' /p /t  # within its limit, though a window hangs
e2e_window_closer_stop
e2e_boxwatch_stop
closed prefs2 || fail "another instance's window was not asked to close (with /p)"
closed kit1 || fail "the kit window was not asked to close with /p"
touch "$W/wake"
closed hung || fail "the kit window that did not answer got no close request"
grep -qF "AUtilities::closeWindow() Closing \"$kitTitle\"" "$W/work/trace.txt" ||
    fail "no trace of the kit window's close"
expect_eq "boxes" "$(e2e_boxes | wc -l)" 0
echo "PASS $E2E_NAME"
