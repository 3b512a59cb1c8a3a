#!/usr/bin/env python3
"""Writes the benchmark's folder tree: 10 x 10 x 100 folders below the root,
ten files in every leaf and five in every folder above, about one name in
twenty junk by the default filters. Also writes names.txt beside the tree,
every file name once a line, for the filter benchmark.

Usage: make_tree.py ROOT
The tree is kept between runs; a stamp file says it is complete."""
import os
import random
import sys

VERSION = "tree-v1 10x10x100 leaf10 inner5 junk5"

WORDS = ["report", "photo", "setup", "readme", "invoice", "budget", "notes", "track", "movie", "library",
         "index", "module", "theme", "backup2021", "summary", "draft", "letter", "player", "driver", "sample"]
PLAIN_EXTENSIONS = [".txt", ".jpg", ".png", ".dll", ".exe", ".doc", ".pdf", ".html", ".js", ".css", ".dat",
                    ".ini", ".log", ".xml", ".json", ".bin", ".h", ".cpp", ".py", ".mp3", ".zip", ".xlsx"]
# Junk by the checked default filters.
JUNK_FORMS = ["{b}.tmp", "{B}.TMP", "~{b}.doc", "{b}.old", "{b}.chk", "{b}.dmp", "{b}.temp", "{b}.$$$",
              "{b}.err", "{b}.~1", "{b}._mp", "{b}.fnd", "{b}.xl$", "{b}.do~", "mscreate.dir", "~$ {b}.docx"]
# Caught by an include filter but protected by an exception, or only matched by
# an unchecked filter: not junk.
NEAR_MISSES = ["config.tmp", "Calendar.tmp", "{b}.bak", "{b}.gid", "Index.dat", "System.old"]


def file_name(rng, index):
    base = "%s_%05d" % (rng.choice(WORDS), index)
    roll = rng.random()
    if roll < 0.05:
        form = rng.choice(JUNK_FORMS)
    elif roll < 0.055:
        form = rng.choice(NEAR_MISSES)
    else:
        form = "{b}" + rng.choice(PLAIN_EXTENSIONS)
        if rng.random() < 0.1:
            form = form.upper()
    return form.format(b=base, B=base.upper())


def make(root):
    stamp = os.path.join(root, "stamp.txt")
    if os.path.exists(stamp) and open(stamp).read() == VERSION:
        return
    tree = os.path.join(root, "tree")
    if os.path.exists(tree):
        import shutil
        shutil.rmtree(tree)
    os.makedirs(tree)
    rng = random.Random(20240607)
    names = []
    counter = 0

    def fill(folder, count):
        nonlocal counter
        used = set()
        for _ in range(count):
            counter += 1
            name = file_name(rng, counter)
            while name.lower() in used:
                counter += 1
                name = file_name(rng, counter)
            used.add(name.lower())
            path = os.path.join(folder, name)
            with open(path, "wb") as f:
                f.truncate(rng.randint(1, 200000))
            names.append(name)

    for a in range(10):
        top = os.path.join(tree, "dir%02d" % a)
        os.mkdir(top)
        fill(top, 5)
        for b in range(10):
            middle = os.path.join(top, "sub%02d" % b)
            os.mkdir(middle)
            fill(middle, 5)
            for c in range(100):
                leaf = os.path.join(middle, "leaf%03d" % c)
                os.mkdir(leaf)
                fill(leaf, 10)
    with open(os.path.join(root, "names.txt"), "w", encoding="latin-1") as f:
        f.write("\n".join(names) + "\n")
    with open(stamp, "w") as f:
        f.write(VERSION)


if __name__ == "__main__":
    make(sys.argv[1])
