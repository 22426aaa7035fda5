#!/usr/bin/env python3
"""Checks hints.txt against the question pool and lists hints worth a second look.

Usage: tools/check_hints.py [HINTS] [--pool 2018|2026|general|extra] [--review] [--partial]

HINTS defaults to the edition's own file: hints.txt for the 2018-2022 pool,
hints-2026-2030.txt for the 2026-2030 pool (--pool 2026),
hints-general-2023-2027.txt and hints-extra-2024-2028.txt for the General
and Amateur Extra pools.

Hard checks (exit status 1 on any failure): comment line first, one hint per
pool question in pool order, "ID: text" lines, CR LF ends, plain ASCII,
at most 190 characters of hint text, a closing "]" reference, the Part 97
reference of data/pool-references.txt where the pool gives one, no choice
letters ("A." .. "D.", "answer B", "choice C", "(D)"), no picture reference,
worked steps "a x b = c" / "a / b = c" that compute, and two screen lines
of 95 columns at most once word-wrapped.

--partial checks a draft that covers only some questions (LF ends allowed,
no comment line needed).

--review also prints, per question, how many distinctive words the hint
shares with the correct choice and with each wrong choice, flagging hints
that lean towards a wrong choice or that merely repeat the correct one.
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MAX_HINT = 190
LETTER_PATTERNS = [
    re.compile(r"(?<![A-Za-z0-9])[A-D]\.(?=\s|$)"),
    re.compile(r"\b(?i:answer|answers|choice|choices|option|letter)\s+[A-D]\b"),
    re.compile(r"\([A-D]\)"),
]
STOP = set("""a an the of to in on at by for from with and or not no is are be
been being it its this that these those as if than then so such can could may
might must should would will all any each every your you his her their there
which what when where who how why do does done only also more most less into
out up use used using one two other same some very has have had was were
choice choices correct""".split())


EDITIONS = {
    "2018": ("data/pool", "data/pool-references.txt", "hints.txt"),
    "2026": ("data/pool-2026-2030", "data/pool-2026-2030/pool-references.txt", "hints-2026-2030.txt"),
    "general": ("data/pool-general-2023-2027", "data/pool-general-2023-2027/pool-references.txt",
                "hints-general-2023-2027.txt"),
    "extra": ("data/pool-extra-2024-2028", "data/pool-extra-2024-2028/pool-references.txt",
              "hints-extra-2024-2028.txt"),
}


def load_pool(pool_dir):
    questions = []
    for path in sorted((ROOT / pool_dir).glob("[TGE][0-9].txt")):
        items = path.read_bytes().decode("cp1252").split("\n")
        i = 0
        while items[i] != "ENDofPOOL":
            questions.append(items[i:i + 7])
            i += 7
    return questions


def load_references(references_file):
    refs = {}
    for line in (ROOT / references_file).read_text().splitlines():
        if line.strip():
            qid, ref = line.split(" ", 1)
            # The pool writes a few rule references with the rules' name before
            # the section number; hints cite the section number alone.
            refs[qid] = ref.strip().replace("[FCC Part ", "[")
    return refs


def words(text):
    found = {w for w in re.findall(r"[a-z0-9]+", text.lower()) if w not in STOP and len(w) > 1}
    return {w[:-1] if w.endswith("s") and len(w) > 3 else w for w in found}


def numbers(text):
    return {n.replace(",", "").rstrip(".") for n in re.findall(r"\d[\d,]*\.?\d*", text)}


ARITHMETIC = re.compile(
    r"(\d[\d,]*\.?\d*)\s*(?:[A-Za-z]+\s+)?([x/])\s*(\d[\d,]*\.?\d*)\s*(?:[A-Za-z]+\s+)?=\s*(\d[\d,]*\.?\d*)")


def bad_arithmetic(text):
    """Worked steps "a x b = c" or "a / b = c" whose result is off by more than 3%."""
    wrong = []
    for a, op, b, c in ARITHMETIC.findall(text):
        a, b, c = (float(v.replace(",", "").rstrip(".")) for v in (a, b, c))
        value = a * b if op == "x" else a / b
        if abs(value - c) > 0.03 * max(abs(c), 1e-9):
            wrong.append(f"{a} {op} {b} = {c}, not {value:.4g}")
    return wrong


def wrapped_lines(text, width=95):
    """How many screen lines the hint takes: break after the last blank that fits."""
    rest = text.strip() + " "
    if len(rest) <= width:
        return 1
    count = 0
    while rest:
        cut = rest[:width].rfind(" ") + 1 or width
        rest = rest[cut:]
        count += 1
        if len(rest) < 2:
            rest = ""
    return count


def check(path, edition, review, partial=False):
    pool_dir, references_file, _ = EDITIONS[edition]
    data = Path(path).read_bytes()
    errors = []
    if partial:  # a draft of some subelements: LF ends, no comment line, a subset of the IDs
        data = b"' draft\r\n" + data.replace(b"\r\n", b"\n").rstrip(b"\n").replace(b"\n", b"\r\n") + b"\r\n"
    if not data.endswith(b"\r\n"):
        errors.append("file does not end with CR LF")
    raw_lines = data.split(b"\r\n")[:-1]
    for n, raw in enumerate(raw_lines, 1):
        if b"\n" in raw or b"\r" in raw:
            errors.append(f"line {n}: stray CR or LF")
        if any(b > 126 or (b < 32) for b in raw):
            errors.append(f"line {n}: not plain printable ASCII")
    lines = [r.decode("cp1252") for r in raw_lines]
    if not lines or not lines[0].startswith("'"):
        errors.append("first line is not a comment")
    hints = [l for l in lines if not l.startswith("'")]
    pool = load_pool(pool_dir)
    refs = load_references(references_file)
    ids = [q[0][:5] for q in pool]
    got = [h[:5] for h in hints]
    if partial:
        pool = [q for q in pool if q[0][:5] in set(got)]
        ids = [q[0][:5] for q in pool]
    if got != ids:
        errors.append(f"IDs not in pool order ({len(got)} hints, {len(ids)} questions)")
        for i, (a, b) in enumerate(zip(got, ids)):
            if a != b:
                errors.append(f"  first difference at hint {i + 1}: {a} where {b} expected")
                break
    by_id = {}
    for h in hints:
        m = re.fullmatch(r"([TGE]\d[A-Z]\d\d): (\S.*)", h)
        if not m:
            errors.append(f"bad format: {h[:40]}")
            continue
        qid, text = m.groups()
        by_id[qid] = text
        if len(text) > MAX_HINT:
            errors.append(f"{qid}: {len(text)} characters")
        elif wrapped_lines(text) > 2:
            errors.append(f"{qid}: wraps to more than two lines of 95")
        if text != text.strip():
            errors.append(f"{qid}: leading or trailing blanks")
        if not text.endswith("]"):
            errors.append(f"{qid}: no closing reference")
        ref = text[text.rfind("["):] if "[" in text else ""
        if qid in refs and ref != refs[qid]:
            errors.append(f"{qid}: reference {ref} where {refs[qid]} expected")
        if qid not in refs and re.search(r"\[97\.", ref):
            errors.append(f"{qid}: Part 97 reference not in the list: {ref}")
        # The pool's own reference may hold an upper-case "(A)" of a rule
        # paragraph: only the hint's own words are searched for letters.
        words_part = text[:-len(ref)] if ref and ref == refs.get(qid) else text
        for pattern in LETTER_PATTERNS:
            if pattern.search(words_part):
                errors.append(f"{qid}: names a choice letter: {pattern.search(words_part).group(0)}")
        if "~Figure " in text:
            errors.append(f"{qid}: picture reference")
        for step in bad_arithmetic(text):
            errors.append(f"{qid}: arithmetic {step}")
    for e in errors:
        print("ERROR", e)
    if review:
        for q in pool:
            qid = q[0][:5]
            text = by_id.get(qid, "")
            key = "ABCD".index(q[6])
            choices = [c[3:] for c in q[2:6]]
            hw = words(text.rsplit("[", 1)[0])
            scores = [len(hw & words(c)) for c in choices]
            all_of = choices[key].lower().startswith(("all of these", "all these"))
            right = min(scores[:3]) if all_of else scores[key]
            wrong = max(s for i, s in enumerate(scores) if i != key)
            flag = ""
            if all_of and right == 0:
                flag = "MISSES-A-PART"
            elif not all_of and wrong > right:
                flag = "LEANS-WRONG"
            if choices[key].lower().rstrip(". ") in text.lower() and len(text) < 70:
                flag += " RESTATES"
            right_numbers = numbers(choices[key])
            if right_numbers and not right_numbers <= numbers(text):
                flag += " MISSING-NUMBER"
            print(f"{qid} right={right} scores={scores} {flag}")
    steps = sum(len(ARITHMETIC.findall(t)) for t in by_id.values())
    print(f"{len(hints)} hints, {steps} worked steps checked, {len(errors)} errors")
    return not errors


if __name__ == "__main__":
    argv = sys.argv[1:]
    edition = "2018"
    if "--pool" in argv:
        at = argv.index("--pool")
        edition = argv[at + 1] if at + 1 < len(argv) else ""
        edition = edition if edition in ("general", "extra") else edition[:4]
        del argv[at:at + 2]
    if edition not in EDITIONS:
        sys.exit("check_hints.py: --pool takes 2018, 2026, general or extra")
    args = [a for a in argv if not a.startswith("--")]
    ok = check(args[0] if args else ROOT / EDITIONS[edition][2], edition, "--review" in argv,
               "--partial" in argv)
    sys.exit(0 if ok else 1)
