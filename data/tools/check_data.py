#!/usr/bin/env python3
"""Check the initial data under data/ the way the application will read it.

Reads every file with the rules its loader follows (the food file split on
commas, the group files with the quote-aware exchange reader, byte limits in
CP932) and cross-checks them: every range and dish line names a real food, every food name is stored
unchanged and no two foods share one,
every food lands in a group of both classifications, every food the demo menus
need has a price and a supplier. Prints a short summary; exits 1 on the first
kind of fault with every instance of it listed.

Usage: python3 data/tools/check_data.py
"""

import csv
import datetime
import math
import os
import sys

import food_names

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
DEMO = os.path.join(DATA, "demo")

DISH_CATEGORIES = {"11", "12", "13", "15", "21", "22", "23", "24", "31", "32", "33",
                   "41", "42", "43", "44", "51", "52", "53", "54", "61", "62"}

faults = []


def fault(msg):
    faults.append(msg)


def sjis_len(text):
    return len(text.encode("cp932"))


def read_utf8(path):
    with open(os.path.join(DATA, path), encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))
    return rows[0], rows[1:]


def read_exchange(path):
    """The exchange-file reader: a double quote toggles quoting and is dropped;
    outside quotes a comma ends a column, CR ends the record, LF is dropped."""
    with open(os.path.join(DATA, path), "rb") as f:
        data = f.read()
    if b"\r\n" not in data or data.replace(b"\r\n", b"").count(b"\n"):
        fault(f"{path}: lines must end in CRLF")
    records, cols, cur, quoted = [], [], bytearray(), False
    for b in data:
        if b == 0x22:
            quoted = not quoted
        elif quoted:
            cur.append(b)
        elif b == 0x2C:
            cols.append(bytes(cur)); cur = bytearray()
        elif b == 0x0D:
            cols.append(bytes(cur)); cur = bytearray()
            records.append([c.decode("cp932") for c in cols]); cols = []
        elif b != 0x0A:
            cur.append(b)
    return records[0], records[1:]


def check_foods():
    path = os.path.join(DATA, "foods2023.csv")
    with open(path, "rb") as f:
        data = f.read()
    text = data.decode("cp932")
    lines = text.split("\r\n")
    if lines[-1] != "" or "\n" in text.replace("\r\n", ""):
        fault("foods2023.csv: lines must end in CRLF, last line included")
    foods = {}
    for n, line in enumerate(lines[1:-1], 2):
        v = line.split(",")
        if len(v) != 17:
            fault(f"foods2023.csv line {n}: {len(v)} values")
            continue
        code = v[0]
        if len(code) != 5 or not code.isdigit() or code in foods:
            fault(f"foods2023.csv line {n}: bad or repeated code {code!r}")
        if v[2] != code[:2]:
            fault(f"foods2023.csv line {n}: group {v[2]} does not match code")
        for x in v[3:]:
            if x != "":
                try:
                    float(x)
                except ValueError:
                    fault(f"foods2023.csv {code}: value {x!r} is not a number")
        foods[code] = v
    check_food_names(foods)
    return foods


def check_food_names(foods):
    """Each name must be what a new installation stores (the merge's bracket
    removal, full width and katakana, trimmed, within 40 bytes) and tell its
    food apart: a file merged again then changes no name and no two foods
    look alike in a list."""
    stored = {}
    for code, v in foods.items():
        name = v[1]
        if food_names.unmatched_brackets(name):
            fault(f"foods2023.csv {code}: name {name} has unmatched brackets")
        if sjis_len(name) > food_names.NAME_BYTES:
            fault(f"foods2023.csv {code}: name {name} is longer than {food_names.NAME_BYTES} bytes")
        kept = food_names.stored_name(name)
        if kept != name:
            fault(f"foods2023.csv {code}: name {name} is stored as {kept}")
        stored.setdefault(kept, []).append(code)
    for name, codes in stored.items():
        if len(codes) > 1:
            fault(f"foods2023.csv: foods {', '.join(codes)} are stored under one name {name}")


def apply_ranges(rows, codes, empty_sets_zero):
    got = {}
    for s_id, gid, lo, hi in sorted(rows, key=lambda r: int(r[0])):
        lo, hi = f"{int(lo):05d}", f"{int(hi):05d}"
        for code in codes:
            if lo <= code <= hi:
                if gid != "":
                    got[code] = int(gid)
                elif empty_sets_zero:
                    got[code] = 0
    return got


