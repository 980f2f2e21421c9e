#!/usr/bin/env python3
"""Writes the pattern search bench input from the corpus, the same on every run.

  bench/pattern-games.py CORPUS OUT [COUNT]

OUT/games-NN.sgf: collections of at most 1,999 games (one group each), COUNT games in all
(default 25,600): the main lines of the corpus's 19-line games of 30 moves or more, in path order,
each turned and reflected in the eight ways of the board, round after round until COUNT.
OUT/positions/pNN.sgf: twenty positions from those games at moves 10 to 60 (as played, and turned).
Another program can read exactly the same files.
"""
import os
import sys

GROUP = 1999


def main_line(text):
    """The nodes of the first game tree's main line: each a list of (property, [values])."""
    nodes, i, depth, n = [], text.find('('), 0, len(text)
    if i < 0:
        return nodes
    done_first_branch = False
    while i < n:
        c = text[i]
        if c == '(':
            depth += 1
            if done_first_branch:
                # skip a later variation whole
                level, i = 1, i + 1
                while i < n and level:
                    if text[i] == '[':
                        i = skip_value(text, i)
                        continue
                    level += {'(': 1, ')': -1}.get(text[i], 0)
                    i += 1
                depth -= 1
                continue
            i += 1
        elif c == ')':
            depth -= 1
            done_first_branch = True
            if depth <= 0:
                break
            i += 1
        elif c == ';':
            done_first_branch = False
            node, i = [], i + 1
            while i < n:
                while i < n and text[i] in ' \t\r\n':
                    i += 1
                j = i
                while i < n and text[i].isalpha():
                    i += 1
                if i == j:
                    break
                name, values = text[j:i], []
                while True:
                    while i < n and text[i] in ' \t\r\n':
                        i += 1
                    if i >= n or text[i] != '[':
                        break
                    end = skip_value(text, i)
                    values.append(text[i + 1:end - 1])
                    i = end
                node.append((''.join(ch for ch in name if ch.isupper()), values))
            nodes.append(node)
        else:
            i += 1
    return nodes


def skip_value(text, i):
    """The position after the value that starts at the '[' at i."""
    i += 1
    while i < len(text) and text[i] != ']':
        i += 2 if text[i] == '\\' else 1
    return i + 1


def game_of(path):
    """(setup, moves) of a 19-line game's main line, or None."""
    with open(path, 'rb') as f:
        text = f.read().decode('latin-1')
    nodes = main_line(text)
    if not nodes:
        return None
    setup, moves = [], []
    for node in nodes:
        for name, values in node:
            if name == 'SZ' and values and values[0].strip() not in ('19', '19:19'):
                return None
            if name in ('AB', 'AW'):
                setup += [(name, v) for v in values if is_point(v)]
            if name in ('B', 'W') and values:
                moves.append((name, values[0] if is_point(values[0]) else ''))
    return (setup, moves) if len(moves) >= 30 else None


def is_point(v):
    return len(v) == 2 and 'a' <= v[0] <= 's' and 'a' <= v[1] <= 's'


def turned(v, s):
    if not v:
        return v
    x, y = ord(v[0]) - 97, ord(v[1]) - 97
    if s & 4:
        x, y = y, x
    if s & 1:
        x = 18 - x
    if s & 2:
        y = 18 - y
    return chr(97 + x) + chr(97 + y)


def sgf(name, setup, moves, s, upto=None):
    out = ['(;GM[1]FF[4]SZ[19]GN[%s]' % name]
    for prop in ('AB', 'AW'):
        points = [turned(v, s) for p, v in setup if p == prop]
        if points:
            out.append(prop + ''.join('[%s]' % p for p in points))
    for colour, v in moves[:upto]:
        out.append(';%s[%s]' % (colour, turned(v, s)))
    return ''.join(out) + ')\n'


def main():
    corpus, out = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 25600
    paths = []
    for root, _, files in os.walk(corpus):
        paths += [os.path.join(root, f) for f in files if f.lower().endswith('.sgf')]
    games = [g for g in (game_of(p) for p in sorted(paths)) if g]
    if not games:
        sys.exit('no 19-line games of 30 moves or more under ' + corpus)
    os.makedirs(os.path.join(out, 'positions'), exist_ok=True)
    written, chunk, collection = 0, 0, None
    while written < count:
        for s in range(8):
            for i, (setup, moves) in enumerate(games):
                if written == count:
                    break
                if written % GROUP == 0:
                    if collection:
                        collection.close()
                    chunk += 1
                    collection = open(os.path.join(out, 'games-%02d.sgf' % chunk), 'w')
                collection.write(sgf('bench %d' % (written + 1), setup, moves, (s + written // (8 * len(games))) % 8))
                written += 1
    collection.close()
    for k in range(20):
        setup, moves = games[(k * 37) % len(games)]
        move = 10 + (k * 5) % 51
        with open(os.path.join(out, 'positions', 'p%02d.sgf' % (k + 1)), 'w') as f:
            f.write(sgf('position %d at move %d' % (k + 1, move), setup, moves, k % 8, move))
    print('%d games from %d corpus games in %d files; 20 positions' % (written, len(games), chunk))


main()
