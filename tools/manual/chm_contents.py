#!/usr/bin/env python3
"""Lists the names stored in a compiled HTML Help file, one a line.

Reads only the file's directory (the ITSF header, the ITSP directory header
and its listing chunks), so it needs nothing beyond the standard library.
"""
import struct
import sys


def encint(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def names(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"ITSF":
        raise ValueError(f"{path}: not a compiled help file")
    directory = struct.unpack_from("<Q", data, 0x48)[0]
    if data[directory:directory + 4] != b"ITSP":
        raise ValueError(f"{path}: no directory")
    header_length, = struct.unpack_from("<I", data, directory + 0x08)
    chunk_size, = struct.unpack_from("<I", data, directory + 0x10)
    chunk, = struct.unpack_from("<i", data, directory + 0x20)
    found = []
    seen = set()
    while chunk != -1 and chunk not in seen:
        seen.add(chunk)
        start = directory + header_length + chunk * chunk_size
        if data[start:start + 4] != b"PMGL":
            raise ValueError(f"{path}: chunk {chunk} is not a listing chunk")
        free, = struct.unpack_from("<I", data, start + 4)
        following, = struct.unpack_from("<i", data, start + 0x10)
        pos, end = start + 0x14, start + chunk_size - free
        while pos < end:
            length, pos = encint(data, pos)
            name = data[pos:pos + length].decode("utf-8", "replace")
            pos += length
            for _ in range(3):  # section, offset, length
                _, pos = encint(data, pos)
            found.append(name)
        chunk = following
    return found


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: chm_contents.py FILE.chm")
    for entry in names(sys.argv[1]):
        print(entry)
