# autorun.exe /h shows exactly one box with the help text for its own name.
source "$(dirname "$0")/../lib.sh"
e2e_start
e2e_boxwatch_start
e2e_autorun "$AUTORUN_EXE" /h
e2e_boxwatch_stop

expect_eq "boxes" "$(e2e_boxes | wc -l)" 1
expect_eq "help box" "$(e2e_boxes)" \
    "Autorun Message	autorun parameters:\n\n/h Help\n/p Perform action\n/t Trace on	1"
echo "PASS $E2E_NAME"
