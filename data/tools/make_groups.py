#!/usr/bin/env python3
"""Build the food-group files of a new installation from data/foods2023.csv
and, for the group standards, the sample month of menus in data/demo/.

Writes, in the group-list exchange format (CP932, CRLF, a heading line of field
labels in double quotes, numbers bare, text in double quotes):

    groups1A.CSV  SyokuGunM    SyokuGun_ID, SyokuGunmei, S1, S2, D
    groups1B.CSV  SyokuGunMb   S_ID, SyokuGun_ID, SyokuID1, SyokuID2
    groups2A.CSV  SyokuGunM2   SyokuGun_ID, SyokuGunmei
    groups2B.CSV  SyokuGunM2b  S_ID, SyokuGun_ID, SyokuID1, SyokuID2

Ranges are applied in S_ID order and a later range wins, so each classification
starts with one range per official food group (GG000-GG999, which also catches
foods added to a group later) and then narrows it with runs of food codes.
The script applies its own ranges to every food and fails unless each food ends
in the intended group.

Usage: python3 data/tools/make_groups.py
"""

import csv
import os
import sys
from decimal import ROUND_HALF_UP, Decimal

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
FOODS = os.path.join(DATA, "foods2023.csv")

# ---------------------------------------------------------------- class. 1

G1 = [  # (SyokuGun_ID, SyokuGunmei)
    (1, "米類"), (2, "パン類"), (3, "めん類"), (4, "その他の穀類"),
    (5, "いも及びでん粉類"), (6, "砂糖及び甘味類"), (7, "菓子類"), (8, "油脂類"),
    (9, "種実類"), (10, "豆類"), (11, "魚介類"), (12, "肉類"), (13, "卵類"),
    (14, "乳類"), (15, "緑黄色野菜"), (16, "その他の野菜"), (17, "果実類"),
    (18, "きのこ類"), (19, "藻類"), (20, "嗜好飲料類"),
    (21, "調味料及び香辛料類"), (22, "調理済み流通食品類"),
]

# Official food group (first two code digits) -> classification-1 group.
G1_BASE = {"01": 4, "02": 5, "03": 6, "04": 10, "05": 9, "06": 16, "07": 17,
           "08": 18, "09": 19, "10": 11, "11": 12, "12": 13, "13": 14, "14": 8,
           "15": 7, "16": 20, "17": 21, "18": 22}

# Cereals of group 01 by kind. Whatever is not listed stays その他の穀類
# (flours, bran, fu, wrappers, bread crumbs, whole grains other than rice).
# Each entry is a code or an inclusive (first, last) span; spans may cover
# codes that do not exist.
RICE = [(1080, 1114), 1116, (1117, 1121), (1151, 1158), 1161, 1168, 1169,
        (1181, 1185), 1214, 1215]
BREAD = [(1026, 1037), 1148, 1159, (1174, 1176), (1205, 1213)]
NOODLES = [1008, 1009, (1038, 1064), 1115, (1127, 1130), 1144, 1145, 1149, 1150,
           1160, 1173, (1186, 1204)]


