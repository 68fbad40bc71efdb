#!/usr/bin/python3
"""Black-box tests of Belvane.exe: the console runs under Wine from a program folder of its own,
driven by WindowDriver.exe as an operator would drive it.

    belvane_test.py TestClass.test_name
"""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

import windriver
from windriver import wait_for

BELVANE = os.environ.get("TERVOK_BELVANE", "")
FAKE_SERVICE = os.environ.get("TERVOK_FAKE_SERVICE", "")
SCRATCH = os.environ.get("TERVOK_BLACKBOX_SCRATCH", tempfile.gettempdir())

MAIN_CLASS = "Belvane-Tervok-Application"
SPLASH_CLASS = "BelvaneSplash"
ALARMS_KEY = "HKLM\\SOFTWARE\\Tervok AG\\Alarms"
VOLATILE_KEY = ALARMS_KEY + "\\Volatile"
PROFILE_KEY = "HKCU\\Software\\Local AppWizard-Generated Applications"
SERVICE = "TervokAlarmsService"
LOG_EDIT_ID = 1043
STATUS_BAR_ID = 59393
PICTURE_WIDTH = 22
USER_EDIT_ID = 1034
PASSWORD_EDIT_ID = 1035
IDOK = 1
ID_APP_EXIT = 57665
ID_VIEW_TOOLBAR = 59392
ID_VIEW_STATUS_BAR = 59393
# Definitions toolbar, Main toolbar, Outstanding toolbar, Status bar.
VIEW_TOGGLES = (32807, ID_VIEW_TOOLBAR, 32808, ID_VIEW_STATUS_BAR, 32820)
WM_NULL = 0x0000
WM_SYSCOMMAND = 0x0112
SC_RESTORE = 0xF120
ACCOUNTS = ("# Quorvex user accounts\n"
            "#Operator\twrong\n"
            "Operator\tEF69-0A7A-4A4E-61CA-5DC6-9D94-735F-C7CF\n"
            "guest\tletmein\n")


def level_of(pixels):
    """The level picture that a band of pixels shows: the error picture is a red disc, the
    warning picture a red-rimmed triangle, the information picture a blue-rimmed bulb."""
    ink = [p for p in pixels if min(p) < 230]
    red = [p for p in ink if p[0] > 150 and p[1] < 90 and p[2] < 90]
    blue = [p for p in ink if p[2] > p[0] + 40]
    if not ink:
        return None
    if len(red) * 4 >= len(ink) * 3:
        return "error"
    if red:
        return "warning"
    if blue:
        return "information"
    return "unknown"


def picture_bands(picture):
    """The levels of the pictures down the left margin of a log window's picture, top to bottom.
    A band is a run of rows with ink in the picture column; the white line gaps part them. The
    caret blinks at the start of the empty line after the last: a band of ink one or two pixels
    wide is the caret, not a picture."""
    bands, band, columns = [], [], set()
    for y in range(picture.height + 1):
        row = [picture.pixel(x, y) for x in range(min(PICTURE_WIDTH, picture.width))] if y < picture.height else []
        if level_of(row):
            band += row
            columns.update(x for x, pixel in enumerate(row) if level_of([pixel]))
        elif band:
            if len(columns) > 2:
                bands.append(level_of(band))
            band, columns = [], set()
    return bands


