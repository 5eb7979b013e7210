# SPDX-License-Identifier: GPL-3.0-or-later
# A blind player's games: the screen reader Orca, its speech captured as text, plays both windows by keys.
# usage: orca_play.py QUIVARA, on an X server (xvfb-run -a ...); it runs its own session bus, speech server and Orca.
import os, re, shutil, subprocess, sys, tempfile, time

TMP = tempfile.mkdtemp(prefix="quivara-orca-")
SPOKEN = os.path.join(TMP, "spoken.txt")
started = []  # every process this script starts, ended at exit


def check(ok, what):  # the first failure ends the games
    if not ok:
        sys.exit(f"FAIL: {what}")


def heard():
    with open(SPOKEN, encoding="utf-8") as f:
        return f.read()


def listen(expect, since):  # until `expect` is heard (None: nothing awaited), then until Orca is quiet for 0.7 s
    deadline, quiet, last = time.monotonic() + 20, time.monotonic(), heard()
    while time.monotonic() - quiet < 0.7 or not re.search(expect or "", last[since:]):
        check(time.monotonic() < deadline, f"heard {last[since:]!r}, not {expect!r}")
        time.sleep(0.05)
        if (now := heard()) != last:
            quiet, last = time.monotonic(), now
    return last[since:].strip().replace("\n", " | ")


def key(name, expect=None, window=None):  # one key as a player presses it; a notification once per outcome only
    since = len(heard())
    subprocess.run(["xdotool", "key", name], check=True)
    if window:  # what a window manager (there is none) does for a new window: give it the keyboard
        focus(window)
    said = listen(expect, since)
    print(f"{name:>10}: {said}", flush=True)
    check(said.count("notificación") == (expect or "").count("notificación"), f"{name}: {said!r}")
    return said


def focus(title):  # the keyboard to the window once it is mapped (unmapped, it refuses the focus)
    deadline, search = time.monotonic() + 20, ["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"]
    # A search that meets another window as it is destroyed ends with an X error and finds nothing this time.
    while not (found := subprocess.run(search, capture_output=True, text=True).stdout.split()):
        check(time.monotonic() < deadline, f"no window {title!r}")
        time.sleep(0.05)
    subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], check=True)


def start(*command, **options):
    started.append(subprocess.Popen(command, **options))
    return started[-1]


