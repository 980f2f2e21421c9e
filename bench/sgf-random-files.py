#!/usr/bin/env python3
"""Writes random small SGF files for bench/record_dump: moves, passes, marks, labels, setup and
handicap stones, comments with answer tags, forks at every depth (also a fork as a variation's first
node), the family's old dialect and FF[4]. The same seed gives the same files, so two builds of the
reader can be compared record by record on them as on the corpus:

    bench/sgf-random-files.py /tmp/random 20000
    build/bench/record_dump /tmp/random > before.txt   (and after the change: diff)
"""
import os
import random
import sys

POINTS = ['aa', 'ab', 'bb', 'cc', 'dd', 'pp', 'dp', 'pd', 'tt', '']
HEADS = ['', 'HA[2]', 'FF[4]', 'AP[Tamarindo:Type=1,Flag=0]', 'AB[dd][pp]', 'AW[cc]', 'HA[3]AB[dd][pp][dp]']


def node(rnd):
    props = []
    if rnd.random() < 0.55:
        props.append(rnd.choice('BW') + '[' + rnd.choice(POINTS) + ']')
    for _ in range(rnd.randint(0, 3)):
        kind = rnd.choice(['TR', 'CR', 'SQ', 'MA', 'LB', 'LB', 'AB', 'AW', 'C', 'AE', 'PL'])
        if kind == 'LB':
            props.append('LB' + ''.join('[%s:%s]' % (rnd.choice(POINTS[:6]), rnd.choice(['A', 'a', '1', 'xy', '-']))
                                        for _ in range(rnd.randint(1, 3))))
        elif kind == 'C':
            props.append('C[%s]' % rnd.choice(['x', 'y', '!正解:ok', '&V:v', '']))
        elif kind == 'PL':
            props.append('PL[B]')
        else:
            props.append(kind + ''.join('[%s]' % rnd.choice(POINTS[:8]) for _ in range(rnd.randint(1, 3))))
    rnd.shuffle(props)
    return ';' + ''.join(props)


def tree(rnd, depth):
    text = '(' + ''.join(node(rnd) for _ in range(rnd.randint(0, 4)))
    if depth < 5:
        text += ''.join(tree(rnd, depth + 1) for _ in range(rnd.choice([0, 0, 1, 2, 3])))
    return text + ')'


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else 'random-sgf'
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
    rnd = random.Random(7)
    os.makedirs(folder, exist_ok=True)
    for i in range(count):
        head = rnd.choice(HEADS)
        body = tree(rnd, 0)
        # Half of the files open the game tree with a fork of their own.
        text = '(;' + head + body[1:] if rnd.random() < 0.5 else '(;' + head + body + ')'
        with open(os.path.join(folder, 'f%05d.sgf' % i), 'w', encoding='utf-8') as f:
            f.write(text)


if __name__ == '__main__':
    main()
