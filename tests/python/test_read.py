"""logora.read against the CSV files the program writes for the same input,
read by pandas.read_csv: every input format, both CSV forms, and failures."""

import struct

import numpy as np
import pandas as pd
import pytest

import logora
from conftest import run_logora

# Input (below the samples folder), the program's switches, read()'s choices.
CASES = {
    "zarn": ("zarn/Plant(1).DAT", [], {}),
    "zarn-timestmp": ("zarn/Stamped(1).DAT", [], {}),
    "vell": ("vell/sample.log", ["/md", "/tz8"], {"tz": 8}),
    "vell-without-tag-file": ("vell/numbers.log", ["/md", "/tz-5.5"], {"tz": -5.5}),
    "vell-cp1252": ("vell/sample.log", ["/md", "/tz0", "--codepage", "1252"], {"tz": 0, "codepage": 1252}),
    "dbf": ("zarn/table.dbf", [], {}),
    "obf": ("obf/plant-aligned.obf", [], {}),
    "alarm": ("alarm/history-6xx.alm", ["/ma", "/6xx", "--setup", "{samples}/alarm/MachineAlarms.mal"],
              {"setup": "{samples}/alarm/MachineAlarms.mal", "alarm_version": 6}),
    "alarm-without-setup": ("alarm/history-3xx.alm", ["/ma", "/3xx"], {"alarm_version": 2}),
    "recipe": ("recipe/recipe.rpp", [], {}),
}

# Columns whose kind every table that has them keeps.
KNOWN_KINDS = {"Date": "M", "Time": "m", "Millitm": "i", "Value": "f", "Timestmp": "M"}


def filled(template, samples):
    if isinstance(template, str):
        return template.replace("{samples}", str(samples))
    if isinstance(template, list):
        return [filled(item, samples) for item in template]
    if isinstance(template, dict):
        return {key: filled(value, samples) for key, value in template.items()}
    return template


def program_csv(samples, tmp_path, case, table_form):
    """The program's CSV of a case: (exit status, standard error, frame of texts)."""
    path, switches, _ = CASES[case]
    output = tmp_path / "program.csv"
    arguments = filled(switches, samples) + (["/table"] if table_form else [])
    status, errors = run_logora(*arguments, samples / path, output)
    if status != 0:
        return status, errors, None
    encoding = "cp1252" if "--codepage" in switches else "utf-8"
    # Lines end in a comma: no index column; every field as its text.
    frame = pd.read_csv(output, encoding=encoding, dtype=str, keep_default_na=False, index_col=False)
    frame = frame.rename(columns={frame.columns[0]: frame.columns[0].lstrip(";")})
    if frame.columns[-1].startswith("Unnamed:") and (frame.iloc[:, -1] == "").all():
        frame = frame.iloc[:, :-1]
    return status, errors, frame


def parsed_times(texts):
    """CSV dates ("03/29/2026") and date-times ("03/29/2026 08:59:50"); any
    other text (an alarm never acknowledged shows "0") is no time."""
    texts = texts.str.strip()
    with_time = texts.str.contains(" ")
    parsed = pd.Series(pd.NaT, index=texts.index, dtype="datetime64[ns]")
    parsed[with_time] = pd.to_datetime(texts[with_time], format="%m/%d/%Y %H:%M:%S", errors="coerce")
    dates = ~with_time & (texts != "")
    parsed[dates] = pd.to_datetime(texts[dates], format="%m/%d/%Y", errors="coerce")
    return parsed.to_numpy().astype("datetime64[ms]")


def expected_column(texts, kind):
    stripped = texts.str.strip()
    if kind in "fi":
        numbers = pd.to_numeric(stripped.replace("", np.nan))
        return numbers.to_numpy(dtype="int64" if kind == "i" else "float64")
    if kind == "M":
        return parsed_times(texts)
    if kind == "m":
        return pd.to_timedelta(stripped.replace("", None)).to_numpy().astype("timedelta64[ms]")
    return texts.to_numpy(dtype=object)


def assert_same_values(table, csv):
    assert table.names == list(csv.columns)
    assert len(table) == len(csv)
    frame = table.to_pandas()
    assert list(frame.columns[: len(table.names)]) == table.names
    for position, name in enumerate(table.names):
        ours = table.column(name)
        # The frame holds the arrays themselves (pandas 1.x keeps times only in nanoseconds).
        if ours.dtype.kind not in "Mm":
            assert np.shares_memory(frame.iloc[:, position].to_numpy(), ours), name
        if name in KNOWN_KINDS and KNOWN_KINDS[name] != "i":
            assert ours.dtype.kind == KNOWN_KINDS[name], name
        expected = expected_column(csv[name], ours.dtype.kind)
        if ours.dtype.kind == "f":
            np.testing.assert_array_equal(ours, expected, err_msg=name)
        else:
            assert ours.tolist() == expected.tolist(), name
    if "Date" in table.names and "Time" in table.names:
        stamps = parsed_times(csv["Date"]) + expected_column(csv["Time"], "m")
        if "Millitm" in csv:
            stamps = stamps + expected_column(csv["Millitm"], "i").astype("timedelta64[ms]")
        assert frame.columns[-1] == "DateTime"
        assert frame["DateTime"].to_numpy().astype("datetime64[ms]").tolist() == stamps.tolist()
    else:
        assert "DateTime" not in frame.columns[len(table.names):]