def set_up(program):  # a throw-away home, a Spanish locale, speech captured as text, a private bus, Orca, the game
    for v in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "LOCPATH"):
        os.environ[v] = os.path.join(TMP, v.lower())
        os.makedirs(os.environ[v], 0o700)
    os.environ.update(GSETTINGS_BACKEND="memory", LANG="es_ES.UTF-8", LANGUAGE="es")
    subprocess.run(["localedef", "-i", "es_ES", "-f", "UTF-8", os.environ["LOCPATH"] + "/es_ES.UTF-8"], check=True)
    speechd = os.environ["XDG_CONFIG_HOME"] + "/speech-dispatcher"
    os.makedirs(f"{speechd}/modules")
    with open(f"{speechd}/speechd.conf", "w") as conf, open(f"{speechd}/modules/capture.conf", "w") as capture:
        conf.write('Timeout 0\nAudioOutputMethod "libao"\nDefaultLanguage "es"\n'
                   'AddModule "capture" "sd_generic" "capture.conf"\nDefaultModule "capture"\n')
        # Each utterance whole (the delimiter never occurs) on a line of its own.
        capture.write(f'GenericExecuteSynth "printf %s \\\'$DATA\\\' >> {SPOKEN}; echo >> {SPOKEN}"\n'
                      'GenericDelimiters "\x1e"\nAddVoice "es" "MALE1" "es"\nGenericLanguage "es" "es" "utf-8"\n')
    open(SPOKEN, "w").close()
    bus = start("dbus-daemon", "--session", "--nofork", "--print-address=1", text=True,
                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    start("speech-dispatcher", "--run-single", "--timeout", "0", stderr=subprocess.DEVNULL)
    # Orca's own start-up refuses to run beside the user's other Orcas: this starts its main part alone.
    start(sys.executable, "-c", "import sys; from orca import orca; m = orca.getSettingsManager(); "
          "m.activate(None, {'enableKeyEcho': False}); sys.exit(orca.main())", stderr=subprocess.DEVNULL)
    listen("Lector de pantalla activado", 0)  # a window shown before Orca listens is never read
    os.makedirs(f"{TMP}/game")  # its name files go beside it
    game = start(shutil.copy(program, f"{TMP}/game"), cwd=TMP,
                 env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    focus("Quivara - 1 jugador")  # as a window manager would
    listen("Fila 1, cifra 1", 0)  # keys sent while Orca starts are lost
    return game


def row(digits, field, button):  # types a row's digits, Tab after each, onto its button
    names = [field.format(i) for i in (2, 3, 4)] + [button]
    return [step for d, name in zip(digits, names) for step in ((d, None), ("Tab", name))]


def one_player():  # a new code, a row against it, the code shown, a cleared board, a row that wins
    said = [key(*step) for step in [
        ("shift+Tab", "Juego Nuevo botón"),
        ("space", r"notificación ( Listo, puede empezar a jugar|El numero se repite, genere otro)\."),
        ("Tab", "Fila 1, cifra 1 texto"), *row("1234", "Fila 1, cifra {}", "Comprobar fila 1 botón"),
        ("space", r"notificación Fila 1, ((o|x|sin marca) en (la cifra|las cifras) [1-4 ,y]+)+\. Jugando"),
        *[("shift+Tab", n) for n in ("cifra 4", "cifra 3", "cifra 2", "cifra 1", "Juego Nuevo", "Mostrar Numero")],
        ("space", r"notificación \d{4}\."),
        ("shift+Tab", "Borrar Todo botón"), ("space", r"notificación Se cancelo el juego\."),
        ("shift+Tab", "Comprobar fila 10 botón"),
        ("space", r"notificación Fila 10, o en la cifra 1, x en las cifras 2, 3 y 4\. Ganaste el juego")]]
    code = re.search(r"\d{4}", said[18]).group()
    check(code not in " ".join(said[:18]), f"the hidden code {code} was heard before Mostrar Numero")


def two_player():  # Ana's name, both codes masked, Player1 hits, Player2 misses: Ana (Player1) wins
    codes = [(f"Código de Player{p}, cifra {i}", d) for p, i, d in zip("22221111", "43214321", "87656789")]
    said = [key(*step) for step in [
        ("shift+Tab", "Borrar Todo botón"), ("shift+Tab", "Nombre de Player2"), ("shift+Tab", "Nombre de Player1"),
        ("shift+a", None), ("n", None), ("a", None),
        ("shift+Tab", "Nuevo Juego botón"), ("shift+Tab", "Borrar Resultados botón"),
        *[step for name, d in codes for step in (("shift+Tab", name), (d, None))],
        *[("Tab", name) for name in [n for n, _ in reversed(codes[:-1])] + ["Borrar Resultados", "Nuevo Juego",
          "Nombre de Player1", "Nombre de Player2", "Borrar Todo", "Player1, fila 1, cifra 1"]],
        *row("5678", "Player1, fila 1, cifra {}", "Player1, comprobar fila 1"),
        ("space", r"notificación Player1, fila 1, o en las cifras 1, 2, 3 y 4\. Player2 puede empatar el juego\."),
        ("Tab", "Player2, fila 1, cifra 1"), *row("9786", "Player2, fila 1, cifra {}", "Player2, comprobar fila 1"),
        ("space", r"notificación Player2, fila 1, o en las cifras 1 y 4, x en las cifras 2 y 3\. "
                  r"Player1 gano el juego\. Partidas ganadas de Ana: 1\."),
        ("alt+b", r"notificación Se cancelo el juego\.")]]
    check(not re.search("[5-9]", " ".join(said)), "a masked code digit was heard")


try:  # the games; whatever this script started ends with them
    game = set_up(sys.argv[1])
    one_player()
    key("F2", "Player1, fila 1, cifra 1 texto", "Quivara - 2 jugadores")
    two_player()
    key("alt+s")  # "&Salir"
    check(game.wait(30) == 0, f"the game ended with {game.returncode}")
finally:
    for p in reversed(started):
        p.kill()
        p.wait()
    shutil.rmtree(TMP)
