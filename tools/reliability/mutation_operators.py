"""The mutation operators of tools/reliability/mutation-check.sh.

Each operator is a rule applied to every eligible line of a C++ source: a
line of code (not a comment, preprocessor line, text literal table or
compile-time assertion), with string and character literals and trailing
comments left alone. A mutant replaces exactly one line.

    negate          if (C) / while (C) / return C;  ->  !(C)
    drop-condition  if (C)  ->  if (true)     (the guarded code always runs)
    drop-operand    A && B / A || B inside a condition  ->  A, or B
    logic           &&  <->  ||
    boundary        <  <->  <=,  >  <->  >=
    equality        ==  <->  !=
    constant        an integer literal, or a named numeric constant, off by one
    mask            a hex literal with its lowest set bit cleared, or its lowest clear bit set
    drop-statement  a whole one-line statement (a call, an assignment, ...) removed
    early-return    a void or bool function returns at once (bool: false, and true)
"""

import re
from dataclasses import dataclass


@dataclass(frozen=True)
class Mutant:
    path: str  # relative to the repository
    line: int  # 0-based index into the file's lines
    operator: str
    original: str
    mutated: str

    @property
    def key(self):
        """What the list of equivalent survivors names: the file, the line and what it became."""
        return (self.path, self.original.strip(), self.mutated.strip())


_SKIP_LINE = re.compile(r"^\s*(#|//|static_assert|namespace\b|using\b|template\b|\}|case\b.*:\s*$|default:)")
_TEXT_TABLE = re.compile(r"CP1250\(")
_DATA_ROW = re.compile(r"[\s{},;0-9A-Fa-fxXuUlL]*")  # a row of a table of numbers (code pages, GUIDs): data, not logic
_INTEGER = re.compile(r"(?<![\w.])(0[xX][0-9A-Fa-f]+|\d+)([uU]?[lL]{0,2})(?![\w.'])")
_IDENT_CHAIN = re.compile(r"(?<![\w:.>])((?:\w+::)*)([A-Za-z_]\w*)")
_DECLARATION = re.compile(
    r"(?:(?:const|constexpr|static|auto|unsigned|signed|inline|virtual|explicit|friend|mutable|struct|class|enum)\s+)*"
    r"[\w:<>,]+(?:\s*[\*&])?\s+[\*&]?\w+")
_KEYWORDS = {"if", "for", "while", "else", "return", "delete", "switch", "case", "do", "goto", "break", "continue",
             "throw", "new"}
_FUNCTION = re.compile(r"^(?:static |inline )?(void|bool) [\w:~]+\(.*\)(?: const)?(?: override)? \{$")


