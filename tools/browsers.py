# SPDX-License-Identifier: GPL-3.0-or-later
"""A page in a browser, driven as a player uses it, in three engines: headless Chromium over its
DevTools protocol, headless Firefox over WebDriver BiDi, and WebKitGTK's MiniBrowser over classic
WebDriver. Firefox and WebKit need an X server (xvfb-run): without one Firefox finds no GL for
WebGL. A static server for a folder, keys as a player presses them, clicks, screenshots."""
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

# The page's size, in CSS pixels, where the engine lets it be chosen (MiniBrowser's is 1024x730).
WIDTH, HEIGHT = 1024, 768
ALT, CTRL, SHIFT = 1, 2, 8
# name: (DOM key, DOM code, Windows key code, text, WebDriver's key)
KEYS = {"Tab": ("Tab", "Tab", 9, "", "\ue004"), "Enter": ("Enter", "Enter", 13, "\r", "\ue007"),
        "space": (" ", "Space", 32, " ", " "), "Down": ("ArrowDown", "ArrowDown", 40, "", "\ue015"),
        "F1": ("F1", "F1", 112, "", "\ue031"), "F2": ("F2", "F2", 113, "", "\ue032")}


class Server:
    """Serves `folder` on a free port of localhost, from a thread. The folder served can change;
    while `down`, every request is dropped unanswered, as a browser without a network finds."""

    def __init__(self, folder):
        self.folder, self.down = folder, False
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def translate_path(self, path):  # the folder served now, also on a kept-alive connection
                self.directory = server.folder
                return super().translate_path(path)

            def handle(self):
                if not server.down:
                    super().handle()

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_port}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """A browser with a profile of its own (`profile`: a folder to keep between browsers, else a
    throw-away one), and its one page. Each engine starts and stops its browser, and navigates,
    reloads, evaluates an expression (a promise gives what it resolves to), presses a key (a name
    from KEYS, or one character, with modifiers), clicks, takes a screenshot of the page, and
    closes the page's tab for a new one (new_tab), as a player closes a tab and opens another."""
    keeps_profile = True  # whether a restart finds what the page stored

    def __init__(self, profile=None):
        self.own_profile = profile is None
        self.profile = profile or tempfile.mkdtemp(prefix=f"quivara-{type(self).__name__.lower()}-")
        try:
            self.start()
        except BaseException:  # leaves no browser behind
            if hasattr(self, "process"):
                self.process.kill()
            raise

    def restart(self):
        self.stop()
        self.start()

    def close(self):
        self.stop()
        if self.own_profile:
            shutil.rmtree(self.profile, ignore_errors=True)

    def spawn(self, command, port_file=None, port_in=None):
        """Starts the browser (or its driver) with `command`; the port it listens on, as `port_in`
        reads it from the text of `port_file` in the profile, or else as /proc shows it."""
        port_file = port_file and os.path.join(self.profile, port_file)
        if port_file and os.path.exists(port_file):  # the port of this profile's last browser
            os.remove(port_file)
        self.process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def port():
            if self.process.poll() is not None:
                raise RuntimeError(f"{command[0]} ended as it started")
            try:
                return int(port_in(open(port_file).read())) if port_file else listening_port(self.process.pid)
            except (OSError, ValueError, KeyError):
                return None
        return wait_until(port, f"{command[0]} to listen", 30)

    def end_process(self):
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


class OverWebSocket:
    """Commands as JSON over a websocket, as Chromium's DevTools protocol and WebDriver BiDi send
    them."""

    def connect(self, url, **options):
        self.ws = websocket.create_connection(url, timeout=60, **options)
        self.next_id = 0
        self.events = []

    def call(self, method, **params):
        """Sends one command and returns its result; events that come meanwhile are kept."""
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']} {message.get('message', '')}")
                return message.get("result", {})
            self.events.append(message)

    def stop(self):
        try:
            self.call(self.CLOSE)
        except Exception:
            pass
        self.ws.close()
        self.end_process()