class Console:
    """Belvane.exe in a program folder of its own, with a driver beside it."""

    def __init__(self, session, accounts=None):
        self.session = session
        self.driver = windriver.Driver(session)
        self.folder = os.path.join(SCRATCH, "program")
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.exe = os.path.join(self.folder, "Belvane.exe")
        shutil.copy(BELVANE, self.exe)
        if accounts is not None:
            with open(os.path.join(self.folder, "TervokQuorvexUserAccounts.txt"), "w", newline="\r\n") as f:
                f.write(accounts)
        self.process = None
        self.main = None

    def start(self):
        self.process = self.session.spawn(self.exe)

    def wait_main(self):
        """The main window, once the splash window over it has gone."""
        self.main = self.driver.wait_window(MAIN_CLASS, timeout=90)
        wait_for(lambda: not self.driver.visible(SPLASH_CLASS), 60, "the splash window to go")
        return self.main

    def nudge(self):
        """A posted message, after which the program runs its idle updates."""
        if self.main:
            self.driver.post(self.main, WM_NULL)

    def mdi_client(self):
        return self.driver.find("MDIClient", parent=self.main)[0]

    def mdi_children(self):
        """The MDI child frames, topmost first."""
        client = self.mdi_client()
        return [h for h in self.driver.find(parent=client) if self.driver.info(h)["parent"] == client]

    def log_frame(self):
        return [h for h in self.mdi_children() if self.driver.text(h) == "Logfile"][0]

    def log_edit(self):
        return [h for h in self.driver.find(parent=self.log_frame()) if self.driver.info(h)["id"] == LOG_EDIT_ID][0]

    def active_child(self):
        return self.driver.send(self.mdi_client(), windriver.WM_MDIGETACTIVE)

    def panes(self):
        bar = [h for h in self.driver.find(parent=self.main) if self.driver.info(h)["id"] == STATUS_BAR_ID][0]
        return self.driver.panes(bar)

    def wait_pane(self, pattern, timeout=30):
        def matching():
            self.nudge()
            return [p for p in self.panes() if re.fullmatch(pattern, p)]
        try:
            return wait_for(matching, timeout, "a status pane %r" % pattern)[0]
        except AssertionError as error:
            raise AssertionError("%s; the panes are %r" % (error, self.panes())) from None

    def stop(self):
        """Closes the main window; a program still in its start is ended."""
        if self.process and self.main is not None:
            try:
                self.driver.post(self.main, windriver.WM_CLOSE)
                self.process.wait(30)
            except (windriver.DriverError, subprocess.TimeoutExpired):
                pass
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process = self.main = None
        self.driver.close()


class ConsoleCase(windriver.SessionCase):
    """A fresh start: no saved frame state, authentication off, no volatile values."""

    accounts = None
    authentication = 0

    @classmethod
    def setUpClass(cls):
        if not BELVANE:
            raise unittest.SkipTest("Belvane.exe is not built")
        super().setUpClass()

    def setUp(self):
        for key in (PROFILE_KEY, VOLATILE_KEY):
            self.session.wine("reg", "delete", key, "/f", check=False)
        self.session.wine("reg", "delete", ALARMS_KEY, "/v", "AlarmDatabaseDSN", "/f", check=False)
        self.session.wine("reg", "add", ALARMS_KEY, "/v", "Authentication", "/t", "REG_DWORD", "/d",
                          str(self.authentication), "/f")
        self.console = Console(self.session, self.accounts)
        self.addCleanup(self.console.stop)
        self.driver = self.console.driver

    def start(self):
        self.console.start()
        return self.console.wait_main()


