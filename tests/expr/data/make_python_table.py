#!/usr/bin/env python3
"""Writes python-evaluations.tsv: expressions in the evaluator's language with
the value Python gives for the same text.

Run from this folder:  python3 make_python_table.py > python-evaluations.tsv

Each expression is written twice: as the calculator takes it ("^" for a
power, implicit products such as 2(3) or 3X) and as Python text ("**",
explicit "*", the variables as names bound to their values). Python's own
eval of that text gives the expected value. Only precedence that the two
languages share is generated: a power's base and exponent are never another
power (2^3^2 groups differently), "%" and "\\" are left out (they mean other
things in Python), and a coefficient written before a variable (3X) never
follows "/" (6/2X divides by the product here).

Cases whose value depends on rounding are dropped: each expression is also
evaluated with 60-digit decimals, and one whose float value differs from that
by more than 1e-13 relative, or that passes through a value below 1e-6 or
above 1e12, is ill-conditioned for a comparison at 1e-9 and is not written.
"""

import ast
import decimal
import random
import sys

D = decimal.Decimal
decimal.getcontext().prec = 60
decimal.getcontext().traps[decimal.DivisionByZero] = True
decimal.getcontext().traps[decimal.InvalidOperation] = True

DIVISION_BY_ZERO = "Error: Division by zero [11]"
INVALID_VALUES = "Invalid values in expression!"


class Skip(Exception):
    pass


def exact(node, env, errors):
    """60-digit decimal value of a Python expression tree. A step that fails
    adds the calculator's message to `errors` and goes on with the value 1,
    so that a case where two different failures could come first is seen."""
    if isinstance(node, ast.Expression):
        return exact(node.body, env, errors)
    if isinstance(node, ast.Constant):
        v = D(repr(node.value)) if isinstance(node.value, float) else D(node.value)
    elif isinstance(node, ast.Name):
        v = D(env[node.id])
    elif isinstance(node, ast.UnaryOp):
        a = exact(node.operand, env, errors)
        v = -a if isinstance(node.op, ast.USub) else a
    elif isinstance(node, ast.BinOp):
        a = exact(node.left, env, errors)
        b = exact(node.right, env, errors)
        if isinstance(node.op, ast.Add):
            v = a + b
        elif isinstance(node.op, ast.Sub):
            v = a - b
        elif isinstance(node.op, ast.Mult):
            v = a * b
        elif isinstance(node.op, ast.Div):
            if b == 0:
                errors.add(DIVISION_BY_ZERO)
                return D(1)
            v = a / b
        elif isinstance(node.op, ast.Pow):
            if a == 0 and b <= 0:
                raise Skip()  # 0^0 and 0^-n: not what this table is about
            if a < 0 and b != b.to_integral_value():
                errors.add(INVALID_VALUES)
                return D(1)
            v = a ** (int(b) if b == b.to_integral_value() else b)
        else:
            raise Skip()
    else:
        raise Skip()
    if v != 0 and not (D("1e-6") <= abs(v) <= D("1e12")):
        raise Skip()
    return v


def python_value(text, env):
    """What Python's eval makes of the text: a float or a calculator message."""
    try:
        v = eval(text, {"__builtins__": {}}, {k: float(x) for k, x in env.items()})
    except ZeroDivisionError:
        return DIVISION_BY_ZERO
    if isinstance(v, complex):
        return INVALID_VALUES
    return float(v)


def keep(calc, py, env):
    """The table row for one expression, or None when it is not a fair case."""
    try:
        expected = python_value(py, env)
    except (OverflowError, SyntaxError):
        return None
    errors = set()
    try:
        value = exact(ast.parse(py, mode="eval"), env, errors)
    except Skip:
        return None
    except (decimal.InvalidOperation, decimal.Overflow):
        return None
    if errors or isinstance(expected, str):
        return (calc, env, expected) if errors == {expected} else None
    if value == 0:
        if expected != 0:
            return None
    elif abs(D(expected) - value) > abs(value) * D("1e-13"):
        return None
    return (calc, env, repr(expected))