@pytest.mark.parametrize("table_form", [False, True], ids=["list-form", "table-form"])
@pytest.mark.parametrize("case", CASES)
def test_read_gives_the_values_of_the_programs_csv(samples, tmp_path, case, table_form):
    status, errors, csv = program_csv(samples, tmp_path, case, table_form)
    path, _, choices = CASES[case]
    if status != 0:
        # What the program refuses, read() refuses with its reasons.
        with pytest.raises(logora.Error) as refused:
            logora.read(samples / path, table_form=table_form, **filled(choices, samples))
        assert_lines_of(str(refused.value), errors)
        return
    table = logora.read(samples / path, table_form=table_form, **filled(choices, samples))
    assert_same_values(table, csv)
    assert table.messages == [line for line in errors if not line.startswith("logora: ")]


def assert_lines_of(message, program_errors):
    """Each line of an error is a line the program printed, or its start,
    without the program's name before the lines it says itself."""
    printed = [line.removeprefix("logora: ") for line in program_errors]
    assert message
    for line in message.splitlines():
        assert any(said.startswith(line) for said in printed), (line, program_errors)


def dbase_table(path, fields, rows):
    """A dBASE III table: fields as (name, type, length, decimals), rows of texts."""
    record_length = 1 + sum(length for _, _, length, _ in fields)
    header_length = 32 + 32 * len(fields) + 1
    header = struct.pack("<B3BIHH20x", 3, 124, 1, 1, len(rows), header_length, record_length)
    for name, kind, length, decimals in fields:
        header += struct.pack("<11sc4xBB14x", name.encode(), kind.encode(), length, decimals)
    records = b"".join(b" " + b"".join(text.encode().rjust(field[2]) for text, field in zip(row, fields)) for row in rows)
    path.write_bytes(header + b"\r" + records + b"\x1a")
    return path


def test_whole_numbers_with_empty_rows_are_never_zero(tmp_path):
    table = dbase_table(tmp_path / "counts.dbf", [("Count", "N", 6, 0), ("Name", "C", 4, 0)],
                        [("5", "a"), ("", "b"), ("-3", "c")])
    status, _ = run_logora(table, tmp_path / "counts.csv")
    assert status == 0
    csv = pd.read_csv(tmp_path / "counts.csv", dtype=str, keep_default_na=False, index_col=False)
    assert csv.iloc[:, 0].str.strip().tolist() == ["5", "", "-3"]
    counts = logora.read(table).column("Count")
    assert counts.dtype == np.float64
    np.testing.assert_array_equal(counts, [5, np.nan, -3])
    full = dbase_table(tmp_path / "full.dbf", [("Count", "N", 6, 0)], [("5",), ("7",)])
    assert logora.read(full).column("Count").tolist() == [5, 7]
    assert logora.read(full).column("Count").dtype == np.int64


def test_dates_beyond_the_nanoseconds_of_pandas_are_refused_never_wrapped(tmp_path):
    table = logora.read(dbase_table(tmp_path / "dates.dbf", [("Due", "D", 8, 0)], [("20240229",), ("25000101",)]))
    assert table.column("Due").tolist() == [np.datetime64("2024-02-29", "ms"), np.datetime64("2500-01-01", "ms")]
    with pytest.raises(pd.errors.OutOfBoundsDatetime):
        table.to_pandas()


def cut_copy(source, target, cut):
    target.write_bytes(source.read_bytes()[:-cut])


@pytest.mark.parametrize(
    "name, make",
    [
        ("missing.log", lambda folder, samples: None),
        ("plain.txt", lambda folder, samples: (folder / "plain.txt").write_text("x")),
        ("cut.log", lambda folder, samples: cut_copy(samples / "vell/sample.log", folder / "cut.log", 9)),
        ("cut.dbf", lambda folder, samples: cut_copy(samples / "zarn/table.dbf", folder / "cut.dbf", 100)),
        ("folder.log", lambda folder, samples: (folder / "folder.log").mkdir()),
    ],
    ids=["missing", "unknown-extension", "datalog-cut-short", "table-cut-short", "folder"],
)
def test_inputs_the_program_refuses_raise_its_reasons(samples, tmp_path, name, make):
    make(tmp_path, samples)
    status, errors = run_logora("/md", "/tz8", tmp_path / name, tmp_path / "out.csv")
    assert status != 0
    with pytest.raises(logora.Error) as refused:
        logora.read(tmp_path / name, tz=8)
    assert_lines_of(str(refused.value), errors)


@pytest.mark.parametrize("choices", [{"tz": 14}, {"codepage": 4}, {"alarm_version": 4}])
def test_choices_the_program_cannot_take_raise(samples, choices):
    with pytest.raises(logora.Error, match=str(list(choices.values())[0])):
        logora.read(samples / "vell/sample.log", **choices)


def test_paths_may_be_path_objects_or_text(samples):
    by_path = logora.read(samples / "obf/plant-packed.obf")
    by_text = logora.read(str(samples / "obf/plant-packed.obf"))
    assert len(by_path) == len(by_text) > 0
    with pytest.raises(KeyError):
        by_path.column("no such column")
