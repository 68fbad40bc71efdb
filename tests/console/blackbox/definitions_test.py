#!/usr/bin/python3
"""Black-box tests of the console's definitions window: Belvane.exe edits the definitions file of
its program folder as an operator drives it.

    definitions_test.py TestClass.test_name

The Trigger cases run inside tests/alarmmodel/channels/peers.py with aiosmtpd on port 25 and
the modem simulator "ok" on COM5.
"""

import os
import re
import subprocess
import unittest

import belvane_test
from belvane_test import ALARMS_KEY, VOLATILE_KEY, ConsoleCase
from windriver import wait_for, winpath

WM_COMMAND = 0x0111
WM_MDIACTIVATE = 0x0222
LVM_GETITEMCOUNT = 0x1004
LVM_GETSELECTEDCOUNT = 0x1032
LVM_GETITEMSTATE = 0x102C
LVIS_SELECTED = 0x0002
ID_ADD = 32772
ID_COPY = 32776
ID_MODIFY = 32774
ID_DELETE = 32775
ID_ACTIVATE = 32816
ID_SAVE_TO_FILE = 32802
ID_TEST_SELECTED = 32790
TEST_FIELD_ROW0 = 1034
TEST_VALUE_ROW0 = 1025
ID_DEACTIVATE = 32817
ID_LOAD_FROM_FILE = 32803
ID_TRIGGER = 32781
ID_WINDOW_NEW = 57648
ID_WINDOW_TILE = 57651
LIST_ID = 1000
TITLE_ID = 1002
IDOK = 1


def record(title, source, active=1, actions=()):
    """One definition as the definitions file holds it."""
    return ("107 %d\n100 %d\n101 1700000000\n102 1700000000\n103 %s\n104 \n105 %s\n106 \n108 \n109 \n"
            "110 0\n111 0\n112 0\n@EOR@\n" % (active, source, title, "\t".join(actions)))


