#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's load benchmark in headless Chromium: from navigation to the one-player window
painted, for the game's start path against a bare Qt window, both built with the same Qt as the
game's page and served from localhost, the browser's cache off (each load a first visit), loaded
alternately; medians, their ratio, and the size of the game's .wasm, raw and gzipped.
  web_startup.py <browser build folder> [loads of each]"""
import gzip
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from browsers import Chromium, Server, wait_until  # noqa: E402

build, loads = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 12
PAGES = {"game": "frmunjugador", "reference": "reference"}  # page: the window whose paint ends a load


def load(browser, url, window):
    """Milliseconds from navigation to each moment the page reported (its windows' first paints),
    as the page's clock tells, once `window` is painted."""
    browser.events.clear()
    browser.call("Page.navigate", url=url)
    wait_until(lambda: any(line.startswith(window + " ") for line in browser.console()), f"{window} painted", 60)
    return {name: int(ns) / 1e6 for name, ns in (line.split() for line in browser.console())}


server, browser = Server(os.path.join(build, "bench")), Chromium()
try:
    browser.call("Network.enable")
    browser.call("Network.setCacheDisabled", cacheDisabled=True)
    moments = {page: [] for page in PAGES}  # page: what each of its loads reported
    for _ in range(loads):
        for page, window in PAGES.items():
            moments[page].append(load(browser, f"{server.url}{page}.html", window))
            browser.call("Page.navigate", url="about:blank")
finally:
    browser.close()
    server.close()


def ms(page, name):
    """The median and the range of what `page` reported as `name`, in milliseconds."""
    times = [load[name] for load in moments[page]]
    return f"{statistics.median(times):.0f} ({min(times):.0f}-{max(times):.0f})"


wasm = open(os.path.join(build, "dist", "quivara.wasm"), "rb").read()
bare = os.path.getsize(os.path.join(build, "bench", "quivara_bench_startup_reference.wasm"))
game, reference = (statistics.median(load[PAGES[p]] for load in moments[p]) for p in PAGES)
print(f"Quivara in the browser, {time.strftime('%Y-%m-%d')}, {os.cpu_count()} cores, headless Chromium "
      f"(SwiftShader), localhost, no cache; medians of {loads} loads each, alternating")
print("| navigation to the window painted | ms |")
print("|---|---|")
print(f"| game: Qt up, fonts added (no window yet) | {ms('game', 'ready')} |")
print(f"| game: splash | {ms('game', 'frmSplash')} |")
print(f"| game: one-player window (after the splash) | {ms('game', 'frmunjugador')} |")
print(f"| bare Qt window page, same Qt: Qt up | {ms('reference', 'ready')} |")
print(f"| bare Qt window page, same Qt: window painted | {ms('reference', 'reference')} |")
print(f"| ratio game / bare | {game / reference:.2f} |")
print(f"quivara.wasm: {len(wasm) / 1e6:.1f} MB raw, {len(gzip.compress(wasm, 9)) / 1e6:.1f} MB gzipped "
      f"(the bare Qt window's: {bare / 1e6:.1f} MB raw)")
