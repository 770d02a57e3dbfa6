#!/usr/bin/env python3
"""Kills the savers of Kesmar with SIGKILL at seeded random moments and checks
that every file is afterwards its old or its new whole version (a download:
a prefix of the server's file that the next run completes), and that the
next start reads the files and finishes normally; with --program, every
fifth folder of the settings kills is opened by the plotter itself.

usage: crash-safety.py --save DRIVER --synop TOOL --chartbuild TOOL
                       --root SOURCE_DIR [--program PLOTTER] [--kills N] [--seed S]
"""
import argparse
import datetime
import glob
import os
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

failures = []
checked = 0
# How long the plotter must keep running once it is up.
STARTUP_SECONDS = 1
# What the kills left, per saver: a test that only ever sees the old or only
# the new files did not kill anything in the middle.
states = {}


def tally(what, state):
    states.setdefault(what, {}).setdefault(state, 0)
    states[what][state] += 1


def fail(message):
    failures.append(message)
    print("FAIL: " + message, flush=True)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def run(cmd, cwd, **kw):
    return subprocess.run(cmd, cwd=cwd, capture_output=True, env=ENV, **kw)


def kill_after(cmd, cwd, delay, wait_line=None):
    """Starts cmd, waits `delay` seconds (after `wait_line` on stdout, if
    given), kills it. True when it was still running at the kill."""
    p = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=ENV)
    if wait_line:
        p.stdout.readline()
    time.sleep(delay)
    alive = p.poll() is None
    if alive:
        p.send_signal(signal.SIGKILL)
    p.wait()
    p.stdout.close()
    return alive


def timed(cmd, cwd):
    start = time.monotonic()
    r = run(cmd, cwd)
    if r.returncode != 0:
        sys.exit("reference run failed: %s\n%s%s" % (cmd, r.stdout.decode(), r.stderr.decode()))
    return time.monotonic() - start


def check_whole(path, versions, what):
    global checked
    checked += 1
    if not os.path.exists(path):
        fail("%s: %s is missing" % (what, os.path.basename(path)))
        return
    data = read(path)
    if data not in versions:
        fail("%s: %s (%d bytes) is neither the old nor the new version" % (what, os.path.basename(path), len(data)))


