"""The string and character literals of C++ sources, for the tools that
read the game's texts (cp932-literals, subset-fonts)."""


def pieces(source):
    """Splits a C++ source into (text, quote, narrow) pieces that join back
    into it: code and comments as they are (quote None), and each string or
    character literal's body between its quotes as written, escapes kept;
    narrow is False for u8, u, U and L literals. A quote after a letter or
    digit is a digit separator (1'000), not a literal."""
    i, start, n = 0, 0, len(source)
    while i < n:
        c = source[i]
        if source.startswith("//", i):
            end = source.find("\n", i)
            i = n if end < 0 else end
        elif source.startswith("/*", i):
            end = source.find("*/", i + 2)
            i = n if end < 0 else end + 2
        elif c == '"' or (c == "'" and not (i > 0 and (source[i - 1].isalnum() or source[i - 1] == "_"))):
            j = i + 1
            while j < n and source[j] != c:
                if source[j] == "\\":
                    j += 1
                elif source[j] == "\n":
                    raise SystemExit("unterminated literal at offset %d" % i)
                j += 1
            if start < i:
                yield source[start:i], None, False
            yield source[i + 1:j], c, not (i > 0 and source[i - 1] in "8uUL")
            i = start = j + 1
        else:
            i += 1
    if start < n:
        yield source[start:], None, False
