"""The workbook and the database the program writes, read by openpyxl and by
Python's sqlite3, against its CSV of the same input read by pandas: every
input format, both CSV forms, cell by cell."""

import datetime
import math
import sqlite3

import openpyxl
import pytest

from conftest import run_logora
from test_read import CASES, filled, program_csv


def csv_date(text):
    """The CSV's date ("03/29/2026", the C locale's form) as a date."""
    return datetime.datetime.strptime(text, "%m/%d/%Y").date()


def csv_date_time(text):
    return datetime.datetime.strptime(text, "%m/%d/%Y %H:%M:%S")


def same_number(value, text):
    # A sheet keeps 16 significant digits of a number, a database all of them.
    expected = float(text)
    return value == expected or math.isclose(value, expected, rel_tol=1e-15)


def workbook_cell_matches(value, text):
    text = text.strip() if not isinstance(value, str) else text
    if value is None:
        return text.strip() == ""
    if isinstance(value, bool):
        return False
    if isinstance(value, (int, float)):
        return same_number(value, text)
    if isinstance(value, datetime.datetime):
        if " " in text:
            return value == csv_date_time(text)
        return value.time() == datetime.time() and value.date() == csv_date(text)
    if isinstance(value, datetime.time):
        return value == datetime.time.fromisoformat(text)
    return value == text


def database_cell_matches(value, declared, text):
    if value is None:
        return text.strip() == ""
    if isinstance(value, (int, float)):
        return same_number(value, text)
    stripped = text.strip()
    if declared == "TEXT" and value != text:
        # Dates and times are ISO 8601 text; a text that is none stays as the CSV has it.
        for read, form in ((csv_date, "%Y-%m-%d"), (csv_date_time, "%Y-%m-%d %H:%M:%S")):
            try:
                if read(stripped).strftime(form) == value:
                    return True
            except ValueError:
                pass
        return value == stripped
    return value == text


def workbook_rows(path):
    workbook = openpyxl.load_workbook(path, read_only=True)
    rows = []
    for sheet in workbook.worksheets:
        sheet_rows = list(sheet.iter_rows(values_only=True))
        heading, body = sheet_rows[0], sheet_rows[1:]
        rows.extend(body)
    return list(heading), rows


@pytest.mark.parametrize("table_form", [False, True], ids=["list-form", "table-form"])
@pytest.mark.parametrize("case", CASES)
def test_typed_outputs_hold_the_values_of_the_csv(samples, tmp_path, case, table_form):
    status, _, csv = program_csv(samples, tmp_path, case, table_form)
    path, switches, _ = CASES[case]
    arguments = filled(switches, samples) + (["/table"] if table_form else [])
    for output in ("program.xlsx", "program.sqlite"):
        written, errors = run_logora(*arguments, samples / path, tmp_path / output)
        assert written == status, (output, errors)
    if status != 0:
        assert not (tmp_path / "program.xlsx").exists() and not (tmp_path / "program.sqlite").exists()
        return
    names = list(csv.columns)
    texts = csv.values.tolist()

    heading, rows = workbook_rows(tmp_path / "program.xlsx")
    assert heading == names
    assert len(rows) == len(texts)
    for number, (row, line) in enumerate(zip(rows, texts)):
        for name, value, text in zip(names, row, line):
            assert workbook_cell_matches(value, text), (number, name, value, text)

    database = sqlite3.connect(tmp_path / "program.sqlite")
    table = database.execute("SELECT table_name, row_count FROM sources").fetchall()
    assert len(table) == 1 and table[0][1] == len(texts)
    columns = database.execute(f'PRAGMA table_info("{table[0][0]}")').fetchall()
    assert [column[1] for column in columns][: len(names)] == names
    declared = [column[2] for column in columns]
    stored = database.execute(f'SELECT * FROM "{table[0][0]}" ORDER BY rowid').fetchall()
    assert len(stored) == len(texts)
    for number, (row, line) in enumerate(zip(stored, texts)):
        for name, kind, value, text in zip(names, declared, row, line):
            assert database_cell_matches(value, kind, text), (number, name, value, text)
    database.close()
