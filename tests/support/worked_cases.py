#!/usr/bin/env python3
"""Expected files of the end-to-end cases worked out apart from kavrel, and the data files of
the cases made from a model: python3 tests/support/worked_cases.py (from anywhere).

The water properties are the table rows: fresh water at 15 degrees 999.0 kg/m3 and
1.13902e-6 m2/s, at 30 degrees 995.6 kg/m3 and 0.80091e-6 m2/s (the last row); sea water at
0 degrees 1028.1555 kg/m3 and 1.8543e-6 m2/s.

- ship_*: the ship-prediction test, four runs of a 5 m model at 30 degrees, answered N 1 1 0 0
  (no smoothing, so CtmS = Ctm): its report and run table, and the full-scale prediction by
  both methods in the layout of KAVREL_SHIP.csv.
- munk_*: tests made from the wave-resistance model with D = 0.1, 0.3, 0.5, 0.8 plus scatter
  orthogonal to its terms, so that the fit with those D gives the model back, which the report's
  CtmS column must then read; and seven runs at five speeds, too few for the model. The same
  model gives the unit tests their tests (tests/support/munk_model_*.txt).
- prohaska_line: six runs on the line Ctm = 1.2 Cfm + 0.004 Fn^4, whose (1+k) is 1.2.
- no_runs_to_smooth: the report of a test without runs.
"""
import math
from decimal import Decimal, ROUND_HALF_UP
from pathlib import Path

CASES = Path(__file__).resolve().parent.parent / "cases"
g = 9.80665


def itt57(Rn):
    return 0.075 / (math.log10(Rn) - 2) ** 2


def fixed(x, p, d):
    """x with d decimals, its point after p places, halves rounded away from zero on the
    shortest decimal text of x; a % after a number too wide for its places."""
    digits = abs(x) * 10 ** d
    assert abs(digits - math.floor(digits) - 0.5) > 1e-6, f"{x} is too near a rounding tie"
    text = f"{Decimal(repr(x)).quantize(Decimal(1).scaleb(-d), ROUND_HALF_UP):.{d}f}"
    text += "." if d == 0 else ""
    return text.rjust(p + 1 + d) if len(text.split(".")[0]) <= p else text + "%"


def report(runs, Sw, Lwl, T, rho, nu, CtmS=None, D=None):
    """KAVREL.OUT of runs (Rtm kg, Vm m/s), sorted by speed, with CtmS (times 1000) when
    smoothed and the wave-resistance block for D."""
    lines = ["  NO    Fn        Vm      Rtm      Ctm      CtmS      Cfm     Rnm ",
             "                 m/s       Kg     *1000    *1000    *1000    *10^7"]
    for n, (Rtm, Vm) in enumerate(runs):
        Ctm = 1000 * Rtm * g / (0.5 * rho * Sw * Vm * Vm)
        Rn = Vm * Lwl / nu
        values = [Vm / math.sqrt(Lwl * g), Vm, Rtm, Ctm, Ctm if CtmS is None else CtmS[n],
                  1000 * itt57(Rn), Rn / 1e7]
        lines.append(f"{n + 1:4d} " + "  ".join(fixed(v, 3, 3) for v in values) + "  ")
    lines += ["", "",
              " MODEL WETTED SURFACE ----- Sw = " + fixed(Sw, 3, 4) + " m2",
              " MODEL WATER LINE LENGTH - Lwl = " + fixed(Lwl, 3, 3) + " m",
              " WATER TEMPERATURE --------- T = " + fixed(T, 2, 3) + " degrees",
              " WATER DENSITY ----------- Rho = " + fixed(rho, 3, 3) + " kg/m3",
              " WATER VISCOSITY --------- Nue = " + fixed(nu * 1e6, 2, 3) + " *10^-6 m2/s",
              " ACCELERATION OF GRAVITY --- g = " + fixed(g, 2, 5) + " m/sn2"]
    if D is not None:
        lines += ["", "", "T. MUNK WAVE RESISTANCE APROACH HAS BEEN USED",
                  " : ".join(f"D({j + 1})=" + fixed(d, 2, 3) for j, d in enumerate(D))]
    return "".join(line + "\r\n" for line in lines)


def data_file(runs, Sw, Lwl, T, heading):
    """A data file: nine heading lines, "Rtm Vm" lines, the terminator, Sw Lwl and T."""
    heading = (heading + 9 * [""])[:9]
    return "\n".join(heading + [f"{Rtm!r} {Vm!r}" for Rtm, Vm in runs] +
                     ["0 0", "", "Sw Lwl", f"{Sw} {Lwl}", "T", f"{T}"]) + "\n"


def write(case, name, text):
    path = CASES / case / name
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(text.encode())