# 緑黄色野菜: vegetables of group 06 with at least 600 µg β-carotene equivalent
# per 100 g (the usual rule), and every cooked, frozen or pickled-leaf form of
# them; plus the vegetables counted by custom although below 600: tomatoes and
# tomato juices, green and yellow sweet peppers, green beans, snow peas, okra,
# green asparagus, shishito, taranome. Left out although above 600: 干しぜんまい
# and 干しわらび (dried, eaten after soaking) and head lettuce grown in water.
GREEN_YELLOW = [
    6402, 6003, 6004, 6005, 6006, 6007, 6008, 6327, 6010, 6011, 6363, 6018,
    6019, 6329, 6330, 6331, 6020, 6021, 6027, 6028, 6029, 6030, 6031, 6032, 6033,
    6034, 6035, 6040, 6043, 6046, 6047, 6048, 6049, 6332, 6050, 6052, 6053,
    6071, 6075, 6076, 6077, 6080, 6083, 6086, 6087, 6385, 6089, 6090, 6091,
    6093, 6094, 6095, 6096, 6097, 6098, 6099, 6100, 6387, 6113, 6115, 6117, 6118,
    6126, 6127, 6128, 6129, 6130, 6131, 6144, 6145, 6146, 6147, 6148, 6337,
    6157, 6158, 6376, 6377, 6160, 6161, 6338, 6162, 6163, 6164, 6165, 6166,
    6169, 6170, 6171, 6172, 6182, 6183, 6370, 6184, 6185, 6340, 6186, 6341,
    6188, 6189, 6190, 6200, 6201, 6202, 6203, 6204, 6207, 6208, 6344, 6209,
    6211, 6212, 6213, 6214, 6215, 6345, 6346, 6407, 6408, 6347, 6216, 6380,
    6381, 6348, 6217, 6218, 6219, 6220, 6221, 6222, 6224, 6225, 6227, 6352,
    6410, 6228, 6411, 6229, 6230, 6231, 6232, 6237, 6238, 6239, 6392,
    6245, 6246, 6247, 6248, 6393, 6394, 6249, 6250, 6251, 6252, 6253, 6254, 6255,
    6261, 6262, 6263, 6264, 6395, 6396, 6397, 6354, 6267, 6268, 6359, 6355,
    6357, 6356, 6358, 6269, 6372, 6373, 6272, 6273, 6072, 6073, 6074, 6274,
    6275, 6276, 6277, 6278, 6279, 6360, 6283, 6284, 6285, 6293, 6294, 6298,
    6299, 6300, 6301, 6302, 6319, 6313, 6314, 6315, 6362, 6320, 6321, 6382,
    6383, 6384, 6399, 6400,
]


def expand(entries, codes, name):
    """Codes of `codes` named by `entries`; a single code must exist."""
    out = set()
    for e in entries:
        if isinstance(e, tuple):
            out |= {c for c in codes if e[0] <= int(c) <= e[1]}
        else:
            code = f"{e:05d}"
            if code not in codes:
                sys.exit(f"make_groups.py: {name} lists {code}, which is not a food")
            out.add(code)
    return out


SETS = {}


def group1(code):
    for gid, name in ((1, "RICE"), (2, "BREAD"), (3, "NOODLES"), (15, "GREEN_YELLOW")):
        if code in SETS[name]:
            return gid
    return G1_BASE[code[:2]]


# Group standards (S1: 3歳以上, S2: 3歳未満): the grams of each group that the
# sample month of menus (demo/) serves one child a day on average, weighed as
# the dishes weigh them (raw, as the kitchen cooks them), rounded to 0.1 g.
# That month meets the nutrient standards, so these are the food amounts that
# a nursery's own menus would give (data/README.md). Drinks and seasonings
# get no standard: their weight is mostly tea and soup stock.
NO_STANDARD = {20, 21}


def read_utf8(name):
    with open(os.path.join(DATA, name), encoding="utf-8", newline="") as f:
        return list(csv.reader(f))[1:]


def menu_group_amounts():
    """{(target, gid): grams a day}, and {(target, gid): {food: grams a day}}."""
    lines = {}
    for rid, _, code, q1, q2, _ in read_utf8("dish_foods.csv"):
        lines.setdefault(rid, []).append((code, Decimal(q1), Decimal(q2)))
    plan = {}
    for pattern, _, target, dishes in read_utf8("demo/menu_plan.csv"):
        plan.setdefault(pattern, []).append((int(target), dishes.split()))
    days = [row[1] for row in read_utf8("demo/calendar.csv")]
    grams, foods = {}, {}
    for pattern in days:
        for target, dishes in plan[pattern]:
            for rid in dishes:
                for code, q1, q2 in lines[rid]:
                    key = (target, group1(code))
                    q = q1 if target == 0 else q2
                    grams[key] = grams.get(key, 0) + q
                    foods.setdefault(key, {})
                    foods[key][code] = foods[key].get(code, 0) + q
    n = Decimal(len(days))
    return ({k: v / n for k, v in grams.items()},
            {k: {c: q / n for c, q in f.items()} for k, f in foods.items()})