class Chromium(OverWebSocket, Browser):
    """Headless Chromium, driven over the DevTools protocol."""
    CLOSE = "Browser.close"

    def start(self):
        # The port, then a newline, once the port is open.
        port = self.spawn(
            ["chromium", "--headless=new", "--no-sandbox", "--use-gl=swiftshader", "--enable-unsafe-swiftshader",
             f"--window-size={WIDTH},{HEIGHT}", "--remote-debugging-port=0", f"--user-data-dir={self.profile}",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--no-first-run", "--disable-quic", "--hide-scrollbars", "about:blank"],
            "DevToolsActivePort", lambda text: text.split("\n")[0] if "\n" in text else "")
        self.port = port
        self.attach(lambda page: page["type"] == "page")

    def attach(self, which):
        """Drives the first page `which` picks."""
        pages = json.load(urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/list"))
        self.connect(next(p for p in pages if which(p))["webSocketDebuggerUrl"])
        self.call("Page.enable")
        self.call("Runtime.enable")
        # A page of exactly this size, which has the keyboard as a page in front has.
        self.call("Emulation.setDeviceMetricsOverride", width=WIDTH, height=HEIGHT, deviceScaleFactor=1, mobile=False)
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def navigate(self, url):
        self.call("Page.navigate", url=url)

    def reload(self):
        self.call("Page.reload")

    def new_tab(self):
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.call("Page.close")
        self.ws.close()
        wait_until(lambda: [p["type"] for p in json.load(urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/list"))
                            ].count("page") == 1, "the closed tab to be gone")
        self.attach(lambda page: page["id"] == target)

    def evaluate(self, expression):
        return self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                         awaitPromise=True)["result"].get("value")

    def console(self):
        """The page's console lines so far."""
        self.call("Runtime.evaluate", expression="0")  # collects the events that have arrived
        return [" ".join(str(a.get("value", "")) for a in e["params"]["args"])
                for e in self.events if e.get("method") == "Runtime.consoleAPICalled"]

    def key(self, name, modifiers=0):
        key, code, key_code, text = KEYS[name][:4] if name in KEYS else character(name, modifiers)
        if modifiers & (ALT | CTRL):
            text = ""
        common = dict(modifiers=modifiers, key=key, code=code, windowsVirtualKeyCode=key_code)
        self.call("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", text=text, **common)
        self.call("Input.dispatchKeyEvent", type="keyUp", **common)

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def screenshot(self):
        return picture(self.call("Page.captureScreenshot", format="png")["data"])


class WebDriver(Browser):
    """What the two WebDriver protocols share: the same input actions, which each engine sends
    its own way (perform)."""

    def key(self, name, modifiers=0):
        held = [value for bit, value in ((CTRL, "\ue009"), (ALT, "\ue00a"), (SHIFT, "\ue008")) if modifiers & bit]
        pressed = [*held, KEYS[name][4] if name in KEYS else name]
        self.perform({"type": "key", "id": "keyboard",
                      "actions": [{"type": "keyDown", "value": k} for k in pressed] +
                                 [{"type": "keyUp", "value": k} for k in reversed(pressed)]})

    def click(self, x, y):
        self.perform({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                      "actions": [{"type": "pointerMove", "x": x, "y": y}, {"type": "pointerDown", "button": 0},
                                  {"type": "pointerUp", "button": 0}]})


class Firefox(OverWebSocket, WebDriver):
    """Headless Firefox, driven over WebDriver BiDi, which it speaks itself."""
    CLOSE = "browser.close"

    def start(self):
        port = self.spawn(["firefox-esr", "--headless", "-no-remote", "--profile", self.profile,
                           "--remote-debugging-port=0", "about:blank"],
                          "WebDriverBiDiServer.json", lambda text: json.loads(text)["ws_port"])
        # Firefox refuses a connection that names an origin.
        self.connect(f"ws://127.0.0.1:{port}/session", suppress_origin=True)
        self.call("session.new", capabilities={})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.call("browsingContext.setViewport", context=self.context, viewport={"width": WIDTH, "height": HEIGHT})

    def new_tab(self):
        left, self.context = self.context, self.call("browsingContext.create", type="tab")["context"]
        self.call("browsingContext.close", context=left)
        self.call("browsingContext.setViewport", context=self.context, viewport={"width": WIDTH, "height": HEIGHT})

    def navigate(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url)

    def reload(self):
        self.call("browsingContext.reload", context=self.context)

    def evaluate(self, expression):
        result = self.call("script.evaluate", expression=f"Promise.resolve({expression}).then(v => JSON.stringify([v]))",
                           target={"context": self.context}, awaitPromise=True)
        if result["type"] == "exception":
            raise RuntimeError(f"{expression}: {result['exceptionDetails']['text']}")
        return json.loads(result["result"]["value"])[0]

    def perform(self, source):
        self.call("input.performActions", context=self.context, actions=[source])

    def screenshot(self):
        return picture(self.call("browsingContext.captureScreenshot", context=self.context)["data"])


class WebKit(WebDriver):
    """WebKitGTK's MiniBrowser, driven by WebKitWebDriver over classic WebDriver: HTTP, no BiDi
    (it refuses the webSocketUrl capability). It needs an X server. In automation its data lives
    in memory only, so a restart finds nothing the page stored."""
    keeps_profile = False

    def start(self):
        port = self.spawn(["WebKitWebDriver", "--port=0"])
        self.session = f"http://127.0.0.1:{port}/session"
        self.session += "/" + self.call("POST", "", capabilities={"alwaysMatch": {"webkitgtk:browserOptions": {
            "binary": "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser", "args": ["--automation"]}}})["sessionId"]

    def call(self, method, path, **body):
        """One command: its value, or its error raised."""
        request = urllib.request.Request(f"{self.session}{path}", method=method,
                                         data=json.dumps(body).encode() if method == "POST" else None,
                                         headers={"Content-Type": "application/json"})
        try:
            return json.load(urllib.request.urlopen(request, timeout=120))["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"{method} {path}: {json.load(error)['value']}") from None

    def navigate(self, url):
        self.call("POST", "/url", url=url)

    def reload(self):
        self.call("POST", "/refresh")

    def new_tab(self):
        tab = self.call("POST", "/window/new", type="tab")["handle"]
        self.call("DELETE", "/window")
        self.call("POST", "/window", handle=tab)

    def evaluate(self, expression):
        return self.call("POST", "/execute/async", args=[],
                         script=f"Promise.resolve({expression}).then(arguments[arguments.length - 1])")

    def perform(self, source):
        self.call("POST", "/actions", actions=[source])

    def screenshot(self):
        return picture(self.call("GET", "/screenshot"))

    def stop(self):
        try:
            self.call("DELETE", "")
        finally:
            self.process.terminate()
            self.end_process()


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}


def character(c, modifiers):
    text = c.upper() if modifiers & SHIFT else c
    return text, f"Digit{c}" if c.isdigit() else f"Key{c.upper()}", ord(c.upper()), text


def picture(png):
    return Image.open(io.BytesIO(base64.b64decode(png))).convert("RGB")


def listening_port(pid):
    """The TCP port the process `pid` listens on, if any."""
    sockets = {os.readlink(f"/proc/{pid}/fd/{fd}") for fd in os.listdir(f"/proc/{pid}/fd")}
    for line in open("/proc/net/tcp").readlines()[1:]:
        local, state, inode = line.split()[1], line.split()[3], line.split()[9]
        if state == "0A" and f"socket:[{inode}]" in sockets:
            return int(local.split(":")[1], 16)
    return None


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