class Definitions(ConsoleCase):
    def write_definitions(self, *records):
        with open(self.definitions_file(), "w", newline="\r\n") as f:
            f.write("# Tervok Alarm Definitions\n" + "".join(records))

    def definitions_file(self):
        return os.path.join(self.console.folder, "TervokAlarmDefinitions.txt")

    def file_records(self, path=None):
        with open(path or self.definitions_file(), encoding="latin-1") as f:
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

    def sql(self, statement):
        """A statement on the prefix's own SQLite alarm database; its rows as "|"-separated text."""
        database = os.path.join(self.session.prefix, "odbc", "alarms.db")
        return subprocess.run(["sqlite3", "-separator", "|", database, statement], check=True, capture_output=True,
                              text=True).stdout.strip()

    def outstanding_title(self, pattern, what):
        def matching():
            self.console.nudge()
            return any(re.fullmatch(pattern, self.driver.text(h)) for h in self.console.mdi_children())
        wait_for(matching, 60, what)

    def selected(self, listview):
        count = self.driver.send(listview, LVM_GETITEMCOUNT)
        return [i for i in range(count) if self.driver.send(listview, LVM_GETITEMSTATE, i, LVIS_SELECTED)]

    def select_rows(self, main, listview, rows):
        """Selects the rows as an operator does: a click on the first, CTRL with the arrows and SPACE."""
        self.driver.activate(main)
        self.driver.click(listview, 40, 28)
        wait_for(lambda: self.selected(listview) == [0], 10, "the first row selected")
        if 0 not in rows:
            self.driver.key("CTRL+SPACE")
        for row in range(1, max(rows) + 1):
            self.driver.key("CTRL+DOWN")
            if row in rows:
                self.driver.key("CTRL+SPACE")
        wait_for(lambda: self.selected(listview) == sorted(rows), 10, "the rows %r selected" % rows)

    def confirm_sheet(self, caption, title_suffix=""):
        sheet = self.driver.wait_window(title=caption)
        if title_suffix:
            title = self.child_with_id(sheet, TITLE_ID)
            self.driver.activate(sheet)
            self.driver.click(title, 5, 5)
            self.driver.key("END")
            self.driver.type(title_suffix)
        ok = self.child_with_id(sheet, IDOK)
        wait_for(lambda: self.driver.info(ok)["enabled"], 10, "OK enabled")
        self.driver.activate(sheet)
        self.driver.click(ok, 5, 5)
        wait_for(lambda: not self.driver.visible(title=caption), 30, "the sheet to close")

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

    def test_modify_activate_delete_and_copy_each_rewrite_the_file(self):
        # Five classes, so the class-sorted rows are ALL Data, OpenVMS, SNMP, Syslog, Windows.
        self.write_definitions(record("A", 0), record("B", 1), record("C", 2), record("D", 3),
                               record("E", 4, active=0))
        main = self.start()
        listview = self.definitions_list(main)

        self.select_rows(main, listview, [2])
        self.driver.post(main, WM_COMMAND, ID_MODIFY)
        self.confirm_sheet("Modify Definition", " v2")
        modified = self.file_records()[2]
        self.assertEqual((modified["103"], modified["101"]), ("C v2", "1700000000"), "the title changes, Created stays")
        self.assertGreater(int(modified["102"]), 1700000000, "Modified is renewed")
        self.assertEqual(self.driver.send(listview, LVM_GETSELECTEDCOUNT), 0, "the list is refilled")

        self.select_rows(main, listview, [1])
        self.driver.post(main, WM_COMMAND, ID_ACTIVATE)
        wait_for(lambda: self.file_records()[4]["107"] == "1", 30, "E active in the file")

        # Rows 0, 2 and 4: D, C v2 and A.
        self.select_rows(main, listview, [0, 2, 4])
        self.driver.post(main, WM_COMMAND, ID_DELETE)
        self.driver.wait_window(title="Delete")
        self.driver.key("ENTER")
        wait_for(lambda: [r["103"] for r in self.file_records()] == ["B", "E"], 30, "exactly those three deleted")
        self.assertEqual(self.driver.send(listview, LVM_GETITEMCOUNT), 2)

        # Rows now: E (OpenVMS), B (Syslog).
        self.select_rows(main, listview, [1])
        self.driver.post(main, WM_COMMAND, ID_COPY)
        self.confirm_sheet("Copy Definition")
        records = self.file_records()
        self.assertEqual([r["103"] for r in records], ["B", "E", "Copy of B"])
        copy = records[2]
        self.assertEqual(copy["100"], "1", "the class copied")
        self.assertLess(1700000000, int(copy["101"]), "created when copied")
        self.assertLessEqual(int(copy["101"]), int(copy["102"]), "modified when confirmed")
        # The copy shares its class with B: one of the two rows of that class is selected.
        self.assertIn(self.selected(listview), ([1], [2]), "the copy's row is selected")

    def test_the_context_menu_is_the_definitions_menu_and_save_to_file_leaves_the_file(self):
        self.write_definitions(record("Disk", 0), record("Trap", 2))
        main = self.start()
        listview = self.definitions_list(main)
        self.select_rows(main, listview, [1])
        self.driver.click(listview, 40, 44, "right")
        wait_for(lambda: self.driver.visible("#32768"), 10, "the context menu")
        # M is the mnemonic of "&Modify" in the Definitions menu.
        self.driver.key("M")
        sheet = self.driver.wait_window(title="Modify Definition")
        self.assertEqual(self.driver.text(self.child_with_id(sheet, TITLE_ID)), "Disk")
        self.driver.key("ESCAPE")
        wait_for(lambda: not self.driver.visible(title="Modify Definition"), 30, "the sheet to close")

        with open(self.definitions_file(), "rb") as f:
            before = f.read()
        saved = os.path.join(self.console.folder, "saved.txt")
        self.driver.post(main, WM_COMMAND, ID_SAVE_TO_FILE)
        dialog = self.driver.wait_window(title="Select Alarm Definitions")
        self.driver.activate(dialog)
        self.driver.type(winpath(saved))
        self.driver.key("ENTER")
        wait_for(lambda: os.path.exists(saved), 30, "the saved file")
        with open(self.definitions_file(), "rb") as f:
            self.assertEqual(f.read(), before, "the definitions file is not written")
        self.assertEqual(self.file_records(saved), self.file_records(), "the saved file holds the same definitions")
        revision = self.session.wine("reg", "query", VOLATILE_KEY, "/v", "AlarmDefnsRevision")
        self.assertRegex(revision, r"AlarmDefnsRevision\s+REG_DWORD\s+0x1\b", "the one save raised the revision")

    def test_test_selected_triggers_with_the_record_that_matched(self):
        self.write_definitions(record("Disk", 0).replace("106 \n", "106 101:0:disk\n"))
        main = self.start()
        self.outstanding_title(r"Outstanding Alarms: \d+", "the alarm table checked")
        largest = int(self.sql("SELECT COALESCE(MAX(FLD_PRIME_KEY), 0) FROM TBL_ALARMS_005"))
        listview = self.definitions_list(main)
        self.select_rows(main, listview, [0])

        self.driver.post(main, WM_COMMAND, ID_TEST_SELECTED)
        dialog = self.driver.wait_window(title="Test Alarm Criteria")
        ok = self.child_with_id(dialog, IDOK)
        self.driver.activate(dialog)
        # The row's field list: its second item is the definition's one criterion.
        self.driver.click(self.child_with_id(dialog, TEST_FIELD_ROW0), 5, 5)
        self.driver.key("DOWN")
        self.driver.key("ENTER")
        self.driver.click(self.child_with_id(dialog, TEST_VALUE_ROW0), 5, 5)
        self.driver.type("no space left")
        self.assertFalse(self.driver.info(ok)["enabled"], "a value without disk does not match")
        self.driver.key("HOME")
        self.driver.type("disk: ")
        wait_for(lambda: self.driver.info(ok)["enabled"], 10, "OK once the value matches")
        self.driver.click(ok, 5, 5)

        # Trigger follows with the typed record; the actions dialog closes without a run.
        actions = self.driver.wait_window(title="Alarm Actions")
        self.driver.activate(actions)
        self.driver.key("ESCAPE")
        row = wait_for(lambda: self.sql("SELECT FLD_PRIME_KEY, FLD_TITLE, FLD_MATCH_TEXT, FLD_LOG FROM TBL_ALARMS_005 "
                                        "WHERE FLD_PRIME_KEY > %d" % largest), 30, "the triggered row")
        key, title, match, log = row.split("|", 3)
        self.assertEqual((int(key), title, match), (largest + 1, "Disk", "From (Address) = disk: no space left"))
        # The description lines alone (the empty last one cut by the query's output): no run, no report.
        self.assertRegex(log, r"^Triggered \.\.: Belvane\nCreated \.{4}: [^\n]+\nBy \.{9}: Belvane$")
        wait_for(lambda: "Alarm added: Disk" in self.driver.text(self.console.log_edit()), 30, "the log line")

    def test_a_second_window_shows_and_keeps_what_the_first_deletes(self):
        # Class-sorted rows: C (SNMP), B (Syslog), A (Windows).
        self.write_definitions(record("A", 0), record("B", 1), record("C", 2))
        main = self.start()
        first = self.definitions_list(main)
        self.driver.post(main, WM_COMMAND, ID_WINDOW_NEW)
        frames = wait_for(lambda: [h for h in self.console.mdi_children() if self.driver.text(h) == "Alarm Definitions"]
                          if len(self.console.mdi_children()) == 4 else [], 30, "a second definitions window")
        self.assertEqual(len(frames), 2)
        second_frame = self.console.active_child()
        first_frame = [h for h in frames if h != second_frame][0]
        second = self.child_with_id(second_frame, LIST_ID)
        self.assertEqual(self.driver.send(second, LVM_GETITEMCOUNT), 3)
        # Tiled, so that a click on either list reaches it.
        self.driver.post(main, WM_COMMAND, ID_WINDOW_TILE)
        wait_for(lambda: self.driver.info(first_frame)["rect"][3] <= self.driver.info(second_frame)["rect"][1] or
                 self.driver.info(second_frame)["rect"][3] <= self.driver.info(first_frame)["rect"][1], 30,
                 "the windows tiled")

        self.driver.send(self.console.mdi_client(), WM_MDIACTIVATE, first_frame)
        self.select_rows(main, first, [0])
        self.driver.post(main, WM_COMMAND, ID_DELETE)
        self.driver.wait_window(title="Delete")
        self.driver.key("ENTER")
        wait_for(lambda: [r["103"] for r in self.file_records()] == ["A", "B"], 30, "C deleted")
        self.assertEqual(self.driver.send(second, LVM_GETITEMCOUNT), 2, "the second window shows it")

        # Row 0 of the second window is now B.
        self.driver.send(self.console.mdi_client(), WM_MDIACTIVATE, second_frame)
        self.select_rows(main, second, [0])
        self.driver.post(main, WM_COMMAND, ID_DEACTIVATE)
        wait_for(lambda: self.file_records()[-1]["107"] == "0", 30, "B inactive in the file")
        self.assertEqual([r["103"] for r in self.file_records()], ["A", "B"], "C stays deleted")

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