# The ship-prediction test.
ship_runs = [(0.8, 1.0), (1.6, 1.5), (1.7, 1.5), (3.0, 2.0)]  # (Rtm kg, Vm m/s), by speed
Sw, Lwl, rho, nu = 4.0, 5.0, 995.6, 0.80091e-6


def predict(lam, Ss, kS, AVS, CDA, rho_air, SBK, rho_s, nu_s, k1, revised, CA_given):
    rows = []
    Ls = lam * Lwl
    for Rtm, Vm in ship_runs:
        Ctm = Rtm * g / (0.5 * rho * Sw * Vm * Vm)
        Cfm = itt57(Vm * Lwl / nu)
        Fn = Vm / math.sqrt(Lwl * g)
        Vs = Vm * math.sqrt(lam)
        Rns = Vs * Ls / nu_s
        Cfs = itt57(Rns)
        Cr = Ctm - k1 * Cfm
        if revised:
            dCf = 0.044 * ((kS * 1e-6 / Ls) ** (1 / 3) - 10 * Rns ** (-1 / 3)) + 0.000125
            CA = CA_given if CA_given is not None else (5.68 - 0.6 * math.log10(Rns)) * 1e-3
            Caas = CDA * rho_air * AVS / (rho_s * Ss)
        else:
            dCf = (105 * (kS * 1e-6 / Ls) ** (1 / 3) - 0.64) * 1e-3
            CA = CA_given if CA_given is not None else 0.0
            Caas = 0.001 * AVS / Ss
        Cts = (Ss + SBK) / Ss * (k1 * Cfs + dCf + CA) + Cr + Caas
        Rts = 0.5 * rho_s * Ss * Vs * Vs * Cts
        rows.append([Vs / (1852 / 3600), Vs, Fn, Rns, Cfs, dCf, CA, Caas, Cr, Cts,
                     Rts / 1000, Rts * Vs / 1000])
    return rows


def table(header, rows):
    return header + "\n" + "".join(",".join(repr(v) for v in row) + "\n" for row in rows)


model_table = []
for n, (Rtm, Vm) in enumerate(ship_runs, 1):
    Ctm = Rtm * g / (0.5 * rho * Sw * Vm * Vm)
    model_table.append([n, Vm / math.sqrt(Lwl * g), Vm, Rtm, Ctm, Ctm, itt57(Vm * Lwl / nu),
                        Vm * Lwl / nu])
write("ship_none", "expected/KAVREL.OUT", report(ship_runs, Sw, Lwl, 30, rho, nu))
write("ship_none", "expected/KAVREL.csv", table("run,Fn,Vm,Rtm,Ctm,CtmS,Cfm,Rnm", model_table))
ship_header = "Vs_kn,Vs_m_s,Fn,Rns,Cfs,dCf,CA,Caas,Cr,Cts,Rts_kN,Pe_kW"
write("ship_ittc_2011", "expected/KAVREL_SHIP.csv",
      table(ship_header, predict(25, 25 * 25 * Sw, 150, 300, 0.8, 1.225, 50, 1028.1555,
                                 1.8543e-6, 1.1, True, None)))
write("ship_ittc_1978", "expected/KAVREL_SHIP.csv",
      table(ship_header, predict(30.5, 3600, 120, 250, 0.8, 1.225, 0, 995.6, 0.80091e-6,
                                 1.25, False, 0.0002)))

# Tests of a 5 m model, Sw 4.2 m2, at 15 degrees.
rho, nu, Sw = 999.0, 1.13902e-6, 4.2
PlausibleX = [1.15, 0.07, 0.02, -0.015, 0.01, 0.005]
PlausibleD = [0.1, 0.3, 0.5, 0.8]


def model_test(N, FnLow, FnHigh):
    """N runs evenly spaced from FnLow to FnHigh made from the wave-resistance model
      Ctm/1000 = X1 Cfm/1000 + X2 Fn^4 + sum over j of X(j+2) Fn^4 cos(D(j) / Fn^2)
    with PlausibleX and PlausibleD, plus scatter made orthogonal to its six terms by modified
    Gram-Schmidt. Returns per run Fn, Cfm, the model's Ctm and Ctm with the scatter (the
    coefficients times 1000)."""
    Fn = [FnLow + (FnHigh - FnLow) * I / (N - 1) for I in range(N)]
    Cfm = [itt57(f * math.sqrt(g * 5) * 5 / nu) for f in Fn]
    terms = [Cfm, [f ** 4 for f in Fn]]
    terms += [[f ** 4 * math.cos(d / (f * f)) for f in Fn] for d in PlausibleD]
    model = [1000 * sum(x * t[I] for x, t in zip(PlausibleX, terms)) for I in range(N)]
    scatter = [0.05 * ((1.0 if I % 3 == 0 else -0.6) + 0.1 * (I % 5)) for I in range(N)]
    for c in range(6):
        norm = math.sqrt(sum(v * v for v in terms[c]))
        terms[c] = [v / norm for v in terms[c]]
        for k in list(range(c + 1, 6)) + [None]:
            other = scatter if k is None else terms[k]
            along = sum(a * b for a, b in zip(terms[c], other))
            other[:] = [b - along * a for a, b in zip(terms[c], other)]
    return [(f, 1000 * cf, m, m + e) for f, cf, m, e in zip(Fn, Cfm, model, scatter)]


