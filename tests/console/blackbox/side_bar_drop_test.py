#!/usr/bin/python3
"""Black-box tests of drops onto the console's filter side bar from another program
(shortcut_item_offer.exe): items whose icons are damaged leave the console running with its side
bar as it was, and a well-formed item dropped after them is taken.

    side_bar_drop_test.py TestClass.test_name
"""

import os
import subprocess
import unittest

from belvane_test import ConsoleCase
from windriver import wait_for

OFFER = os.environ.get("TERVOK_SHORTCUT_ITEM_OFFER", "")
OFFER_SOURCE_TITLE = "shortcut item source"
OFFERED_LABEL = "Z\u00fcrich \u2713"
# The offer program's image lists that crashed or were taken by the reader before they were checked.
DAMAGED = ("image list of 0xFFFF images", "image list of 1024 images, at most 2", "mask bitmap of 1x1",
           "images 256 high over a bitmap 32 high")
SHORTCUT_BAR_ID = 104
DROPEFFECT_NONE = 0


class SideBarDrop(ConsoleCase):
    def setUp(self):
        if not OFFER:
            raise unittest.SkipTest("shortcut_item_offer.exe is not built")
        super().setUp()

    def outstanding_frame(self):
        def found():
            self.console.nudge()
            return [h for h in self.console.mdi_children() if self.driver.text(h).startswith("Outstanding Alarms")]
        return wait_for(found, 90, "the outstanding-alarms window")[0]

    def age_list(self, frame):
        """The side bar's open group list: the Age group, open at the start."""
        bar = [h for h in self.driver.find(parent=frame) if self.driver.info(h)["id"] == SHORTCUT_BAR_ID][0]
        return wait_for(lambda: self.driver.visible("SysListView32", parent=bar), 30, "the Age group's list")[0]

    def state(self, frame, group_list):
        """What a drop could change: the group's items, the window's title (its filter)."""
        return self.driver.listview(group_list)["rows"], self.driver.text(frame)

    def drop(self, case, group_list, point):
        """Drags the case's item from the other program onto the list; the drop effect it saw."""
        source = self.session.spawn(OFFER, "drag", case)
        try:
            window = self.driver.wait_window(title=OFFER_SOURCE_TITLE, timeout=30)
            self.driver.drag(window, 50, 50, group_list, *point)
            return source.wait(30)
        finally:
            if source.poll() is None:
                source.kill()
                source.wait()

    def test_items_with_damaged_icons_leave_the_console_running_unchanged_and_a_good_one_is_taken(self):
        cases = dict(reversed(line.split("\t", 1)) for line in self.session.wine(OFFER, "list").splitlines())
        self.start()
        frame = self.outstanding_frame()
        group_list = self.age_list(frame)
        before = self.state(frame, group_list)
        rows, rects = before[0], self.driver.listview(group_list)["rects"]
        self.assertIn(["All"], rows)
        # Between the first two items, where a drop inserts one (the list has no room below its last).
        point = ((rects[0][0] + rects[0][2]) // 2, (rects[0][3] + rects[1][1]) // 2)
        self.assertGreater(rects[1][1] - rects[0][3], 2, "a gap between the items: %r" % rects)

        for what in DAMAGED:
            with self.subTest(what):
                effect = self.drop(cases[what], group_list, point)
                self.assertIsNone(self.console.process.poll(), "the console ended")
                self.assertEqual(effect, DROPEFFECT_NONE, "the drop is refused")
                self.console.nudge()
                self.assertEqual(self.state(frame, group_list), before)

        effect = self.drop(cases["well-formed with icons"], group_list, point)
        self.assertNotEqual(effect, DROPEFFECT_NONE)
        rows = wait_for(lambda: len(self.state(frame, group_list)[0]) == len(before[0]) + 1
                        and self.state(frame, group_list)[0], 30, "the dropped item")
        self.assertIn([OFFERED_LABEL], rows)
        self.assertEqual([row for row in rows if row != [OFFERED_LABEL]], before[0])
        self.assertIsNone(self.console.process.poll())

if __name__ == "__main__":
    unittest.main()
