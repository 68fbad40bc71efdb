#!/usr/bin/python3
"""Black-box walk of the console's File and Edit menus: each command acts on the window in
front. No printer is reached: the print dialog is answered with Escape.

    file_edit_test.py TestClass.test_name
"""

import os
import time
import unittest

from belvane_test import SCRATCH, ConsoleCase
from windriver import wait_for

WM_MDIACTIVATE = 0x0222
BM_CLICK = 0x00F5
ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS = 57602, 57603, 57604
ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW = 57607, 57609
ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO = 57634, 57635, 57637, 57643
FILE_COMMANDS = (ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW)
EDIT_COMMANDS = (ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE)


class FileAndEditMenus(ConsoleCase):
    def test_file_and_edit_menus_act_on_the_window_in_front(self):
        main = self.start()
        wait_for(lambda: len(self.console.mdi_children()) == 3, 60, "three MDI children")

        # The log in front: its text selected, read-only.
        self.driver.activate(main)
        self.driver.key("F6")
        log = self.console.log_frame()
        wait_for(lambda: self.console.active_child() == log, 30, "the log window in front")
        self.assertEqual(self.states("ALT+E", "&Edit", EDIT_COMMANDS),
                         {ID_EDIT_UNDO: False, ID_EDIT_CUT: False, ID_EDIT_COPY: True, ID_EDIT_PASTE: False})
        self.assertEqual(self.states("ALT+F", "&File", FILE_COMMANDS), {c: True for c in FILE_COMMANDS})

        # Print Preview shows the log's pages in a window of its own; its Close ends it.
        self.menu_command("ALT+F", "V")
        preview = self.driver.wait_window(title="Print Preview - Logfile", timeout=30)
        buttons = {self.driver.text(h): h for h in self.driver.find("Button", parent=preview)}
        self.assertEqual(sorted(buttons), sorted(["&Print...", "Pre&v Page", "&Next Page", "&Close"]))
        picture = self.driver.screenshot(preview, os.path.join(SCRATCH, "print-preview.bmp"))
        picture.write_png(os.path.join(SCRATCH, "print-preview.png"))
        self.driver.post(buttons["&Close"], BM_CLICK)
        wait_for(lambda: not self.driver.find(title="Print Preview - Logfile"), 30, "the preview to close")

        # Print asks for the printer; Escape answers it and nothing is printed or reported.
        before = set(self.driver.visible("#32770"))
        self.menu_command("ALT+F", "P")
        asked = wait_for(lambda: set(self.driver.visible("#32770")) - before, 30, "the print dialog")
        for dialog in asked:
            self.driver.activate(dialog)
            self.driver.key("ESCAPE")
        wait_for(lambda: not set(self.driver.visible("#32770")) - before, 30, "the print dialog to close")
        time.sleep(1)
        self.assertEqual(set(self.driver.visible("#32770")) - before, set(), "no message follows a cancelled print")

        # The outstanding alarms have nothing to save, but print.
        alarms = self.child("Outstanding Alarms")
        self.activate_child(alarms)
        states = self.states("ALT+F", "&File", FILE_COMMANDS)
        self.assertEqual((states[ID_FILE_SAVE], states[ID_FILE_SAVE_AS], states[ID_FILE_PRINT]), (False, False, True))

        # File Close closes the definitions window.
        definitions = self.child("Alarm Definitions")
        self.activate_child(definitions)
        self.menu_command("ALT+F", "C")
        wait_for(lambda: definitions not in self.console.mdi_children(), 30, "the definitions window to close")
        self.assertIn(log, self.console.mdi_children())

    def child(self, title):
        return [h for h in self.console.mdi_children() if self.driver.text(h).startswith(title)][0]

    def activate_child(self, child):
        self.driver.send(self.console.mdi_client(), WM_MDIACTIVATE, child)
        wait_for(lambda: self.console.active_child() == child, 30, "the window in front")

    def menu_command(self, popup_key, item_key):
        self.driver.activate(self.console.main)
        self.driver.key(popup_key)
        self.driver.key(item_key)

    def states(self, popup_key, popup_name, commands):
        """The enabled state of the commands while their popup is open."""
        self.driver.activate(self.console.main)
        self.driver.key(popup_key)
        items = [item for item in self.driver.menu(self.console.main) if item["text"] == popup_name][0]["items"]
        self.driver.key("ESCAPE")
        self.driver.key("ESCAPE")
        return {i["id"]: i["enabled"] for i in items if i["id"] in commands}


if __name__ == "__main__":
    unittest.main()