# ---- random expressions -------------------------------------------------------

VARIABLE_VALUES = ["3", "-3", "4", "-2.5", "0.5", "-1", "7", "-0.25", "12"]
NUMBERS = ["0", "1", "2", "3", "5", "7", "9", "10", "12", "25", "99", "181",
           "0.5", "1.5", "2.25", "68.40", "98.83", "169", "864", "70.10", ".5", "3.75"]
EXPONENTS = ["2", "3", "0", "1", "-1", "-2", ".5", "0.5", "1.5"]


def sign(rng):
    return rng.choices(["", "-", "--", "+", "-+"], [55, 30, 8, 4, 3])[0]


def number(rng):
    n = rng.choice(NUMBERS)
    return n, n


def atom(rng, depth):
    """A power's base or a plain operand: number, variable or bracket."""
    kind = rng.choices(["num", "var", "group"], [4, 3, 3 if depth > 0 else 0])[0]
    if kind == "num":
        return number(rng)
    if kind == "var":
        v = rng.choice("XYZ")
        return v, v
    c, p = expression(rng, depth - 1)
    return "(" + c + ")", "(" + p + ")"


def exponent(rng, depth):
    if depth > 0 and rng.random() < 0.15:
        c, p = expression(rng, 0)
        return "(" + c + ")", "(" + p + ")"
    if rng.random() < 0.1:
        v = rng.choice("XYZ")
        return v, v
    e = rng.choice(EXPONENTS)
    return e, e


def factor(rng, depth, after_divide):
    """One operand of "*" or "/", with its signs."""
    s = sign(rng)
    roll = rng.random()
    if roll < 0.3:
        base_c, base_p = atom(rng, depth)
        exp_c, exp_p = exponent(rng, depth)
        return s + base_c + "^" + exp_c, s + base_p + "**" + exp_p
    if roll < 0.42 and not after_divide:
        # A coefficient written before a variable or a bracket.
        k = rng.choice(["2", "3", "0.5", "10", "1.5"])
        if rng.random() < 0.5:
            v = rng.choice("XYZ")
            c, p = k + v, k + "*" + v
            if rng.random() < 0.4:
                e = rng.choice(["2", "3", "-1", ".5"])
                c, p = c + "^" + e, p + "**" + e
        else:
            inner_c, inner_p = expression(rng, max(depth - 1, 0))
            c, p = k + "(" + inner_c + ")", k + "*(" + inner_p + ")"
        return s + c, s + p
    c, p = atom(rng, depth)
    return s + c, s + p


def term(rng, depth):
    c, p = factor(rng, depth, False)
    for _ in range(rng.choice([0, 0, 1, 1, 2])):
        op = rng.choice("*/")
        fc, fp = factor(rng, depth, op == "/")
        c, p = c + op + fc, p + op + fp
    return c, p


def expression(rng, depth):
    c, p = term(rng, depth)
    for _ in range(rng.choice([0, 1, 1, 2, 2])):
        op = rng.choice("+-")
        tc, tp = term(rng, depth)
        c, p = c + op + tc, p + op + tp
    return c, p


