#!/usr/bin/python3
"""The window driver on a window of known content (DriverTarget.exe), before it is trusted with
the console.

    driver_test.py TestClass.test_name
"""

import os
import tempfile
import unittest

import windriver

TARGET = os.environ.get("TERVOK_DRIVER_TARGET")
TARGET_CLASS = "Tervok-Driver-Target"
TARGET_TITLE = "Driver Target"


class TargetCase(windriver.SessionCase):
    """A target window, maximised or not, and a driver beside it."""

    maximised = False

    def setUp(self):
        self.target = self.session.spawn(TARGET, *(["-max"] if self.maximised else []))
        self.driver = windriver.Driver(self.session)
        self.hwnd = self.driver.wait_window(TARGET_CLASS, TARGET_TITLE)
        self.status = self.driver.find("msctls_statusbar32", parent=self.hwnd)[0]

    def tearDown(self):
        if self.target.poll() is None:
            self.driver.post(self.hwnd, windriver.WM_CLOSE)
            try:
                self.target.wait(20)
            except Exception:
                self.target.kill()
                self.target.wait()
        self.driver.close()

    def child(self, cls, title=""):
        found = self.driver.find(cls, title, self.hwnd)
        self.assertEqual(len(found), 1, "one %s %r" % (cls, title))
        return found[0]


class Finding(TargetCase):
    def test_windows_by_class_title_and_parent(self):
        self.assertIn(self.hwnd, self.driver.find(TARGET_CLASS))
        self.assertEqual(self.driver.find(TARGET_CLASS, "Another title"), [])
        self.assertEqual(self.driver.find("", "Option"), [], "top-level search does not descend")
        self.assertEqual(len(self.driver.find(parent=self.hwnd)), 3)
        self.assertEqual(self.driver.find("Button", "Option", self.hwnd), [self.child("Button")])
        with self.assertRaisesRegex(windriver.DriverError, "no such window"):
            self.driver.info(self.hwnd + 4000000)
        with self.assertRaisesRegex(windriver.DriverError, "unknown command"):
            self.driver.call("nonsense")


class Reading(TargetCase):
    maximised = True

    def test_states_texts_panes_and_menu(self):
        info = self.driver.info(self.hwnd)
        self.assertEqual((info["class"], info["title"]), (TARGET_CLASS, TARGET_TITLE))
        self.assertTrue(info["maximized"] and info["visible"] and info["enabled"])
        self.assertFalse(info["minimized"])
        edit = self.driver.info(self.child("Edit"))
        self.assertEqual((edit["id"], edit["parent"]), (201, self.hwnd))
        self.assertEqual(self.driver.text(self.hwnd), TARGET_TITLE)
        self.assertEqual(self.driver.panes(self.status), ["Ready", "Keys: none", "Alarms: 1,234,567"])

        menu = self.driver.menu(self.hwnd)
        self.assertEqual([item["text"] for item in menu], ["&File"])
        items = [(i["text"], i["id"], i["separator"], i["enabled"], i["checked"]) for i in menu[0]["items"]]
        self.assertEqual(items[0], ("&Press\tF6", 100, False, True, False))
        self.assertTrue(items[1][2])
        self.assertEqual(items[2:], [("&Checked", 101, False, True, True), ("&Disabled", 102, False, False, False)])
        self.assertIsNone(self.driver.menu(self.status), "a child window has no menu")
        with self.assertRaisesRegex(windriver.DriverError, "no such window"):
            self.driver.menu(self.hwnd + 4000000)


class Input(TargetCase):
    def test_keys_text_and_clicks_reach_the_window(self):
        self.driver.activate(self.hwnd)
        self.assertEqual(self.driver.foreground(), self.hwnd)
        self.driver.key("F6")
        windriver.wait_for(lambda: self.driver.panes(self.status)[1] == "Keys: F6", 10, "F6 to reach the window")

        edit = self.child("Edit")
        self.driver.click(edit, 5, 5)
        self.driver.type("Zürich \u20ac 1")
        windriver.wait_for(lambda: self.driver.text(edit) == "Zürich \u20ac 1", 10, "the typed text")
        self.driver.key("BACK")
        self.driver.key("SHIFT+HOME")
        self.driver.key("DELETE")
        windriver.wait_for(lambda: self.driver.text(edit) == "", 10, "the text to be deleted")
        with self.assertRaisesRegex(windriver.DriverError, "unknown key"):
            self.driver.key("CTRL+NOKEY")

        self.driver.key("F2")
        box = self.driver.wait_window("#32770", "Error", timeout=10)
        self.assertIn("Something went wrong.", [self.driver.text(h) for h in self.driver.find("Static", parent=box)])
        self.driver.key("ENTER")
        windriver.wait_for(lambda: not self.driver.find("#32770", "Error"), 10, "the message box to close")

        check = self.child("Button", "Option")
        self.driver.click(check, 5, 10)
        windriver.wait_for(lambda: self.driver.info(check)["checked"], 10, "the box to be checked")
        self.driver.click(self.hwnd, 321, 45)
        windriver.wait_for(lambda: self.driver.panes(self.status)[0] == "Clicked at 321,45", 10, "the click")


class Screenshots(TargetCase):
    maximised = True

    def test_window_and_screen_pictures_hold_its_pixels(self):
        with tempfile.TemporaryDirectory() as folder:
            left, top, right, bottom = self.driver.info(self.hwnd)["rect"]
            self.assertLess(left, 0, "a maximised window's frame lies beyond the screen")
            picture = self.driver.screenshot(self.hwnd, os.path.join(folder, "window.bmp"))
            self.assertEqual(picture.rect, [0, 0, min(right, 1280), min(bottom, 1024)])
            self.assertEqual((picture.width, picture.height), (picture.rect[2], picture.rect[3]))
            # The red square lies at 300..340, 20..60 of the client area; the edit at 20, 20.
            edit = self.driver.info(self.child("Edit"))["rect"]
            x, y = edit[0] - 20, edit[1] - 20
            red = lambda p: p == (255, 0, 0)
            self.assertEqual(picture.count(red, (x + 300, y + 20, x + 340, y + 60)), 40 * 40)
            self.assertEqual(picture.count(red), 40 * 40)

            screen = self.driver.screenshot(0, os.path.join(folder, "screen.bmp"))
            self.assertEqual((screen.width, screen.height), (1280, 1024))
            self.assertEqual(screen.pixel(x + 310, y + 30), (255, 0, 0))

            png = os.path.join(folder, "window.png")
            picture.write_png(png)
            with open(png, "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")


if __name__ == "__main__":
    unittest.main()
