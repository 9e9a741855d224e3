#!/usr/bin/env python3
"""The full-scale prediction of ship_KAVREL_BAS.DAT worked out apart from kavrel.

Inputs: the four runs of ship_KAVREL_BAS.DAT (fresh water at 30 degrees: 995.6 kg/m3,
0.80091e-6 m2/s, the last row of the fresh-water table), answers N 1 1 0 0 (no smoothing, so
CtmS = Ctm), and the ship files ship_2011.DAT (sea water at 0 degrees: 1028.1555 kg/m3,
1.8543e-6 m2/s) and ship_1978.DAT (fresh water at 30 degrees). Writes ship_2011.csv and
ship_1978.csv in the layout of KAVREL_SHIP.csv, and ship_model.csv in that of KAVREL.csv:
python3 ship_expected.py
"""
import math

g = 9.80665
runs = [(0.8, 1.0), (1.6, 1.5), (1.7, 1.5), (3.0, 2.0)]  # (Rtm kg, Vm m/s), by speed
Sw, Lwl, rho, nu = 4.0, 5.0, 995.6, 0.80091e-6


def itt57(Rn):
    return 0.075 / (math.log10(Rn) - 2) ** 2


def predict(lam, Ss, kS, AVS, CDA, rho_air, SBK, rho_s, nu_s, k1, revised, CA_given):
    rows = []
    Ls = lam * Lwl
    for Rtm, Vm in sorted(runs, key=lambda r: r[1]):
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


def write(name, rows):
    with open(name, "w") as out:
        out.write("Vs_kn,Vs_m_s,Fn,Rns,Cfs,dCf,CA,Caas,Cr,Cts,Rts_kN,Pe_kW\n")
        for row in rows:
            out.write(",".join(repr(v) for v in row) + "\n")


with open("ship_model.csv", "w") as out:
    out.write("run,Fn,Vm,Rtm,Ctm,CtmS,Cfm,Rnm\n")
    for n, (Rtm, Vm) in enumerate(sorted(runs, key=lambda r: r[1]), 1):
        Ctm = Rtm * g / (0.5 * rho * Sw * Vm * Vm)
        values = [Vm / math.sqrt(Lwl * g), Vm, Rtm, Ctm, Ctm, itt57(Vm * Lwl / nu), Vm * Lwl / nu]
        out.write(str(n) + "," + ",".join(repr(v) for v in values) + "\n")
write("ship_2011.csv", predict(25, 25 * 25 * Sw, 150, 300, 0.8, 1.225, 50, 1028.1555,
                               1.8543e-6, 1.1, True, None))
write("ship_1978.csv", predict(30.5, 3600, 120, 250, 0.8, 1.225, 0, 995.6, 0.80091e-6, 1.25,
                               False, 0.0002))
