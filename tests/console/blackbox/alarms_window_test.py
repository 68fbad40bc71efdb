#!/usr/bin/python3
"""Black-box tests of the outstanding-alarms window: Belvane.exe on SQLite and PostgreSQL data
sources of a bench of their own, holding 1,500 alarm rows.

    alarms_window_test.py TestClass.test_name
"""

import os
import subprocess
import threading
import time
import unittest

from belvane_test import ALARMS_KEY, PROFILE_KEY, VOLATILE_KEY, ConsoleCase, SCRATCH
from windriver import Driver, wait_for

ROOT = os.environ.get("TERVOK_ROOT", "")
BENCH = os.path.join(SCRATCH, "alarms-bench")
FIXTURE = os.path.join(ROOT, "tools", "odbc-fixture")

# 1,500 rows, key k created k minutes before now; the newest has key 1.
ROWS = ("INSERT INTO TBL_ALARMS_005 (FLD_PRIME_KEY, FLD_TIMESTAMP, FLD_CLASS, FLD_FROM, FLD_TITLE, "
        "FLD_DESCRIPTION, FLD_MATCH_TEXT, FLD_STATUS, FLD_LOG, FLD_ASSIGNED_TO, FLD_PRIORITY) "
        "WITH RECURSIVE n(k) AS (SELECT {first} UNION ALL SELECT k + 1 FROM n WHERE k < {last}) "
        "SELECT k, {created}, 0, 'host', 'Disk full', 'Description ' || k, 'from=web' || k, 'Open', "
        "'Triggered', 'Ops', 'High' FROM n")
SQLITE_CREATED = "datetime('now', 'localtime', '-' || k || ' minutes')"
POSTGRES_CREATED = "LOCALTIMESTAMP(0) - k * INTERVAL '1 minute'"

ALARM_LIST_ID, FIELD_LIST_ID, LOG_LIST_ID = 1000, 1001, 1002
WM_COMMAND = 0x0111
ID_VIEW_ALARM_DEFN = 32783
IDCANCEL = 2
DEFINITION_TITLE_ID = 1002
BELVANE_PROFILE = PROFILE_KEY + "\\Belvane\\Belvane"
# The filters as the side bar stores them: 12 hours, then the five texts, one holding quotes.
FILTERS = {"CAlarmsListView::m_strLoadAge": "2026-12-09 00:00:00",
           "CAlarmsListView::m_strLoadAgeText": "12 Hours",
           "CAlarmsListView::m_strLoadFrom": "host1",
           "CAlarmsListView::m_strLoadStatus": "Open",
           "CAlarmsListView::m_strLoadTitle": "Disk 'C' full",
           "CAlarmsListView::m_strLoadAssignedTo": "Ops",
           "CAlarmsListView::m_strLoadPriority": "High"}
FILTERED_TITLE = ("Outstanding Alarms: 24, Age: 12 Hours, From: host1, Status: Open, Assigned To: Ops, "
                  "Priority: High, Title: Disk 'C' full")
# Rows from host1, open, of high priority and titled with quotes: keys 20n + 1 not divisible by 3;
# within 12 hours the newest 24 of them (key 701 is 19 minutes inside the limit).
FILTERED_KEYS = [k for k in range(1, 1501) if k % 20 == 1 and k % 3 and k <= 716]
SPREAD = ["UPDATE TBL_ALARMS_005 SET FLD_FROM = 'host' || (FLD_PRIME_KEY % 5)",
          "UPDATE TBL_ALARMS_005 SET FLD_STATUS = 'Closed' WHERE FLD_PRIME_KEY % 3 = 0",
          "UPDATE TBL_ALARMS_005 SET FLD_PRIORITY = 'Low' WHERE FLD_PRIME_KEY % 2 = 0",
          "UPDATE TBL_ALARMS_005 SET FLD_TITLE = 'Disk ''C'' full' WHERE FLD_PRIME_KEY % 4 = 1"]


def definition_text(title):
    """One alarm definition in the tagged lines of the definitions file."""
    return "107 1\n100 2\n103 %s\n104 Watches %s\n108 Night shift\n109 High\n@EOR@\n" % (title, title)