def model_runs(test):
    """The runs (Rtm kg, Vm m/s) of a model test on the 5 m model with Sw 4.2 m2."""
    return [(Ctm / 2000 * rho * Sw * (f * math.sqrt(5 * g)) ** 2 / g, f * math.sqrt(5 * g))
            for f, _, _, Ctm in test]


# The unit tests' model tests: a run a line, "Fn Cfm model Ctm".
for name, N, FnLow, FnHigh in [("munk_model_99", 99, 0.08, 0.45), ("munk_model_12", 12, 0.1, 0.4),
                               ("munk_model_slow_8", 8, 0.03, 0.08)]:
    (CASES.parent / "support" / (name + ".txt")).write_text(
        "".join(" ".join(repr(v) for v in run) + "\n" for run in model_test(N, FnLow, FnHigh)))

for case, N, FnLow, D in [("munk_four_tries_40_runs", 40, 0.1, PlausibleD),
                          ("munk_answer_3_no_block", 12, 0.2, None)]:
    test = model_test(N, FnLow, 0.4)
    runs = model_runs(test)
    write(case, "KAVREL_BAS.DAT", data_file(runs, Sw, 5.0, 15, [
        f"{N} runs from Fn {FnLow} to 0.4 made from the wave-resistance model with",
        "D = 0.1, 0.3, 0.5, 0.8 plus scatter orthogonal to its terms",
        "(tests/support/worked_cases.py)"]))
    write(case, "expected/KAVREL.OUT", report(runs, Sw, 5.0, 15, rho, nu, [t[2] for t in test], D))

five_speeds = [(1, 1.0), (1, 1.0), (1, 1.2), (1, 1.4), (1, 1.6), (1, 1.8), (1, 1.8)]
write("munk_too_few_speeds", "expected/KAVREL.OUT",
      report(five_speeds, Sw, 5.0, 15, rho, nu, None, [0, 0, 0, 0]))

prohaska = []
for Fn in [0.11, 0.13, 0.15, 0.17, 0.19, 0.25]:
    Vm = Fn * math.sqrt(g * 5)
    Ctm = 1.2 * itt57(Vm * 5 / nu) + 0.004 * Fn ** 4
    prohaska.append((float(f"{Ctm * 0.5 * rho * Vm * Vm * Sw / g:.12g}"), float(f"{Vm:.12g}")))
write("prohaska_line", "KAVREL_BAS.DAT", data_file(prohaska, Sw, 5.0, 15, [
    "Six runs on the Prohaska line Ctm = 1.2 Cfm + 0.004 Fn^4 (Cfm on the ITTC-1957 line)",
    "(tests/support/worked_cases.py)"]))
write("prohaska_line", "expected/KAVREL.OUT", report(prohaska, Sw, 5.0, 15, rho, nu))
write("no_runs_to_smooth", "expected/KAVREL.OUT", report([], Sw, 5.0, 15, rho, nu))

# The most runs a test holds: Rtm i kg at i m/s, a model with Sw 4.5 m2 and Lwl 6.25 m.
write("data_99_runs", "expected/KAVREL.OUT",
      report([(i, i) for i in range(1, 100)], 4.5, 6.25, 15, rho, nu))
# Runs by speed, the first too heavy for the report's columns.
write("report_overflowing_numbers", "expected/KAVREL.OUT",
      report([(1234.5, 1.0), (1.6, 1.5), (1.7, 1.5), (3.0, 2.0)], 4.0, 5.0, 15, rho, nu))

# Runs ordered by speed, run i of the file with Rtm i kg; worked out by hand: equal speeds after
# a faster one are exchanged among themselves, speeds already in order (equal ones included)
# stay.
for case, speeds, order in [("sort_equal_speeds_after_a_faster_one", [2, 1, 1], [3, 2, 1]),
                            ("sort_runs_in_order_stay", [1, 1, 2], [1, 2, 3]),
                            ("sort_four_runs", [2, 1.5, 1.5, 1], [4, 3, 2, 1])]:
    runs = [(float(i), float(Vm)) for i, Vm in enumerate(speeds, 1)]
    write(case, "KAVREL_BAS.DAT", data_file(runs, 4.0, 5.0, 15, [
        f"Runs at the speeds {speeds} with Rtm 1, 2, ... kg, reported in the order {order}"]))
    write(case, "expected/KAVREL.OUT", report([runs[i - 1] for i in order], 4.0, 5.0, 15, rho, nu))
