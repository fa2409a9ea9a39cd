# The Wine prefix that every scenario's prefix links to: "make" makes it
# before the first scenario, "remove" removes it after the last (CTest runs
# both as the scenarios' fixture), so a test run leaves none behind.
source "$(dirname "$0")/lib.sh"
case "${1:-}" in
make) e2e_template ;;
remove) e2e_template_remove ;;
*) fail "make or remove, not \"${1:-}\"" ;;
esac
