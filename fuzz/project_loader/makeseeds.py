#!/usr/bin/env python3
"""Writes small project files of versions 102 to 105 into seeds/ (run once; the files are kept)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def t(text):
    data = text.encode("cp932")
    return struct.pack("<H", len(data)) + data


def f(value):
    return struct.pack("<f", value)


def project(version):
    software = b"TrimbleTotalControlSupportData" if version == 102 else b"Trimble Total Control 2.71    "
    out = software + struct.pack("<h", version) + f(3) + f(2) + f(3)
    out += b"".join(t(x) for x in ["30", "15", "4", "放送暦", "GRS80", "L1+L2", "Static"])
    point_texts = 8 if version >= 104 else 7
    for i, (start, end) in enumerate([(1, 2), (1, 3)], 1):
        out += t("S%d" % i) + t("2023/4/1 9:00:00") + t("2023/4/1 11:00:00")
        out += b"".join(t("p%d" % k) for k in range(point_texts)) + f(start)
        out += b"".join(t("q%d" % k) for k in range(point_texts)) + f(end)
        out += b"".join(t("%d.%03d" % (i, k)) for k in range(26))
        if version >= 105:
            out += t("4") + t("L1+L2") + t("Static") + t("15")
    for i in range(1, 4):
        out += t("P%d" % i) + t("筑波山") + t("R") + t("R-1") + t("A") + t("A-1") + t("1.500")
        out += t("2023/4/1 9:00:00") + t("2023/4/1 11:00:00") + f(1) + f(3)
        if version >= 105:
            out += t("15")
    for i in range(1, 4):
        out += struct.pack("<I", 0) + t("G%02d" % i) + t("0") + t("*" * 91) + t(" " * 91)
    return out


for v in (102, 103, 104, 105):
    with open(os.path.join(HERE, "seeds", "version%d.dat" % v), "wb") as fh:
        fh.write(project(v))
