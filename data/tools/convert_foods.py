#!/usr/bin/env python3
"""Build data/foods2023.csv, the food data of a new installation.

Reads the MEXT workbook 日本食品標準成分表（八訂）増補2023年 (sheet 表全体) and writes
one line per food in the 17-column food-data layout the food master imports:

    code, name, group, waste %, energy kcal, protein g, fat g, carbohydrate g,
    Ca mg, Fe mg, vitamin A µgRAE, B1 mg, B2 mg, C mg, salt g, fibre g, K mg

CP932, CRLF, one heading line, no quoting. Values are the printed values of the
table with their marks taken off: Tr and (Tr) become 0, (x) becomes x, "-"
(not determined) becomes an empty field, "†" is dropped. Names are written
as the food master stores them, distinct and within 40 bytes (food_names.py),
so that merging the file into an installation changes no name.

The workbook's columns are found by the INFOODS tag row, never by letter. The
result is cross-checked value by value against the companion CSV of displayed
values when it is present. Needs openpyxl (Debian: python3-openpyxl); it is a
data-preparation tool only.

Usage: python3 data/tools/convert_foods.py [--xlsx FILE] [--check-csv FILE] [--out FILE]
"""

import argparse
import csv
import os
import re
import sys
from decimal import ROUND_HALF_UP, Decimal

import food_names

try:
    import openpyxl
except ImportError:  # pragma: no cover - message for the person running it
    sys.exit("convert_foods.py: openpyxl is missing (apt-get install python3-openpyxl, "
             "then run it with /usr/bin/python3)")

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
SRC_DIR = os.environ.get(
    "ZORAVIN_FOOD_SRC", "/work/shared/data/food-composition-2020/supplement-2023")
DEFAULT_XLSX = os.path.join(SRC_DIR, "20230428-mxt_kagsei-mext_00001_012.xlsx")
DEFAULT_CSV = os.path.join(SRC_DIR, "20230428-mxt_kagsei-mext_00001_012.csv")
DEFAULT_OUT = os.path.join(DATA, "foods2023.csv")

SHEET = "表全体"
EXPECTED_FOODS = 2538

# Output columns 3..16: INFOODS tag and the number of decimals the printed table
# uses for it (八訂 第1章, 数値の表示方法). Zero is printed as a bare 0.
NUTRIENTS = [
    ("REFUSE", 0, "廃棄率(%)"),
    ("ENERC_KCAL", 0, "エネルギー(kcal)"),
    ("PROT-", 1, "たんぱく質(g)"),
    ("FAT-", 1, "脂質(g)"),
    ("CHOCDF-", 1, "炭水化物(g)"),
    ("CA", 0, "カルシウム(mg)"),
    ("FE", 1, "鉄(mg)"),
    ("VITA_RAE", 0, "ビタミンA(μgRAE)"),
    ("THIA", 2, "ビタミンB1(mg)"),
    ("RIBF", 2, "ビタミンB2(mg)"),
    ("VITC", 0, "ビタミンC(mg)"),
    ("NACL_EQ", 1, "食塩相当量(g)"),
    ("FIB-", 1, "食物繊維総量(g)"),
    ("K", 0, "カリウム(mg)"),
]
HEADING = ["食品番号", "食品名", "食品群"] + [label for _, _, label in NUTRIENTS]

# Header texts (row 2/3, blanks removed) of the three leading columns.
LEAD_HEADERS = {"group": "食品群", "code": "食品番号", "name": "食品名"}

# Characters that CP932 cannot hold, and what to write instead. The 2023 table
# needs none of them today; they are here so that a later table degrades
# visibly (reported) instead of failing.
CP932_MAP = {
    "\u2212": "\uff0d",  # MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    "\u301c": "\uff5e",  # WAVE DASH -> FULLWIDTH TILDE
    "\u2016": "\u2225",  # DOUBLE VERTICAL LINE -> PARALLEL TO
    "\u00a0": " ",
    "\u00b5": "\u03bc",  # MICRO SIGN -> GREEK SMALL LETTER MU
    "\u2013": "\uff0d",
    "\u2014": "\u2015",
}

NUMBER = re.compile(r"^\((\d+(?:\.\d+)?)\)$|^(\d+(?:\.\d+)?)$")
FORMAT_DECIMALS = re.compile(r"0\.(0+)")


class ConversionError(Exception):
    pass


def decimals_of(d):
    exp = d.as_tuple().exponent
    return -exp if exp < 0 else 0


def render(d, places):
    """Printed form: zero is 0, anything else carries `places` decimals."""
    if d == 0:
        return "0"
    return f"{d:.{places}f}"


def parse_printed(text, where):
    """A printed value (text) -> Decimal, or None for '-'."""
    t = text.strip().replace("†", "")
    if t == "-":
        return None
    if t in ("Tr", "(Tr)"):
        return Decimal(0)
    m = NUMBER.match(t)
    if not m:
        raise ConversionError(f"{where}: unreadable value {text!r}")
    return Decimal(m.group(1) or m.group(2))