def check_groups(foods):
    summary = []
    for n, name_limit, with_standards in (("1", 30, True), ("2", 40, False)):
        head_a, groups = read_exchange(f"groups{n}A.CSV")
        head_b, ranges = read_exchange(f"groups{n}B.CSV")
        want_cols = 5 if with_standards else 2
        ids = set()
        for g in groups:
            if len(g) != want_cols:
                fault(f"groups{n}A.CSV: row {g} has {len(g)} columns, want {want_cols}")
                continue
            ids.add(int(g[0]))
            if sjis_len(g[1]) > name_limit:
                fault(f"groups{n}A.CSV: name {g[1]} longer than {name_limit} bytes")
            if with_standards:
                float(g[2]); float(g[3])
        for r in ranges:
            if len(r) != 4 or int(r[1]) not in ids:
                fault(f"groups{n}B.CSV: bad range {r}")
        got = apply_ranges(ranges, list(foods), n == "2")
        missing = [c for c in foods if got.get(c, 0) not in ids]
        if missing:
            fault(f"classification {n}: foods without a group: {missing[:20]}")
        if n == "2" and ids != {1, 2, 3}:
            fault("classification 2 must be exactly the groups 1, 2 and 3")
        summary.append(f"classification {n}: {len(groups)} groups, {len(ranges)} ranges, "
                       f"{len(foods) - len(missing)} of {len(foods)} foods grouped")
    return summary


def check_lists():
    for path, limit, keys in (("meals.csv", 20, [1, 2, 3]), ("targets.csv", 20, [0, 1]),
                              ("standards.csv", 30, list(range(13)))):
        _, rows = read_utf8(path)
        if [int(r[0]) for r in rows] != keys:
            fault(f"{path}: keys {[r[0] for r in rows]}, want {keys}")
        for r in rows:
            if sjis_len(r[1]) > limit:
                fault(f"{path}: {r[1]} longer than {limit} bytes")
            for x in r[2:]:
                float(x)


def suryo2(q):
    """The dish screen's automatic calculation at 85 %, half up to one decimal;
    a pinch that would round to nothing keeps the first quantity."""
    v = math.trunc(q * 85 / 100 * 10 + 0.5) / 10
    return v if v > 0 else q


def check_dishes(foods):
    _, dishes = read_utf8("dishes.csv")
    ids = set()
    for rid, name in dishes:
        if len(rid) != 4 or not rid.isdigit() or int(rid) == 0 or rid in ids:
            fault(f"dishes.csv: bad or repeated code {rid}")
        if rid[:2] not in DISH_CATEGORIES:
            fault(f"dishes.csv: {rid} is in no dish category")
        if sjis_len(name) > 50:
            fault(f"dishes.csv: {name} longer than 50 bytes")
        ids.add(rid)
    _, lines = read_utf8("dish_foods.csv")
    used, seen = set(), set()
    for rid, sub, code, q1, q2, ref in lines:
        if rid not in ids or (rid, sub) in seen or int(sub) % 10:
            fault(f"dish_foods.csv: bad line {rid} {sub}")
        seen.add((rid, sub))
        if code not in foods:
            fault(f"dish_foods.csv: {rid} uses unknown food {code}")
        elif foods[code][1] != ref:
            fault(f"dish_foods.csv: {rid} {code} reference name differs from the food")
        if float(q2) != suryo2(float(q1)):
            fault(f"dish_foods.csv: {rid} {sub} Suryo2 {q2}, want {suryo2(float(q1))}")
        used.add(code)
    empty = ids - {rid for rid, *_ in lines}
    if empty:
        fault(f"dishes without food lines: {sorted(empty)}")
    cats = {rid[:2] for rid in ids}
    return ids, lines, f"{len(ids)} dishes in {len(cats)} categories, {len(lines)} food lines"


