#!/usr/bin/env python3
"""Wexo beside the tools a Linux user would otherwise pick, in one run:

- CPU time per 1000 wheel notches: `wexo --stdio` fed notches as a wheel
  sends them (its own CPU time, the animation of every notch included)
  against imwheel on Xvfb fed the same number of XTest wheel clicks at the
  same pace (imwheel's own CPU time), both at once;
- memory: the resident set of each mode of `wexo` after start and after
  10^5 events, and again after 10^5 more (growth would show there);
- idle: how often an idle `wexo` wakes up in 10 s with nothing happening,
  and which thread it is when it does.

    side-by-side.py --wexo build/release/apps/wexo/wexo [--notches 1000] [--rate 10]

Each process's CPU time is the kernel's count for it (the sum of its
threads' run time, then wait4's total when it ends), never a wall clock.
"""
import argparse
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
EV_SYN, EV_REL = 0, 2
REL_WHEEL, REL_WHEEL_HI_RES = 8, 11
RECORD = struct.Struct("qqHHi")


def notch_down():
    return (RECORD.pack(0, 0, EV_REL, REL_WHEEL, -1) + RECORD.pack(0, 0, EV_REL, REL_WHEEL_HI_RES, -120) +
            RECORD.pack(0, 0, EV_SYN, 0, 0))


def cpu_seconds(pid):
    """Run time so far of every thread of `pid`, from the scheduler."""
    total = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            total += int(Path(f"/proc/{pid}/task/{tid}/schedstat").read_text().split()[0])
        except FileNotFoundError:
            pass  # a thread ending right now
    return total / 1e9


def rusage_seconds(ru):
    return ru.ru_utime + ru.ru_stime


def status_field(where, name):
    """A number from /proc/WHERE/status: a process, or PID/task/TID."""
    for line in Path(f"/proc/{where}/status").read_text().splitlines():
        if line.startswith(name + ":"):
            return int(line.split()[1])
    return 0


class Drain:
    """Reads a process's standard output on a thread, counting what a
    `wexo --stdio` writes: records, frames and high-resolution wheel units."""

    def __init__(self, stream):
        self.stream = stream
        self.bytes = 0
        self.frames = 0
        self.units = 0
        self.last = time.monotonic()
        self._rest = b""
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        while True:
            chunk = self.stream.read1(1 << 16)
            if not chunk:
                return
            self.bytes += len(chunk)
            self.last = time.monotonic()
            data = self._rest + chunk
            whole = len(data) - len(data) % RECORD.size
            for _, _, kind, code, value in RECORD.iter_unpack(data[:whole]):
                if kind == EV_SYN:
                    self.frames += 1
                elif kind == EV_REL and code == REL_WHEEL_HI_RES:
                    self.units += value
            self._rest = data[whole:]

    def settle(self, quiet=0.5, limit=30.0):
        """Waits until nothing has come for `quiet` seconds."""
        end = time.monotonic() + limit
        while time.monotonic() < end and time.monotonic() - self.last < quiet:
            time.sleep(0.05)

    def join(self):
        self._thread.join()


def start_wexo(wexo, config, *args, stdin=subprocess.PIPE, extra_env=None):
    env = dict(os.environ, XDG_CONFIG_HOME=str(config))
    env.update(extra_env or {})
    return subprocess.Popen([wexo, *args], stdin=stdin, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, env=env)


def paced(count, rate, action):
    start = time.monotonic()
    for i in range(count):
        delay = start + i / rate - time.monotonic()
        if delay > 0:
            time.sleep(delay)
        action()


