#!/usr/bin/python3
"""Black-box tests of the outstanding-alarms window: Belvane.exe on SQLite and PostgreSQL data
sources of a bench of their own, holding 1,500 alarm rows.

    alarms_window_test.py TestClass.test_name
"""

import os
import subprocess
import unittest

from belvane_test import ALARMS_KEY, VOLATILE_KEY, ConsoleCase, SCRATCH
from windriver import wait_for

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

    def start_on_table(self):
        """The start-up check makes the table; the rows go in before the second start."""
        self.session.wine("reg", "add", ALARMS_KEY, "/v", "AlarmDatabaseDSN", "/d", self.dsn, "/f")
        self.sql("DROP TABLE IF EXISTS TBL_ALARMS_005")
        self.start()
        self.outstanding_frame(lambda title: title == "Outstanding Alarms: 0")
        self.console.stop()
        self.insert(1, 1500)
        self.console = type(self.console)(self.session)
        self.driver = self.console.driver
        self.addCleanup(self.console.stop)
        self.start()

    def test_lists_the_newest_thousand_and_follows_a_new_alarm(self):
        self.start_on_table()
        frame = self.outstanding_frame(lambda title: title == "Outstanding Alarms: 1000 (max = 1000)")
        self.sql("DELETE FROM TBL_ALARMS_005 WHERE FLD_PRIME_KEY > 600")
        self.insert(0, 0)
        self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmLastPrimeKey", "/t", "REG_DWORD", "/d", "9", "/f")
        self.assertEqual("Outstanding Alarms: 601", wait_for(
            lambda: self.driver.text(frame) if self.driver.text(frame) == "Outstanding Alarms: 601" else None,
            60, "the reload after the new alarm, with no input"))


class AlarmsWindowPostgres(AlarmsWindow):
    dsn = "Tervok Alarms PostgreSQL"


if __name__ == "__main__":
    unittest.main()
