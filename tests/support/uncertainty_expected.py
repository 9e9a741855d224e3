#!/usr/bin/env python3
"""The uncertainty analysis of tests/cases/uncertainty_ship worked out apart from kavrel.

Four runs of a 5 m model at 30 degrees (fresh water 995.6 kg/m3, 0.80091e-6 m2/s, the last row
of the table), a straight line (two terms) fitted to all runs with half weight at both ends,
the ship of ship_2011.DAT (sea water at 0 degrees: 1028.1555 kg/m3, 1.8543e-6 m2/s, (1+k) given
as 1.1). Each systematic source by central differences of the whole chain; the random part by
moving one run's Rtm at a time by the repeatability (one-sided: the chain is linear in Rtm).
Writes tests/cases/uncertainty_ship/expected/KAVREL_UNC.csv: python3 uncertainty_expected.py
"""
import math
import os

g = 9.80665
RUNS = [(0.8, 1.0), (1.6, 1.5), (1.7, 1.5), (3.0, 2.0)]  # (Rtm kg, Vm m/s), by speed
NOMINAL = dict(Rtm=[r for r, _ in RUNS], Vm=[v for _, v in RUNS], Sw=4.0, Lwl=5.0, drho=0.0, k1=1.1)
RHO, NU = 995.6, 0.80091e-6
RHO_S, NU_S, LAM, KS, AVS, CDA, RHO_AIR, SBK = 1028.1555, 1.8543e-6, 25, 150, 300, 0.8, 1.225, 50
SOURCES = ["resistance", "resistance_rel", "speed", "speed_rel", "wetted_surface", "length",
           "temperature", "density", "form_factor"]
U = dict(resistance=0.005, resistance_rel=0.1, speed=0.002, speed_rel=0.05, wetted_surface=0.2,
         length=0.002, density=0.3, form_factor=0.02)
REPEATABILITY, COVERAGE = 0.003, 2


def itt57(Rn):
    return 0.075 / (math.log10(Rn) - 2) ** 2


def chain(x):
    """Ctm, CtmS, Cr, Cts (plain), Pe (kW) of every run, then the given (1+k)."""
    Ctm, Cfm, Fn = [], [], []
    for Rtm, Vm in zip(x["Rtm"], x["Vm"]):
        Ctm.append(Rtm * g / (0.5 * (RHO + x["drho"]) * x["Sw"] * Vm * Vm))
        Cfm.append(itt57(Vm * x["Lwl"] / NU))
        Fn.append(Vm / math.sqrt(x["Lwl"] * g))
    w = [0.5] + [1.0] * (len(Fn) - 2) + [0.5]
    sw = sum(w)
    mx = sum(wi * f for wi, f in zip(w, Fn)) / sw
    my = sum(wi * c for wi, c in zip(w, Ctm)) / sw
    b = sum(wi * (f - mx) * (c - my) for wi, f, c in zip(w, Fn, Ctm)) / sum(
        wi * (f - mx) ** 2 for wi, f in zip(w, Fn))
    CtmS = [my + b * (f - mx) for f in Fn]
    k1 = x["k1"]
    Cr = [s - k1 * f for s, f in zip(CtmS, Cfm)]
    Ls, Ss = LAM * x["Lwl"], LAM * LAM * x["Sw"]
    Cts, Pe = [], []
    for Vm, cr in zip(x["Vm"], Cr):
        Vs = Vm * math.sqrt(LAM)
        Rns = Vs * Ls / NU_S
        dCf = 0.044 * ((KS * 1e-6 / Ls) ** (1 / 3) - 10 * Rns ** (-1 / 3)) + 0.000125
        CA = (5.68 - 0.6 * math.log10(Rns)) * 1e-3
        Caas = CDA * RHO_AIR * AVS / (RHO_S * Ss)
        cts = (Ss + SBK) / Ss * (k1 * itt57(Rns) + dCf + CA) + cr + Caas
        Cts.append(cts)
        Pe.append(0.5 * RHO_S * Ss * Vs ** 3 * cts / 1000)
    return Ctm + CtmS + Cr + Cts + Pe + [k1]


def moved(source, u):
    x = dict(NOMINAL, Rtm=list(NOMINAL["Rtm"]), Vm=list(NOMINAL["Vm"]))
    if source == "resistance":
        x["Rtm"] = [r + u for r in x["Rtm"]]
    elif source == "resistance_rel":
        x["Rtm"] = [r * (1 + u / 100) for r in x["Rtm"]]
    elif source == "speed":
        x["Vm"] = [v + u for v in x["Vm"]]
    elif source == "speed_rel":
        x["Vm"] = [v * (1 + u / 100) for v in x["Vm"]]
    elif source == "wetted_surface":
        x["Sw"] *= 1 + u / 100
    elif source == "length":
        x["Lwl"] += u
    elif source == "density":
        x["drho"] += u
    elif source == "form_factor":
        x["k1"] += u
    return x


def main():
    nominal = chain(NOMINAL)
    contributions = {}
    for s, u in U.items():
        plus, minus = chain(moved(s, u)), chain(moved(s, -u))
        contributions[s] = [(p - m) / 2 for p, m in zip(plus, minus)]
    random = [0.0] * len(nominal)
    for j in range(len(RUNS)):
        x = dict(NOMINAL, Rtm=list(NOMINAL["Rtm"]))
        x["Rtm"][j] *= 1 + REPEATABILITY
        random = [r + (m - n) ** 2 for r, m, n in zip(random, chain(x), nominal)]
    random = [math.sqrt(r) for r in random]
    names = [(q, str(i + 1)) for q in ["Ctm", "CtmS", "Cr", "Cts", "Pe_kW"]
             for i in range(len(RUNS))] + [("OnePlusK_given", "")]
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "..", "cases", "uncertainty_ship", "expected", "KAVREL_UNC.csv")
    with open(path, "w") as out:
        out.write("quantity,run,value,u_c,U," + ",".join(SOURCES) + ",random\n")
        for o, (q, run) in enumerate(names):
            c = [contributions[s][o] if s in U else None for s in SOURCES]
            uc = math.sqrt(random[o] ** 2 + sum(v * v for v in c if v is not None))
            cells = [nominal[o], uc, COVERAGE * uc] + c + [random[o]]
            out.write(q + "," + run + "," + ",".join("" if v is None else repr(v) for v in cells)
                      + "\n")


main()
