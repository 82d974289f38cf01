"""Food names: how the food master stores a name, and how the converter
renders an official name so that the stored name tells the food apart.

The food master's merge removes the first （…）, ＜…＞ and ［…］ section of a
name; a new installation then converts every name to full width and katakana
and trims blanks at both ends; a name is cut to the 40 bytes of SyokuMei.
Applied to the official names, that turns 279 foods into 98 shared names
(raw and cooked rice alike) and cuts some mid-word. So the converter writes
names that are already in their stored form: category brackets dropped,
the text of the informative ones kept, one blank between words, at most 40
bytes, every name distinct. Merging such a file again changes no name.
"""

import re
import unicodedata

NAME_BYTES = 40
BLANK = "\u3000"

# ---------------------------------------------------------------- the food master's own passes


def import_clean(name):
    """The merge's cleaning: for （）, ＜＞ and ［］ in this order, drop the first
    opening bracket through the first closing one, if it follows."""
    for left, right in (("（", "）"), ("＜", "＞"), ("［", "］")):
        i, j = name.find(left), name.find(right)
        if i >= 0 and j > i:
            name = name[:i] + name[j + 1:]
    return name


HALF_KANA = "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ"
FULL_KANA = "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜"


def normalise(name):
    """Full width, then katakana (the name normalisation after a merge)."""
    out = []
    for ch in name:
        o = ord(ch)
        if ch == " ":
            ch = BLANK
        elif 0x21 <= o <= 0x7E:
            ch = chr(o + 0xFEE0)
        elif ch in HALF_KANA:
            ch = FULL_KANA[HALF_KANA.index(ch)]
        if ch in "゛゜" and out:
            mark = "\u3099" if ch == "゛" else "\u309a"
            composed = unicodedata.normalize("NFC", out[-1] + mark)
            if len(composed) == 1:
                out[-1] = composed
                continue
        if 0x3041 <= ord(ch) <= 0x3096:
            ch = chr(ord(ch) + 0x60)
        out.append(ch)
    return "".join(out)


def trim(name):
    """Blanks and control characters off both ends, full-width blanks included."""
    return name.strip(" \u3000\t\r\n" + "".join(chr(c) for c in range(0x20)))


def cut_bytes(text, limit=NAME_BYTES):
    """Longest prefix of whole characters that fits `limit` CP932 bytes."""
    out, used = [], 0
    for ch in text:
        n = len(ch.encode("cp932"))
        if used + n > limit:
            break
        out.append(ch)
        used += n
    return "".join(out)


def stored_name(name):
    """What a new installation stores for a file name: the merge (cleaning,
    cut to the field), the normalisation (cut again), then the trim."""
    return trim(cut_bytes(normalise(cut_bytes(import_clean(name)))))


def sjis_len(text):
    return len(text.encode("cp932"))


BRACKETS = ("（）", "＜＞", "［］", "()", "<>", "[]", "「」", "【】", "〔〕")


def unmatched_brackets(name):
    """True when some bracket of a pair is not closed, or closed before it opens."""
    for left, right in BRACKETS:
        depth = 0
        for ch in name:
            if ch == left:
                depth += 1
            elif ch == right:
                depth -= 1
                if depth < 0:
                    return True
        if depth:
            return True
    return False

# ---------------------------------------------------------------- rendering an official name
#
# All rules work on the official spelling (hiragana); the result is then
# normalised as the food master would.

# A leading family in （…） is dropped when the word after it names the food
# ((いわし類) まいわし); before one of these words it is the only thing that
# says what the food is, so its text stays, without 類 (いわし 缶詰).
GENERIC_AFTER_FAMILY = {"加工品", "缶詰", "漬物", "つくだ煮"}
# The same for names that do not say which fish they are.
KEEP_FAMILY = {("まぐろ類", "きはだ"), ("まぐろ類", "びんなが"), ("まぐろ類", "めばち")}

# ［…］ sections: None drops the section, a text replaces it.
SUBCATEGORY = {
    "その他": None, "パン類": None, "小麦粉": None, "中華めん類": None,
    "うどん・そうめん類": None, "マカロニ・スパゲッティ類": None,
    "ふ類": None, "うるち米製品": None, "もち米製品": None,
    "全粒・全粒製品": None, "豆腐・油揚げ類": None, "納豆類": None,
    "副生物": None, "ハム類": None, "プレスハム類": None, "ソーセージ類": None,
    "ベーコン類": None, "副品目": None, "二次品目": None, "加工品": None,
    "大型種肉": "大型種", "中型種肉": "中型種",
}

# The word before a ［…］ section and the section, read together: the text
# that replaces both (an empty text drops both).
SPECIES_SUBCATEGORY = {
    ("うし", "和牛肉"): "和牛", ("うし", "乳用肥育牛肉"): "乳用肥育牛",
    ("うし", "交雑牛肉"): "交雑牛", ("うし", "輸入牛肉"): "輸入牛",
    ("うし", "子牛肉"): "子牛",
    ("にわとり", "若どり・主品目"): "若どり", ("にわとり", "若どり・副品目"): "若どり",
    ("にわとり", "親・主品目"): "親どり", ("にわとり", "親・副品目"): "親どり",
    ("めんよう", "マトン"): "マトン", ("めんよう", "ラム"): "ラム",
    ("こむぎ", "即席めん類"): "",
}