def check_demo(foods, dish_ids, dish_lines):
    _, sup = read_utf8("demo/suppliers.csv")
    sup_ids = {int(s[0]) for s in sup}
    for s in sup:
        if sjis_len(s[1]) > 50:
            fault(f"suppliers.csv: {s[1]} longer than 50 bytes")
    _, prices = read_utf8("demo/prices.csv")
    priced = {}
    for code, yen, unit, grams, gid, ref in prices:
        if code not in foods or foods[code][1] != ref or int(gid) not in sup_ids:
            fault(f"prices.csv: bad row for {code}")
        if float(yen) <= 0 or float(grams) <= 0:
            fault(f"prices.csv: {code} needs a positive price and unit weight")
        priced[code] = code
    _, plan = read_utf8("demo/menu_plan.csv")
    patterns, served = set(), set()
    for pat, meal, target, dishes in plan:
        patterns.add(int(pat))
        if int(meal) not in (1, 2, 3) or int(target) not in (0, 1):
            fault(f"menu_plan.csv: bad slot {meal}/{target}")
        for d in dishes.split():
            if d not in dish_ids:
                fault(f"menu_plan.csv: pattern {pat} uses unknown dish {d}")
            served.add(d)
    needs = {code for rid, _, code, *_ in dish_lines if rid in served}
    unpriced = sorted(needs - set(priced))
    if unpriced:
        fault(f"prices.csv: foods of the demo menus without a price: {unpriced}")
    _, heads = read_utf8("demo/headcounts.csv")
    slots = {(int(m), int(t)) for _, m, t, _ in plan}
    if {(int(h[0]), int(h[1])) for h in heads} != slots:
        fault("headcounts.csv must have one row per served slot of menu_plan.csv")
    _, cal = read_utf8("demo/calendar.csv")
    for day, pat, a0, a1 in cal:
        if datetime.date.fromisoformat(day).weekday() > 4 or int(pat) not in patterns:
            fault(f"calendar.csv: bad day {day}")
    summary = [f"demo: {len(sup)} suppliers, {len(prices)} prices, {len(patterns)} patterns, "
               f"{len(cal)} menu days, {len(served)} dishes served"]
    return summary + demo_figures(foods, dish_lines, plan, cal)


NUTRIENT_LABELS = ["energy", "protein", "fat", "carbohydrate", "Ca", "Fe", "vitamin A", "B1",
                   "B2", "C", "salt", "fibre", "K"]


def demo_figures(foods, dish_lines, plan, cal):
    """The demo month's daily averages per target group against the standards,
    computed as the nutrient expansion does (value per 100 g / 100 x grams),
    and the days within the salt standard."""
    _, standards = read_utf8("standards.csv")
    recipe = {}
    for rid, _, code, q1, q2, _ in dish_lines:
        recipe.setdefault(rid, []).append((code, float(q1), float(q2)))
    slots = {}
    for pat, _, target, dishes in plan:
        slots.setdefault(int(pat), []).append((int(target), dishes.split()))
    out = []
    for target in (0, 1):
        days = []
        for _, pat, *_ in cal:
            day = [0.0] * 13
            for t, dishes in slots[int(pat)]:
                if t != target:
                    continue
                for rid in dishes:
                    for code, q1, q2 in recipe[rid]:
                        q = q1 if target == 0 else q2
                        for i in range(13):
                            day[i] += float(foods[code][4 + i] or 0) / 100 * q
            days.append(day)
        avg = [sum(d[i] for d in days) / len(days) for i in range(13)]
        std = [float(r[2 + target]) for r in standards]
        salt_ok = sum(1 for d in days if d[10] < std[10])
        out.append(f"demo month, {'3歳以上' if target == 0 else '3歳未満'}: "
                   + ", ".join(f"{NUTRIENT_LABELS[i]} {avg[i]:.2f} ({100 * avg[i] / std[i]:.0f} %)"
                               for i in range(13))
                   + f"; salt under {std[10]} g on {salt_ok} of {len(days)} days")
    return out


def main():
    foods = check_foods()
    out = [f"foods2023.csv: {len(foods)} foods"]
    out += check_groups(foods)
    check_lists()
    ids, lines, dish_summary = check_dishes(foods)
    out.append(dish_summary)
    out += check_demo(foods, ids, lines)
    for line in out:
        print(line)
    if faults:
        for f in faults:
            print("FAULT:", f)
        sys.exit(1)
    print("all checks passed")


if __name__ == "__main__":
    main()
