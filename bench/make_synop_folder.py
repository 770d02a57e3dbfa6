#!/usr/bin/env python3
"""Fills PROGRAM_FOLDER/SYNOP with 73 hourly bulletin files of about 1 MB
each for the window of --now (UTC, default 2023-01-17 14:30), to time
`kesmar-synop convert --now ...` in a folder whose DATA tables were built by
scripts/build-weather-tables. The reports use station numbers 10000-17999;
each file ends with late reports of the hour before (duplicates).

usage: bench/make_synop_folder.py PROGRAM_FOLDER [--now "YYYY-MM-DD HH:MM"]
"""
import datetime
import os
import sys


def hour_text(when, size, first):
    stamp = when.strftime("%d%H")
    out, station, message = [], first, 1
    length = 0
    while length < size:
        part = ["\x01\r\r\n%03d\r\r\nSMDL01 EDZW %s00\r\r\nAAXX %s1\r\r\n" % (message % 1000, stamp, stamp)]
        message += 1
        for _ in range(20):
            n = 10000 + station % 8000
            station += 1
            part.append("%05d 01597 7%02d%02d 1%04d 20%03d 39%03d 42%03d 5%04d 60021 78082 87300 333\r\r\n"
                        "4/000 55304 0//// 20643 3//// 69977 8%d8%02d 91003 91108=\r\r\n"
                        % (n, n % 36, n % 20, n % 300, n % 200, n % 1000, 600 + n % 100, n % 9000,
                           n % 8 + 1, n % 50))
        part.append("\x03")
        text = "".join(part)
        out.append(text)
        length += len(text)
    return "".join(out)


def main():
    args = sys.argv[1:]
    if not args:
        sys.exit(__doc__)
    folder = args[0]
    now = datetime.datetime(2023, 1, 17, 14, 30)
    if len(args) == 3 and args[1] == "--now":
        now = datetime.datetime.strptime(args[2], "%Y-%m-%d %H:%M")
    start = now.replace(minute=0) - datetime.timedelta(hours=72)
    synop = os.path.join(folder, "SYNOP")
    os.makedirs(synop, exist_ok=True)
    for i in range(73):
        hour = start + datetime.timedelta(hours=i)
        text = hour_text(hour, 900 * 1024, i * 1000)
        if i > 0:
            text += hour_text(hour - datetime.timedelta(hours=1), (1 << 20) - len(text), (i - 1) * 1000)
        with open(os.path.join(synop, hour.strftime("%Y%m%d%H") + "_syn.wmo"), "wb") as f:
            f.write(text.encode("ascii"))


if __name__ == "__main__":
    main()
