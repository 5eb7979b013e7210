"""What a screen reader learns from the running game, asked through AT-SPI as readers ask.

usage: a11y_walk.py QUIVARA   (under a session bus and an X server: dbus-run-session -- xvfb-run -a ...)
Starts a copy of the program in a temporary directory (its name files go there), walks the
one-player, two-player and About windows and checks: every field, button and label has a name of
its own; the hidden code cells and the masked code fields never give a digit away; the status line
is read with its text. Every wait polls for its condition and gives up after a deadline.
"""
import os, re, shutil, subprocess, sys, tempfile, time
import pyatspi

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def wait(what, find, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.05)
    sys.exit(f"FAIL: gave up waiting for {what}")


def nodes(root):
    yield root
    for child in root:
        if child is not None:
            yield from nodes(child)


def find(root, role, name):
    return next((n for n in nodes(root) if n.getRoleName() == role and n.name == name), None)


def readable(node):
    """Everything a reader may say of a node: its name, description and text."""
    texts = [node.name, node.description]
    try:
        texts.append(node.queryText().getText(0, -1))
    except NotImplementedError:
        pass
    return texts


def press(root, role, name):
    node = wait(f"{role} {name!r}", lambda: find(root, role, name))
    node.queryAction().doAction(0)


def names_distinct(window, twice=(), roles=("text", "push button", "label", "image", "password text")):
    names = [n.name for n in nodes(window) if n.getRoleName() in roles]
    check(names and "" not in names, f"{window.name}: an unnamed control")
    doubles = sorted({n for n in names if names.count(n) > 1 and n not in twice})
    check(not doubles, f"{window.name}: names told twice: {doubles}")
    return names


def status(window):
    return find(window, "label", "Línea de estado") or next(
        n for n in nodes(window) if n.getRoleName() == "label" and n.name.startswith("Línea de estado: "))


def main(program):
    home = tempfile.mkdtemp(prefix="quivara-a11y-")
    shutil.copy(program, home)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    game = subprocess.Popen([os.path.join(home, os.path.basename(program))], cwd=home, env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait("the game on the desktop", lambda: next((a for a in desktop if a and a.name == "Quivara"), None))
        window = lambda title: lambda: next((w for w in app if w and w.name == title), None)

        one = wait("the one-player window", window("Quivara - 1 jugador"))
        press(one, "push button", "Juego Nuevo")
        line = wait("the status line's text", lambda: status(one).name != "Línea de estado" and status(one))
        check(re.fullmatch(r"Línea de estado: ( Listo, puede empezar a jugar|El numero se repite, genere otro)",
                           line.name), f"status line reads {line.name!r}")
        names_distinct(one)
        told = [(n.name, t) for n in nodes(one) for t in readable(n) if re.fullmatch(r"\s*\d\s*", t or "")]
        check(not told, f"a hidden code cell is read out: {told}")
        press(one, "push button", "Mostrar Numero")
        wait("the code given up on the status line", lambda: re.fullmatch(r"Línea de estado: \d{4}", status(one).name))

        press(one, "menu item", "Dos Jugadores")
        two = wait("the two-player window", window("Quivara - 2 jugadores"))
        # Each "Partidas Ganadas" caption stands by its player's counter, which names the player.
        names = names_distinct(two, twice={"Partidas Ganadas"})
        check({"Partidas ganadas de Player1: 0", "Partidas ganadas de Player2: 0"} <= set(names),
              "the games-won counters are read with their count")
        codes = [n for n in nodes(two) if n.name.startswith("Código de Player")]
        check(len(codes) == 8, f"{len(codes)} code fields")
        before = [readable(n) for n in nodes(two)]
        for field, digit in zip(codes, "56789567"):
            field.queryEditableText().setTextContents(digit)
        told = [a for b, a in zip(before, (readable(n) for n in nodes(two))) if a != b and re.search(r"[5-9]", str(a))]
        check(not told, f"a masked code field is read out: {told}")
        press(two, "push button", "Mostrar Numeros")
        wait("the codes shown", lambda: [readable(c)[-1] for c in codes] == list("56789567"))

        press(two, "menu item", "Acerca de")
        about = wait("the About window", window("Acerca de Quivara"))
        names_distinct(about)
    finally:
        game.terminate()
        game.wait()
        shutil.rmtree(home)
    print("FAILED" if failures else "PASSED", f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