# ---- hand-picked cases ----------------------------------------------------------
# (calculator text, Python text, X, Y, Z)
CHOSEN = [
    ("(X^2+Y^2)^.5", "(X**2+Y**2)**.5", "3", "4", "0"),
    ("(X^2+Y^2)", "(X**2+Y**2)", "3", "4", "0"),
    ("(X^2)*2", "(X**2)*2", "3", "0", "0"),
    ("2*(Y^2)", "2*(Y**2)", "0", "4", "0"),
    ("((X^2)+1)^2", "((X**2)+1)**2", "-3", "0", "0"),
    ("(Z^3-X^2)/(Y^-1)", "(Z**3-X**2)/(Y**-1)", "-3", "4", "2"),
    ("X^(1+1)", "X**(1+1)", "3", "0", "0"),
    ("X^-2", "X**-2", "-2.5", "0", "0"),
    ("(X^.5)", "(X**.5)", "12", "0", "0"),
    ("(1-3)^2", "(1-3)**2", "0", "0", "0"),
    ("(-2)^2", "(-2)**2", "0", "0", "0"),
    ("(-2)^3", "(-2)**3", "0", "0", "0"),
    ("10-(1-3)^2", "10-(1-3)**2", "0", "0", "0"),
    ("2*(-3)^2", "2*(-3)**2", "0", "0", "0"),
    ("-(1-3)^2", "-(1-3)**2", "0", "0", "0"),
    ("-3^2", "-3**2", "0", "0", "0"),
    ("2*-3^2", "2*-3**2", "0", "0", "0"),
    ("X^2", "X**2", "-3", "0", "0"),
    ("-X^2", "-X**2", "-3", "0", "0"),
    ("X^3", "X**3", "-3", "0", "0"),
    ("2X^2", "2*X**2", "-3", "0", "0"),
    ("(-8)^0.5", "(-8)**0.5", "0", "0", "0"),
    ("X^.5", "X**.5", "-3", "0", "0"),
    ("(1-3)^(1/2)", "(1-3)**(1/2)", "0", "0", "0"),
    ("5--3", "5--3", "0", "0", "0"),
    ("--5", "--5", "0", "0", "0"),
    ("-(2-5)", "-(2-5)", "0", "0", "0"),
    ("2*-(1-4)", "2*-(1-4)", "0", "0", "0"),
    ("181/(-(2-5)*4)", "181/(-(2-5)*4)", "0", "0", "0"),
    ("-(70.10+(68.40-169)/98.83-864)", "-(70.10+(68.40-169)/98.83-864)", "0", "0", "0"),
    ("-X", "-X", "-3", "0", "0"),
    ("5-X", "5-X", "-3", "0", "0"),
    ("2*-X", "2*-X", "-3", "0", "0"),
    ("-X*-Y", "-X*-Y", "-3", "-2.5", "0"),
    ("2^-(1-3)", "2**-(1-3)", "0", "0", "0"),
    ("(0-2)^(0-1)", "(0-2)**(0-1)", "0", "0", "0"),
    ("-(-2)^2", "-(-2)**2", "0", "0", "0"),
    ("10--(1-3)^2", "10--(1-3)**2", "0", "0", "0"),
    ("2(X-5)^2-Y", "2*(X-5)**2-Y", "-3", "-2.5", "0"),
    ("3X^2+Y/Z", "3*X**2+Y/Z", "-1", "7", "-0.25"),
    ("1/(X+3)", "1/(X+3)", "-3", "0", "0"),
    ("-(X-Y)*(Z+1)^2", "-(X-Y)*(Z+1)**2", "0.5", "4", "-3"),
]


def main():
    rng = random.Random(13)
    rows = []
    for calc, py, x, y, z in CHOSEN:
        row = keep(calc, py, {"X": x, "Y": y, "Z": z})
        if row is None:
            sys.exit("hand-picked case not usable: " + calc)
        rows.append(row)
    chosen = len(rows)
    texts = set()
    while len(rows) < chosen + 400:
        depth = rng.choice([1, 2, 2, 3])
        calc, py = expression(rng, depth)
        if calc in texts or len(calc) > 90:
            continue
        env = {k: rng.choice(VARIABLE_VALUES) for k in "XYZ"}
        row = keep(calc, py, env)
        if row is not None:
            texts.add(calc)
            rows.append(row)
    print("# Made by make_python_table.py (seed 13): expression, X, Y, Z, and the value")
    print("# of Python's eval of the same text, or the message the calculator must show.")
    for calc, env, expected in rows:
        print("\t".join([calc, env["X"], env["Y"], env["Z"], expected]))


if __name__ == "__main__":
    main()
