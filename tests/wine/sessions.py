#!/usr/bin/env python3
"""Writes randomly generated key-script sessions for the cross-build test:
expressions and their errors, assignments, user functions, commands, the
keyboard keys and {Goto}, scripts, and the crflag and byte2 settings.

    sessions.py DIR COUNT SEED

DIR receives sNNN.keys, sNNN.ini for some, and the script files they call.
"""
import random
import sys

BUILTINS1 = ["exp", "ln", "log", "sqrt", "sin", "cos", "tan", "asin", "acos", "atan",
             "sinh", "cosh", "tanh", "kai", "int", "ceil", "floor", "not"]
BUILTINS2 = ["p", "c", "mod"]
KEYS = ["{Tab}", "{Shift+Tab}", "{Ctrl+K}", "{Ctrl+L}", "{Home}", "{Backspace}", "{Left}",
        "{Right}", "{End}", "{Ctrl+P}", "{Ctrl+A}", "{F3}", "{Ctrl+D}", "{Ctrl+0}", "{Ctrl+9}",
        "{Alt+S}", "{Alt+C}", "{Alt+T}", "{Alt+R}", "{Alt+L}", "{Delete}"]


def number(r):
    kind = r.randrange(9)
    if kind == 0:
        return str(r.randrange(1000))
    if kind == 1:
        return "%d.%d" % (r.randrange(100), r.randrange(1000))
    if kind == 2:
        return "%dE%d" % (r.randrange(1, 10), r.choice([5, 10, 15, 20, 22, 100, 300, -5, -300]))
    if kind == 3:
        return "0x%x" % r.randrange(1 << 32)
    if kind == 4:
        return "0b" + "".join(r.choice("01") for _ in range(r.randrange(1, 12)))
    if kind == 5:
        return r.choice(["PI", "ans", "x", "y"])
    if kind == 6:
        return "-" + str(r.randrange(1, 200))
    if kind == 7:
        return "%.6g" % r.uniform(-1e6, 1e6)
    return str(r.randrange(1, 60))


def expression(r, depth=0):
    if depth > 2 or r.random() < 0.3:
        return number(r)
    kind = r.randrange(5)
    if kind == 0:
        return "%s(%s)" % (r.choice(BUILTINS1), expression(r, depth + 1))
    if kind == 1:
        return "%s(%s,%s)" % (r.choice(BUILTINS2), expression(r, depth + 1), expression(r, depth + 1))
    if kind == 2:
        return "(%s)" % expression(r, depth + 1)
    if kind == 3 and r.random() < 0.3:
        return "f(%s,%s)" % (expression(r, depth + 1), expression(r, depth + 1))
    return "%s%s%s" % (expression(r, depth + 1), r.choice("+-*/^&|~"), expression(r, depth + 1))


def broken(r):
    return r.choice(["(1+2", "1+2)", "sin(30,40)", "mod(7)", "1/0", "sqrt(-4)", "ln(0)",
                     "kai(171)", "SIN(30)", "@3", "1++", "asin(2)", "mod(7,0)", "zz+1",
                     "1" + "+1" * r.randrange(1, 300), "表=1", "def sin(x)=x"])


def command(r, scripts):
    kind = r.randrange(14)
    if kind == 0:
        return r.choice(["deg", "rad"])
    if kind == 1:
        return "precision %d" % r.choice([0, 1, 3, 5, 10, 15, 16, 17])
    if kind == 2:
        return r.choice(["dispe", "dispf", "disp3e"])
    if kind == 3:
        return r.choice(["hex", "bin"])
    if kind == 4:
        return r.choice(["list", "hist", "history"])
    if kind == 5:
        return "!%d" % r.randrange(0, 11)
    if kind == 6:
        return "cls"
    if kind == 7:
        return "zero %s" % r.choice(["1E-5", "0", "1E-12"])
    if kind == 8 and scripts:
        return "call %s" % r.choice(scripts + ["missing"])
    if kind == 9:
        return "save out%d.txt" % r.randrange(3)
    if kind == 10:
        return "def f(a,b)=%s" % r.choice(["a*b+1", "a^b", "sin(a)+cos(b)", "a/b", "mod(a,b)"])
    return "%s=%s" % (r.choice(["x", "y", "v1", "long_name"]), expression(r))


def statement(r, scripts):
    kind = r.random()
    if kind < 0.45:
        return expression(r)
    if kind < 0.6:
        return broken(r)
    return command(r, scripts)


def session(r, scripts):
    out = []
    for _ in range(r.randrange(12, 30)):
        text = statement(r, scripts)
        roll = r.random()
        if roll < 0.15:
            # keyboard aids in the middle of typing
            cut = r.randrange(len(text) + 1)
            text = text[:cut] + "".join(r.choice(KEYS) for _ in range(r.randrange(1, 4))) + text[cut:]
        elif roll < 0.25:
            text = "{Goto:%d,%d}%s" % (r.randrange(0, 12), r.randrange(0, 10), r.choice(["9", "+1", ""]))
        elif roll < 0.3:
            text = "{Ctrl+U}" + text
        out.append(text)
    return "\n".join(out) + "\n"


def main():
    folder, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    r = random.Random(seed)
    scripts = []
    for i in range(3):
        name = "t%d.tvs" % i
        lines = ["// generated"] + [statement(r, []) for _ in range(r.randrange(1, 6))]
        with open("%s/%s" % (folder, name), "w", newline="\r\n") as f:
            f.write("\n".join(lines) + "\n")
        scripts.append(name[:-4])
    for n in range(count):
        base = "%s/s%03d" % (folder, n)
        with open(base + ".keys", "w") as f:
            f.write(session(r, scripts))
        flags = [k for k in ("crflag", "byte2") if r.random() < 0.4]
        if flags:
            with open(base + ".ini", "w") as f:
                f.write("[Setup]\n" + "".join("%s=1\n" % k for k in flags))


main()
