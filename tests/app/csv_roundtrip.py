#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The history written out as CSV reads back through Python's csv module field for field, as
# spreadsheet programs read it: UTF-8 with a byte-order mark, RFC 4180 quoting, CR LF line ends.
#
#   csv_roundtrip.py <csv_history_writer>
import csv
import json
import pathlib
import subprocess
import sys
import tempfile

with tempfile.TemporaryDirectory() as folder:
    folder = pathlib.Path(folder)
    subprocess.run([sys.argv[1], str(folder)], check=True)
    for name in ("history", "awkward"):
        raw = (folder / f"{name}.csv").read_bytes()
        assert raw.startswith(b"\xef\xbb\xbf"), f"{name}: no byte-order mark"
        with open(folder / f"{name}.csv", encoding="utf-8-sig", newline="") as text:
            read = list(csv.reader(text, strict=True))
        expected = json.loads((folder / f"{name}.json").read_text(encoding="utf-8"))
        assert read == expected, f"{name}: read back\n{read}\nwritten\n{expected}"
        # Every line ends with CR LF: the line ends outside quotes are exactly one per line.
        outside = "".join(part for k, part in enumerate(raw.decode("utf-8-sig").split('"'))
                          if k % 2 == 0)
        assert outside.count("\r\n") == len(expected), f"{name}: not one CR LF per line"
        assert outside.replace("\r\n", "").count("\n") == 0, f"{name}: a bare line feed"
    print("csv round trip: ok")