# Words that only classify (the dressing kinds, the headings of group 18).
HEADING_WORDS = {"半固形状ドレッシング", "分離液状ドレッシング", "乳化液状ドレッシング",
                 "和風料理", "洋風料理", "中国料理", "韓国料理", "フライ用冷凍食品"}

# Phrases written shorter wherever they occur, in this order.
PHRASES = [
    ("添付調味料等を含むもの", "調味料込"),
    ("添付調味料等を含まないもの", "めんのみ"),
    ("調理後全体　調味料込", "調理後全体"),
    ("調理後のめん　スープを残したもの", "調理後のめん"),
    ("スタイル即席カップめん　油揚げ", "カップめん"),
    ("スタイル即席カップめん", "カップめん"),
    ("果実飲料　", ""),
    ("スイートコーン　未熟種子", "スイートコーン"),
    ("たいせいようさけ　養殖", "たいせいようさけ"),  # all of them are farmed
]

# Further shortenings for a name still over 40 bytes, tried in this order
# until it fits (regular expressions).
LONG_PHRASES = [
    (r"^(こむぎ|とうもろこし|だいず)　", ""),
    (r"^だいこん　漬物　", ""),
    (r"大豆たんぱく　分離大豆たんぱく", "分離大豆たんぱく"),
    (r"デニッシュペストリー", "デニッシュ"),
    (r"あん入り　", ""),
    (r"カスタードクリーム", "カスタード"),
    (r"　米国産　", "　"),
    (r"　りん茎　", "　"),
    (r"ホールカーネルスタイル", "ホールカーネル"),
    (r"^トマト　", ""),
    (r"^にんじん　根　", "にんじん　"),
    (r"バレンシア　マーマレード", "マーマレード"),
    (r"沸騰水で短時間加熱したもの", "短時間加熱"),
    (r"^しか　", ""),
    (r"^ぶた　(大型種|中型種)　", r"ぶた\1　"),
    (r"　ストレート[^　]+味$", ""),
]

# Names made by hand where the rules give nothing clear within 40 bytes, or
# two foods would read alike.
HAND_NAMES = {
    "02065": "フライドポテト　皮つき　生を揚げたもの",
    "02067": "フライドポテト　皮なし　生を揚げたもの",
    "02020": "フライドポテト　市販冷凍食品を揚げたもの",
    "13021": "コーヒーホワイトナー　液状　乳・植物脂肪",
    "16020": "ラム酒",
    "17039": "ノンオイル和風ドレッシング",
}


def segments(raw):
    return [s for s in re.split("[\u3000 ]+", raw) if s]


def family_stem(inner):
    return inner[:-1] if inner.endswith("類") else inner


def render_words(code, raw):
    segs = segments(raw)
    if code.startswith("18") and (segs[1].endswith("類") or segs[1] == "その他"):
        segs = segs[2:]  # 和風料理 煮物類 筑前煮: the cuisine and kind of dish
    out = []
    for i, s in enumerate(segs):
        nxt = segs[i + 1] if i + 1 < len(segs) else ""
        if (s.startswith("＜") and s.endswith("＞")) or s in HEADING_WORDS:
            continue
        if s.startswith("（") and s.endswith("）"):
            inner = s[1:-1]
            if out:
                out.append(inner)
            elif nxt in GENERIC_AFTER_FAMILY or (inner, nxt) in KEEP_FAMILY:
                out.append(family_stem(inner))
        elif s.startswith("［") and s.endswith("］"):
            inner = s[1:-1]
            if out and (out[-1], inner) in SPECIES_SUBCATEGORY:
                rep = SPECIES_SUBCATEGORY[(out[-1], inner)]
                out.pop()
            else:
                rep = SUBCATEGORY.get(inner, inner)
            if rep:
                out.append(rep)
        elif s == "加工品" and len(out) == 1 and segs[i - 1].startswith("（"):
            continue  # (いか類) 加工品 するめ: the family says enough
        else:
            out.append(s.replace("（", BLANK).replace("）", ""))
    # A leading word that the next word contains says nothing more
    # (まんじゅう カステラまんじゅう, かつお かつお節).
    while len(out) > 1 and out[0] in out[1]:
        out.pop(0)
    # A word repeated (ウインナーソーセージ ウインナーソーセージ).
    return [w for i, w in enumerate(out) if i == 0 or w != out[i - 1]]


def render(code, raw):
    """The name a food is shipped and stored under."""
    if code in HAND_NAMES:
        return normalise(HAND_NAMES[code])
    text = BLANK.join(render_words(code, raw))
    for old, new in PHRASES:
        text = text.replace(old, new)
    for pattern, new in LONG_PHRASES:
        if sjis_len(normalise(text)) <= NAME_BYTES:
            break
        text = re.sub(pattern, new, text)
    return normalise(text)