def masked(line):
    """The line with string and character literals and a trailing comment
    blanked out (same length), so operators only match code."""
    out = []
    i = 0
    n = len(line)
    while i < n:
        c = line[i]
        if c == "/" and i + 1 < n and line[i + 1] == "/":
            out.append(" " * (n - i))
            break
        if c in "\"'":
            quote = c
            j = i + 1
            while j < n and line[j] != quote:
                j += 2 if line[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(quote + "_" * max(0, j - i - 2) + (quote if j - i >= 2 else ""))
            i = j
            continue
        out.append(c)
        i += 1
    return "".join(out)[:n]


def _matching_paren(code, open_at):
    depth = 0
    for i in range(open_at, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def _top_level_operands(code, start, end):
    """Spans of the operands of && / || at the top level of code[start:end]."""
    spans = []
    depth = 0
    begin = start
    i = start
    while i < end:
        c = code[i]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif depth == 0 and code.startswith((" && ", " || "), i):
            spans.append((begin, i))
            begin = i + 4
            i += 4
            continue
        i += 1
    spans.append((begin, end))
    return spans


def _conditions(code):
    """(start, end) of each one-line condition of if/while, inside its parentheses."""
    for match in re.finditer(r"\b(if|while) \(", code):
        open_at = match.end() - 1
        close_at = _matching_paren(code, open_at)
        if close_at > open_at:
            yield open_at + 1, close_at


def _replace(line, start, end, text):
    return line[:start] + text + line[end:]


def _is_statement(code, previous):
    stripped = code.strip()
    if not stripped.endswith(";") or stripped.count("(") != stripped.count(")"):
        return False
    if previous and not (previous.endswith((";", "{", "}", ":", ")")) or previous == "else"):
        return False
    first = re.match(r"[\w:~*&+\-]+", stripped)
    if first is None or first.group(0) in ("return", "break", "continue", "case", "default", "using", "typedef"):
        return False
    if first.group(0) in _KEYWORDS:
        return True  # a whole one-line if, for or while
    head = re.split(r"[(=;\[{]", stripped, maxsplit=1)[0].strip()
    return _DECLARATION.fullmatch(head) is None


def mutants_of(path, lines, numeric_constants):
    """Every mutant of one file's lines."""
    found = []
    in_block_comment = False
    previous = ""

    def add(index, operator, text):
        if text != lines[index]:
            found.append(Mutant(path, index, operator, lines[index], text))

    for index, line in enumerate(lines):
        stripped = line.strip()
        if in_block_comment:
            in_block_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if not stripped or _SKIP_LINE.match(line) or _TEXT_TABLE.search(line):
            if stripped and not stripped.startswith("//"):
                previous = masked(stripped).strip()
            continue
        code = masked(line)
        if _DATA_ROW.fullmatch(code):
            continue

        for start, end in _conditions(code):
            add(index, "negate", _replace(line, start, end, "!(" + line[start:end] + ")"))
            operands = _top_level_operands(code, start, end)
            if len(operands) == 1 and code[start - 4:start - 2] == "if":
                add(index, "drop-condition", _replace(line, start, end, "true"))
            if len(operands) > 1:
                first, last = operands[0][0], operands[-1][1]
                for k, (a, b) in enumerate(operands):
                    # The operand goes with the operator before it (after it, for the first).
                    kept = line[operands[1][0]:last] if k == 0 else line[first:operands[k - 1][1]] + line[b:last]
                    add(index, "drop-operand", _replace(line, start, end, kept))
        ret = re.match(r"(\s*return )(.+);$", code)
        if ret and re.search(r" (==|!=|<=|>=|<|>|&&|\|\|) ", ret.group(2)):
            add(index, "negate", ret.group(1) + "!(" + line[ret.end(1):ret.end(2)] + ");" + line[ret.end():])

        for match in re.finditer(r" (&&|\|\|) ", code):
            other = " || " if match.group(1) == "&&" else " && "
            add(index, "logic", _replace(line, match.start(), match.end(), other))
        for match in re.finditer(r" (<=|>=|<|>) ", code):
            swap = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}[match.group(1)]
            add(index, "boundary", _replace(line, match.start(), match.end(), " " + swap + " "))
        for match in re.finditer(r" (==|!=) ", code):
            add(index, "equality", _replace(line, match.start(), match.end(), " != " if match.group(1) == "==" else " == "))

        for match in _INTEGER.finditer(code):
            digits, suffix = match.group(1), match.group(2)
            hexadecimal = digits.lower().startswith("0x")
            value = int(digits, 16 if hexadecimal else 10)
            for changed in (value + 1, value - 1):
                if changed < 0:
                    continue
                text = ("0x%0*X" % (len(digits) - 2, changed) if hexadecimal else str(changed)) + suffix
                add(index, "constant", _replace(line, match.start(), match.end(), text))
            if hexadecimal and value != 0:
                lowest_set = value & -value
                lowest_clear = ~value & (value + 1)
                for changed in (value & ~lowest_set, value | lowest_clear):
                    text = "0x%0*X%s" % (len(digits) - 2, changed, suffix)
                    add(index, "mask", _replace(line, match.start(), match.end(), text))
        for match in _IDENT_CHAIN.finditer(code):
            name = match.group(2)
            after = code[match.end():].lstrip()
            if name not in numeric_constants or after.startswith(("=", "(", "[", "{", "::")) and not after.startswith("=="):
                continue
            add(index, "constant", _replace(line, match.start(), match.end(), "(" + line[match.start():match.end()] + " + 1)"))

        if _is_statement(code, previous):
            indent = line[:len(line) - len(line.lstrip())]
            add(index, "drop-statement", indent + ";")
        function = _FUNCTION.match(line)
        if function:
            returns = ["return;"] if function.group(1) == "void" else ["return false;", "return true;"]
            for value in returns:
                add(index, "early-return", line + " " + value)
        previous = code.strip()
    return found


def numeric_constants_in(sources):
    """Names of the integer constants the sources define (k... and the
    Windows names of the platform's types), the ones the constant operator
    moves off by one where they are used."""
    names = set()
    pattern = re.compile(r"constexpr [\w:]+ (\w+) = (?:0[xX][0-9A-Fa-f]+|\d+)[uU]?[lL]{0,2};")
    for text in sources:
        names.update(pattern.findall(text))
    return names
