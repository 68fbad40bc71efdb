#!/usr/bin/python3
"""Black-box tests of the console's Tools commands for the channel tests and the Options sheet:
Belvane.exe opens them from its menu as an operator does.

    settings_test.py TestClass.test_name
"""

import os
import unittest

from belvane_test import ALARMS_KEY, ConsoleCase
from windriver import wait_for, winpath

WM_COMMAND = 0x0111
PSM_SETCURSEL = 0x0465
ID_TOOLS_TEST_NET_SEND = 32791
ID_TOOLS_OPTIONS = 32789
IDOK = 1
IDCANCEL = 2
NET_SEND_MESSAGE = 1026
TEST_OUTPUT = 1033
SETTINGS_SERVER = 1038


class ToolsMenu(ConsoleCase):
    def control(self, window, control_id):
        return wait_for(lambda: [h for h in self.driver.find(parent=window) if self.driver.info(h)["id"] == control_id],
                        30, "a control %d" % control_id)[0]

    def replace_text(self, window, control_id, text):
        edit = self.control(window, control_id)
        self.driver.activate(window)
        self.driver.click(edit, 3, 3)
        self.driver.key("CTRL+HOME")
        self.driver.key("CTRL+SHIFT+END")
        self.driver.key("DELETE")
        self.driver.type(text)

    def option(self, name):
        """What reg prints for the option; a query that fails fails the test with reg's answer."""
        return self.session.wine("reg", "query", ALARMS_KEY, "/v", name)

    def test_net_send_test_shows_the_command_and_a_hostile_text_runs_nothing_else(self):
        main = self.start()
        mark = os.path.join(self.console.folder, "pwned.txt")
        self.driver.post(main, WM_COMMAND, ID_TOOLS_TEST_NET_SEND)
        dialog = self.driver.wait_window("#32770", "Net Send Test")
        self.replace_text(dialog, NET_SEND_MESSAGE, "x & echo PWNED > " + winpath(mark))
        self.driver.click(self.control(dialog, IDOK), 5, 5)
        output = self.control(dialog, TEST_OUTPUT)
        text = wait_for(lambda: "Output\r\n" in self.driver.text(output) and self.driver.text(output), 60,
                        "the command's report")
        self.assertTrue(text.startswith("Command\r\n-------\r\nNET SEND /users x ^& echo PWNED ^> "), text)
        self.assertFalse(os.path.exists(mark))
        self.driver.click(self.control(dialog, IDCANCEL), 5, 5)
        wait_for(lambda: not self.driver.visible("#32770", "Net Send Test"), 30, "the dialog to close")

    def test_options_ok_stores_the_smtp_server_that_the_mail_actions_read(self):
        self.session.wine("reg", "add", ALARMS_KEY, "/v", "COptions::SMTP_Server", "/d", "old.example.com", "/f")
        main = self.start()
        self.driver.post(main, WM_COMMAND, ID_TOOLS_OPTIONS)
        sheet = self.driver.wait_window("#32770", "Options")
        self.driver.send(sheet, PSM_SETCURSEL, 1, 0)
        server = self.control(sheet, SETTINGS_SERVER)
        wait_for(lambda: self.driver.text(server) == "old.example.com", 30, "the stored server on the page")
        self.replace_text(sheet, SETTINGS_SERVER, "mail.example.com")
        self.driver.click(self.control(sheet, IDOK), 5, 5)
        wait_for(lambda: not self.driver.visible("#32770", "Options"), 30, "the sheet to close")
        self.assertIn("mail.example.com", self.option("COptions::SMTP_Server"))
        self.assertIn("COptions::SMS_COMPort", self.option("COptions::SMS_COMPort"))


if __name__ == "__main__":
    unittest.main()
