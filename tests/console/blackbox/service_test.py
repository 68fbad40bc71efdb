#!/usr/bin/python3
"""Black-box tests of the console's alarms-service sheet: Belvane.exe with a test double of the
alarms service in the prefix's service manager, which publishes its counters while it runs.

    service_test.py TestClass.test_name
"""

import os
import re
import unittest

import windriver
from alarms_window_test import AlarmsWindow
from belvane_test import FAKE_SERVICE, SCRATCH, SERVICE, VOLATILE_KEY, ConsoleCase
from windriver import wait_for

ROOT = os.environ.get("TERVOK_ROOT", "")
WM_COMMAND = 0x0111
WM_SYSCOMMAND = 0x0112
SC_CLOSE = 0xF060
ID_SERVICE_CONFIGURATION = 32793
SHEET_TITLE = "Alarms Service Configuration"
STATUS_ID, CREATED_ID, QUEUE_ID, DISPLAY_NAME_ID = 1019, 1008, 1011, 1049
START_ID, STOP_ID = 1041, 1047
ID_ODBC_CONFIGURATION = 32822
ID_MESSENGER_SERVICE = 32805
SQLITE, POSTGRES = "Tervok Alarms Database", "Tervok Alarms PostgreSQL"
IDOK = 1
PARAMETERS_KEY = "HKLM\\SOFTWARE\\Tervok AG\\Quorvex"
DEFAULT_ID, ADVANCED_ID, MODIFY_ID, PARAMETERS_ID, DSN_LIST_ID = 1009, 1159, 1144, 1273, 1000


class ServiceSheet(ConsoleCase):
    def setUp(self):
        super().setUp()
        self.remove_service()
        self.addCleanup(self.remove_service)
        command = '"%s" alarms' % windriver.winpath(FAKE_SERVICE)
        self.session.wine("sc", "create", SERVICE, "binpath=", command, "displayname=", "Tervok Alarms Service")

    def remove_service(self):
        self.session.wine("sc", "stop", SERVICE, check=False)
        self.session.wine("sc", "delete", SERVICE, check=False)

    def control(self, sheet, control_id):
        matching = [h for h in self.driver.find(parent=sheet) if self.driver.info(h)["id"] == control_id]
        return [h for h in matching if self.driver.info(h)["visible"]][0]

    def wait_text(self, sheet, control_id, pattern, what):
        def matching():
            text = self.driver.text(self.control(sheet, control_id))
            return re.fullmatch(pattern, text) and text
        return wait_for(matching, 30, what)

    def sheet_checked(self):
        """The check mark of Service Configuration, read while the Tools menu is open."""
        self.driver.activate(self.console.main)
        self.driver.key("ALT+T")
        items = [item for item in self.driver.menu(self.console.main) if item["text"] == "&Tools"][0]["items"]
        self.driver.key("ESCAPE")
        self.driver.key("ESCAPE")
        return [item["checked"] for item in items if item["id"] == ID_SERVICE_CONFIGURATION][0]

    def wait_sheet_checked(self, checked):
        # The menu is read while the keys that open it may still be on their way.
        wait_for(lambda: self.sheet_checked() == checked, 10,
                 "the Service Configuration check mark " + ("set" if checked else "cleared"))

    def press(self, sheet, control_id):
        # Without a window manager the frame that took the menu keys stays above its sheet.
        self.driver.activate(sheet)
        self.driver.click(self.control(sheet, control_id), 5, 5)

    def test_the_sheet_follows_the_service_and_its_buttons_start_and_stop_it(self):
        main = self.start()
        self.wait_sheet_checked(False)
        self.driver.post(main, WM_COMMAND, ID_SERVICE_CONFIGURATION)
        sheet = self.driver.wait_window("#32770", SHEET_TITLE)
        self.wait_text(sheet, STATUS_ID, "Stopped", "the stopped service")
        self.assertEqual("Tervok Alarms Service", self.driver.text(self.control(sheet, DISPLAY_NAME_ID)))
        self.wait_sheet_checked(True)
        # Modeless: the main window takes input while the sheet shows.
        self.console.wait_pane(r"Status: Stopped")

        self.press(sheet, START_ID)
        self.wait_text(sheet, STATUS_ID, "Running", "the started service")
        self.assertIn("RUNNING", self.session.wine("sc", "query", SERVICE))
        self.console.wait_pane(r"Status: Running")
        first = self.wait_text(sheet, CREATED_ID, r"1,23\d,\d{3}", "the service's count of alarms")
        wait_for(lambda: self.driver.text(self.control(sheet, CREATED_ID)) != first, 30, "the count to follow")
        self.wait_text(sheet, QUEUE_ID, r"Current [0-4], maximum 12", "the queue sizes")

        self.driver.activate(sheet)
        picture = self.driver.screenshot(sheet, os.path.join(SCRATCH, "service-sheet.bmp"))
        picture.write_png(os.path.join(SCRATCH, "service-sheet.png"))

        self.press(sheet, STOP_ID)
        self.wait_text(sheet, STATUS_ID, "Stopped", "the stopped service")
        self.console.wait_pane(r"Status: Stopped")

        self.driver.post(sheet, WM_SYSCOMMAND, SC_CLOSE)
        wait_for(lambda: not self.driver.info(sheet)["visible"], 30, "the sheet to hide")
        self.wait_sheet_checked(False)
        self.driver.post(main, WM_COMMAND, ID_SERVICE_CONFIGURATION)
        wait_for(lambda: self.driver.info(sheet)["visible"], 30, "the same sheet to show again")
        self.wait_sheet_checked(True)



