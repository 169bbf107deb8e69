"""Faults chosen by rule: every place in a function of src/ where one of five
rules applies is a candidate, and a seeded shuffle picks the faults, so that
no person decides where they go.

The rules, applied to the code with its comments, strings and preprocessor
lines blanked out:

  relational   a comparison turned to its opposite (< to >=, == to !=, ...)
  boundary     a comparison's boundary moved by one (< to <=, >= to >, ...)
  condition    the condition of an if forced true or false, or that of a
               while or for forced false (forced true it could only hang);
               the condition is still evaluated, for its calls
  statement    an expression statement (a call, an assignment, an increment,
               return; break; continue;) removed
  constant     an integer literal changed (0 to 1, 1 to 0, n to n + 1, in
               its own base) or true and false swapped

Comparisons are told from template brackets by the spaces around them, as
the sources are formatted. The files are every .cpp and .h of src/ that the
Linux build compiles, without the tests and their helpers.
"""

import hashlib
import random
import re
from dataclasses import dataclass
from pathlib import Path

# Compiled by the Windows build only, or test code.
EXCLUDED = re.compile(r"(_test[^/]*|/win32_\w+\.(cpp|h))$")

# What the measured build defines (Linux, messages in CP932); every other
# name tested by #ifdef, #ifndef or defined() is taken as undefined.
DEFINED = {"PELTRIX_LINUX_CALLS", "PELTRIX_CP932_NAMES", "MADV_HUGEPAGE", "__linux__", "__GNUC__"}
DIRECTIVE = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)$")

TURNED = {"<": ">=", "<=": ">", ">": "<=", ">=": "<", "==": "!=", "!=": "=="}
MOVED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
COMPARISON = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LITERAL = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])")
BOOLEAN = re.compile(r"\b(true|false)\b")
CONDITION = re.compile(r"\b(if|while|for)\s*(constexpr\s*)?\(")
EXPRESSION = re.compile(r"(\+\+|--|\*)?[A-Za-z_]\w*(\s*(::|\.|->)\s*~?[A-Za-z_]\w*|\s*\[[^\];]*\])*\s*"
                        r"(\(|=(?!=)|\+=|-=|\*=|/=|%=|&=|\|=|\^=|<<=|>>=|\+\+|--)")
KEYWORDS = {"return", "break", "continue", "goto", "throw", "case", "default", "if", "for", "while", "do",
            "switch", "else", "using", "typedef", "static_assert", "namespace", "template", "static", "const",
            "constexpr", "auto", "struct", "class", "enum", "delete", "new", "sizeof", "alignas", "thread_local"}
QUALIFIERS = re.compile(r"(\s*\b(const|noexcept|override|final|mutable)\b)*\s*$")


@dataclass
class Fault:
    id: str
    file: str
    line: int
    function: str
    rule: str
    start: int  # offset in the file's text
    end: int
    replacement: str
    original: str

    def note(self):
        shown = " ".join(self.original.split())
        shown = shown if len(shown) <= 60 else shown[:57] + "..."
        return f"line {self.line} in {self.function}: {self.rule}: `{shown}` -> `{self.replacement}`"

    def signature(self, text):
        """What identifies the fault when lines move: file, the line's text, the rule and the change."""
        line = text.splitlines()[self.line - 1]
        # One line each, whatever the statement spans.
        return "\t".join(" ".join(part.split()) for part in (self.file, line, self.rule, self.original, self.replacement))


