# SPDX-License-Identifier: GPL-3.0-or-later
"""A page in headless Chromium, driven over the DevTools protocol: a static server for a folder,
a browser with a profile of its own, keys as a player presses them, screenshots."""
import base64
import http.server
import io
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket
from PIL import Image

# The window Chromium gives the page, in CSS pixels.
WIDTH, HEIGHT = 1024, 768


class Server:
    """Serves `folder` on a free port of localhost, from a thread."""

    def __init__(self, folder):
        handler = lambda *a, **k: Quiet(*a, directory=folder, **k)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_port}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Browser:
    """Chromium with a new profile (`profile`: a folder to keep between browsers, else a
    throw-away one), and its one page."""

    def __init__(self, profile=None):
        self.own_profile = profile is None
        self.profile = profile or tempfile.mkdtemp(prefix="quivara-chromium-")
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        if os.path.exists(port_file):  # the port of this profile's last browser
            os.remove(port_file)
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--use-gl=swiftshader", "--enable-unsafe-swiftshader",
             f"--window-size={WIDTH},{HEIGHT}", "--remote-debugging-port=0", f"--user-data-dir={self.profile}",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--no-first-run", "--disable-quic", "--hide-scrollbars", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 30
        while not (os.path.exists(port_file) and open(port_file).read().count("\n") >= 1):
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("Chromium did not open its DevTools port")
            time.sleep(0.05)
        port = open(port_file).read().split("\n")[0]
        pages = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        page = next(p for p in pages if p["type"] == "page")
        self.ws = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60)
        self.next_id = 0
        self.events = []
        self.call("Page.enable")
        self.call("Runtime.enable")
        # A page of exactly this size, which has the keyboard as a page in front has.
        self.call("Emulation.setDeviceMetricsOverride", width=WIDTH, height=HEIGHT, deviceScaleFactor=1, mobile=False)
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def call(self, method, **params):
        """Sends one command and returns its result; events that come meanwhile are kept."""
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def evaluate(self, expression):
        return self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                         awaitPromise=True)["result"].get("value")

    def console(self):
        """The page's console lines so far."""
        self.call("Runtime.evaluate", expression="0")  # collects the events that have arrived
        return [" ".join(str(a.get("value", "")) for a in e["params"]["args"])
                for e in self.events if e.get("method") == "Runtime.consoleAPICalled"]

    def key(self, name, modifiers=0):
        """One key as a player presses it: a name from KEYS, or one character."""
        key, code, key_code, text = KEYS.get(name) or character(name, modifiers)
        if modifiers & (ALT | CTRL):
            text = ""
        common = dict(modifiers=modifiers, key=key, code=code, windowsVirtualKeyCode=key_code)
        self.call("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", text=text, **common)
        self.call("Input.dispatchKeyEvent", type="keyUp", **common)

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def screenshot(self):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        return Image.open(io.BytesIO(base64.b64decode(data))).convert("RGB")

    def close(self):
        try:
            self.call("Browser.close")
        except Exception:
            pass
        self.ws.close()
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        if self.own_profile:
            shutil.rmtree(self.profile, ignore_errors=True)


ALT, CTRL, SHIFT = 1, 2, 8
# name: (DOM key, DOM code, Windows key code, text)
KEYS = {"Tab": ("Tab", "Tab", 9, ""), "Enter": ("Enter", "Enter", 13, "\r"), "space": (" ", "Space", 32, " "),
        "Down": ("ArrowDown", "ArrowDown", 40, ""),
        "F1": ("F1", "F1", 112, ""), "F2": ("F2", "F2", 113, "")}


def character(c, modifiers):
    text = c.upper() if modifiers & SHIFT else c
    return text, f"Digit{c}" if c.isdigit() else f"Key{c.upper()}", ord(c.upper()), text


def wait_until(condition, what, timeout=30):
    """Polls `condition` until it gives a true value, which it returns; fails after `timeout` s."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout} s for {what}")
        time.sleep(0.05)
