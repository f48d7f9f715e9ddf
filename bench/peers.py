#!/usr/bin/env python3
"""Tolvane beside bc -l and Python on the same generated workloads.

    bench/peers.py TOLVANE [--runs N] [--repeat N] [--statements N]

Each workload is generated once into a temporary folder; every program runs
it as a whole process, in rounds that interleave the programs (Tolvane, whose
runs are short, --repeat times a round), and the median wall time of each
counts. The values the programs compute are checked to agree before any ratio
is printed. Workloads:

  call   a script of N statements (assignments) run by `call`; bc and Python
         run the same statements as a file.
  typed  N statements typed one by one and entered (a --keys key script),
         each result printed on a console that is full; bc and Python read
         the same statements from a pipe and print each result.
  pipe   the same N statements piped into the terminal program.
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time


# The function names of each program's language.
DIALECTS = {
    "tolvane": {"sin": "sin", "cos": "cos", "exp": "exp", "ln": "ln", "sqrt": "sqrt"},
    "bc": {"sin": "s", "cos": "c", "exp": "e", "ln": "l", "sqrt": "sqrt"},
    "python": {"sin": "sin", "cos": "cos", "exp": "exp", "ln": "log", "sqrt": "sqrt"},
}

# A scientific calculator's statements: assignments for a script, expressions
# whose results are printed for typing. {i} is the statement's number.
CALL_TEMPLATES = [
    "a={sin}({i}/1000)+{cos}({i}/2000)",
    "s=s+a*2.5",
    "b={sqrt}({i}+1)-{ln}({i})/3",
    "s=s-b+{exp}(-{i}/50000)",
]
TYPED_TEMPLATES = ["{sqrt}({i})*3+{i}/7", "{ln}({i})*{sqrt}({i})-{i}/9"]


def call_statements(n, dialect):
    """n assignments in one program's language."""
    names = DIALECTS[dialect]
    lines = ["s=0", "a=0", "b=0"]
    for i in range(1, n - 2):
        lines.append(CALL_TEMPLATES[i % 4].format(i=i, **names))
    return lines


def typed_statements(n, dialect):
    """n expression statements in one program's language."""
    names = DIALECTS[dialect]
    return [TYPED_TEMPLATES[i % 2].format(i=i, **names) for i in range(1, n + 1)]


def run(argv, stdin_path, out_path, cwd):
    """Runs one process under /usr/bin/time, which reports the peak memory of
    the program itself; returns (seconds, max RSS in KiB, exit status)."""
    mem_path = out_path + ".rss"
    timed = ["/usr/bin/time", "-f", "%M", "-o", mem_path] + argv
    with open(stdin_path, "rb") as fin, open(out_path, "wb") as fout:
        start = time.perf_counter()
        status = subprocess.call(timed, stdin=fin, stdout=fout, stderr=subprocess.DEVNULL, cwd=cwd)
        elapsed = time.perf_counter() - start
    with open(mem_path) as f:
        rss = int(f.read().split()[-1])
    return elapsed, rss, status


def last_number(path, pattern=r"(-?\d+(?:\.\d+)?(?:E[+-]\d+)?)\s*$"):
    """The last number of a program's output."""
    text = open(path, "rb").read().decode("utf-8", "replace").replace("\\\n", "")
    found = None
    for line in text.splitlines():
        m = re.search(pattern, line.strip())
        if m:
            found = m.group(1)
    return float(found) if found is not None else None


def tolvane_variable(path, name):
    """A variable's value from the list output of a call."""
    text = open(path, "rb").read().decode("utf-8", "replace")
    values = re.findall(rf"^ {name}=(-?[0-9.]+(?:E[+-]\d+)?)", text, re.M)
    return float(values[-1]) if values else None