class MessengerDialog(ConsoleCase):
    def test_without_a_messenger_service_the_dialog_says_so_and_closes_at_once(self):
        main = self.start()
        self.driver.post(main, WM_COMMAND, ID_MESSENGER_SERVICE)
        dialog = self.driver.wait_window("#32770", "Messenger (NET SEND) Service Status")
        control = lambda control_id: [h for h in self.driver.find(parent=dialog)
                                      if self.driver.info(h)["id"] == control_id][0]
        wait_for(lambda: self.driver.text(control(STATUS_ID)), 30, "the status text")
        status = self.driver.text(control(STATUS_ID))
        self.assertNotIn(status, ("", "Stopped", "Running"))
        self.assertEqual("Messenger", self.driver.text(control(1045)))
        self.assertFalse(self.driver.info(control(START_ID))["enabled"])
        self.assertFalse(self.driver.info(control(STOP_ID))["enabled"])
        self.driver.activate(dialog)
        self.driver.key("ESCAPE")
        wait_for(lambda: not self.driver.find("#32770", "Messenger (NET SEND) Service Status"), 30,
                 "the dialog to close")
        self.console.wait_pane(r"Status: .*")


class SelectDsn(AlarmsWindow):
    """The console on the bench's SQLite data source with 1,500 rows, the PostgreSQL one empty,
    and no connection parameters for either."""

    def setUp(self):
        super().setUp()
        self.forget_parameters()
        self.addCleanup(self.forget_parameters)

    def forget_parameters(self):
        self.session.wine("reg", "delete", PARAMETERS_KEY, "/v", "DSN Parameters", "/f", check=False)

    def control(self, dialog, control_id):
        return [h for h in self.driver.find(parent=dialog) if self.driver.info(h)["id"] == control_id][0]

    def type_into(self, edit, text):
        self.driver.click(edit, 3, 3)
        self.driver.key("HOME")
        self.driver.key("SHIFT+END")
        self.driver.key("DELETE")
        self.driver.type(text)

    def select_dsn(self):
        self.driver.post(self.console.main, WM_COMMAND, ID_ODBC_CONFIGURATION)
        dialog = self.driver.wait_window("#32770", "Select DSN")
        self.driver.activate(dialog)
        return dialog

    def choose(self, name):
        """ODBC Configuration, the name typed into the combo box, OK."""
        dialog = self.select_dsn()
        edit = self.driver.find("Edit", parent=dialog)[0]
        self.type_into(edit, name)
        wait_for(lambda: self.driver.text(edit) == name, 30, "the typed name")
        self.driver.click(self.control(dialog, IDOK), 3, 3)
        wait_for(lambda: not self.driver.find("#32770", "Select DSN"), 30, "Select DSN to close")

    def choose_default(self):
        dialog = self.select_dsn()
        self.driver.click(self.control(dialog, DEFAULT_ID), 3, 3)
        wait_for(lambda: self.driver.info(self.control(dialog, DEFAULT_ID))["checked"], 30, "Default to be chosen")
        self.driver.click(self.control(dialog, IDOK), 3, 3)
        wait_for(lambda: not self.driver.find("#32770", "Select DSN"), 30, "Select DSN to close")

    def responsive(self):
        try:
            self.driver.text(self.console.main)
            return True
        except windriver.DriverError:
            return False

    def outstanding_frame(self, pattern):
        # The check of a newly chosen data source keeps the console busy for a while.
        wait_for(self.responsive, 120, "the console to answer again")
        return super().outstanding_frame(pattern)

    def log_text(self):
        """The log window's text; empty while the console is busy with the database."""
        try:
            return self.driver.text(self.console.log_edit())
        except windriver.DriverError:
            return ""

    def postgres_sql(self, statement):
        dsn, self.dsn = self.dsn, POSTGRES
        try:
            return self.sql(statement)
        finally:
            self.dsn = dsn

    def test_select_dsn_switches_the_outstanding_window_between_sqlite_and_postgresql(self):
        self.postgres_sql("DROP TABLE IF EXISTS TBL_ALARMS_005")
        self.start_on_table()
        self.outstanding_frame(lambda title: title == "Outstanding Alarms: 1000 (max = 1000)")

        self.choose(POSTGRES)
        frame = self.outstanding_frame(lambda title: title == "Outstanding Alarms: 0")
        self.dsn = POSTGRES
        self.insert(1, 5)
        self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmLastPrimeKey", "/t", "REG_DWORD", "/d", "5", "/f")
        frame = self.outstanding_frame(lambda title: title == "Outstanding Alarms: 5")
        listed = self.rows(frame, 1000, columns=[8])
        self.assertEqual(["Description %d" % k for k in range(1, 6)], [row[0] for row in listed])

        self.choose_default()
        self.outstanding_frame(lambda title: title == "Outstanding Alarms: 1000 (max = 1000)")

    def test_a_wrong_login_in_the_parameters_gives_the_database_error_and_the_console_stays(self):
        self.postgres_sql("DROP TABLE IF EXISTS TBL_ALARMS_005")
        self.start_on_table()
        dialog = self.select_dsn()
        self.driver.click(self.control(dialog, ADVANCED_ID), 3, 3)
        advanced = self.driver.wait_window("#32770", "Advanced DSN Settings")
        self.driver.activate(advanced)
        names = [row[0] for row in self.driver.listview(self.control(advanced, DSN_LIST_ID))["rows"]]
        self.assertEqual(sorted(names), names)
        self.driver.click(self.control(advanced, DSN_LIST_ID), 40, 30)
        self.driver.key("HOME")
        for _ in range(names.index(POSTGRES)):
            self.driver.key("DOWN")
        self.driver.click(self.control(advanced, MODIFY_ID), 3, 3)
        edit = self.driver.wait_window("#32770", "Specify DSN Parameters")
        self.assertEqual(POSTGRES, self.driver.text(self.control(edit, 1274)))
        self.type_into(self.control(edit, PARAMETERS_ID), "UID=nobody;PWD=Wr0ngSecret")
        self.driver.key("ENTER")
        wait_for(lambda: not self.driver.find("#32770", "Specify DSN Parameters"), 30, "the parameters dialog to close")
        self.driver.activate(advanced)
        self.driver.key("ENTER")
        wait_for(lambda: not self.driver.find("#32770", "Advanced DSN Settings"), 30, "the settings to close")
        self.driver.activate(dialog)
        self.type_into(self.driver.find("Edit", parent=dialog)[0], POSTGRES)
        self.driver.key("ENTER")

        # The check fails on the login: the box says so, and the console stays on its data source.
        box = self.driver.wait_window("#32770", "Error", timeout=120)
        picture = self.driver.screenshot(box, os.path.join(SCRATCH, "select-dsn-check-failed.bmp"))
        picture.write_png(os.path.join(SCRATCH, "select-dsn-check-failed.png"))
        texts = [self.driver.text(h) for h in self.driver.find("Static", parent=box)]
        self.assertTrue(any(t.startswith('The data source "%s" did not pass the alarm database check' % POSTGRES)
                            for t in texts), texts)
        self.driver.activate(box)
        self.driver.click(self.control(box, IDOK), 3, 3)
        wait_for(lambda: not self.driver.find("#32770", "Error"), 30, "the box to close")
        wait_for(lambda: "nobody" in self.log_text(), 120, "the database's login error")
        self.assertNotIn("Wr0ngSecret", self.driver.text(self.console.log_edit()))
        self.outstanding_frame(lambda title: title == "Outstanding Alarms: 1000 (max = 1000)")


if __name__ == "__main__":
    unittest.main()
