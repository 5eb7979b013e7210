# SPDX-License-Identifier: GPL-3.0-or-later
# A blind player's games: the screen reader Orca, its speech captured as text, plays both windows by keys.
# usage: orca_play.py QUIVARA, on an X server (xvfb-run -a ...); it runs its own session bus, speech server and Orca.
import os, re, shutil, subprocess, sys, tempfile, time

TMP = tempfile.mkdtemp(prefix="quivara-orca-")
SPOKEN = os.path.join(TMP, "spoken.txt")
started = []  # every process this script starts (a pid or a Popen), ended at exit


def check(ok, what):  # the first failure ends the games
    if not ok:
        sys.exit(f"FAIL: {what}")


def heard():
    with open(SPOKEN, "a+", encoding="utf-8") as f:
        f.seek(0)
        return f.read()


def listen(expect, since):  # until `expect` is heard (or for nothing), then until Orca is quiet for 0.7 s
    deadline, quiet = time.monotonic() + 20, time.monotonic()
    while time.monotonic() - quiet < 0.7 or (expect and not re.search(expect, heard()[since:])):
        check(time.monotonic() < deadline, f"heard {heard()[since:]!r}, not {expect!r}")
        before = len(heard())
        time.sleep(0.05)
        if len(heard()) != before:
            quiet = time.monotonic()
    return heard()[since:].strip().replace("\n", " | ")


def key(name, expect=None):  # one key as a player presses it, and what Orca says after it
    since = len(heard())
    subprocess.run(["xdotool", "key", name], check=True)
    said = listen(expect, since)
    print(f"{name:>10}: {said}", flush=True)
    return said


def focus(title):  # what a window manager does for a new window (there is none): give it the keyboard
    subprocess.run(["xdotool", "search", "--sync", "--name", f"^{title}$", "windowfocus", "--sync"], check=True)


def start(*command, **options):
    started.append(subprocess.Popen(command, **options))
    return started[-1]


