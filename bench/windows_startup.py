#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the Windows program as a player meets it, under Wine on an X server: from the start
# command to the one-player window mapped, against a bare Qt window from the same Qt and toolchain,
# started alternately in one ready prefix (its wineserver kept running); also how long the splash
# stays on screen. Prints medians, ranges and the ratio.
#   windows_startup.py WINE WINESERVER QUIVARA.EXE REFERENCE.EXE [RUNS]   (on an X server: xvfb-run -a ...)
import os, select, shutil, statistics, subprocess, sys, tempfile, time
from Xlib import X, display, error

GAME_TITLE, SPLASH_TITLE, REFERENCE_TITLE = "Quivara - 1 jugador", "Quivara", "reference"
SPLASH_MS, BUDGET = 66, 1.25  # the one-player window is due within (bare window + splash) x BUDGET


def window_name(window):
    try:
        return window.get_wm_name() or ""
    except error.XError:  # gone already
        return ""


class Screen:
    """The X server's top-level windows as they are mapped and unmapped, with the time each event was read."""

    def __init__(self):
        self.d = display.Display()
        self.d.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.d.sync()

    def events(self, deadline):
        while time.monotonic() < deadline:
            if not self.d.pending_events():
                select.select([self.d.fileno()], [], [], 0.05)
            while self.d.pending_events():
                e = self.d.next_event()
                if e.type in (X.MapNotify, X.UnmapNotify):
                    yield e.type, e.window, time.monotonic()
        raise TimeoutError("no window within the time allowed")


def start(screen, command, cwd, title, env):
    """Starts `command`; returns ms until the window titled `title` is mapped, and ms the splash (the window
    titled SPLASH_TITLE) was on screen, or None. Ends the program, and waits until its windows are gone."""
    t0 = time.monotonic()
    game = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped, splash, splash_ms = set(), None, None
    try:
        for kind, window, t in screen.events(t0 + 60):
            if kind == X.MapNotify:
                mapped.add(window.id)
                name = window_name(window)
                if name == title:
                    shown_ms = (t - t0) * 1000
                    break
                if name == SPLASH_TITLE:
                    splash = (window.id, t)
            else:
                mapped.discard(window.id)
                if splash and window.id == splash[0] and splash_ms is None:
                    splash_ms = (t - splash[1]) * 1000
    finally:
        game.kill()
        game.wait()
    for kind, window, t in screen.events(time.monotonic() + 20):  # an unmap that came late would confuse the next start
        mapped.discard(window.id if kind == X.UnmapNotify else None)
        if not mapped:
            break
    return shown_ms, splash_ms


def main():
    wine, wineserver, exe, reference = sys.argv[1:5]
    runs = int(sys.argv[5]) if len(sys.argv) > 5 else 12
    work = tempfile.mkdtemp(prefix="quivara-winbench-")
    env = dict(os.environ, WINEPREFIX=f"{work}/prefix", WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    try:
        for program in (exe, reference):  # each from a folder of its own, where the game may keep its names
            os.makedirs(f"{work}/{os.path.basename(program)}")
            shutil.copy(program, f"{work}/{os.path.basename(program)}")
        # A ready prefix, and one server for every start, as on a desktop in use.
        subprocess.run([wine, "wineboot", "--init"], env=env, check=True, capture_output=True)
        subprocess.run([wineserver, "-p"], env=env, check=True)
        screen = Screen()
        times = {"game": [], "reference": [], "splash": []}
        for i in range(runs + 1):  # the first round fills the prefix and is not counted
            for name, program, title in (("game", exe, GAME_TITLE), ("reference", reference, REFERENCE_TITLE)):
                folder = f"{work}/{os.path.basename(program)}"
                ms, splash = start(screen, [wine, os.path.basename(program)], folder, title, env)
                if i:
                    times[name].append(ms)
                    if splash is not None:
                        times["splash"].append(splash)
        game, bare = statistics.median(times["game"]), statistics.median(times["reference"])
        print(f"Quivara for Windows under Wine, {time.strftime('%Y-%m-%d')}, {os.cpu_count()} cores, "
              f"{runs} starts of each, alternating; medians (range)")
        for name, label in (("game", "one-player window mapped"), ("reference", "bare Qt window mapped"),
                            ("splash", "splash on screen")):
            t = times[name]
            if t:
                print(f"  {label:26} {statistics.median(t):7.0f} ms  ({min(t):.0f}-{max(t):.0f})")
        print(f"  ratio game / bare          {game / bare:7.2f}")
        budget = (bare + SPLASH_MS) * BUDGET
        print(f"  budget (bare + {SPLASH_MS} ms) x {BUDGET}  {budget:7.0f} ms: {'within' if game <= budget else 'OVER'}")
    finally:
        subprocess.run([wineserver, "-k"], env=env)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
