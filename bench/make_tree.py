#!/usr/bin/env python3
"""Writes the benchmark's folder trees.

make_tree.py ROOT            ROOT/tree: 10 x 10 x 100 folders, ten files in
                             every leaf and five in every folder above, about
                             one name in twenty junk by the default filters;
                             and ROOT/names.txt, every file name once a line,
                             for the filter benchmark.
make_tree.py --million ROOT  ROOT/tree1m: 1,000,000 files, the same mix of
                             names, over 10 x 10 x 100 leaf folders of 36 to
                             156 files and four bulk folders of 10,000 files
                             (the longest stretch without a message drain);
                             ROOT/tree1m-junk.txt holds the number of junk
                             names written.

Both trees are kept between runs; a stamp file says a tree is complete. Files
are sparse: only their sizes are set."""
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


def file_name(rng, index, junk=None, junk_rate=0.05):
    base = "%s_%05d" % (rng.choice(WORDS), index)
    roll = rng.random()
    if roll < junk_rate:
        form = rng.choice(JUNK_FORMS)
        if junk is not None:
            junk.append(True)
    elif roll < junk_rate + 0.005:
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


MILLION_VERSION = "tree1m-v1 10x10x100 leaves 96+-60 bulk 4x10000 junk5.09"
MILLION_LEAF_FILES = 96
# A little above one in twenty, for some 50,000 junk names.
MILLION_JUNK_RATE = 0.0509
MILLION_BULK = [(a, 10000) for a in (1, 4, 6, 9)]


def make_million(root):
    stamp = os.path.join(root, "stamp1m.txt")
    if os.path.exists(stamp) and open(stamp).read() == MILLION_VERSION:
        return
    tree = os.path.join(root, "tree1m")
    if os.path.exists(tree):
        import shutil
        shutil.rmtree(tree)
    os.makedirs(tree)
    rng = random.Random(20240611)
    junk = []
    counter = 0
    files = 0

    def fill(folder, count):
        nonlocal counter, files
        used = set()
        for _ in range(count):
            counter += 1
            marks = len(junk)
            name = file_name(rng, counter, junk, MILLION_JUNK_RATE)
            while name.lower() in used:
                del junk[marks:]
                counter += 1
                name = file_name(rng, counter, junk, MILLION_JUNK_RATE)
            used.add(name.lower())
            fd = os.open(os.path.join(folder, name), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
            os.ftruncate(fd, rng.randint(1, 200000))
            os.close(fd)
        files += count

    for a in range(10):
        top = os.path.join(tree, "dir%02d" % a)
        os.mkdir(top)
        for b in range(10):
            middle = os.path.join(top, "sub%02d" % b)
            os.mkdir(middle)
            for c in range(0, 100, 2):
                # Leaves in pairs of 96 + d and 96 - d files.
                d = rng.randint(0, 60)
                for offset, count in ((0, MILLION_LEAF_FILES + d), (1, MILLION_LEAF_FILES - d)):
                    leaf = os.path.join(middle, "leaf%03d" % (c + offset))
                    os.mkdir(leaf)
                    fill(leaf, count)
    for a, count in MILLION_BULK:
        bulk = os.path.join(tree, "dir%02d" % a, "bulk")
        os.mkdir(bulk)
        fill(bulk, count)
    assert files == 1000000, files
    with open(os.path.join(root, "tree1m-junk.txt"), "w") as f:
        f.write("%d\n" % len(junk))
    with open(stamp, "w") as f:
        f.write(MILLION_VERSION)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--million":
        make_million(sys.argv[2])
    else:
        make(sys.argv[1])
