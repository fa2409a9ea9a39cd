# The preferences window started without /p and no reader installed: the
# Tandrel panel (Back disabled, "Next>", the reader's row disabled), moves
# by Next and by the disc-type list (a selection, and a letter typed in the
# list: the next item that starts with it), Finish with a changed choice (the
# change message, the new choice written), and Cancel after changes (the
# registry as it was).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../wizard_lib.sh"
e2e_start
e2e_sample_disc  # no reader and no Java runtime installed

# Moves through the panels, then the close box.
e2e_set_choices KitIndex DiscIndex Nothing
wizard_start
drive wait 60 dump p0 select 15006 2 dump list2 select 15006 0 dump list0 type 15006 d
# The keys reach the list in their turn.
typed() { drive dump typed; [ "$(list_selection typed)" == 1 ]; }
e2e_wait_for 20 typed || fail "the letter typed did not move the list to item 1 within 20 s:" \
    "item $(list_selection typed)"
drive select 15006 0 click 15004 dump p1 click 15004 dump p2 close gone 30
wizard_end
expect_eq "panel 0: Back" "$(control p0 15003 enabled)" 0
expect_eq "panel 0: Next" "$(control p0 15004 text)" "Next>"
for id in 15009 15020 15014; do
    expect_eq "panel 0: reader control $id" "$(control p0 $id enabled)" 0
done
expect_eq "panel 0: list" "$(list_selection p0)" 0
expect_eq "panel 0: the saved choice" "$(control p0 15011 text)" "[x]"
expect_eq "list item 2: the mixed panel" "$(list_selection list2)" 2
expect_eq "list item 2: Finish" "$(control list2 15004 text)" "Finish"
expect_eq "list item 2: Back" "$(control list2 15003 enabled)" 1
expect_eq "list item 2: the mixed choice" "$(control list2 15010 text)" "[x]"
expect_eq "list item 0: Back" "$(control list0 15003 enabled)" 0
expect_eq "letter typed: the PDF panel" "$(list_selection typed)" 1
expect_eq "letter typed: Back" "$(control typed 15003 enabled)" 1
expect_eq "letter typed: the PDF choice" "$(control typed 15013 text)" "[x]"
expect_eq "Next: panel 1" "$(list_selection p1)" 1
expect_eq "Next: Back" "$(control p1 15003 enabled)" 1
expect_eq "Next: Next" "$(control p1 15004 text)" "Next>"
expect_eq "Next, Next: panel 2" "$(list_selection p2)" 2
expect_eq "Next, Next: Finish" "$(control p2 15004 text)" "Finish"
expect_eq "moves: boxes" "$(e2e_boxes)" ""
expect_eq "moves: TndrlChoice" "$(e2e_setting TndrlChoice)" KitIndex

# Another choice on the PDF panel and Finish.
wizard_start
drive wait 60 click 15004 click 15012 click 15004 click 15004 gone 30
wizard_end
expect_eq "Finish: boxes" "$(e2e_boxes)" \
    "Autorun Message	Your autorun preference changes will take effect \\nthe next time you insert a disc.	1"
expect_eq "Finish: the box's icon and owner" "$(e2e_box_looks)" "warning	none"
expect_eq "Finish: TndrlChoice" "$(e2e_setting TndrlChoice)" KitIndex
expect_eq "Finish: MixedChoice" "$(e2e_setting MixedChoice)" DiscIndex
expect_eq "Finish: PDFChoice" "$(e2e_setting PDFChoice)" Window

# Changes, then Cancel.
e2e_set_choices KitIndex DiscIndex Nothing
wizard_start
drive wait 60 click 15013 click 15004 click 15011 click 15004 click 15005 gone 30
wizard_end
expect_eq "Cancel: boxes" "$(e2e_boxes)" ""
expect_eq "Cancel: TndrlChoice" "$(e2e_setting TndrlChoice)" KitIndex
expect_eq "Cancel: MixedChoice" "$(e2e_setting MixedChoice)" DiscIndex
expect_eq "Cancel: PDFChoice" "$(e2e_setting PDFChoice)" Nothing
expect_eq "Cancel: Version" "$(e2e_setting Version)" 0013
echo "PASS $E2E_NAME"
