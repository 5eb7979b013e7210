# SPDX-License-Identifier: GPL-3.0-or-later
# A blind player's games: the screen reader Orca, its speech captured as text, plays tests/games-by-ear.txt by keys.
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
    said = lambda: heard()[since:].strip().replace("\n", " | ").replace("punto punto punto", "...")
    deadline, quiet, last = time.monotonic() + 20, time.monotonic(), said()
    while time.monotonic() - quiet < 0.7 or not re.search(expect or "", last):
        check(time.monotonic() < deadline, f"heard {last!r}, not {expect!r}")
        time.sleep(0.05)
        if (now := said()) != last:
            quiet, last = time.monotonic(), now
    return last


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


def utterance(kind, text):  # what Orca says for a line of the script: a name and its role, or a notification
    said = {"button": f"{re.escape(text)} botón de pulsación", "field": f"{re.escape(text)} texto",
            "masked": f"{re.escape(text)} texto de contraseña", "says": f"notificación (?P<told>{re.escape(text)})"}
    return rf"(^|\| ){said.get(kind, f'notificación (?P<told>{text})')}\.?( \||$)"


def play():  # the games by keys, the match in the window F2 opens; a code heard only once given up, a masked digit never
    said, hidden, focus = [], "", ""
    for line in open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "games-by-ear.txt"), encoding="utf-8"):
        name, kind, text = (line.strip().split(None, 2) + ["", "", ""])[:3]
        if name == "game" and kind == "two":
            key("F2", utterance("field", "Player1, fila 1, cifra 1"), "Quivara - 2 jugadores")
        if name in ("", "game") or name.startswith("#"):
            continue
        said.append(key(name, utterance(kind, text) if kind else None))
        if kind == "code":
            code = re.search(utterance(kind, text), said[-1])["told"]
            check(code not in " ".join(said[:-1]), f"the hidden code {code} was heard before it was given up")
        hidden += name if focus == "masked" and len(name) == 1 else ""
        focus = kind if kind in ("button", "field", "masked") else focus
        check(not hidden or not re.search(rf"\b[{hidden}]\b", said[-1]), f"a masked digit ({hidden}) was heard")


try:  # the games; whatever this script started ends with them
    game = set_up(sys.argv[1])
    play()
    key("alt+s")  # "&Salir"
    check(game.wait(30) == 0, f"the game ended with {game.returncode}")
finally:
    for p in reversed(started):
        p.kill()
        p.wait()
    shutil.rmtree(TMP)