def standard(amounts, target, gid):
    if gid in NO_STANDARD:
        return Decimal(0)
    return amounts.get((target, gid), Decimal(0)).quantize(Decimal("0.1"), rounding=ROUND_HALF_UP)


# ---------------------------------------------------------------- class. 2

G2 = [(1, "【赤】からだをつくる"), (2, "【黄】ちからがでる"), (3, "【緑】げんきになる")]
G2_BASE = {"01": 2, "02": 2, "03": 2, "04": 1, "05": 2, "06": 3, "07": 3, "08": 3,
           "09": 3, "10": 1, "11": 1, "12": 1, "13": 1, "14": 2, "15": 2,
           "16": 2, "17": 2, "18": 2}
# A food takes the colour of what it mainly supplies per 100 g, as nurseries
# teach it: protein and calcium (赤), energy from sugar, starch or fat (黄),
# vitamins, minerals and fibre (緑). The foods below differ from their
# official group's colour; data/README.md gives each one's reason.
G2_RED = [
    17044, 17045, 17046, 17047, 17048, 17049, 17050, 17119, 17120, 17145,  # みそ
    # ready-made dishes whose main food is meat, fish, egg or tofu and that
    # have at least milk's protein (3.3 g per 100 g)
    18002, 18008, 18009, 18010, 18011, 18012, 18015, 18016, 18019, 18020, 18021,
    18022, 18023, 18029, 18030, 18031, 18038, 18040, 18045, 18047, 18049, 18050,
    18051, 18052, 18054, 18055,
]
G2_YELLOW = [
    # fruit: jams and marmalades, sugar-preserved fruit and fruit paste,
    # syrup of canned fruit, sweetened fruit drinks, nata de coco
    7010, 7011, 7013, 7014, 7046, 7047, 7123, 7125, 7154,
    7024, 7103, 7127, 7036, 7139, 7170,
    7004, 7025, 7033, 7034, 7044, 7045, 7058, 7059, 7065, 7066, 7076, 7100, 7101,
    7120, 7121, 7137, 7151, 7152,
    # fruit whose energy is mostly fat: avocado, olives, coconut milk
    7006, 7037, 7038, 7039, 7158,
    # dairy whose protein gives less than 15 % of its energy: milk drink with
    # fruit juice, sweetened condensed milk, creams, whipped creams, coffee
    # whiteners, lactic-acid drinks, cream cheese, ice creams, sherbet, whey
    # powder, mascarpone
    13008, 13013, 13014, 13015, 13016, 13017, 13018, 13019, 13020, 13021, 13022,
    13023, 13024, 13028, 13029, 13030, 13035, 13042, 13043, 13044, 13045, 13046,
    13047, 13049, 13050, 13055,
]
G2_GREEN = [
    16035, 16056,                                          # 抹茶, 青汁
    17034, 17035, 17037,                                   # tomato purée, paste, sauce
    # group-06 vegetables grated, dried or powdered
    17056, 17068, 17069, 17073, 17075, 17128, 17076, 17077, 17078,
    # ready-made vegetable dishes (and とん汁: 1.5 g protein per 100 g)
    18024, 18025, 18026, 18027, 18028, 18032, 18033, 18034, 18035, 18037, 18039,
    18042, 18048,
]
# Milk for infants stays with milk although its protein is below the line.
G2_INFANT_MILK = {"13011", "13051", "13059"}


def group2(code):
    for gid, name in ((1, "G2_RED"), (2, "G2_YELLOW"), (3, "G2_GREEN")):
        if code in SETS[name]:
            return gid
    return G2_BASE[code[:2]]


def check_dairy_colours(values):
    """Dairy is 赤 exactly when protein (4 kcal/g) gives at least 15 % of its
    energy, infant milk excepted. Returns the foods that break the rule."""
    wrong = []
    for code, (energy, protein) in values.items():
        if code[:2] != "13" or code in G2_INFANT_MILK:
            continue
        red = energy > 0 and 4 * protein / energy >= 0.15
        if red != (group2(code) == 1):
            wrong.append(code)
    return wrong


# ---------------------------------------------------------------- ranges