class MainFrame(ConsoleCase):
    def test_first_start_is_maximised_with_log_definitions_and_outstanding_windows(self):
        main = self.start()
        info = self.driver.info(main)
        self.assertTrue(info["maximized"] and info["visible"], info)
        self.assertRegex(info["title"], r"^Belvane v\d")
        children = wait_for(lambda: len(self.console.mdi_children()) == 3 and self.console.mdi_children(), 60,
                            "three MDI children")
        titles = [self.driver.text(h) for h in children]
        # Topmost first: the log window opened first, then the definitions, then the outstanding window.
        self.assertEqual(titles[-1], "Logfile", titles)
        self.assertEqual(self.console.active_child(), children[0])
        self.assertNotIn("Logfile", titles[:-1])
        self.assertRegex(self.driver.text(main), r"^Belvane v\d", "the title stays while children are active")

    def test_menu_shows_f6_on_the_log_window_only_and_its_window_menu_tiles(self):
        main = self.start()
        children = wait_for(lambda: len(self.console.mdi_children()) == 3 and self.console.mdi_children(), 60,
                            "three MDI children")
        popups = {item["text"]: item["items"] for item in self.driver.menu(main)}
        shortcut = lambda popup, command: [(i["text"], i["enabled"]) for i in popups[popup] if i["id"] == command]
        self.assertEqual(shortcut("&Logfile", 32780), [("&Display\tF6", True)])
        self.assertEqual(shortcut("&Definitions", 32771), [("&Display", True)])
        self.assertEqual(shortcut("&Outstanding", 32773), [("&Display", True)])
        self.assertEqual(shortcut("&Window", 57650), [("&Cascade", True)])
        self.assertEqual(shortcut("&Window", 57651), [("&Tile", True)])

        self.driver.activate(main)
        self.driver.key("ALT+W")
        self.driver.key("T")
        rects = lambda: sorted(self.driver.info(h)["rect"] for h in children)
        wait_for(lambda: all(a[3] <= b[1] for a, b in zip(rects(), rects()[1:])), 30,
                 "the children tiled one below the other")

        picture = self.driver.screenshot(main, os.path.join(SCRATCH, "console-main-frame.bmp"))
        picture.write_png(os.path.join(SCRATCH, "console-main-frame.png"))
        self.assertEqual(picture.rect, [0, 0, 1280, 1024], "the maximised frame fills the screen")
        colours = {picture.pixel(x, y) for x in range(0, picture.width, 7) for y in range(0, picture.height, 7)}
        self.assertGreater(len(colours), 20, "the picture shows the frame, not an empty screen")

    def test_a_restored_frame_opens_again_where_it_was_closed(self):
        main = self.start()
        self.driver.post(main, WM_SYSCOMMAND, SC_RESTORE)
        wait_for(lambda: not self.driver.info(main)["maximized"], 30, "the frame to be restored")
        rect = self.driver.info(main)["rect"]
        self.console.stop()

        self.console = Console(self.session)
        self.addCleanup(self.console.stop)
        self.driver = self.console.driver
        main = self.start()
        info = self.driver.info(main)
        self.assertFalse(info["maximized"])
        self.assertEqual(info["rect"], rect)

    def test_restart_closes_the_console_and_starts_it_again(self):
        main = self.start()
        first = self.driver.info(main)["process"]
        self.driver.activate(main)
        self.driver.key("ALT+F")
        self.driver.key("E")
        self.console.process.wait(60)
        again = self.driver.wait_window(MAIN_CLASS, timeout=90)
        self.assertNotEqual(self.driver.info(again)["process"], first)
        # The new console is not our child: it is closed through its window.
        self.driver.post(again, windriver.WM_CLOSE)
        wait_for(lambda: not self.driver.find(MAIN_CLASS), 60, "the restarted console to close")

    def test_file_exit_from_the_menu_ends_the_console(self):
        main = self.start()
        wait_for(lambda: len(self.console.mdi_children()) == 3, 60, "three MDI children")
        self.driver.activate(main)
        self.driver.key("ALT+F")
        exit_item = [i for i in self.popup("&File") if i["id"] == ID_APP_EXIT]
        self.assertEqual([(i["text"], i["enabled"]) for i in exit_item], [("E&xit", True)])
        picture = self.driver.screenshot(0, os.path.join(SCRATCH, "file-menu.bmp"))
        picture.write_png(os.path.join(SCRATCH, "file-menu.png"))
        self.driver.key("X")
        self.console.process.wait(60)
        self.assertEqual(self.driver.find(MAIN_CLASS), [])

    def test_view_menu_checks_each_bar_while_it_shows_and_toggles_it(self):
        main = self.start()
        wait_for(lambda: len(self.console.mdi_children()) == 3, 60, "three MDI children")
        self.driver.activate(main)
        self.driver.key("ALT+V")
        self.assertEqual(self.toggles(), {command: (True, True) for command in VIEW_TOGGLES}, "enabled, checked")
        picture = self.driver.screenshot(0, os.path.join(SCRATCH, "view-menu.bmp"))
        picture.write_png(os.path.join(SCRATCH, "view-menu.png"))
        self.driver.key("ESCAPE")
        self.driver.key("ESCAPE")
        # Through the menu's own keys: Main Toolbar, then Status Bar.
        for letter, command, bar_id in (("M", ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR), ("S", ID_VIEW_STATUS_BAR, STATUS_BAR_ID)):
            bar = [h for h in self.driver.find(parent=main) if self.driver.info(h)["id"] == bar_id][0]
            self.driver.activate(main)
            self.driver.key("ALT+V")
            self.driver.key(letter)
            wait_for(lambda: not self.driver.info(bar)["visible"], 30, "bar %d to hide" % bar_id)
            self.driver.key("ALT+V")
            self.assertEqual(self.toggles()[command], (True, False), "enabled, unchecked: %d" % command)
            self.driver.key(letter)
            wait_for(lambda: self.driver.info(bar)["visible"], 30, "bar %d to show again" % bar_id)

    def popup(self, name):
        """The items of a popup of the main menu, as its last update left them."""
        return [item for item in self.driver.menu(self.console.main) if item["text"] == name][0]["items"]

    def toggles(self):
        """(enabled, checked) of the View menu's bar toggles, read while the menu is open."""
        return {i["id"]: (i["enabled"], i["checked"]) for i in self.popup("&View") if i["id"] in VIEW_TOGGLES}

    def test_the_executable_exports_its_two_hook_procedures(self):
        table = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", BELVANE], capture_output=True, text=True,
                               check=True).stdout
        exports = table.split("[Ordinal/Name Pointer] Table", 1)[-1].split("\n\n", 1)[0]
        names = re.findall(r"^\s*\[\s*\d+\]\s+(\S+)$", exports, re.M)
        self.assertIn("hookKeyboardProc", names)
        self.assertIn("hookMouseProc", names)


