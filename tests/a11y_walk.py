# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader learns from the running game, asked through AT-SPI as readers ask.
# usage: a11y_walk.py QUIVARA, under a session bus and an X server (dbus-run-session -- xvfb-run -a ...).
import os, re, shutil, subprocess, sys, tempfile, time
import pyatspi


def check(ok, what):  # the first failure ends the walk
    if not ok:
        sys.exit(f"FAIL: {what}")


def wait(what, find, seconds=30):  # polls for a condition until its deadline
    deadline = time.monotonic() + seconds
    while not (found := find()):
        check(time.monotonic() < deadline, f"gave up waiting for {what}")
        time.sleep(0.05)
    return found


def nodes(root):
    yield root
    for child in filter(None, root):
        yield from nodes(child)


def readable(node):  # all a reader may say of a node
    try:
        return [node.name, node.description, node.queryText().getText(0, -1)]
    except NotImplementedError:
        return [node.name, node.description]


def press(root, role, name):
    found = lambda: next((n for n in nodes(root) if n.getRoleName() == role and n.name == name), None)
    wait(f"{role} {name!r}", found).queryAction().doAction(0)


def names_distinct(window, twice=()):  # every field, button, label and picture has a name none but `twice` shares
    names = [n.name for n in nodes(window) if n.getRoleName() in ("text", "password text", "push button", "label", "image")]
    doubles = sorted({n for n in names if names.count(n) > 1 and n not in twice})
    check(names and "" not in names and not doubles, f"{window.name}: unnamed controls or names told twice: {doubles}")


def main(program):  # runs a copy of the program in a temporary directory, where its name files go
    home = tempfile.mkdtemp(prefix="quivara-a11y-")
    shutil.copy(program, home)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    game = subprocess.Popen([os.path.join(home, os.path.basename(program))], cwd=home, env=env)
    try:
        app = wait("the game", lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Quivara"), None))
        window = lambda title: wait(title, lambda: next((w for w in app if w and w.name == title), None))
        status = lambda w: next(n.name for n in nodes(w) if n.getRoleName() == "label" and "Línea de estado" in n.name)

        one = window("Quivara - 1 jugador")
        press(one, "push button", "Juego Nuevo")
        draw = r"Línea de estado: ( Listo, puede empezar a jugar|El numero se repite, genere otro)"
        wait("the status line read with the draw's text", lambda: re.fullmatch(draw, status(one)))
        names_distinct(one)
        told = [t for n in nodes(one) for t in readable(n) if re.fullmatch(r"\s*\d\s*", t or "")]
        check(not told, f"hidden code cells read out: {told}")

        press(one, "menu item", "Dos Jugadores")
        two = window("Quivara - 2 jugadores")
        names_distinct(two, twice={"Partidas Ganadas"})  # each stands by its player's counter, which names the player
        codes = [n for n in nodes(two) if n.name.startswith("Código de Player")]
        before = [readable(n) for n in nodes(two)]
        for field, digit in zip(codes, "56789567"):
            field.queryEditableText().setTextContents(digit)
        told = [a for b, a in zip(before, map(readable, nodes(two))) if a != b and re.search(r"[5-9]", str(a))]
        check(len(codes) == 8 and not told, f"{len(codes)} code fields; masked digits read out: {told}")
        press(two, "push button", "Mostrar Numeros")  # the digits did land in the fields
        wait("the codes shown", lambda: [readable(c)[-1] for c in codes] == list("56789567"))

        press(two, "menu item", "Acerca de")
        names_distinct(window("Acerca de Quivara"))
        press(two, "menu item", "Salir")
        check(game.wait(30) == 0, f"the game ended with {game.returncode}")
    finally:
        game.kill()  # nothing once it has ended
        game.wait()
        shutil.rmtree(home)


main(sys.argv[1])
