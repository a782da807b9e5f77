#!/usr/bin/python3
"""Prints a workbook read with openpyxl as JSON (see xlsxreader.h)."""
import json
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def cell_info(cell):
    border = cell.border
    return {"value": cell.value, "type": type(cell.value).__name__,
            "horizontal": cell.alignment.horizontal, "vertical": cell.alignment.vertical,
            "border": [border.left.style, border.right.style, border.top.style, border.bottom.style],
            "fill": cell.fill.fill_type,
            "fillColor": cell.fill.fgColor.rgb if cell.fill.fill_type else None}


def sheet_info(sheet):
    widths = {}
    for col in range(1, sheet.max_column + 1):
        dim = sheet.column_dimensions.get(get_column_letter(col))
        widths[col] = dim.width if dim is not None and dim.customWidth else None
    rows = [[cell_info(c) for c in row] for row in sheet.iter_rows(min_row=1, max_row=sheet.max_row)]
    return {"name": sheet.title, "maxRow": sheet.max_row, "maxColumn": sheet.max_column,
            "widths": widths, "rows": rows}


if __name__ == "__main__":
    # --values PATH OUT: a line per row, values tab-separated, each sheet's name before its first.
    if sys.argv[1] == "--values":
        with open(sys.argv[3], "w", encoding="utf-8") as out:
            for sheet in openpyxl.load_workbook(sys.argv[2], read_only=True).worksheets:
                print(sheet.title, end="\t", file=out)
                for row in sheet.iter_rows(values_only=True):
                    print(*row, sep="\t", file=out)
        sys.exit()
    book = openpyxl.load_workbook(sys.argv[1])
    json.dump({"sheets": [sheet_info(s) for s in book.worksheets]}, sys.stdout)
