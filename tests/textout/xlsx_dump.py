#!/usr/bin/env python3
"""Prints what a workbook holds, one line a cell or chart series, tab-separated:
S sheet | C row col n|s value | K sheet kind title series categories values (0-based rows)."""
import datetime
import sys

import openpyxl
from openpyxl.utils.datetime import to_excel

book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    print('S', sheet.title, sep='\t')
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            value = cell.value
            if isinstance(value, (datetime.datetime, datetime.date, datetime.time)):
                value = to_excel(value)  # times and dates as the serial numbers written
            kind = 'n' if isinstance(value, (int, float)) else 's'
            value = repr(float(value)) if kind == 'n' else str(value)
            print('C', cell.row - 1, cell.column - 1, kind, value.replace('\n', ' '), sep='\t')
    for chart in sheet._charts:
        title = ''.join(r.t for p in chart.title.tx.rich.p for r in (p.r or []))
        for series in chart.series:
            print('K', sheet.title, chart.tagname, title, series.tx.v,
                  series.cat.numRef.f, series.val.numRef.f, sep='\t')
