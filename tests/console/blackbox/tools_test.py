#!/usr/bin/python3
"""Black-box tests of the console's Tools commands that reach past one start of the program.

    tools_test.py TestClass.test_name
"""

import unittest

import belvane_test
from belvane_test import ALARMS_KEY, MAIN_CLASS, Console
from windriver import wait_for

WM_COMMAND = 0x0111
ID_USER_AUTHENTICATION = 32837


class UserAuthentication(belvane_test.Logon):
    """Authentication off at the start, the accounts file of the log-on tests."""

    authentication = 0

    def authentication_value(self):
        return self.session.wine("reg", "query", ALARMS_KEY, "/v", "Authentication")

    def test_switched_on_the_console_asks_for_a_log_on_at_its_next_start(self):
        main = self.start()
        self.driver.post(main, WM_COMMAND, ID_USER_AUTHENTICATION)
        self.enter(self.logon_dialog(), "operator", "secret")
        question = self.driver.wait_window("#32770", "Authentication")
        texts = [self.driver.text(h) for h in self.driver.find("Static", parent=question)]
        self.assertIn("User authentication will be enabled - continue?", texts)
        self.driver.activate(question)
        self.driver.key("Y")
        wait_for(lambda: "0x1" in self.authentication_value(), 30, "the registry value switched on")
        self.console.stop()

        self.console = Console(self.session, self.accounts)
        self.addCleanup(self.console.stop)
        self.driver = self.console.driver
        self.console.start()
        dialog = self.logon_dialog()
        self.assertEqual(self.driver.visible(MAIN_CLASS), [], "the main window waits for the log-on")
        self.enter(dialog, "Operator", "secret")
        self.console.wait_main()


if __name__ == "__main__":
    unittest.main()
