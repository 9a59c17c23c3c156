#!/usr/bin/env python3
"""Writes dipole_20m.s1p: a 20 m half-wave dipole as an analyser would export it, made from a
series RLC model instead of a measurement so that anyone can remake it and check it.

    Z(f) = R + j (2 pi f L - 1 / (2 pi f C)),  R = 70 ohms, L = 9.5 uH, C = 13.8 pF

which is resonant at 13.90 MHz (a dipole cut a little long for the band) with a Q of 11.9, and
70 + j35 ohms at 14.2 MHz. The file is a version 1.1 one-port file in hertz, S parameters in
real and imaginary parts against 50 ohms, 13 to 15.5 MHz in 25 kHz steps: the form the common
handheld analysers export.

Run it from anywhere: python3 examples/dipole_20m.py
"""

import math
import pathlib

R = 70.0  # ohms: radiation resistance plus losses at resonance
L = 9.5e-6  # henries
C = 13.8e-12  # farads
REFERENCE = 50.0  # ohms
START_HZ, STOP_HZ, STEP_HZ = 13_000_000, 15_500_000, 25_000


def impedance(hz):
    omega = 2 * math.pi * hz
    return complex(R, omega * L - 1 / (omega * C))


def main():
    resonance = 1 / (2 * math.pi * math.sqrt(L * C))
    q = 2 * math.pi * resonance * L / R
    lines = [
        "! Tolvan example: a 20 m half-wave dipole, modelled, not measured.",
        "! Series RLC: Z(f) = R + j(2 pi f L - 1/(2 pi f C)),"
        " R = 70 ohms, L = 9.5 uH, C = 13.8 pF",
        f"! resonant at {resonance / 1e6:.2f} MHz, Q {q:.1f}. Made by examples/dipole_20m.py.",
        "# Hz S RI R 50",
    ]
    for hz in range(START_HZ, STOP_HZ + 1, STEP_HZ):
        z = impedance(hz)
        s = (z - REFERENCE) / (z + REFERENCE)
        lines.append(f"{hz} {s.real:.9f} {s.imag:.9f}")
    out = pathlib.Path(__file__).with_name("dipole_20m.s1p")
    out.write_text("\n".join(lines) + "\n", encoding="ascii")


if __name__ == "__main__":
    main()