class LogWindow(ConsoleCase):
    def test_database_check_lines_each_begin_with_a_level_picture(self):
        self.start()
        lines, bands = self.lines_and_pictures()
        self.assertGreaterEqual(len(lines), 2, lines)
        self.assertEqual(len(bands), len(lines), "one picture a line: %r %r" % (lines, bands))
        self.assertIn("information", bands)

    def test_a_check_that_cannot_open_its_data_source_shows_error_pictures(self):
        self.session.wine("reg", "add", ALARMS_KEY, "/v", "AlarmDatabaseDSN", "/d", "Tervok Missing Database", "/f")
        self.start()
        lines, bands = self.lines_and_pictures()
        self.assertEqual(len(bands), len(lines), "one picture a line: %r %r" % (lines, bands))
        self.assertIn("error", bands)
        self.assertTrue(any("Tervok Missing Database" in line for line in lines), lines)

    def test_erase_through_the_menu_leaves_one_line(self):
        self.start()
        wait_for(lambda: len(self.console.mdi_children()) == 3, 60, "three MDI children")
        edit = self.console.log_edit()
        wait_for(lambda: "Database structure" in self.driver.text(edit), 60, "the check's lines")
        self.driver.activate(self.console.main)
        self.driver.key("F6")
        wait_for(lambda: self.console.active_child() == self.console.log_frame(), 30, "the log window in front")
        self.driver.key("ALT+L")
        self.driver.key("E")
        wait_for(lambda: [l[1:] for l in self.driver.text(edit).splitlines() if l.strip()] == ["Logfile erased"], 30,
                 "the log to hold the one line of the erase")

    def lines_and_pictures(self):
        """The log's lines, checked for their picture character, and the level of each picture
        shown down the left margin, top to bottom."""
        edit = wait_for(lambda: self.console.log_edit(), 60, "the log window's text")
        lines = wait_for(lambda: [l for l in self.driver.text(edit).splitlines() if l.strip()], 60, "log lines")
        for line in lines:
            # A picture object stands in the text as one character.
            self.assertIn(line[0], ("\ufffc", " "), repr(line))
        self.driver.activate(self.console.main)
        self.driver.key("F6")
        wait_for(lambda: self.console.active_child() == self.console.log_frame(), 30, "the log window in front")
        # Activation selects the whole text; the caret to the end clears the selection's colour.
        self.driver.key("CTRL+END")
        time.sleep(0.5)
        picture = self.driver.screenshot(edit, os.path.join(SCRATCH, "log.bmp"))
        return lines, picture_bands(picture)

    def test_f6_brings_the_log_window_forward_also_after_closing_it(self):
        self.start()
        wait_for(lambda: len(self.console.mdi_children()) == 3, 60, "three MDI children")
        log = self.console.log_frame()
        self.assertNotEqual(self.console.active_child(), log)
        self.driver.activate(self.console.main)
        self.driver.key("F6")
        wait_for(lambda: self.console.active_child() == log, 30, "F6 to activate the log window")

        text = self.driver.text(self.console.log_edit())
        self.driver.post(log, windriver.WM_CLOSE)
        wait_for(lambda: not self.driver.info(log)["visible"], 30, "the log window to hide")
        self.driver.activate(self.console.main)
        self.driver.key("F6")
        wait_for(lambda: self.driver.info(log)["visible"] and self.console.active_child() == log, 30,
                 "F6 to bring the hidden log window back")
        self.assertTrue(self.driver.text(self.console.log_edit()).startswith(text), "the earlier lines are kept")


