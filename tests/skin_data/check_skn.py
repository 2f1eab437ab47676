#!/usr/bin/env python3
"""Reads .skn files with Python's own zlib and struct, independently of the
skin engine, and checks their layout: header, one whole zlib stream, kind 2,
the five main picture entries, the further pictures as BMP images whose
lengths agree with their headers, and a description of CR LF lines."""
import struct
import sys
import zlib


def check_bmp(data, at, where):
    if data[at:at + 2] != b"BM":
        raise SystemExit(f"{where}: no BMP image at {at}")
    size, _, _, off = struct.unpack_from("<IHHI", data, at + 2)
    hsize, w, h, planes, bits = struct.unpack_from("<IiiHH", data, at + 14)
    if hsize < 40 or w <= 0 or h == 0 or planes != 1 or bits not in (1, 4, 8, 16, 24, 32):
        raise SystemExit(f"{where}: bad BMP header at {at}")
    stride = (w * bits + 31) // 32 * 4
    if off + stride * abs(h) > size or at + size > len(data):
        raise SystemExit(f"{where}: BMP image at {at} longer than its size")
    return at + size


def check(path):
    raw = open(path, "rb").read()
    version, n = struct.unpack_from("<ii", raw, 0)
    if version != 2 or n != len(raw) - 8:
        raise SystemExit(f"{path}: header {version}, {n} for {len(raw)} bytes")
    d = zlib.decompressobj()
    plain = d.decompress(raw[8:])
    if not d.eof or d.unused_data:
        raise SystemExit(f"{path}: the block is not exactly one zlib stream")
    kind, = struct.unpack_from("<i", plain, 0)
    if kind != 2:
        raise SystemExit(f"{path}: kind {kind}")
    at = 4
    for i in range(5):
        flag = plain[at]
        at += 1
        if flag == 0:
            at = check_bmp(plain, at, f"{path} main picture {i}")
    count, = struct.unpack_from("<i", plain, at)
    at += 4
    for i in range(count):
        at = check_bmp(plain, at, f"{path} active picture {i}")
    text = plain[at:].decode("latin-1")
    if not text.endswith("\r\n") or "\n" in text.replace("\r\n", ""):
        raise SystemExit(f"{path}: description lines are not CR LF")
    lines = text.split("\r\n")
    for section in ("[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"):
        if section not in lines:
            raise SystemExit(f"{path}: no {section}")
    print(f"{path}: {len(raw)} bytes, {len(plain)} inflated, {count} further pictures, {len(lines)} lines")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        raise SystemExit("usage: check_skn.py FILE.skn...")
    for p in sys.argv[1:]:
        check(p)
