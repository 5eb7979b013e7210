#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in headless Chromium, played by keys: a one-player game, a two-player match and "Salir";
after a reload, the About window and a match won under the name typed before; after a restart of
the browser, such a match again. Each window against its desktop picture. Prints the keys and the
page's live region: the game's transcript.
  test-page.py <the page's folder> <the desktop pictures' folder> <a folder for the screenshots>"""
import os
import re
import shutil
import sys
import tempfile

from PIL import Image, ImageChops

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import ALT, SHIFT, Browser, Server, wait_until  # noqa: E402

page, looks, shots = sys.argv[1:4]
os.makedirs(shots, exist_ok=True)
ACTIVE_TITLE_BAR = (48, 140, 198)  # as the browser's Qt draws it
placed = {}  # picture: where the window compared with it had its inside
WINS = r"o en la cifra 1, x en las cifras 2, 3 y 4\. Ganaste el juego!!!"
CODES = " ".join(f"shift+Tab {d}" for d in "87656789")  # Player2's code from the right, then Player1's


def match(name_keys, name):  # both codes masked, Player1 hits, Player2 misses: Player1 wins
    return [(f"shift+Tab*3 {name_keys} shift+Tab*2 {CODES} Tab*13 5 Tab 6 Tab 7 Tab 8 Tab space",
             r"Player1, fila 1, o en las cifras 1, 2, 3 y 4\. Player2 puede empatar el juego"),
            ("Tab 9 Tab 7 Tab 8 Tab 6 Tab space", r"Player2, fila 1, o en las cifras 1 y 4, x en las cifras 2 y 3\. "
             rf"Player1 gano el juego\. Partidas ganadas de {name}: 1"), ("alt+b", "Se cancelo el juego")]


# Each step: its keys ("Tab*9" is nine Tabs), then what must follow: the next sentence (a pattern),
# "window:its title" (that window in front), or "looks:a picture" (the window in front looks as it).
GAMES = [("", "window:Quivara - 1 jugador"), ("Tab*9 space", "Fila 2, " + WINS), ("shift+Tab*9", "looks:one-player"),
         ("shift+Tab space", "( Listo, puede empezar a jugar|El numero se repite, genere otro)"),
         ("Tab 1 Tab 2 Tab 3 Tab 4 Tab space", r"Fila 1, ((o|x|sin marca) en (la cifra|las cifras) [1-4 ,y]+)+\. Jugando\.\.\."),
         ("shift+Tab*6 space", r"[1-9]\d{3}"), ("shift+Tab space", "Se cancelo el juego"),
         ("shift+Tab space", "Fila 10, " + WINS), ("F2", "window:Quivara - 2 jugadores"),
         ("shift+Tab*13 1 Tab 2 Tab 3 Tab 4 Tab*25 1 Tab 3 Tab 2 Tab 4 Tab space", "Player2, fila 2, .*"),
         ("shift+Tab*19", "looks:two-player"), ("alt+b", "Se cancelo el juego"), *match("shift+a n a", "Ana")]
AFTER_RELOAD = [("", "window:Quivara - 1 jugador"), ("click:Ayuda Down Down Enter", "window:Acerca de Quivara"),
                ("", "looks:about"), ("alt+i", "window:Quivara"), ("Enter", "window:Acerca de Quivara"),
                ("Enter", "window:Quivara - 1 jugador"), ("F2", "window:Quivara - 2 jugadores"), *match("", "Ana"),
                ("F1", "window:Quivara - 1 jugador")]
AFTER_RESTART = [("", "window:Quivara - 1 jugador"), ("F2", "window:Quivara - 2 jugadores"), *match("", "Ana")]


def play(browser, steps):
    said = "[...document.querySelectorAll('#avisos p')].map(p => p.textContent)"
    for keys, then in steps:
        heard = len(browser.evaluate(said))
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
        else:
            sentence = wait_until(lambda: browser.evaluate(said)[heard:], f"a sentence after {keys}")[0]
            print(f"    said: {sentence}")
            assert re.fullmatch(then, sentence), f"{sentence!r} is not {then!r}"


def compare(browser, picture):
    """The window in front (found by its title bar's colour) against its desktop picture: under 0.6 %
    of its pixels may differ (font hinting, the focus, the text cursor), once the page has painted
    what the last keys changed. Returns its inside's place."""
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


profile = tempfile.mkdtemp(prefix="quivara-chromium-")  # the browser's, kept across its restart
server, browser = Server(page), Browser(profile)
try:
    print(f"Quivara in Chromium: {server.url}")
    browser.call("Page.navigate", url=server.url)
    play(browser, GAMES)
    browser.key("s", ALT)
    ended = "document.getElementById('estado').textContent"
    wait_until(lambda: "se ha cerrado" in browser.evaluate(ended), "the page to say that the game has ended")
    print(f"  keys: alt+s\n  [the page: {browser.evaluate(ended)}]")  # once the names are stored
    browser.call("Page.reload")
    play(browser, AFTER_RELOAD)
    browser.close()
    print("  [the browser closed and started again]")
    browser = Browser(profile)
    browser.call("Page.navigate", url=server.url)
    play(browser, AFTER_RESTART)
    print("PASS: games played, names kept, windows as on the desktop")
finally:
    browser.close()
    server.close()
    shutil.rmtree(profile, ignore_errors=True)