def ranges(codes, target, base):
    """Base range per official group, then runs of consecutive codes (in code
    order) whose group differs from the base. Returns [(S_ID, gid, lo, hi)]."""
    out = []
    for gg in sorted(base):
        out.append((base[gg], f"{gg}000", f"{gg}999"))
    run = None
    for code in sorted(codes):
        gid = target(code)
        if gid == base[code[:2]]:
            run = None
            continue
        if run and run[0] == gid and run[2][:2] == code[:2]:
            run[2] = code
        else:
            run = [gid, code, code]
            out.append(run)
    return [(10 * (i + 1), r[0], r[1], r[2]) for i, r in enumerate(out)]


def apply(rows, codes):
    got = {}
    for _, gid, lo, hi in sorted(rows):
        for code in codes:
            if lo <= code <= hi:
                got[code] = gid
    return got


def num(v):
    d = Decimal(v).normalize()
    return format(d, "f") if d != 0 else "0"


def write(path, heading, rows):
    lines = [",".join(f'"{h}"' for h in heading)]
    for row in rows:
        cells = []
        for v in row:
            if v is None:
                cells.append("")
            elif isinstance(v, str):
                cells.append(f'"{v}"')
            else:
                cells.append(num(v))
        lines.append(",".join(cells))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))


def main():
    with open(FOODS, encoding="cp932", newline="") as f:
        lines = [line.split(",") for line in f.read().split("\r\n")[1:] if line]
    codes = [v[0] for v in lines]
    known = set(codes)
    for name in ("RICE", "BREAD", "NOODLES", "GREEN_YELLOW", "G2_RED", "G2_YELLOW", "G2_GREEN"):
        SETS[name] = expand(globals()[name], known, name)
    for names in (("RICE", "BREAD", "NOODLES"), ("G2_RED", "G2_YELLOW", "G2_GREEN")):
        taken = [SETS[n] for n in names]
        if any(a & b for i, a in enumerate(taken) for b in taken[i + 1:]):
            sys.exit("make_groups.py: a food is listed for two groups")
    wrong = check_dairy_colours({v[0]: (float(v[4] or 0), float(v[5] or 0)) for v in lines})
    if wrong:
        sys.exit(f"make_groups.py: dairy coloured against the protein rule: {wrong}")

    r1 = ranges(codes, group1, {gg: g for gg, g in G1_BASE.items()})
    r2 = ranges(codes, group2, G2_BASE)
    for rows, target, name in ((r1, group1, "1"), (r2, group2, "2")):
        got = apply(rows, codes)
        wrong = [c for c in codes if got.get(c) != target(c)]
        if wrong:
            sys.exit(f"make_groups.py: classification {name} misplaces {wrong[:10]}")

    amounts, by_food = menu_group_amounts()
    write(os.path.join(DATA, "groups1A.CSV"),
          ["食品群コード", "食品群名", "３歳以上", "３歳未満", "D"],
          [(gid, name, standard(amounts, 0, gid), standard(amounts, 1, gid), None)
           for gid, name in G1])
    write(os.path.join(DATA, "groups1B.CSV"),
          ["整列番号", "食品群コード", "食品コード（自）", "食品コード（至）"], r1)
    write(os.path.join(DATA, "groups2A.CSV"), ["食品群コード", "食品群名"], G2)
    write(os.path.join(DATA, "groups2B.CSV"),
          ["整列番号", "食品群コード", "食品コード（自）", "食品コード（至）"], r2)

    for gid, name in G1:
        main = sorted(by_food.get((0, gid), {}).items(), key=lambda kv: -kv[1])[:4]
        print(f"group {gid} {name}: 3歳以上 {standard(amounts, 0, gid)} g, 3歳未満 "
              f"{standard(amounts, 1, gid)} g; mainly "
              + ", ".join(f"{c} {q.quantize(Decimal('0.1'))}" for c, q in main))
    for rows, groups, name, target in ((r1, G1, "1", group1), (r2, G2, "2", group2)):
        counts = {gid: 0 for gid, _ in groups}
        for c in codes:
            counts[target(c)] += 1
        print(f"classification {name}: {len(rows)} ranges; foods per group: "
              + ", ".join(f"{gid} {n}" for gid, n in counts.items()))


if __name__ == "__main__":
    main()