class StatusBar(ConsoleCase):
    def test_counters_come_from_the_volatile_values(self):
        self.start()
        self.console.wait_pane(r"Alarms: 0")
        # The console made the volatile key; the alarms service writes into it.
        self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmMessageCount", "/t", "REG_DWORD", "/d", "1234567",
                          "/f")
        self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmAnalysed", "/t", "REG_DWORD", "/d", "4294967295",
                          "/f")
        self.session.wine("reg", "add", VOLATILE_KEY, "/v", "AlarmLastMessage", "/d", "2026-12-09 04:30:00", "/f")
        self.console.wait_pane(r"Alarms: 1,234,567")
        self.console.wait_pane(r"Processed: 4,294,967,295")
        self.console.wait_pane(r"Last update: 2026-12-09 04:30:00")

    def test_status_shows_the_state_of_the_alarms_service(self):
        self.remove_service()
        self.addCleanup(self.remove_service)
        self.start()
        self.console.wait_pane(r"Status: ")
        command = '"%s" normal' % windriver.winpath(FAKE_SERVICE)
        self.session.wine("sc", "create", SERVICE, "binpath=", command)
        self.console.wait_pane(r"Status: Stopped")
        self.session.wine("sc", "start", SERVICE)
        self.console.wait_pane(r"Status: Running")
        self.session.wine("sc", "stop", SERVICE)
        self.console.wait_pane(r"Status: Stopped")

    def remove_service(self):
        self.session.wine("sc", "stop", SERVICE, check=False)
        self.session.wine("sc", "delete", SERVICE, check=False)


class Logon(ConsoleCase):
    accounts = ACCOUNTS
    authentication = 1

    def logon_dialog(self):
        return self.driver.wait_window("#32770", "Log On To Belvane", timeout=90)

    def control(self, dialog, control_id):
        return [h for h in self.driver.find(parent=dialog) if self.driver.info(h)["id"] == control_id][0]

    def enter(self, dialog, user, password):
        for control_id, text in ((USER_EDIT_ID, user), (PASSWORD_EDIT_ID, password)):
            edit = self.control(dialog, control_id)
            self.driver.click(edit, 3, 3)
            self.driver.key("HOME")
            self.driver.key("SHIFT+END")
            self.driver.key("DELETE")
            self.driver.type(text)
        self.driver.key("ENTER")

    def test_right_name_in_other_case_and_password_open_the_console(self):
        self.console.start()
        dialog = self.logon_dialog()
        self.assertEqual(self.driver.visible(MAIN_CLASS), [], "the main window waits for the log-on")
        self.assertFalse(self.driver.info(self.control(dialog, IDOK))["enabled"], "OK needs name and password")
        self.enter(dialog, "oPERATOR", "secret")
        main = self.console.wait_main()
        self.assertTrue(self.driver.info(main)["maximized"])

    def test_wrong_password_shows_the_error_and_keeps_the_dialog(self):
        self.console.start()
        dialog = self.logon_dialog()
        self.enter(dialog, "operator", "wrong")
        error = self.driver.wait_window("#32770", "Error")
        texts = [self.driver.text(h) for h in self.driver.find("Static", parent=error)]
        self.assertIn("Incorrect user name and/or password.", texts)
        self.driver.activate(error)
        self.driver.key("ENTER")
        wait_for(lambda: not self.driver.find("#32770", "Error"), 30, "the error box to close")
        wait_for(lambda: self.driver.text(self.control(dialog, USER_EDIT_ID)) == "Operator", 30,
                 "the name in the file's letter case")
        self.assertFalse(self.driver.info(self.control(dialog, IDOK))["enabled"], "the password was emptied")
        self.assertEqual(self.driver.visible(MAIN_CLASS), [])
        time.sleep(1.2)
        self.enter(dialog, "Operator", "secret")
        self.console.wait_main()

    def test_a_password_of_another_user_does_not_log_on(self):
        self.console.start()
        dialog = self.logon_dialog()
        self.enter(dialog, "Operator", "letmein")
        self.driver.wait_window("#32770", "Error")

    def test_cancelled_logon_ends_the_program_with_no_window(self):
        self.console.start()
        dialog = self.logon_dialog()
        self.driver.activate(dialog)
        self.driver.key("ESCAPE")
        self.console.process.wait(30)
        self.assertEqual(self.driver.find(MAIN_CLASS), [])


if __name__ == "__main__":
    unittest.main()
