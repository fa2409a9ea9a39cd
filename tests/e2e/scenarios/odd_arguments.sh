# Odd arguments (empty, a lone "/" or "-", bytes above 0x7F, 5,000 bytes)
# beside /h: no crash, and still exactly the one help box.
source "$(dirname "$0")/../lib.sh"
e2e_start
e2e_boxwatch_start
long=$(head -c 5000 /dev/zero | tr '\0' 'x')
rc=0
e2e_autorun "$AUTORUN_EXE" "" / - $'/\xe9\xfc' "$long" "/$long" /h || rc=$?
e2e_boxwatch_stop

expect_eq "exit code" "$rc" 0
expect_eq "boxes" "$(e2e_boxes | wc -l)" 1
expect_contains "help box" "$(e2e_boxes)" "autorun parameters:"
echo "PASS $E2E_NAME"
