#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in a browser engine, played by keys: the games of tests/games-by-ear.txt and "Salir";
after a reload, the About window and the match won under the name typed before; after a restart
of the browser, where it keeps its profile, that match again. Each window against its desktop
picture. Prints the keys and the page's live region: the game's transcript.
  test-page.py chromium|firefox|webkit <the page's folder> <the desktop pictures' folder> <a folder
  for the screenshots>   (firefox and webkit need an X server)"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from browsers import ALT, ENGINES, SHIFT, Server, wait_until  # noqa: E402

engine, page, looks, shots = sys.argv[1:5]
os.makedirs(shots, exist_ok=True)
ACTIVE_TITLE_BAR = (48, 140, 198)  # as the browser's Qt draws it
placed = {}  # picture: where the window compared with it had its inside


def by_ear(game, typed_names=True):
    """A game of tests/games-by-ear.txt as steps: each key, then the sentence that follows it (a
    pattern), if any; without typed names, the name fields keep what the page kept."""
    steps, focus, playing = [], "", False
    for line in open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/games-by-ear.txt"),
                     encoding="utf-8"):
        key, kind, text = (line.strip().split(None, 2) + ["", "", ""])[:3]
        playing = line[5:].strip() == game if key == "game" else playing
        if playing and key not in ("", "game") and key[0] != "#" and (typed_names or len(key) > 1 or "Nombre" not in focus):
            steps.append((key, re.escape(text) if kind == "says" else text if kind in ("like", "code") else ""))
            focus = text if kind in ("button", "field", "masked") else focus
    return steps


# Each step: its keys ("Tab*9" is nine Tabs), then what must follow: nothing new said, the next
# sentence (a pattern), "window:its title" (that window in front), or "looks:a picture" (the window
# in front looks as it). Both windows start with the keyboard in their first row's first field. The
# rows played for the pictures leave their sentences to the script: any one sentence will do.
GAMES = [("", "window:Quivara - 1 jugador"), ("Tab*9 space", ".+"), ("shift+Tab*9", "looks:one-player"),
         *by_ear("one player"), ("F2", "window:Quivara - 2 jugadores"),
         ("shift+Tab*13 1 Tab 2 Tab 3 Tab 4 Tab*25 1 Tab 3 Tab 2 Tab 4 Tab space", ".+"),
         ("shift+Tab*19", "looks:two-player"), ("alt+b", ".+"), *by_ear("two players")]
MATCH_AGAIN = [("F2", "window:Quivara - 2 jugadores"), *by_ear("two players", typed_names=False)]
AFTER_RELOAD = [("", "window:Quivara - 1 jugador"), ("click:Ayuda Down Down Enter", "window:Acerca de Quivara"),
                ("", "looks:about"), ("alt+i", "window:Quivara"), ("Enter", "window:Acerca de Quivara"),
                ("Enter", "window:Quivara - 1 jugador"), *MATCH_AGAIN, ("F1", "window:Quivara - 1 jugador")]
AFTER_RESTART = [("", "window:Quivara - 1 jugador"), *MATCH_AGAIN, ("F1", "window:Quivara - 1 jugador")]
# A name typed, then the tab closed without closing the game.
NEW_NAME = [("F2", "window:Quivara - 2 jugadores"), ("shift+Tab*2 L u i s", "")]
OPENED = [("", "window:Quivara - 1 jugador")]
# A browser that refuses the page its storage, as a private window, a policy or a full disk do.
REFUSED = """IDBFactory.prototype.open = () => { throw new DOMException('refused', 'SecurityError'); };
Storage.prototype.setItem = () => { throw new DOMException('refused', 'QuotaExceededError'); };
window.refusals = 0; addEventListener('quivara-sin-almacen', () => refusals++);"""
BUILD = "!!document.querySelector('meta[name=segunda]')"  # the mark of the second build made below


def play(browser, steps):  # each sentence said once: one new sentence where one is awaited
    said = "[...document.querySelectorAll('#avisos p')].map(p => p.textContent)"
    heard = len(browser.evaluate(said))
    for keys, then in steps:
        for key in (k for word in keys.split() for k in [word.split("*")[0]] * int((word + "*1").split("*")[1])):
            if key == "click:Ayuda":  # the menu's place in the one-player window
                browser.click(placed["one-player"][0] + 120, placed["one-player"][1] + 8)
            else:
                *held, name = key.split("+") if len(key) > 1 else [key]
                browser.key(name, (ALT if "alt" in held else 0) | (SHIFT if "shift" in held else 0))
        print(f"  keys: {keys}" if keys else "", end="\n" if keys else "")
        if then.startswith("window:"):
            wait_until(lambda: browser.evaluate("document.title") == then[7:], f"the {then} in front")
            print(f"  [{then[7:]}]")
        elif then.startswith("looks:"):
            placed[then[6:]] = compare(browser, then[6:])
        elif then:
            sentences = wait_until(lambda: browser.evaluate(said)[heard:], f"a sentence after {keys}")
            print(f"    said: {' | '.join(sentences)}")
            assert len(sentences) == 1 and re.fullmatch(then, sentences[0]), f"{sentences!r} is not [{then!r}]"
            heard += 1


