#!/usr/bin/python3
"""Black-box tests of the console's definitions window: Belvane.exe edits the definitions file of
its program folder as an operator drives it.

    definitions_test.py TestClass.test_name
"""

import os
import re
import unittest

import belvane_test
from belvane_test import ConsoleCase
from windriver import wait_for, winpath

WM_COMMAND = 0x0111
WM_MDIACTIVATE = 0x0222
LVM_GETITEMCOUNT = 0x1004
LVM_GETSELECTEDCOUNT = 0x1032
ID_ADD = 32772
ID_DEACTIVATE = 32817
ID_LOAD_FROM_FILE = 32803
LIST_ID = 1000
TITLE_ID = 1002
IDOK = 1


def record(title, source, active=1):
    """One definition as the definitions file holds it."""
    return ("107 %d\n100 %d\n101 1700000000\n102 1700000000\n103 %s\n104 \n105 \n106 \n108 \n109 \n"
            "110 0\n111 0\n112 0\n@EOR@\n" % (active, source, title))


class Definitions(ConsoleCase):
    def write_definitions(self, *records):
        with open(self.definitions_file(), "w", newline="\r\n") as f:
            f.write("# Tervok Alarm Definitions\n" + "".join(records))

    def definitions_file(self):
        return os.path.join(self.console.folder, "TervokAlarmDefinitions.txt")

    def file_records(self):
        with open(self.definitions_file(), encoding="latin-1") as f:
            text = f.read()
        return [dict(re.findall(r"^(\d{3}) ?(.*)$", part, re.M)) for part in text.split("@EOR@")[:-1]]

    def child_with_id(self, parent, control_id):
        return wait_for(lambda: [h for h in self.driver.find(parent=parent) if self.driver.info(h)["id"] == control_id],
                        30, "a control %d" % control_id)[0]

    def definitions_list(self, main):
        frame = wait_for(lambda: [h for h in self.console.mdi_children() if self.driver.text(h) == "Alarm Definitions"],
                         60, "the definitions window")[0]
        # The window's commands reach its view while it is the active child.
        self.driver.send(self.console.mdi_client(), WM_MDIACTIVATE, frame)
        wait_for(lambda: self.console.active_child() == frame, 10, "the definitions window active")
        return self.child_with_id(frame, LIST_ID)

    def test_lists_the_file_adds_with_a_title_only_and_deactivates(self):
        self.write_definitions(record("Disk", 0), record("Trap", 2), record("Log", 1))
        main = self.start()
        listview = self.definitions_list(main)
        self.assertEqual(self.driver.send(listview, LVM_GETITEMCOUNT), 3)

        self.driver.post(main, WM_COMMAND, ID_ADD)
        sheet = self.driver.wait_window(title="Add Definition")
        ok = self.child_with_id(sheet, IDOK)
        self.assertFalse(self.driver.info(ok)["enabled"], "OK waits for a title")
        title = self.child_with_id(sheet, TITLE_ID)
        self.driver.activate(sheet)
        self.driver.click(title, 5, 5)
        self.driver.type("   ")
        self.assertFalse(self.driver.info(ok)["enabled"], "blanks are no title")
        self.driver.type("Disk full")
        wait_for(lambda: self.driver.info(ok)["enabled"], 10, "OK enabled by the title")
        self.driver.click(ok, 5, 5)
        wait_for(lambda: not self.driver.visible(title="Add Definition"), 30, "the sheet to close")

        records = self.file_records()
        self.assertEqual([r["103"] for r in records], ["Disk", "Trap", "Log", "   Disk full"])
        added = records[-1]
        self.assertEqual((added["100"], added["107"]), ("0", "1"), "class 0 and active")
        self.assertEqual(added["101"], added["102"], "created equals modified")
        self.assertEqual(self.driver.send(listview, LVM_GETITEMCOUNT), 4)

        # The first row of the class-sorted list: a click selects it, Deactivate rewrites the file.
        self.driver.activate(main)
        self.driver.click(listview, 40, 28)
        wait_for(lambda: self.driver.send(listview, LVM_GETSELECTEDCOUNT) == 1, 10, "one row selected")
        self.driver.post(main, WM_COMMAND, ID_DEACTIVATE)
        wait_for(lambda: sum(r["107"] == "0" for r in self.file_records()) == 1, 30, "one definition inactive")
        picture = self.driver.screenshot(main, os.path.join(belvane_test.SCRATCH, "definitions-window.bmp"))
        picture.write_png(os.path.join(belvane_test.SCRATCH, "definitions-window.png"))

    def test_a_file_without_end_of_record_is_refused_and_nothing_is_lost(self):
        self.write_definitions(record("Disk", 0))
        main = self.start()
        listview = self.definitions_list(main)
        with open(self.definitions_file(), "rb") as f:
            before = f.read()
        other = os.path.join(self.console.folder, "cut.txt")
        with open(other, "w") as f:
            f.write("# Tervok Alarm Definitions\n107 1\n103 cut short\n")

        self.driver.post(main, WM_COMMAND, ID_LOAD_FROM_FILE)
        dialog = self.driver.wait_window(title="Select Alarm Definitions")
        self.driver.activate(dialog)
        self.driver.type(winpath(other))
        self.driver.key("ENTER")
        self.driver.wait_window(title="Load From File")
        self.driver.key("ENTER")
        wait_for(lambda: not self.driver.visible(title="Load From File"), 30, "the message to close")

        with open(self.definitions_file(), "rb") as f:
            self.assertEqual(f.read(), before, "the definitions file is untouched")
        self.assertEqual(self.driver.send(listview, LVM_GETITEMCOUNT), 1)

if __name__ == "__main__":
    unittest.main()