def unix_path(path):
    """A Z: drive path of the peers as the Linux path it stands for."""
    return path[2:].replace("\\", "/")


# Rows created now, with the keys given.
ROWS = ("INSERT INTO TBL_ALARMS_005 (FLD_PRIME_KEY, FLD_TIMESTAMP, FLD_CLASS, FLD_FROM, FLD_TITLE, FLD_STATUS) "
        "SELECT column1, datetime('now', 'localtime'), 0, 'host', 'Earlier', 'Open' FROM (VALUES %s)")
ALARM_ACTIONS_START = 1041
ALARM_ACTIONS_REPORT = 1025
IDCANCEL = 2


class Trigger(Definitions):
    """Trigger Selected against the prefix's own SQLite alarm database and the channel peers."""

    def setUp(self):
        self.mail_dir = os.environ.get("TERVOK_SMTP_AIOSMTPD_DIR")
        self.modem_record = os.environ.get("TERVOK_MODEM_OK_RECORD")
        if not self.mail_dir or not self.modem_record:
            self.skipTest("run inside peers.py --aiosmtpd --port25 --modem com5=ok")
        super().setUp()
        options = {"COptions::SMTP_Server": "127.0.0.1", "COptions::SMTP_SenderName": "Belvane",
                   "COptions::SMTP_SenderEmail": "alarms@example.com",
                   "COptions::SMS_COMPort": os.environ["TERVOK_MODEM_OK_PORT"]}
        for name, value in options.items():
            self.session.wine("reg", "add", ALARMS_KEY, "/v", name, "/d", value, "/f")
            self.addCleanup(self.session.wine, "reg", "delete", ALARMS_KEY, "/v", name, "/f", check=False)

    def test_trigger_runs_the_actions_adds_the_next_row_logs_it_and_the_alarms_window_shows_it(self):
        self.write_definitions(record("Disk trigger", 1, actions=("0:ops@example.com", "1:+41790000001")))
        main = self.start()
        self.outstanding_title(r"Outstanding Alarms: \d+", "the start-up check to make the table")
        # Rows with a gap before the largest key: the next key is the largest plus one.
        self.sql("DELETE FROM TBL_ALARMS_005")
        self.sql(ROWS % "(1), (2), (3), (17)")
        self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmLastPrimeKey", "/t", "REG_DWORD", "/d", "17", "/f")
        self.outstanding_title("Outstanding Alarms: 4", "the window to follow the earlier rows")

        listview = self.definitions_list(main)
        self.driver.activate(main)
        self.driver.click(listview, 40, 28)
        wait_for(lambda: self.driver.send(listview, LVM_GETSELECTEDCOUNT) == 1, 10, "the definition selected")
        self.driver.post(main, WM_COMMAND, ID_TRIGGER)
        dialog = self.driver.wait_window(title="Alarm Actions")
        report = self.child_with_id(dialog, ALARM_ACTIONS_REPORT)
        self.driver.activate(dialog)
        self.driver.click(self.child_with_id(dialog, ALARM_ACTIONS_START), 5, 5)
        shown = wait_for(lambda: "+CMGS" in self.driver.text(report) and self.driver.text(report), 120,
                         "the report of both actions")
        self.assertIn("250", shown)
        self.assertFalse(self.sql("SELECT FLD_PRIME_KEY FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY = 18"),
                         "the row waits for the dialog to close")
        self.driver.click(self.child_with_id(dialog, IDCANCEL), 5, 5)
        wait_for(lambda: not self.driver.visible(title="Alarm Actions"), 30, "the dialog to close")

        # The row: the next key, the definition's fields, the test record and the run's report.
        row = wait_for(lambda: self.sql("SELECT FLD_PRIME_KEY, FLD_CLASS, FLD_TITLE, FLD_STATUS, FLD_FROM, "
                                        "FLD_MATCH_TEXT, FLD_LOG FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY > 17"),
                       30, "the triggered row")
        key, source, title, status, origin, match, log = row.split("|", 6)
        self.assertEqual((key, source, title, status, origin), ("18", "1", "Disk trigger", "Open", "Test"))
        self.assertIn("From = Test", match)
        self.assertRegex(log, r"^Triggered \.\.: Belvane\nCreated \.\.\.\.: .+\nBy \.\.\.\.\.\.\.\.\.: Belvane\n\n")
        self.assertIn("+CMGS", log)
        self.assertEqual(self.sql("SELECT COUNT(*) FROM TBL_ALARMS_005"), "5")

        wait_for(lambda: "Alarm added: Disk trigger" in self.driver.text(self.console.log_edit()), 30,
                 "the log line")
        self.outstanding_title("Outstanding Alarms: 5", "the new row in the outstanding-alarms window")

        # The actions reached their peers.
        with open(os.path.join(unix_path(self.mail_dir), "mail-1.envelope")) as f:
            self.assertEqual(f.read(), "alarms@example.com\nops@example.com\n")
        with open(os.path.join(unix_path(self.mail_dir), "mail-1.body")) as f:
            body = f.read()
        self.assertTrue(body.startswith("[From]\nBelvane\n"), body)
        self.assertIn("[Trigger]\nTest mode -\nNo match information available.\n", body, "run in test mode")
        with open(unix_path(self.modem_record), "rb") as f:
            self.assertIn(b"AT+CMGS", f.read())


if __name__ == "__main__":
    unittest.main()
