# The rows of bench_workbook written by python3-xlsxwriter in constant-memory
# mode, with the same number formats and the same split into sheets.
#   /usr/bin/python3 write_rows.py <records> <workbook.xlsx>
import datetime
import os
import sys

import xlsxwriter

SHEET_ROWS = 1048575
NAMES = ["Date", "Time", "Millitm", "Tag", "Status", "Value"]

records, path = int(sys.argv[1]), sys.argv[2]
book = xlsxwriter.Workbook(path, {"constant_memory": True, "tmpdir": os.path.dirname(os.path.abspath(path))})
date = book.add_format({"num_format": "mm\\/dd\\/yyyy"})
time = book.add_format({"num_format": "hh:mm:ss"})
whole = book.add_format({"num_format": "0"})
value = book.add_format({"num_format": "0.00000000"})


def start_sheet(number):
    sheet = book.add_worksheet("Records" if number == 1 else "Records %d" % number)
    sheet.write_row(0, 0, NAMES)
    sheet.freeze_panes(1, 0)
    return sheet


sheet, number, row = start_sheet(1), 1, 0
for i in range(records):
    if row == SHEET_ROWS:
        sheet.autofilter(0, 0, row, len(NAMES) - 1)
        number += 1
        sheet, row = start_sheet(number), 0
    row += 1
    group = i // 10
    second = group // 4
    day = second // 86400
    sheet.write_datetime(row, 0, datetime.datetime(2024, 12, 31) if day == 0
                         else datetime.datetime(2025, 1, day % 31 + 1), date)
    sheet.write_datetime(row, 1, datetime.time(second // 3600 % 24, second // 60 % 60, second % 60), time)
    sheet.write_number(row, 2, group % 4 * 250, whole)
    sheet.write_string(row, 3, "Tag%d" % (i % 10))
    sheet.write_string(row, 4, "0")
    sheet.write_number(row, 5, ((i * 7919) & 0xFFFFFFFF) % 100000 / 64.0 - 500.0, value)
sheet.autofilter(0, 0, row, len(NAMES) - 1)
book.close()