def starts_normally(program, folder, what, work):
    """The plotter in the folder comes up, shows no failure and ends on SIGTERM."""
    global checked
    checked += 1
    runtime = os.path.join(work, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env = dict(ENV, XDG_RUNTIME_DIR=runtime)
    slot = os.path.join(runtime, "kesmar", "nmea.sock")
    if os.path.exists(slot):
        os.remove(slot)
    p = subprocess.Popen([program], cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    # Up once its NMEA slot is open, the last step of the start; then running for a while.
    deadline = time.monotonic() + 60
    while not os.path.exists(slot) and p.poll() is None and time.monotonic() < deadline:
        time.sleep(0.05)
    try:
        p.wait(timeout=STARTUP_SECONDS)
        fail("%s: the plotter ended at start (%d): %s" % (what, p.returncode, p.stderr.read().decode().strip()))
        return
    except subprocess.TimeoutExpired:
        pass
    p.send_signal(signal.SIGTERM)
    try:
        p.wait(timeout=30)
    except subprocess.TimeoutExpired:
        p.kill()
        p.wait()
    err = p.stderr.read().decode(errors="replace")
    shown = [line for line in err.splitlines() if line.startswith("Kesmar: ") or "not read" in line]
    if p.returncode != 0 or shown:
        fail("%s: the plotter did not start normally (%d): %s" % (what, p.returncode, "; ".join(shown)))


# --- CHART.CFG, CHARTLIST.LST, KMR.INI ------------------------------------------
def saves(args, rng, kills, work):
    names = ["CHART.CFG", "CHARTLIST.LST", "KMR.INI"]
    versions = {}
    for v in "AB":
        d = os.path.join(work, "save-" + v)
        os.makedirs(os.path.join(d, "CHARTDATA"))
        if run([args.save, "once", v, d], d).returncode != 0:
            sys.exit("crash-save-driver once %s failed" % v)
        for n in names:
            found = glob.glob(os.path.join(d, "**", n), recursive=True)
            versions.setdefault(n, []).append(read(found[0]))
            versions[n + "-path"] = os.path.relpath(found[0], d)
    for i in range(kills):
        d = os.path.join(work, "save-kill")
        shutil.rmtree(d, ignore_errors=True)
        shutil.copytree(os.path.join(work, "save-A"), d)
        kill_after([args.save, "loop", d], d, rng.uniform(0.0, 0.05), wait_line=True)
        for n in names:
            path = os.path.join(d, versions[n + "-path"])
            check_whole(path, versions[n], "save kill %d" % i)
            if os.path.exists(path):
                tally("saves", "AB"[versions[n].index(read(path))] if read(path) in versions[n] else "other")
        leftovers = len(os.listdir(d)) + len(os.listdir(os.path.join(d, "CHARTDATA"))) - 4
        if leftovers:
            tally("saves", "temporary files left")
        r = run([args.save, "check", d], d)
        if r.returncode != 0:
            fail("save kill %d: the files do not load: %s" % (i, r.stderr.decode().strip()))
        if args.program and i % 5 == 4:
            starts_normally(args.program, d, "save kill %d" % i, work)


# --- kesmar-synop convert: STATION.DAT appended, then duplicates removed --------
def convert(args, rng, kills, work):
    now = datetime.datetime(2023, 1, 18, 13)
    bulletins = b"".join(read(p) for p in sorted(glob.glob(os.path.join(args.shared, "synop", "bulletins", "2023011*_syn.wmo"))))
    if not bulletins:
        sys.exit("no bulletins in %s/synop/bulletins" % args.shared)
    base = os.path.join(work, "convert-old")
    os.makedirs(os.path.join(base, "SYNOP"))
    if run([sys.executable, os.path.join(args.root, "scripts", "build-weather-tables"), base], base).returncode != 0:
        sys.exit("build-weather-tables failed")
    hours = [now - datetime.timedelta(hours=h) for h in range(0, 72, 3)]
    nowArgs = ["convert", "--now", now.strftime("%Y-%m-%d %H:%M")]

    def put(folder, hour):
        with open(os.path.join(folder, "SYNOP", hour.strftime("%Y%m%d%H") + "_syn.wmo"), "wb") as f:
            f.write(bulletins * 3)
    # The old station file: a conversion of some of the hours.
    for h in hours[::4]:
        put(base, h)
    timed([args.synop] + nowArgs, base)
    old = read(os.path.join(base, "SYNOP", "STATION.DAT"))
    for h in hours:
        put(base, h)
    ref = os.path.join(work, "convert-ref")
    shutil.copytree(base, ref)
    duration = timed([args.synop] + nowArgs, ref)
    new = read(os.path.join(ref, "SYNOP", "STATION.DAT"))
    if new == old:
        sys.exit("convert: the reference run did not change STATION.DAT")
    for i in range(kills):
        d = os.path.join(work, "convert-kill")
        shutil.rmtree(d, ignore_errors=True)
        shutil.copytree(base, d)
        kill_after([args.synop] + nowArgs, d, rng.uniform(0.0, duration * 1.2))
        global checked
        checked += 1
        station = os.path.join(d, "SYNOP", "STATION.DAT")
        data = read(station) if os.path.exists(station) else None
        # Appending keeps the old records in front; removing duplicates
        # replaces the whole file in one rename.
        tally("convert", "new" if data == new else "old" if data == old else
              "old + records" if data is not None and data.startswith(old) else "other")
        if data is None or (data != new and not data.startswith(old)):
            fail("convert kill %d: STATION.DAT (%s bytes) is neither the old file with records appended nor the new one"
                 % (i, "no" if data is None else len(data)))
        if run([args.synop, "dump", station], d).returncode != 0:
            fail("convert kill %d: kesmar-synop dump does not read STATION.DAT" % i)
        r = run([args.synop] + nowArgs, d)
        if r.returncode != 0 or read(station) != new:
            fail("convert kill %d: the next conversion (status %d) did not give the new STATION.DAT" % (i, r.returncode))


# --- kesmar-chartbuild: a chart's files as one set ------------------------------
def chartbuild(args, rng, kills, work):
    bsh = os.path.join(args.root, "data", "bsh")
    common = ["--name", "CRASH", "--box", "3/10/52/56", "--out", "CHARTDATA"]
    old_cmd = [args.chartbuild] + common + ["--s57", os.path.join(bsh, "BOYLAT.json")]
    new_cmd = [args.chartbuild] + common + ["--s57", os.path.join(bsh, "BOYLAT.json"), "--s57",
                                            os.path.join(bsh, "LIGHTS.json"), "--s57", os.path.join(bsh, "BOYCAR.json"),
                                            "--points", os.path.join(args.root, "data", "points.csv")]
    base = os.path.join(work, "chart-old")
    os.makedirs(os.path.join(base, "CHARTDATA"))
    timed(old_cmd, base)
    ref = os.path.join(work, "chart-ref")
    shutil.copytree(base, ref)
    duration = timed(new_cmd, ref)
    old = {n: read(os.path.join(base, "CHARTDATA", n)) for n in os.listdir(os.path.join(base, "CHARTDATA"))}
    new = {n: read(os.path.join(ref, "CHARTDATA", n)) for n in os.listdir(os.path.join(ref, "CHARTDATA"))}
    if old == new:
        sys.exit("chartbuild: the reference run did not change the chart")
    for i in range(kills):
        d = os.path.join(work, "chart-kill")
        shutil.rmtree(d, ignore_errors=True)
        shutil.copytree(base, d)
        # Reading the sources takes most of the run: the moments lean to its end.
        kill_after(new_cmd, d, rng.uniform(duration * 0.5, duration * 1.1))
        global checked
        names = sorted(set(old) | set(new))
        present = {n: read(os.path.join(d, "CHARTDATA", n)) for n in names
                   if os.path.exists(os.path.join(d, "CHARTDATA", n))}
        checked += len(names)
        tally("chartbuild", "old" if present == old else "new" if present == new else "mid-swap")
        # A kill in the middle of the swap may leave some files old and some
        # new; each must be whole, and a missing one must wait beside it as
        # ".old" or ".new" for the next build to finish the swap.
        leftovers = {n.upper() for n in os.listdir(os.path.join(d, "CHARTDATA"))}
        for n in names:
            if n in present:
                if present[n] != old.get(n) and present[n] != new.get(n):
                    fail("chartbuild kill %d: %s is neither the old nor the new version" % (i, n))
            elif n in old and (n + ".OLD") not in leftovers and (n + ".NEW") not in leftovers:
                fail("chartbuild kill %d: %s is gone without an .old or .new beside it" % (i, n))
        r = run(new_cmd, d)
        now = {n: read(os.path.join(d, "CHARTDATA", n)) for n in os.listdir(os.path.join(d, "CHARTDATA"))}
        if r.returncode != 0 or now != new:
            fail("chartbuild kill %d: the next build (status %d) did not give the new set: %s" % (i, r.returncode, sorted(now)))


# --- kesmar-synop download against lighttpd on loopback ------------------------
def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_lighttpd(work):
    www = os.path.join(work, "www")
    os.makedirs(os.path.join(www, "syn"))
    port = free_port()
    conf = os.path.join(work, "lighttpd.conf")
    with open(conf, "w") as f:
        f.write('server.document-root = "%s"\nserver.port = %d\nserver.bind = "127.0.0.1"\n'
                'server.errorlog = "%s"\nmimetype.assign = ( "" => "application/octet-stream" )\n'
                % (www, port, os.path.join(work, "lighttpd.log")))
    p = subprocess.Popen(["/usr/sbin/lighttpd", "-D", "-f", conf], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(250):
        try:
            socket.create_connection(("127.0.0.1", port), 0.2).close()
            return p, port, os.path.join(www, "syn")
        except OSError:
            time.sleep(0.02)
    p.kill()
    sys.exit("lighttpd did not start")


def download(args, rng, kills, work):
    server, port, docs = start_lighttpd(work)
    try:
        now = datetime.datetime(2023, 1, 17, 14, 30)
        nowArgs = ["download", "--now", now.strftime("%Y-%m-%d %H:%M")]
        served = {}
        for k, h in enumerate(range(0, 72, 6)):
            name = (now - datetime.timedelta(hours=h)).strftime("%Y%m%d%H") + "_syn.wmo"
            served[name] = bytes(rng.getrandbits(8) for _ in range(64)) * (8000 + 1000 * k)
            with open(os.path.join(docs, name), "wb") as f:
                f.write(served[name])
        base = os.path.join(work, "download-old")
        os.makedirs(os.path.join(base, "SYNOP"))
        with open(os.path.join(base, "KMR.INI"), "wb") as f:
            f.write(b"[URL]\r\nsyn=http://127.0.0.1:%d/syn/\r\n" % port)
        # Old local copies: one whole, one cut short.
        names = sorted(served)
        old = {names[0]: served[names[0]], names[1]: served[names[1]][:100000]}
        for n, data in old.items():
            with open(os.path.join(base, "SYNOP", n), "wb") as f:
                f.write(data)
        ref = os.path.join(work, "download-ref")
        shutil.copytree(base, ref)
        duration = timed([args.synop] + nowArgs, ref)
        for n in names:
            if read(os.path.join(ref, "SYNOP", n)) != served[n]:
                sys.exit("download: the reference run did not fetch %s whole" % n)
        global checked
        for i in range(kills):
            d = os.path.join(work, "download-kill")
            shutil.rmtree(d, ignore_errors=True)
            shutil.copytree(base, d)
            kill_after([args.synop] + nowArgs, d, rng.uniform(0.0, duration * 1.2))
            partial = []
            for n in names:
                checked += 1
                path = os.path.join(d, "SYNOP", n)
                if not os.path.exists(path):
                    if n in old:
                        fail("download kill %d: %s is gone" % (i, n))
                    continue
                data = read(path)
                if not served[n].startswith(data) or len(data) < len(old.get(n, b"")):
                    fail("download kill %d: %s (%d bytes) is no prefix of the served file at least as long as the old one"
                         % (i, n, len(data)))
                elif data != served[n]:
                    partial.append(n)
            tally("download", "%d partial" % len(partial))
            tally("download", "part file left" if glob.glob(os.path.join(d, "SYNOP", "*.part")) else "no part file")
            r = run([args.synop] + nowArgs, d)
            out = r.stdout.decode(errors="replace")
            if r.returncode != 0:
                fail("download kill %d: the next run failed (%d): %s" % (i, r.returncode, out))
            for n in partial:
                if not any(line.startswith(n) and "complete" in line for line in out.splitlines()):
                    fail("download kill %d: the next run does not report %s as resumed and complete" % (i, n))
            for n in names:
                path = os.path.join(d, "SYNOP", n)
                if not os.path.exists(path) or read(path) != served[n]:
                    fail("download kill %d: %s is not whole after the next run" % (i, n))
    finally:
        server.terminate()
        server.wait()


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--save", required=True)
    p.add_argument("--synop", required=True)
    p.add_argument("--chartbuild", required=True)
    p.add_argument("--program", default=None, help="the plotter, started in folders left by kills")
    p.add_argument("--root", required=True)
    p.add_argument("--shared", default=None)
    p.add_argument("--kills", type=int, default=100)
    p.add_argument("--seed", type=int, default=19)
    p.add_argument("--only", default="saves,convert,chartbuild,download")
    args = p.parse_args()
    args.shared = args.shared or os.path.join(args.root, "..", "shared")
    global ENV
    ENV = dict(os.environ, TZ="UTC", QT_QPA_PLATFORM="offscreen", no_proxy="*", NO_PROXY="*")
    for k in ("http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY"):
        ENV.pop(k, None)
    rng = random.Random(args.seed)
    parts = [(n, f) for n, f in (("saves", saves), ("convert", convert), ("chartbuild", chartbuild),
                                 ("download", download)) if n in args.only.split(",")]
    start = time.monotonic()
    with tempfile.TemporaryDirectory() as work:
        for k, (name, f) in enumerate(parts):
            share = args.kills // len(parts) + (1 if k < args.kills % len(parts) else 0)
            before = len(failures)
            t = time.monotonic()
            f(args, rng, share, work)
            print("%s: %d kills, %d failures, %.1f s" % (name, share, len(failures) - before, time.monotonic() - t),
                  flush=True)
    for what, seen in states.items():
        print("%s: %s" % (what, ", ".join("%s %d" % kv for kv in sorted(seen.items()))))
    print("files checked after kills: %d; failures: %d; %.1f s" % (checked, len(failures), time.monotonic() - start))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
