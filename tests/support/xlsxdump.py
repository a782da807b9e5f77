#!/usr/bin/python3
"""Prints a workbook as JSON, read with openpyxl: for every sheet its name,
the widths of columns A.., and every non-empty cell with its value, type,
alignment, border and fill. Used by the tests to read workbooks back."""
import json
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def cell_info(cell):
    return {
        "value": cell.value,
        "type": type(cell.value).__name__,
        "horizontal": cell.alignment.horizontal,
        "vertical": cell.alignment.vertical,
        "border": [cell.border.left.style, cell.border.right.style,
                   cell.border.top.style, cell.border.bottom.style],
        "fill": cell.fill.fill_type,
        "fillColor": cell.fill.fgColor.rgb if cell.fill.fill_type else None,
    }


def main(path):
    book = openpyxl.load_workbook(path)
    sheets = []
    for sheet in book.worksheets:
        widths = {}
        for col in range(1, sheet.max_column + 1):
            dim = sheet.column_dimensions.get(get_column_letter(col))
            widths[col] = dim.width if dim is not None and dim.customWidth else None
        rows = []
        for row in sheet.iter_rows(min_row=1, max_row=sheet.max_row):
            rows.append([cell_info(c) for c in row])
        sheets.append({"name": sheet.title, "maxRow": sheet.max_row,
                       "maxColumn": sheet.max_column, "widths": widths, "rows": rows})
    json.dump({"sheets": sheets}, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
