#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in headless Chromium, played by keys as a player plays it: a one-player game, F2, a
two-player match with a name and "Salir"; after a reload the name is still there; the About window
and its "Información...". Each game window is compared with its desktop picture. Prints every key
and every sentence the page's live region (the screen reader's voice) got: the game's transcript.
  play.py <the page's folder> <the desktop pictures' folder> <a folder for the screenshots>"""
import os
import re
import sys

from PIL import Image, ImageChops

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import ALT, SHIFT, Browser, Server, wait_until  # noqa: E402

page, looks, shots = sys.argv[1:4]
os.makedirs(shots, exist_ok=True)
ACTIVE_TITLE_BAR = (48, 140, 198)  # as the browser's Qt draws it
ONE, TWO, ABOUT, MESSAGE = "Quivara - 1 jugador", "Quivara - 2 jugadores", "Acerca de Quivara", "Quivara"


class Player:
    def __init__(self, browser):
        self.browser = browser
        self.heard = 0

    def sentences(self):
        return self.browser.evaluate("[...document.querySelectorAll('#avisos p')].map(p => p.textContent)")

    def window(self, title):
        wait_until(lambda: self.browser.evaluate("document.title") == title, f"the window {title!r} in front")
        print(f"  [{title}]")

    def keys(self, *names, expect=None):
        """Presses each key; with `expect`, waits for the one next sentence, which must match it."""
        for name in names:
            *held, key = name.split("+") if len(name) > 1 else [name]
            self.browser.key(key, (ALT if "alt" in held else 0) | (SHIFT if "shift" in held else 0))
        print("  keys:", " ".join(names))
        if expect:
            said = wait_until(lambda: self.sentences()[self.heard:], f"a sentence after {names}")
            print("    said:", said[0])
            assert re.fullmatch(expect, said[0]), f"{said[0]!r} is not {expect!r}"
            self.heard += 1
            return said[0]

    def row(self, digits):  # a row's digits, Tab after each, onto its button
        self.keys(*[k for d in digits for k in (d, "Tab")])

    def looks(self, picture):
        """The window in front against its desktop picture. Its inside is found just below its
        title bar, the page's only one in the colour of the window in front; few pixels may
        differ (font hinting, the focus, the text cursor). Returns the inside's top left."""
        shot = self.browser.screenshot()
        shot.save(os.path.join(shots, f"{picture}.png"))
        want = Image.open(os.path.join(looks, f"{picture}-x1.png")).convert("RGB")
        bar = Image.eval(ImageChops.difference(shot, Image.new("RGB", shot.size, ACTIVE_TITLE_BAR)).convert("L"),
                         lambda v: 255 if v < 8 else 0).getbbox()
        assert bar, f"{picture}: no window in front"
        differing, x, y = min((ImageChops.difference(shot.crop((x, y, x + want.width, y + want.height)), want)
                               .convert("L").point(lambda v: 255 if v > 48 else 0).histogram()[255], x, y)
                              for x in range(bar[0] - 4, bar[0] + 5) for y in range(bar[3], bar[3] + 9))
        share = differing / (want.width * want.height)
        print(f"  looks: {picture} differs from the desktop in {share:.2%} of its pixels")
        assert share < 0.01, f"{picture}: {share:.2%} of the pixels differ (see {shots})"
        return x, y

def one_player(player):  # a row that wins against no code, then as the screen-reader test plays
    player.keys(*["Tab"] * 9, "space", expect=r"Fila 2, o en la cifra 1, x en las cifras 2, 3 y 4\. Ganaste el juego!!!")
    player.keys(*["shift+Tab"] * 9)
    origin = player.looks("one-player")
    player.keys("shift+Tab", "space", expect=r"( Listo, puede empezar a jugar|El numero se repite, genere otro)")
    player.keys("Tab")
    player.row("1234")
    player.keys("space", expect=r"Fila 1, ((o|x|sin marca) en (la cifra|las cifras) [1-4 ,y]+)+\. Jugando\.\.\.")
    player.keys(*["shift+Tab"] * 6, "space", expect=r"[1-9]\d{3}")
    player.keys("shift+Tab", "space", expect=r"Se cancelo el juego")
    player.keys("shift+Tab", "space", expect=r"Fila 10, o en la cifra 1, x en las cifras 2, 3 y 4\. Ganaste el juego!!!")
    return origin