def agree(values, tolerance):
    ref = values[0]
    return all(v is not None and abs(v - ref) <= tolerance * max(1.0, abs(ref)) for v in values)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("tolvane")
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--repeat", type=int, default=5,
                    help="Tolvane's runs in each round: they are short, and more of them "
                         "spread over the rounds keep a busy moment of the machine from "
                         "deciding its median")
    ap.add_argument("--statements", type=int, default=100000)
    ap.add_argument("--only", help="one workload: call, typed or pipe")
    args = ap.parse_args()
    tolvane = os.path.abspath(args.tolvane)
    n = args.statements
    work = tempfile.mkdtemp(prefix="tolvane-peers-")
    path = lambda name: os.path.join(work, name)
    empty = path("empty")
    open(empty, "w").close()
    xdg = {"XDG_CONFIG_HOME": work}
    os.environ.update(xdg)

    # call: the same statements as a script, a bc file and a Python file.
    with open(path("work.tvs"), "w") as f:
        f.write("rad\nprec 6\n" + "\n".join(call_statements(n, "tolvane")) + "\n")
    with open(path("call.keys"), "w") as f:
        f.write("call work\n")
    with open(path("work.bc"), "w") as f:
        f.write("\n".join(call_statements(n, "bc")) + "\ns\nquit\n")
    with open(path("work.py"), "w") as f:
        f.write("from math import *\n" + "\n".join(call_statements(n, "python")) + "\nprint(s)\n")

    # typed and pipe: expression statements, each result printed.
    typed = "\n".join(typed_statements(n, "tolvane")) + "\n"
    with open(path("typed.keys"), "w") as f:
        f.write("rad\nprec 6\n" + typed)
    with open(path("typed.txt"), "w") as f:
        f.write("\n".join(typed_statements(n, "python")) + "\n")
    with open(path("typed.bc"), "w") as f:
        f.write("\n".join(typed_statements(n, "bc")) + "\n")
    with open(path("eval.py"), "w") as f:
        f.write("import sys\nfrom math import *\nfor line in sys.stdin:\n    print(eval(line))\n")
    with open(path("pipe.txt"), "w") as f:
        f.write("rad\nprec 6\n" + typed)

    workloads = {
        "call": {
            "tolvane": ([tolvane, "--keys", path("call.keys")], empty),
            "bc -l": (["bc", "-l", "-q", path("work.bc")], empty),
            "python3": ([sys.executable, path("work.py")], empty),
        },
        "typed": {
            "tolvane": ([tolvane, "--keys", path("typed.keys")], empty),
            "bc -l": (["bc", "-l", "-q"], path("typed.bc")),
            "python3": ([sys.executable, path("eval.py")], path("typed.txt")),
        },
        "pipe": {
            "tolvane": ([tolvane], path("pipe.txt")),
            "bc -l": (["bc", "-l", "-q"], path("typed.bc")),
            "python3": ([sys.executable, path("eval.py")], path("typed.txt")),
        },
    }

    if args.only:
        workloads = {args.only: workloads[args.only]}
    ok = True
    results = {}
    for name, programs in workloads.items():
        times = {p: [] for p in programs}
        rss = {p: [] for p in programs}
        outs = {}
        for r in range(args.runs):
            for prog, (argv, stdin_path) in programs.items():
                out = path(f"{name}-{prog.split()[0]}.out")
                for _ in range(args.repeat if prog == "tolvane" else 1):
                    t, m, status = run(argv, stdin_path, out, work)
                    if status != 0:
                        print(f"{name}: {prog} exited with {status}", file=sys.stderr)
                        ok = False
                    times[prog].append(t)
                    rss[prog].append(m)
                outs[prog] = out
        if name == "call":
            values = [tolvane_variable(outs["tolvane"], "s"), last_number(outs["bc -l"]),
                      last_number(outs["python3"])]
            tolerance = 1e-6
        else:
            values = [last_number(outs[p]) for p in programs]
            tolerance = 1e-5
        agreed = agree(values, tolerance)
        ok = ok and agreed
        med = {p: statistics.median(v) for p, v in times.items()}
        results[name] = (med, {p: max(v) for p, v in rss.items()}, values, agreed)

    print(f"{n} statements a workload, median of {args.runs} rounds (Tolvane {args.repeat} runs "
          f"a round), whole processes")
    print(f"{'workload':<8} {'program':<8} {'time':>10} {'per stmt':>10} {'stmts/s':>12} "
          f"{'max RSS':>10} {'tolvane ahead':>14}")
    for name, (med, mem, values, agreed) in results.items():
        for prog in med:
            ratio = med[prog] / med["tolvane"]
            print(f"{name:<8} {prog:<8} {med[prog] * 1e3:8.1f}ms {med[prog] / n * 1e6:8.3f}us "
                  f"{n / med[prog]:12.0f} {mem[prog] / 1024:8.1f}MiB {ratio:13.2f}x")
        print(f"{name:<8} values {'agree' if agreed else 'DIFFER'}: {values}")
    goals = []
    if "call" in results:
        med = results["call"][0]
        goals.append(("call script >= 3 million statements/s", n / med["tolvane"] >= 3e6))
        goals.append(("call script >= 100 x bc -l", med["bc -l"] / med["tolvane"] >= 100))
    if "typed" in results:
        med, mem = results["typed"][0], results["typed"][1]
        goals.append(("typed statement <= 3 us", med["tolvane"] / n <= 3e-6))
        goals.append(("typed statements >= 10 x bc -l", med["bc -l"] / med["tolvane"] >= 10))
        goals.append(("--keys memory <= 16 MiB", mem["tolvane"] <= 16 * 1024))
    for text, met in goals:
        print(f"goal {text}: {'met' if met else 'MISSED'}")
    if not ok:
        print("bench-peers: a program failed or the values differ", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