def cell_value(cell, places, where, notes):
    """Cell -> output text. Returns (text, Decimal or None)."""
    v = cell.value
    if v is None or (isinstance(v, str) and v.strip() == ""):
        raise ConversionError(f"{where}: empty cell")
    if isinstance(v, str):
        d = parse_printed(v, where)
        if d is None:
            return "", None
        own = decimals_of(d)
        if d != 0 and own != places:
            notes.append(f"{where}: printed as {v.strip()!r} ({own} decimals, column has {places})")
        return render(d, max(places, own) if d != 0 else 0), d
    if isinstance(v, bool) or not isinstance(v, (int, float)):
        raise ConversionError(f"{where}: unexpected cell type {type(v).__name__}")
    # Raw binary float. The number format says how Excel shows it: an explicit
    # 0.0 / 0.00 rounds to that many places, General shows up to ten significant
    # digits, which takes the binary noise off.
    fmt = FORMAT_DECIMALS.search(cell.number_format or "")
    if fmt:
        shown = Decimal(repr(float(v))).quantize(Decimal(1).scaleb(-len(fmt.group(1))),
                                                 rounding=ROUND_HALF_UP)
    else:
        shown = Decimal(format(float(v), ".10g"))
    if shown != 0 and decimals_of(shown.normalize()) > places:
        # The table prints more places than the column's rule here (Fe of milk).
        own = decimals_of(shown.normalize())
        notes.append(f"{where}: printed with {own} decimals ({shown.normalize()}), kept")
        d = shown.normalize()
        return render(d, own), d
    d = shown.quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)
    return render(d, places), d


def to_cp932(name, where, notes):
    out = name.replace(",", "，")
    if out != name:
        notes.append(f"{where}: ASCII comma in name replaced by '，'")
    fixed = []
    for ch in out:
        try:
            ch.encode("cp932")
            fixed.append(ch)
        except UnicodeEncodeError:
            if ch not in CP932_MAP:
                raise ConversionError(f"{where}: character U+{ord(ch):04X} not in CP932 and not mapped")
            notes.append(f"{where}: U+{ord(ch):04X} mapped to {CP932_MAP[ch]!r}")
            fixed.append(CP932_MAP[ch])
    return "".join(fixed)


def find_layout(ws):
    """Locate the tag row, the data columns and the three leading columns."""
    tag_row = None
    for r in range(1, 30):
        tags = {str(c.value).strip(): c.column for c in ws[r] if c.value is not None}
        if "ENERC_KCAL" in tags and "REFUSE" in tags:
            tag_row, tag_cols = r, tags
            break
    if tag_row is None:
        raise ConversionError("no INFOODS tag row found")
    cols = {}
    for tag, _, _ in NUTRIENTS:
        if tag not in tag_cols:
            raise ConversionError(f"tag {tag} missing from row {tag_row}")
        cols[tag] = tag_cols[tag]
    lead = {}
    for r in range(1, tag_row):
        for c in ws[r]:
            if isinstance(c.value, str):
                text = re.sub(r"\s", "", c.value)
                for key, label in LEAD_HEADERS.items():
                    if text == label and key not in lead:
                        lead[key] = c.column
    if len(lead) != len(LEAD_HEADERS):
        raise ConversionError(f"leading columns not found: {lead}")
    return tag_row, cols, lead


def read_foods(xlsx, notes):
    wb = openpyxl.load_workbook(xlsx)
    ws = wb[SHEET]
    tag_row, cols, lead = find_layout(ws)
    foods = []
    seen = set()
    for r in range(tag_row + 1, ws.max_row + 1):
        code = ws.cell(r, lead["code"]).value
        if code is None or not re.fullmatch(r"\d{5}", str(code).strip()):
            if any(ws.cell(r, c).value not in (None, "") for c in (lead["name"], cols["ENERC_KCAL"])):
                raise ConversionError(f"row {r}: data row without a five-digit code ({code!r})")
            continue
        code = str(code).strip()
        if code in seen:
            raise ConversionError(f"row {r}: duplicate code {code}")
        seen.add(code)
        group = str(ws.cell(r, lead["group"]).value).strip()
        if group != code[:2]:
            raise ConversionError(f"{code}: group column {group!r} differs from code")
        where = code
        name = to_cp932(str(ws.cell(r, lead["name"]).value), where, notes)
        values, numbers = [], []
        for tag, places, _ in NUTRIENTS:
            text, d = cell_value(ws.cell(r, cols[tag]), places, f"{code} {tag}", notes)
            values.append(text)
            numbers.append(d)
        foods.append({"code": code, "name": name, "group": code[:2],
                      "values": values, "numbers": numbers})
    return foods, tag_row, cols, lead