class AlarmsWindow(ConsoleCase):
    dsn = "Tervok Alarms Database"

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        subprocess.run([FIXTURE, "start", BENCH], check=True, capture_output=True)
        os.environ["ODBCSYSINI"] = os.path.join(BENCH, "odbc")

    @classmethod
    def tearDownClass(cls):
        subprocess.run([FIXTURE, "stop", BENCH], capture_output=True)
        super().tearDownClass()

    def sql(self, statement):
        if "PostgreSQL" in self.dsn:
            command = [FIXTURE, "psql", BENCH, "-X", "-Atc", statement]
        else:
            command = ["sqlite3", os.path.join(BENCH, "alarms.db"), statement]
        return subprocess.run(command, check=True, capture_output=True, text=True).stdout.strip()

    def insert(self, first, last):
        created = POSTGRES_CREATED if "PostgreSQL" in self.dsn else SQLITE_CREATED
        self.sql(ROWS.format(first=first, last=last, created=created))

    def outstanding_frame(self, pattern):
        def matching():
            self.console.nudge()
            frames = [h for h in self.console.mdi_children() if self.driver.text(h).startswith("Outstanding Alarms")]
            return frames and pattern(self.driver.text(frames[0])) and frames[0]
        try:
            return wait_for(matching, 90, "the outstanding-alarms window")
        except AssertionError:
            titles = [self.driver.text(h) for h in self.console.mdi_children()]
            raise AssertionError("no matching outstanding-alarms title in %r" % titles) from None

    def start_on_table(self, prepare=None):
        """The start-up check makes the table; the rows go in, and prepare() runs, before the
        second start."""
        self.session.wine("reg", "add", ALARMS_KEY, "/v", "AlarmDatabaseDSN", "/d", self.dsn, "/f")
        self.sql("DROP TABLE IF EXISTS TBL_ALARMS_005")
        self.start()
        self.outstanding_frame(lambda title: title == "Outstanding Alarms: 0")
        self.console.stop()
        self.insert(1, 1500)
        if prepare:
            prepare()
        self.restart()

    def restart(self):
        self.console.stop()
        self.console = type(self.console)(self.session)
        self.driver = self.console.driver
        self.addCleanup(self.console.stop)
        self.start()

    def list_of(self, frame, control_id):
        return [h for h in self.driver.find(parent=frame) if self.driver.info(h)["id"] == control_id][0]

    def rows(self, frame, control_id, most=1000, columns=None):
        return self.driver.listview(self.list_of(frame, control_id), most, columns)["rows"]

    def test_lists_the_newest_thousand_and_follows_a_new_alarm(self):
        self.start_on_table()
        frame = self.outstanding_frame(lambda title: title == "Outstanding Alarms: 1000 (max = 1000)")
        listed = self.rows(frame, ALARM_LIST_ID, columns=[0, 8])
        self.assertEqual(["Description %d" % k for k in range(1, 1001)], [row[1] for row in listed],
                         "the newest thousand, newest first")
        self.assertEqual(sorted((row[0] for row in listed), reverse=True), [row[0] for row in listed])
        self.sql("DELETE FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY > 600")
        self.insert(0, 0)
        self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmLastPrimeKey", "/t", "REG_DWORD", "/d", "9", "/f")
        self.assertEqual("Outstanding Alarms: 601", wait_for(
            lambda: self.driver.text(frame) if self.driver.text(frame) == "Outstanding Alarms: 601" else None,
            60, "the reload after the new alarm, with no input"))


    def test_a_new_alarm_marks_the_title_and_waits_while_keys_come(self):
        self.start_on_table()
        frame = self.outstanding_frame(lambda title: title == "Outstanding Alarms: 1000 (max = 1000)")
        self.sql("DELETE FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY > 600")
        self.insert(0, 0)
        self.driver.activate(self.console.main)
        # A second driver presses Shift every 0.7 s until told to stop.
        typist = Driver(self.session)
        self.addCleanup(typist.close)
        stop = threading.Event()

        def type_keys():
            while not stop.is_set():
                typist.key("SHIFT")
                stop.wait(0.7)
        thread = threading.Thread(target=type_keys)
        thread.start()
        try:
            time.sleep(1)
            self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmLastPrimeKey", "/t", "REG_DWORD", "/d", "9", "/f")
            marked = "Outstanding Alarms: 1000 (max = 1000) *"
            wait_for(lambda: self.driver.text(frame) == marked, 30, "the mark of a new alarm")
            for _ in range(8):
                time.sleep(1)
                self.assertEqual(marked, self.driver.text(frame), "no reload while keys come")
        finally:
            stop.set()
            thread.join()
        self.assertEqual("Outstanding Alarms: 601", wait_for(
            lambda: self.driver.text(frame) if self.driver.text(frame) == "Outstanding Alarms: 601" else None,
            60, "the reload once the keys have stopped"))

    def test_filters_kept_in_the_profile_select_the_same_rows_after_a_restart(self):
        def spread_rows_and_store_filters():
            for statement in SPREAD:
                self.sql(statement)
            for name, value in FILTERS.items():
                self.session.wine("reg", "add", BELVANE_PROFILE, "/v", name, "/d", value, "/f")
            self.session.wine("reg", "add", BELVANE_PROFILE, "/v", "CAlarmsListView::m_nAgeSecs", "/t", "REG_DWORD",
                              "/d", str(12 * 3600), "/f")
        self.start_on_table(spread_rows_and_store_filters)
        frame = self.outstanding_frame(lambda title: title == FILTERED_TITLE)
        listed = self.rows(frame, ALARM_LIST_ID)
        self.assertEqual(["Description %d" % k for k in FILTERED_KEYS], [row[8] for row in listed])
        self.assertEqual({("Disk 'C' full", "Open", "Ops", "High")}, {(row[3], row[5], row[6], row[7]) for row in listed})
        # The From filter compares FLD_FROM; the column shows the match text's "from" line.
        self.assertEqual(["web%d" % k for k in FILTERED_KEYS], [row[4] for row in listed])

        self.restart()
        frame = self.outstanding_frame(lambda title: title == FILTERED_TITLE)
        again = self.rows(frame, ALARM_LIST_ID)
        without_age = lambda rows: [row[:1] + row[2:] for row in rows]
        self.assertEqual(without_age(listed), without_age(again), "the same rows after the restart")
        stored = self.session.wine("reg", "query", BELVANE_PROFILE, "/v", "CAlarmsListView::m_strLoadTitle")
        self.assertIn("Disk 'C' full", stored)

    def test_detail_panes_and_the_definition_sheet_follow_the_selected_row(self):
        def store_definitions():
            for key, title in ((1, "Disk watch"), (4, "Net watch")):
                self.sql("UPDATE TBL_ALARMS_005 SET FLD_ALARM_DEFN = '%s' WHERE FLD_PRIME_KEY = %d"
                         % (definition_text(title), key))
        self.start_on_table(store_definitions)
        frame = self.outstanding_frame(lambda title: title == "Outstanding Alarms: 1000 (max = 1000)")
        alarms = self.list_of(frame, ALARM_LIST_ID)
        listed = self.driver.listview(alarms, 10)
        self.assertEqual([0], listed["selected"])
        self.assertEqual([["from", listed["rows"][0][4]]], self.rows(frame, FIELD_LIST_ID))
        self.assertEqual([["Triggered"]], self.rows(frame, LOG_LIST_ID))
        self.assertEqual("Disk watch", self.definition_title(frame))

        left, top, right, bottom = listed["rects"][3]
        self.driver.activate(self.console.main)
        self.driver.click(alarms, left + 40, (top + bottom) // 2)
        wait_for(lambda: self.driver.listview(alarms, 10)["selected"] == [3], 30, "row 3 to be selected")
        self.assertEqual("web4", listed["rows"][3][4])
        self.assertEqual([["from", "web4"]], wait_for(
            lambda: [r for r in [self.rows(frame, FIELD_LIST_ID)] if r == [["from", "web4"]]], 30,
            "the field pane of row 3")[0])
        self.assertEqual("Net watch", self.definition_title(frame))

    def definition_title(self, frame):
        """View Alarm Defn on the selected row: the title on the sheet's General page."""
        self.driver.post(frame, WM_COMMAND, ID_VIEW_ALARM_DEFN)
        sheet = self.driver.wait_window(title="View Definition", timeout=30)
        title = [h for h in self.driver.find(parent=sheet) if self.driver.info(h)["id"] == DEFINITION_TITLE_ID
                 and self.driver.info(h)["class"] == "Edit"][0]
        text = self.driver.text(title)
        self.driver.post(sheet, WM_COMMAND, IDCANCEL)
        wait_for(lambda: not self.driver.visible(title="View Definition"), 30, "the sheet to close")
        return text


class AlarmsWindowPostgres(AlarmsWindow):
    dsn = "Tervok Alarms PostgreSQL"


if __name__ == "__main__":
    unittest.main()