def blank(text):
    """text with comments, string and character literals and preprocessor
    lines turned into spaces, newlines and offsets kept."""
    out = list(text)
    i, n = 0, len(text)
    at_line_start = True

    def wipe(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if at_line_start and c == "#":
            j = i
            while True:
                j = text.find("\n", j)
                if j < 0:
                    j = n
                    break
                if text[j - 1] != "\\":
                    break
                j += 1
            wipe(i, j)
            i = j
            continue
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if not c.isspace():
            at_line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            wipe(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            wipe(i, j)
            i = j
        elif c == "R" and text.startswith('R"', i) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            close = text.index("(", i)
            delimiter = ")" + text[i + 2:close] + '"'
            j = text.index(delimiter, close) + len(delimiter)
            wipe(i, j)
            i = j
        elif c in "\"'":
            if c == "'" and i and text[i - 1].isalnum():  # a digit separator
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            wipe(i, j + 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def holds(condition):
    """Whether an #if condition holds in the measured build; one it cannot
    read (anything beyond defined(), !, && and ||) is taken to hold."""
    expression = re.sub(r"defined\s*\(?\s*(\w+)\s*\)?", lambda m: str(m.group(1) in DEFINED), condition)
    expression = expression.replace("&&", " and ").replace("||", " or ").replace("!", " not ")
    try:
        return bool(eval(expression, {"__builtins__": {}}, {"True": True, "False": False}))
    except Exception:
        return True


def kept_lines(text):
    """For each line (index 0 is line 1), whether the measured build compiles it."""
    kept = []
    stack = []  # per open #if: (whether a branch of it was taken, whether this branch is)
    for line in text.splitlines():
        m = DIRECTIVE.match(line)
        if m:
            word, rest = m.group(1), m.group(2).split("//")[0].strip()
            if word in ("if", "ifdef", "ifndef"):
                now = holds(rest if word == "if" else f"{'' if word == 'ifdef' else '!'}defined({rest})")
                stack.append((now, now))
            elif word in ("elif", "else") and stack:
                taken, _ = stack.pop()
                now = not taken and (word == "else" or holds(rest))
                stack.append((taken or now, now))
            elif word == "endif" and stack:
                stack.pop()
        kept.append(all(now for _, now in stack))
    return kept


def matching(code, open_at, opening="(", closing=")"):
    depth = 0
    for i in range(open_at, len(code)):
        if code[i] == opening:
            depth += 1
        elif code[i] == closing:
            depth -= 1
            if depth == 0:
                return i
    return -1


def function_name(header):
    found = re.search(r"(operator\s*\(\)|operator\s*\S+?|~?[A-Za-z_][\w:~]*)\s*\(", header)
    if not found or found.group(1) in KEYWORDS:
        return "(lambda)"
    return re.sub(r"\s+", "", found.group(1))


def function_bodies(code):
    """(name, first offset inside the braces, offset of the closing brace) of
    every function body outside other functions."""
    bodies = []
    stack = []  # kinds of the open braces: "function", "inner" or "scope"
    statement_start = 0
    i = 0
    while i < len(code):
        c = code[i]
        if c == "{":
            if any(kind != "scope" for kind in stack):
                stack.append("inner")
            else:
                header = code[statement_start:i]
                is_function = QUALIFIERS.sub("", header).endswith((")", "]"))
                if is_function and not re.search(r"\b(namespace|struct|class|enum|union)\b[^()]*$", header):
                    close = matching(code, i, "{", "}")
                    bodies.append((function_name(header), i + 1, close))
                    stack.append("function")
                else:
                    stack.append("scope")
            statement_start = i + 1
        elif c == "}":
            if stack:
                stack.pop()
            statement_start = i + 1
        elif c == ";" and not any(kind != "scope" for kind in stack):
            statement_start = i + 1
        i += 1
    return bodies


def statement_end(code, start, limit):
    """Offset just past the ';' that ends the statement beginning at start."""
    depth = 0
    for i in range(start, limit):
        if code[i] in "([{":
            depth += 1
        elif code[i] in ")]}":
            depth -= 1
            if depth < 0:
                return -1
        elif code[i] == ";" and depth == 0:
            return i + 1
    return -1


def candidates_in(path, relative):
    text = path.read_text(encoding="utf-8")
    code = blank(text)
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]

    def line_of(offset):
        low, high = 0, len(line_starts) - 1
        while low < high:
            middle = (low + high + 1) // 2
            if line_starts[middle] <= offset:
                low = middle
            else:
                high = middle - 1
        return low + 1

    found = []
    kept = kept_lines(text)

    def add(function, rule, start, end, replacement):
        line = line_of(start)
        if kept[line - 1]:
            found.append(Fault("", relative, line, function, rule, start, end, replacement, text[start:end]))

    for function, body_start, body_end in function_bodies(code):
        body = code[body_start:body_end]
        for m in COMPARISON.finditer(body):
            start, end = body_start + m.start(), body_start + m.end()
            add(function, "relational", start, end, TURNED[m.group(1)])
            if m.group(1) in MOVED:
                add(function, "boundary", start, end, MOVED[m.group(1)])
        for m in CONDITION.finditer(body):
            open_at = body_start + m.end() - 1
            close = matching(code, open_at)
            if close < 0 or close > body_end:
                continue
            inside = code[open_at + 1:close]
            start = open_at + 1
            if m.group(1) == "for":
                parts = inside.split(";")
                if len(parts) != 3 or not parts[1].strip():
                    continue
                start += len(parts[0]) + 1
                end = start + len(parts[1])
            else:
                semicolon = inside.rfind(";")  # an init-statement: the condition follows it
                if semicolon >= 0:
                    start += semicolon + 1
                end = close
            while start < end and text[start].isspace():
                start += 1
            while end > start and text[end - 1].isspace():
                end -= 1
            condition = text[start:end]
            if m.group(1) == "if":
                add(function, "condition", start, end, f"({condition}) || true")
            add(function, "condition", start, end, f"({condition}) && false")
        # Statements that begin a line after the end of another statement,
        # a brace, a label, an else or the condition of a statement.
        for m in re.finditer(r"(?m)^[ \t]*(\S)", body):
            start = body_start + m.start(1)
            before = code[:start].rstrip()
            if not before or before[-1] not in ";{}:)" and not before.endswith("else"):
                continue
            if before.endswith("::") or code.startswith("case", start) or code.startswith("default", start):
                continue
            end = statement_end(code, start, body_end)
            if end < 0:
                continue
            statement = code[start:end]
            word = re.match(r"[A-Za-z_]\w*", statement)
            if re.fullmatch(r"(return|break|continue)\s*;", statement):
                add(function, "statement", start, end, "{}")
            elif (not word or word.group(0) not in KEYWORDS) and EXPRESSION.match(statement):
                add(function, "statement", start, end, "{}")
        for m in LITERAL.finditer(body):
            start, end = body_start + m.start(1), body_start + m.end(1)
            digits = m.group(1)
            base = 16 if digits[:2].lower() == "0x" else 8 if len(digits) > 1 and digits[0] == "0" else 10
            value = int(digits, base)
            changed = 0 if value == 1 else value + 1
            written = {16: hex(changed), 8: "0" + format(changed, "o"), 10: str(changed)}[base]
            add(function, "constant", start, end, written)
        for m in BOOLEAN.finditer(body):
            start, end = body_start + m.start(), body_start + m.end()
            add(function, "constant", start, end, "false" if m.group(1) == "true" else "true")
    return found


def source_files(root):
    return sorted(p for p in (root / "src").rglob("*") if p.suffix in (".cpp", ".h")
                  and not EXCLUDED.search(p.relative_to(root).as_posix()))


def all_candidates(root):
    faults = []
    for path in source_files(root):
        faults.extend(candidates_in(path, path.relative_to(root).as_posix()))
    return faults


def sources_digest(root):
    digest = hashlib.sha256()
    for path in source_files(root):
        digest.update(path.relative_to(root).as_posix().encode() + b"\0" + path.read_bytes())
    return digest.hexdigest()[:16]


def shuffled(root, seed):
    """Every candidate, in the order a seeded shuffle gives, numbered."""
    faults = all_candidates(root)
    random.Random(seed).shuffle(faults)
    for number, fault in enumerate(faults, 1):
        fault.id = f"M{number:04d}"
    return faults


def mutated(fault, text):
    return text[:fault.start] + fault.replacement + text[fault.end:]


KEYS = ("file", "line", "rule", "from", "to", "reason")


def read_equivalents(path):
    """Signature -> reason, from blocks of 'key: value' lines (file, line,
    rule, from, to, reason), blocks apart by a blank line."""
    known = {}
    if not path.is_file():
        return known
    block = {}
    for raw in path.read_text(encoding="utf-8").splitlines() + [""]:
        if raw.startswith("#"):
            continue
        if not raw.strip():
            if block:
                known["\t".join(block.get(k, "") for k in KEYS[:5])] = block.get("reason", "")
            block = {}
            continue
        key, _, value = raw.partition(": ")
        block[key] = value
    return known