def compare(browser, picture):
    """The window in front (found by its title bar's colour) against its desktop picture: under 0.6 %
    of its pixels may differ (font hinting, the focus, the text cursor), once the page has painted
    what the last keys changed. The same in every engine: Qt paints the windows itself, and the
    three engines show the same pixels. Returns its inside's place."""
    want = Image.open(os.path.join(looks, f"{picture}-x1.png")).convert("RGB")

    def differing():
        shot = browser.screenshot()
        shot.save(os.path.join(shots, f"{picture}.png"))
        bar = Image.eval(ImageChops.difference(shot, Image.new("RGB", shot.size, ACTIVE_TITLE_BAR)).convert("L"),
                         lambda v: 255 if v < 8 else 0).getbbox() or (0, 0, 0, 0)
        return min((ImageChops.difference(shot.crop((x, y, x + want.width, y + want.height)), want).convert("L")
                    .point(lambda v: 255 if v > 48 else 0).histogram()[255] / (want.width * want.height), x, y)
                   for x in range(bar[0] - 4, bar[0] + 5) for y in range(bar[3], bar[3] + 9))

    place = None

    def close_enough():
        nonlocal place
        share, *place = differing()
        print(f"  looks: {picture} differs from the desktop in {share:.2%} of its pixels")
        return share < 0.006

    wait_until(close_enough, f"{picture} to look as on the desktop (see {shots})", 10)
    return place


server, browser = Server(page), ENGINES[engine]()
try:
    print(f"Quivara in {engine}: {server.url}")
    browser.navigate(server.url)
    play(browser, GAMES)
    browser.key("s", ALT)
    ended = "document.getElementById('estado').textContent"
    wait_until(lambda: "se ha cerrado" in browser.evaluate(ended), "the page to say that the game has ended")
    print(f"  keys: alt+s\n  [the page: {browser.evaluate(ended)}]")  # once the names are stored
    browser.reload()
    play(browser, AFTER_RELOAD)
    if browser.keeps_profile:
        browser.restart()
        print("  [the browser closed and started again]")
        browser.navigate(server.url)
        play(browser, AFTER_RESTART)
    else:
        print("  [no restart: this browser forgets what the page stored once it closes]")
    play(browser, NEW_NAME)
    browser.new_tab()
    browser.navigate(server.url)
    play(browser, OPENED)
    kept = wait_until(lambda: {p: n for p, n in browser.evaluate("quivara.module().quivaraHomeFiles()").items()
                               if "Luis" in n}, "the name typed before the tab was closed")
    print(f"  [tab closed, a new one opened: {kept}]")
    wait_until(lambda: browser.evaluate("!!navigator.serviceWorker.controller"), "the page's service worker")
    if engine == "chromium":
        errors = browser.call("Page.getInstallabilityErrors")["installabilityErrors"]
        print(f"  [installability errors: {errors}]")
        assert not errors
    server.down = True
    browser.reload()
    play(browser, [*OPENED, *by_ear("one player")])
    print("  [played with no network]")
    # A second build, served in the first's place: the open page is the first's, whole, until no
    # page of it is left; the next is the second's, whose worker has dropped the first's files.
    second = tempfile.mkdtemp(prefix="quivara-second-build-")
    shutil.copytree(page, second, dirs_exist_ok=True)
    index = os.path.join(second, "index.html")
    marked = open(index).read().replace("<title>", "<meta name=segunda><title>")
    open(index, "w").write(marked)
    subprocess.run(["cmake", f"-DDIST={second}", "-P", os.path.join(os.path.dirname(__file__), "stamp.cmake")], check=True)
    server.folder, server.down = second, False
    version = re.search(r"version = '(\w+)'", open(os.path.join(second, "sw.js")).read())[1]

    def opened():  # whether a page opened in a new tab is the second build's
        browser.new_tab()
        browser.navigate(server.url)
        play(browser, OPENED)
        return browser.evaluate(BUILD)
    assert not opened(), "the first build's page is not whole"
    wait_until(lambda: browser.evaluate("navigator.serviceWorker.getRegistration().then(r => !!r.waiting)"),
               "the second build's worker, waiting")
    wait_until(opened, "a page of the second build once none of the first is open", 60)
    kept = browser.evaluate("caches.keys()")
    print(f"  [the second build's page, the first's while it was open; files kept: {kept}]")
    assert kept == [f"quivara {server.url} {version}"], f"not only the second build's files ({version}) kept"
    server.folder = page
    shutil.rmtree(second)
    if engine == "chromium":  # the same whatever the engine: one is enough
        browser.close()
        browser = ENGINES[engine]()
        browser.call("Page.addScriptToEvaluateOnNewDocument", source=REFUSED)
        browser.navigate(server.url)
        play(browser, [*OPENED, *by_ear("one player"), *NEW_NAME])
        browser.key("s", ALT)
        wait_until(lambda: "se ha cerrado" in browser.evaluate(ended), "the page to say that the game has ended")
        said = browser.evaluate("[refusals, document.getElementById('sin-almacen').textContent]")
        print(f"  [storage refused, the page said {said[0]} time(s): {said[1]}]")
        assert said == [1, "Este navegador no deja guardar datos a esta página: los nombres de los jugadores no se "
                           "conservarán."]
    print("PASS: games played, names kept, windows as on the desktop")
finally:
    browser.close()
    server.close()