def cross_check(foods, csv_path):
    """Compare with the companion CSV of displayed values. Returns mismatch lines."""
    with open(csv_path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    tags = [t.strip() for t in rows[1]]
    idx = {t: tags.index(t) for t, _, _ in NUTRIENTS}
    by_code = {row[tags.index("id")]: row for row in rows[2:]}
    problems = []
    if len(by_code) != len(foods):
        problems.append(f"food count: xlsx {len(foods)}, csv {len(by_code)}")
    max_dec = {t: 0 for t, _, _ in NUTRIENTS}
    for food in foods:
        row = by_code.get(food["code"])
        if row is None:
            problems.append(f"{food['code']}: not in csv")
            continue
        if row[tags.index("name")] != food["name"]:
            problems.append(f"{food['code']}: name differs: {row[tags.index('name')]!r}")
        for (tag, places, _), ours in zip(NUTRIENTS, food["numbers"]):
            theirs = parse_printed(row[idx[tag]], f"csv {food['code']} {tag}")
            if theirs is not None and theirs != 0:
                max_dec[tag] = max(max_dec[tag], decimals_of(theirs))
            if theirs != ours:
                problems.append(f"{food['code']} {tag}: xlsx {ours}, csv {row[idx[tag]]!r}")
    for tag, places, _ in NUTRIENTS:
        # More places than the rule are allowed where the cell itself matched
        # (Fe of milk); fewer would mean the rule is wrong for the column.
        if max_dec[tag] < places:
            problems.append(f"column {tag}: csv shows at most {max_dec[tag]} decimals, rule says {places}")
    return problems


def render_names(foods):
    """Give every food the name it is shipped and stored under (food_names.py)
    and check that the names are fit to store. Returns report lines."""
    problems = []
    seen = {}
    for food in foods:
        name = food_names.render(food["code"], food["name"])
        food["stored"] = name
        if food_names.sjis_len(name) > food_names.NAME_BYTES:
            problems.append(f"{food['code']}: name {name} is over {food_names.NAME_BYTES} bytes")
        if food_names.stored_name(name) != name:
            problems.append(f"{food['code']}: name {name} would be stored as "
                            f"{food_names.stored_name(name)}")
        if food_names.unmatched_brackets(name):
            problems.append(f"{food['code']}: name {name} has unmatched brackets")
        seen.setdefault(name, []).append(food["code"])
    problems += [f"foods {', '.join(codes)} share the name {name}"
                 for name, codes in seen.items() if len(codes) > 1]
    if problems:
        raise ConversionError("\n".join(problems))
    by_hand = sum(1 for f in foods if f["code"] in food_names.HAND_NAMES)
    old = {}
    for f in foods:
        old.setdefault(food_names.stored_name(f["name"]), []).append(f["code"])
    shared = sum(len(c) for c in old.values() if len(c) > 1)
    return [f"names: {len(seen)} distinct, longest "
            f"{max(food_names.sjis_len(n) for n in seen)} bytes, {by_hand} made by hand "
            f"(the official names as the import alone would store them: "
            f"{shared} foods sharing {sum(1 for c in old.values() if len(c) > 1)} names)"]


def write_csv(foods, out):
    lines = [",".join(HEADING)]
    for food in foods:
        fields = [food["code"], food["stored"], food["group"]] + food["values"]
        for field in fields:
            if "," in field or "\r" in field or "\n" in field:
                raise ConversionError(f"{food['code']}: field {field!r} would break the line")
        lines.append(",".join(fields))
    data = ("\r\n".join(lines) + "\r\n").encode("cp932")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(data)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--xlsx", default=DEFAULT_XLSX)
    ap.add_argument("--check-csv", default=DEFAULT_CSV,
                    help="companion CSV of displayed values ('' to skip the cross-check)")
    ap.add_argument("--out", default=DEFAULT_OUT)
    args = ap.parse_args()

    notes = []
    try:
        foods, tag_row, cols, lead = read_foods(args.xlsx, notes)
        if len(foods) != EXPECTED_FOODS:
            raise ConversionError(f"{len(foods)} foods, expected {EXPECTED_FOODS}")
        problems = []
        if args.check_csv:
            if os.path.exists(args.check_csv):
                problems = cross_check(foods, args.check_csv)
            else:
                problems = [f"cross-check file {args.check_csv} not found"]
        name_lines = render_names(foods)
        write_csv(foods, args.out)
    except ConversionError as e:
        sys.exit(f"convert_foods.py: {e}")

    letters = {t: openpyxl.utils.get_column_letter(c) for t, c in cols.items()}
    print(f"tag row {tag_row}; columns " + " ".join(f"{t}={letters[t]}" for t, _, _ in NUTRIENTS))
    print(f"{len(foods)} foods written to {args.out}")
    for n in notes:
        print("note:", n)
    for line in name_lines:
        print(line)
    if args.check_csv:
        print(f"cross-check against {os.path.basename(args.check_csv)}: "
              f"{len(problems)} mismatches")
        for p in problems:
            print("  ", p)
    if problems:
        sys.exit(1)


if __name__ == "__main__":
    main()