class Xvfb:
    """An X server of our own, stopped by its process id."""

    def __init__(self):
        read, write = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp", "-screen", "0",
                                      "1280x800x24"], pass_fds=[write], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.display = ":" + f.readline().strip()

    def env(self, **more):
        return dict(os.environ, DISPLAY=self.display, **more)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def measure_notches(wexo, config, work, notches, rate):
    """Both tools at once, each fed `notches` wheel notches down at `rate`
    a second; returns their CPU seconds and what each one did."""
    x = Xvfb()
    helpers = []
    try:
        # imwheel acts on the window under the pointer (-f: the event's
        # window, since there is no window manager to give focus) and sends
        # each click on three times: the speed-up users run it for.
        home = work / "imwheel-home"
        home.mkdir()
        (home / ".imwheelrc").write_text('".*"\nNone, Up, Button4, 3\nNone, Down, Button5, 3\n')
        events = open(work / "xev.log", "w")
        helpers.append(subprocess.Popen(["xev", "-geometry", "800x600+0+0"], env=x.env(), stdout=events,
                                        stderr=subprocess.DEVNULL))
        time.sleep(0.5)
        subprocess.run(["xdotool", "mousemove", "400", "300"], env=x.env(), check=True)
        imwheel = subprocess.Popen(["imwheel", "-d", "-f"], env=x.env(HOME=str(home)),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wexo_proc = start_wexo(wexo, config, "--stdio")
        drain = Drain(wexo_proc.stdout)
        time.sleep(1.0)  # both started and settled
        wexo_before, imwheel_before = cpu_seconds(wexo_proc.pid), cpu_seconds(imwheel.pid)

        notch = notch_down()

        def feed():
            wexo_proc.stdin.write(notch)
            wexo_proc.stdin.flush()

        feeder = threading.Thread(target=paced, args=(notches, rate, feed))
        feeder.start()
        subprocess.run(["xdotool", "click", "--repeat", str(notches), "--delay", str(round(1000 / rate)), "5"],
                       env=x.env(), check=True)
        feeder.join()
        drain.settle()
        time.sleep(0.5)
        # End of input: Wexo finishes what is running and exits by itself.
        wexo_proc.stdin.close()
        _, _, ru = os.wait4(wexo_proc.pid, 0)
        wexo_proc.returncode = 0
        drain.join()
        wexo_cpu = rusage_seconds(ru) - wexo_before
        imwheel.send_signal(signal.SIGTERM)
        _, _, ru = os.wait4(imwheel.pid, 0)
        imwheel.returncode = 0
        imwheel_cpu = rusage_seconds(ru) - imwheel_before
    finally:
        for h in helpers:
            h.terminate()
            h.wait()
        x.stop()
    events.close()
    sent = sum(1 for line in open(work / "xev.log") if line.startswith("ButtonPress"))
    return wexo_cpu, imwheel_cpu, drain, sent


def measure_isolated_notches(wexo, config, notches, spacing):
    """Notches far enough apart that each one's whole animation runs alone:
    the most a notch costs."""
    proc = start_wexo(wexo, config, "--stdio")
    drain = Drain(proc.stdout)
    time.sleep(1.0)
    before, switches = cpu_seconds(proc.pid), thread_switches(proc.pid)
    notch = notch_down()

    def feed():
        proc.stdin.write(notch)
        proc.stdin.flush()

    paced(notches, 1 / spacing, feed)
    drain.settle()
    wakes = sum(count - switches.get(tid, (name, 0, ""))[1]
                for tid, (name, count, _) in thread_switches(proc.pid).items())
    proc.stdin.close()
    _, _, ru = os.wait4(proc.pid, 0)
    proc.returncode = 0
    drain.join()
    return rusage_seconds(ru) - before, drain, wakes


def event_stream(records):
    return subprocess.run([sys.executable, str(HERE / "make-stream.py"), str(records)], check=True,
                          capture_output=True).stdout


class Memory:
    """The resident set of a process (KiB): all of it, the part that is its
    own (anonymous), and its proportional share (shared library pages
    divided among the processes mapping them)."""

    def __init__(self, pid):
        self.rss = status_field(pid, "VmRSS")
        self.anon = status_field(pid, "RssAnon")
        self.pss = next(int(line.split()[1]) for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines()
                        if line.startswith("Pss:"))

    def __str__(self):
        return f"{self.rss / 1024:.1f} MB ({self.anon / 1024:.1f} MB its own, PSS {self.pss / 1024:.1f} MB)"


def measure_memory_stdio(wexo, config):
    """Resident set after start, after 10^5 events and after 10^5 more."""
    # make-stream writes reports of three records: 10^5 reports.
    stream = event_stream(300_000)
    reports = sum(1 for r in RECORD.iter_unpack(stream) if r[2] == EV_SYN)
    proc = start_wexo(wexo, config, "--stdio")
    drain = Drain(proc.stdout)
    time.sleep(1.0)
    rss = [Memory(proc.pid)]
    for _ in range(2):
        proc.stdin.write(stream)
        proc.stdin.flush()
        drain.settle()
        rss.append(Memory(proc.pid))
    peak = status_field(proc.pid, "VmHWM")
    proc.stdin.close()
    proc.wait()
    drain.join()
    return reports, rss, peak


def measure_memory_idle_mode(wexo, config, args, extra_env=None):
    """Resident set of a mode that reads no stream: after start and
    10 s later."""
    proc = start_wexo(wexo, config, *args, stdin=subprocess.DEVNULL, extra_env=extra_env)
    Drain(proc.stdout)
    time.sleep(2.0)
    if proc.poll() is not None:
        return None
    rss = [Memory(proc.pid)]
    time.sleep(10.0)
    rss.append(Memory(proc.pid))
    proc.terminate()
    proc.wait()
    return rss


def thread_switches(pid):
    counts = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            name = Path(f"/proc/{pid}/task/{tid}/comm").read_text().strip()
            voluntary = status_field(f"{pid}/task/{tid}", "voluntary_ctxt_switches")
            forced = status_field(f"{pid}/task/{tid}", "nonvoluntary_ctxt_switches")
            wchan = Path(f"/proc/{pid}/task/{tid}/wchan").read_text().strip()
        except FileNotFoundError:
            continue
        counts[tid] = (name, voluntary + forced, wchan)
    return counts


def measure_idle(wexo, config, args, seconds=10.0, extra_env=None):
    """Wake-ups of every thread over `seconds` with nothing happening (a
    thread switched out and back in counts once per switch)."""
    proc = start_wexo(wexo, config, *args, extra_env=extra_env)
    Drain(proc.stdout)
    time.sleep(2.0)
    if proc.poll() is not None:
        return None
    before = thread_switches(proc.pid)
    time.sleep(seconds)
    after = thread_switches(proc.pid)
    if proc.stdin:
        proc.stdin.close()
    proc.terminate()
    proc.wait()
    woken = []
    for tid, (name, count, wchan) in after.items():
        delta = count - before.get(tid, (name, 0, ""))[1]
        if delta:
            woken.append((tid, name, delta, wchan))
    return woken


def wexo_modes(wexo):
    usage = subprocess.run([wexo, "--help"], capture_output=True, text=True).stdout
    return {m for m in ("--headless",) if m in usage}


def bare_wake_cost(wakes=120):
    """CPU seconds one sleep-and-wake at 60 Hz costs a process doing
    nothing else here: the floor of a frame, whatever it computes."""
    start = time.process_time()
    for _ in range(wakes):
        time.sleep(1 / 60)
    return (time.process_time() - start) / wakes


def machine():
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                  if line.startswith("model name")), "unknown CPU")
    return f"{model}, {os.cpu_count()} cores, Linux {os.uname().release}, load {os.getloadavg()[0]:.2f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--wexo", default="build/release/apps/wexo/wexo")
    parser.add_argument("--notches", type=int, default=1000)
    parser.add_argument("--rate", type=float, default=10.0, help="notches a second")
    args = parser.parse_args()
    for tool in ("Xvfb", "xdotool", "xev", "imwheel"):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing (./scripts/setup installs it)")

    print(f"machine:   {machine()}")
    print(f"           a bare sleep-and-wake costs {bare_wake_cost() * 1e6:.0f} µs of CPU here")
    with tempfile.TemporaryDirectory() as tmp:
        work = Path(tmp)
        # The settings of the throughput run: smooth scrolling on, buttons
        # assigned, a gesture button and a grab button.
        config = work / "config"
        (config / "wexo").mkdir(parents=True)
        shutil.copy(HERE / "bench-preferences.plist", config / "wexo" / "com.wexo.Wexo.plist")

        n, rate = args.notches, args.rate
        wexo_cpu, imwheel_cpu, drain, sent = measure_notches(args.wexo, config, work, n, rate)
        per = 1000 / n
        print(f"\nCPU time per 1000 wheel notches, {n} fed at {rate:g} a second to each:")
        print(f"  wexo --stdio:  {wexo_cpu * per * 1000:8.1f} ms  ({drain.frames} frames written, "
              f"{abs(drain.units) / 120:.1f} notches of high-resolution scrolling)")
        print(f"  imwheel:       {imwheel_cpu * per * 1000:8.1f} ms  ({sent} clicks sent on)")
        print(f"  ratio:         {wexo_cpu / imwheel_cpu:8.3f} (wexo / imwheel; goal at most 0.1)")

        spaced_n, spacing = 20, 0.6
        alone_cpu, alone, wakes = measure_isolated_notches(args.wexo, config, spaced_n, spacing)
        alone_per = alone_cpu * 1000 / spaced_n
        print(f"  wexo, each notch animated alone ({spaced_n} notches {spacing} s apart): "
              f"{alone_per * 1000:.1f} ms per 1000, ratio {alone_per / (imwheel_cpu / n * 1000):.3f}")
        # What a frame costs here is mostly waking a thread for it.
        print(f"    {alone.frames / spaced_n:.1f} frames and {wakes / spaced_n:.1f} thread wake-ups a notch, "
              f"{alone_cpu / wakes * 1e6:.0f} µs of CPU a wake-up")

        reports, rss, peak = measure_memory_stdio(args.wexo, config)
        print(f"\nMemory (resident set):")
        print(f"  wexo --stdio:     {rss[0]} after start")
        print(f"                    {rss[1]} after {reports} events")
        print(f"                    {rss[2]} after {2 * reports} (peak {peak / 1024:.1f} MB)")
        modes = wexo_modes(args.wexo)
        if "--headless" in modes:
            headless = measure_memory_idle_mode(args.wexo, config, ["--headless"])
            if headless:
                print(f"  wexo --headless:  {headless[0]} after start (goal under 10 MB)")
                print(f"                    {headless[1]} 10 s later")
            else:
                print("  wexo --headless:  did not stay up")
        x = Xvfb()
        try:
            front = measure_memory_idle_mode(args.wexo, config, [], extra_env={"DISPLAY": x.display})
        finally:
            x.stop()
        if front:
            print(f"  wexo (front end): {front[0]} after start (on Xvfb, no input devices)")
            print(f"                    {front[1]} 10 s later")
        else:
            print("  wexo (front end): did not stay up")

        print(f"\nIdle wake-ups over 10 s (goal: none):")
        idle_modes = [("wexo --stdio, input open and silent", ["--stdio"])]
        if "--headless" in modes:
            idle_modes.append(("wexo --headless", ["--headless"]))
        for label, mode_args in idle_modes:
            woken = measure_idle(args.wexo, config, mode_args)
            if woken is None:
                print(f"  {label}: did not stay up")
                continue
            total = sum(w[2] for w in woken)
            print(f"  {label}: {total}")
            for tid, name, count, wchan in woken:
                print(f"    thread {tid} ({name}): {count}, sleeping in {wchan}")


if __name__ == "__main__":
    main()
