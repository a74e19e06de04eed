#!/usr/bin/env python3
"""Starts the real corvane binary on an X display (run under xvfb-run), finds
its main and splash windows, then closes the main window as a window manager
would and expects the program to end cleanly."""
import os
import subprocess
import sys
import time

from Xlib import X, display, protocol

MAIN_TITLE = "QRV 1.1 - www.corvane.example"
TIMEOUT = 20.0


def viewable_top_levels(d):
    found = []
    for window in d.screen().root.query_tree().children:
        try:
            if window.get_attributes().map_state == X.IsViewable:
                found.append(window)
        except Exception:  # the window went away while we looked
            pass
    return found


def title(window):
    name = window.get_wm_name()
    return name.decode("latin-1") if isinstance(name, bytes) else (name or "")


def window_type(d, window):
    prop = window.get_full_property(d.intern_atom("_NET_WM_WINDOW_TYPE"), X.AnyPropertyType)
    return [d.get_atom_name(atom) for atom in prop.value] if prop else []


def wait_for(predicate, what):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        result = predicate()
        if result:
            return result
        time.sleep(0.1)
    raise SystemExit(f"FAIL: {what} did not appear within {TIMEOUT} s")


def main():
    binary = sys.argv[1]
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    app = subprocess.Popen([binary], env=env)
    d = display.Display()
    try:
        main_window = wait_for(
            lambda: next((w for w in viewable_top_levels(d) if title(w) == MAIN_TITLE), None),
            "the main window")
        splash = wait_for(
            lambda: next((w for w in viewable_top_levels(d)
                          if "_NET_WM_WINDOW_TYPE_SPLASH" in window_type(d, w)), None),
            "the splash window")
        main_geometry, splash_geometry = main_window.get_geometry(), splash.get_geometry()
        print(f"main window {main_geometry.width}x{main_geometry.height}, "
              f"splash {splash_geometry.width}x{splash_geometry.height}")
        if not (main_geometry.width > splash_geometry.width
                and main_geometry.height > splash_geometry.height):
            raise SystemExit("FAIL: the main window does not cover the splash window")

        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        main_window.send_event(protocol.event.ClientMessage(
            window=main_window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        d.flush()
        code = app.wait(timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        raise SystemExit("FAIL: the program did not end after its main window was closed")
    finally:
        if app.poll() is None:
            app.kill()
    if code != 0:
        raise SystemExit(f"FAIL: the program ended with exit code {code}")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
