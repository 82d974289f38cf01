#!/usr/bin/env python3
"""Build data/standards.csv, the thirteen nutrient standards (table WG).

Every row is on one basis: what the nursery itself serves one child in a day,
as a share of the whole day's reference value of 日本人の食事摂取基準（2020年版）
(boys and girls averaged). data/README.md shows the derivation row by row.

    3歳未満 (S2), 1-2 years: 50 % of the day (lunch about a third, the morning
        and afternoon snacks about a sixth).
    3歳以上 (S1), 3-5 years: the same 50 % (lunch, morning milk, afternoon
        snack), less what the 110 g of plain cooked rice that these children
        bring from home supplies (food 01088, the amount the reports' energy
        ratios assume).

Usage: python3 data/tools/make_standards.py
"""

import os
import sys
from decimal import ROUND_HALF_UP, Decimal

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
FOODS = os.path.join(DATA, "foods2023.csv")
OUT = os.path.join(DATA, "standards.csv")

SHARE = Decimal("0.5")
HOME_RICE_FOOD = "01088"
HOME_RICE_GRAMS = Decimal(110)

# Energy shares of protein, fat and carbohydrate: inside the DRI's target
# ranges (13-20, 20-30 and 50-65 % of energy) and adding up to 100 %.
PROTEIN_E, FAT_E, CARB_E = Decimal("0.15"), Decimal("0.25"), Decimal("0.60")

# Whole-day reference values (3-5 years, 1-2 years), boys and girls averaged.
# Energy: estimated energy requirement at physical activity level II. Ca, Fe,
# vitamins: recommended dietary allowance. Salt: tentative dietary goal (an
# upper limit). Fibre: tentative dietary goal for 3-5 years; the DRI sets none
# for 1-2 years, so theirs is the 3-5 figure scaled by energy. Potassium:
# adequate intake.
ENERGY = (Decimal(1275), Decimal(925))      # (1300 + 1250) / 2, (950 + 900) / 2
CALCIUM = (Decimal(575), Decimal(425))      # (600 + 550) / 2, (450 + 400) / 2
IRON = (Decimal("5.5"), Decimal("4.5"))
VITAMIN_A = (Decimal(475), Decimal(375))    # (450 + 500) / 2, (400 + 350) / 2
VITAMIN_B1 = (Decimal("0.7"), Decimal("0.5"))
VITAMIN_B2 = (Decimal("0.8"), Decimal("0.55"))  # 0.8, (0.6 + 0.5) / 2
VITAMIN_C = (Decimal(50), Decimal(40))
SALT = (Decimal("3.5"), Decimal("3.0"))
FIBRE = (Decimal(8), Decimal(8) * ENERGY[1] / ENERGY[0])
POTASSIUM = (Decimal(1000), Decimal(900))

# WG rows in nutrient order: label, whole-day values, decimals shown, and the
# column of the food file the home rice is taken from.
ROWS = [
    ("熱量 kcal", ENERGY, 0, 4),
    ("たんぱく質 g", tuple(e * PROTEIN_E / 4 for e in ENERGY), 1, 5),
    ("脂質 g", tuple(e * FAT_E / 9 for e in ENERGY), 1, 6),
    ("炭水化物 g", tuple(e * CARB_E / 4 for e in ENERGY), 1, 7),
    ("カルシウム mg", CALCIUM, 0, 8),
    ("鉄 mg", IRON, 1, 9),
    ("ビタミンA μgRAE", VITAMIN_A, 0, 10),
    ("ビタミンB1 mg", VITAMIN_B1, 2, 11),
    ("ビタミンB2 mg", VITAMIN_B2, 2, 12),
    ("ビタミンC mg", VITAMIN_C, 0, 13),
    ("食塩相当量 g", SALT, 1, 14),
    ("食物繊維 g", FIBRE, 1, 15),
    ("K mg", POTASSIUM, 0, 16),
]


def rounded(value, places):
    return value.quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)


def home_rice():
    """Food-file values of 01088 per 100 g, as Decimals by column."""
    with open(FOODS, encoding="cp932", newline="") as f:
        for line in f.read().split("\r\n")[1:]:
            v = line.split(",")
            if v[0] == HOME_RICE_FOOD:
                return [Decimal(x or 0) if i >= 3 else x for i, x in enumerate(v)]
    sys.exit(f"make_standards.py: food {HOME_RICE_FOOD} is missing")


def standards():
    """[(id, label, S1, S2, (3-5 day, share, rice), (1-2 day, share))]"""
    rice = home_rice()
    out = []
    for wg_id, (label, (day1, day2), places, column) in enumerate(ROWS):
        rice_part = rice[column] * HOME_RICE_GRAMS / 100
        s1 = rounded(day1 * SHARE - rice_part, places)
        s2 = rounded(day2 * SHARE, places)
        out.append((wg_id, label, s1, s2, day1, day2, rice_part))
    return out


def main():
    rows = standards()
    lines = ["WG_ID,Meisyo,S1,S2"] + [f"{i},{label},{s1},{s2}" for i, label, s1, s2, *_ in rows]
    with open(OUT, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("utf-8"))
    for i, label, s1, s2, day1, day2, rice in rows:
        print(f"{i:2} {label}: 3-5 y {rounded(day1, 3):f} x {SHARE} - rice {rounded(rice, 3):f} = {s1};"
              f" 1-2 y {rounded(day2, 3):f} x {SHARE} = {s2}")

if __name__ == "__main__":
    main()