def set_up(program):  # a throw-away home, Spanish locale, speech captured as text, a private bus and Orca
    dirs = {v: os.path.join(TMP, v.lower()) for v in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                                                      "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "LOCPATH")}
    for d in dirs.values():
        os.makedirs(d, mode=0o700)
    os.environ.update(dirs, GSETTINGS_BACKEND="memory", LANG="es_ES.UTF-8", LANGUAGE="es")
    subprocess.run(["localedef", "-i", "es_ES", "-f", "UTF-8", os.path.join(dirs["LOCPATH"], "es_ES.UTF-8")], check=True)
    speechd = os.path.join(dirs["XDG_CONFIG_HOME"], "speech-dispatcher")
    os.makedirs(os.path.join(speechd, "modules"))
    with open("/etc/speech-dispatcher/speechd.conf") as system, open(os.path.join(speechd, "speechd.conf"), "w") as f:
        f.writelines(line for line in system if line.startswith("SymbolsPreproc"))
        f.write('Timeout 0\nAudioOutputMethod "libao"\nAddModule "capture" "sd_generic" "capture.conf"\n'
                'DefaultModule "capture"\nDefaultLanguage "es"\n')
    with open(os.path.join(speechd, "modules", "capture.conf"), "w") as f:  # one utterance a line, never cut
        f.write(f'GenericExecuteSynth "printf %s \\\'$DATA\\\' >> {SPOKEN}; echo >> {SPOKEN}"\n'
                'GenericDelimiters "\x1e"\nAddVoice "es" "MALE1" "es"\nGenericLanguage "es" "es" "utf-8"\n')
    bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                         check=True, capture_output=True, text=True).stdout.split()
    started.append(int(bus[1]))
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus[0]
    subprocess.run(["gdbus", "call", "--session", "-d", "org.a11y.Bus", "-o", "/org/a11y/bus",
                    "-m", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", "IsEnabled", "<true>"],
                   check=True, capture_output=True)
    start("speech-dispatcher", "--run-single", "--timeout", "0", stderr=subprocess.DEVNULL)
    # Orca's own start-up refuses to run beside the user's other Orcas: this starts its main part alone.
    start(sys.executable, "-c", "import sys; from orca import orca; m = orca.getSettingsManager(); "
          "m.activate(None, {'enableKeyEcho': False}); sys.exit(orca.main())", stderr=subprocess.DEVNULL)
    listen("Lector de pantalla activado", 0)  # a window shown before Orca listens is never read
    game = os.path.join(TMP, "game", os.path.basename(program))  # its name files go beside it
    os.makedirs(os.path.dirname(game))
    shutil.copy(program, game)
    game = start(game, cwd=TMP, env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    focus("Quivara - 1 jugador")
    listen("Fila 1, cifra 1", 0)  # keys sent while Orca starts are lost
    return game


def play(steps):  # (key, what must be heard after it: a pattern, or None for silence)
    said = [key(k, expect) for k, expect in steps]
    for (k, expect), text in zip(steps, said):  # a notification once per outcome, none elsewhere
        check(text.count("notificación") == (expect or "").count("notificación"), f"{k}: {text!r}")
    return said


def one_player():  # a new code, a row against it, the code shown, a cleared board, a row that wins
    note = r"notificación "
    said = play([("shift+Tab", "Juego Nuevo botón"),
                 ("space", note + r"( Listo, puede empezar a jugar|El numero se repite, genere otro)\."),
                 ("Tab", "Fila 1, cifra 1 texto"), ("1", None), ("Tab", "Fila 1, cifra 2 texto"), ("2", None),
                 ("Tab", "Fila 1, cifra 3 texto"), ("3", None), ("Tab", "Fila 1, cifra 4 texto"), ("4", None),
                 ("Tab", "Comprobar fila 1 botón"),
                 ("space", note + r"Fila 1, ((o|x|sin marca) en (la cifra|las cifras) [1-4 ,y]+)+\. Jugando"),
                 ("shift+Tab", "cifra 4"), ("shift+Tab", "cifra 3"), ("shift+Tab", "cifra 2"),
                 ("shift+Tab", "cifra 1"), ("shift+Tab", "Juego Nuevo botón"), ("shift+Tab", "Mostrar Numero botón"),
                 ("space", note + r"\d{4}\."),
                 ("shift+Tab", "Borrar Todo botón"), ("space", note + r"Se cancelo el juego\."),
                 ("shift+Tab", "Comprobar fila 10 botón"),
                 ("space", note + r"Fila 10, o en la cifra 1, x en las cifras 2, 3 y 4\. Ganaste el juego")])
    code = re.search(r"\d{4}", said[18]).group()
    check(code not in " ".join(said[:18]), f"the hidden code {code} was heard before Mostrar Numero")


def two_player():  # names, both codes masked, Player1 hits, Player2 misses: Ana (Player1) wins
    codes = [("shift+Tab", f"Código de {p}, cifra {i}") for p in ("Player2", "Player1") for i in (4, 3, 2, 1)]
    row = lambda player, digits: [step for i, d in enumerate(digits, 1)
                                  for step in ((d, None), ("Tab", f"{player}, fila 1, cifra {i + 1}" if i < 4 else
                                                           f"{player}, comprobar fila 1 botón"))]
    said = play([("shift+Tab", "Borrar Todo botón"), ("shift+Tab", "Nombre de Player2"),
                 ("shift+Tab", "Nombre de Player1"), ("shift+a", None), ("n", None), ("a", None),
                 ("shift+Tab", "Nuevo Juego botón"), ("shift+Tab", "Borrar Resultados botón")]
                + [s for step, d in zip(codes, "87656789") for s in (step, (d, None))]
                + [("Tab", name) for name in [f"Código de Player{p}, cifra {i}" for p, i in zip("1112222", "2341234")]
                   + ["Borrar Resultados", "Nuevo Juego", "Nombre de Player1", "Nombre de Player2", "Borrar Todo",
                      "Player1, fila 1, cifra 1"]]
                + row("Player1", "5678")
                + [("space", r"notificación Player1, fila 1, o en las cifras 1, 2, 3 y 4\. Player2 puede empatar el juego\."),
                   ("Tab", "Player2, fila 1, cifra 1")]
                + row("Player2", "9786")
                + [("space", r"notificación Player2, fila 1, o en las cifras 1 y 4, x en las cifras 2 y 3\. "
                             r"Player1 gano el juego\. Partidas ganadas de Ana dos puntos: 1\."),
                   ("alt+b", r"notificación Se cancelo el juego\.")])
    check(not re.search("[5-9]", " ".join(said)), "a masked code digit was heard")


def main(program):
    try:
        game = set_up(program)
        one_player()
        since = len(heard())
        key("F2")
        focus("Quivara - 2 jugadores")
        print(listen("Player1, fila 1, cifra 1 texto", since))
        two_player()
        key("alt+s")  # "&Salir"
        check(game.wait(30) == 0, f"the game ended with {game.returncode}")
    finally:
        for p in reversed(started):
            p.kill() if hasattr(p, "kill") else os.kill(p, 15)
        shutil.rmtree(TMP)


main(sys.argv[1])