def two_player(player, name):  # both codes masked, Player1 hits, Player2 misses: Player1 (`name`) wins
    player.keys(*["shift+Tab"] * 3)
    if name:
        player.keys(*[f"shift+{c.lower()}" if c.isupper() else c for c in name])
    player.keys(*["shift+Tab"] * 2)
    for digit in "87656789":  # Player2's code from the right, then Player1's
        player.keys("shift+Tab", digit)
    player.keys(*["Tab"] * 13)
    player.row("5678")
    player.keys("space", expect=r"Player1, fila 1, o en las cifras 1, 2, 3 y 4\. Player2 puede empatar el juego\.?")
    player.keys("Tab")
    player.row("9786")
    player.keys("space", expect=r"Player2, fila 1, o en las cifras 1 y 4, x en las cifras 2 y 3\. "
                                 rf"Player1 gano el juego\. Partidas ganadas de {name or 'Ana'}: 1\.?")
    player.keys("alt+b", expect=r"Se cancelo el juego")


def two_player_looks(player):  # Player1's code typed, Player2's second row played, as in the picture
    player.keys(*["shift+Tab"] * 13)
    player.keys("1", "Tab", "2", "Tab", "3", "Tab", "4", *["Tab"] * 25)
    player.row("1324")
    player.keys("space", expect=r"Player2, fila 2, .*")
    player.keys(*["shift+Tab"] * 19)
    player.looks("two-player")
    player.keys("alt+b", expect=r"Se cancelo el juego")


def stored_names(browser):  # the files kept in the browser's storage
    return browser.evaluate("""new Promise(done => {
        const open = indexedDB.open('/home/web_user');
        open.onerror = () => done([]);
        open.onsuccess = () => {
            try {
                const keys = open.result.transaction('FILE_DATA').objectStore('FILE_DATA').getAllKeys();
                keys.onsuccess = () => done(keys.result.map(String).filter(k => k.endsWith('.txt')));
                keys.onerror = () => done([]);
            } catch (e) { done([]); }
        };
    })""")


server, browser = Server(page), Browser()
try:
    print(f"Quivara in Chromium: {server.url}")
    browser.call("Page.navigate", url=server.url)
    player = Player(browser)
    player.window(ONE)
    origin = one_player(player)
    player.keys("F2")
    player.window(TWO)
    two_player_looks(player)
    two_player(player, "Ana")
    player.keys("alt+s")
    wait_until(lambda: "se ha cerrado" in browser.evaluate("document.getElementById('estado').textContent"),
               "the page to say that the game has ended")
    print("  [the page: " + browser.evaluate("document.getElementById('estado').textContent") + "]")
    names = wait_until(lambda: len(stored_names(browser)) == 2 and stored_names(browser), "the names in storage")
    print("  kept in the browser:", ", ".join(sorted(names)))

    browser.call("Page.reload")
    player = Player(browser)
    player.window(ONE)
    # The About window from its menu, by the mouse; "Información..." finds no System Information.
    browser.click(origin[0] + 120, origin[1] + 8)
    player.keys("Down", "Down", "Enter")
    player.window(ABOUT)
    player.looks("about")
    player.keys("alt+i")
    player.window(MESSAGE)
    browser.screenshot().save(os.path.join(shots, "system-information.png"))
    player.keys("Enter")
    player.window(ABOUT)
    player.keys("Enter")
    player.window(ONE)
    player.keys("F2")
    player.window(TWO)
    two_player(player, None)  # the name typed before the reload counts the win
    player.keys("F1")
    player.window(ONE)
    print("PASS: games played, names kept, windows as on the desktop")
finally:
    browser.close()
    server.close()
