# With the reader installed at version 2.3.0 and a Java runtime, the reader's
# row is enabled; choosing the reader and pressing Next shows the old-reader
# warning once, also when panel 0 is left again; Finish stores "VLR".
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
source "$(dirname "$0")/../wizard_lib.sh"
e2e_start
launch_setup
e2e_reg_add 'HKLM\Software\Zantic\Zantic Velmora Reader\2.3.0'

e2e_set_choices Window Window Window
wizard_start
drive wait 60 dump p0 click 15009 click 15004 dump p1 click 15003 click 15004 \
    click 15004 click 15004 gone 30
wizard_end
for id in 15009 15020 15014; do
    expect_eq "panel 0: reader control $id" "$(control p0 $id enabled)" 1
done
expect_eq "panel 1: reader's radio" "$(control p1 15009 enabled)" 0
expect_eq "panel 1 shown after the warning" "$(list_selection p1)" 1
warning="Autorun Message	You have an old version of the Zantic Velmora Reader\\ninstalled, which does not provide the newest functions,\\nimprovements, and fixes.  We recommend that you install\\nthe latest version, using the velmora tools\\ninstallation program on this collection.	1"
change="Autorun Message	Your autorun preference changes will take effect \\nthe next time you insert a disc.	1"
expect_eq "boxes" "$(e2e_boxes)" "$warning"$'\n'"$change"
expect_eq "TndrlChoice" "$(e2e_setting TndrlChoice)" VLR
expect_eq "MixedChoice" "$(e2e_setting MixedChoice)" Window
echo "PASS $E2E_NAME"
