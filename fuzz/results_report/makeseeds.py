#!/usr/bin/env python3
# Packs a results report folder into one fuzzer input: the frame set report.htm first,
# then every other page as its file name, a LF and its bytes, the pages separated by NUL.
# usage: makeseeds.py REPORT_DIR OUT_FILE
import os
import sys

folder, out = sys.argv[1], sys.argv[2]
names = sorted(n for n in os.listdir(folder) if n != "report.htm")
parts = [open(os.path.join(folder, "report.htm"), "rb").read()]
for name in names:
    parts.append(name.encode("ascii") + b"\n" + open(os.path.join(folder, name), "rb").read())
open(out, "wb").write(b"\0".join(parts))
