// The Python module "logora": an input read by the engine into numpy
// columns, and the tamper check's verdict on a CSV log. Conversions run with
// the interpreter lock released; their columns become numpy arrays without a
// copy (texts excepted, which become str objects).
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "logora/python/ColumnArrays.h"
#include "logora/python/IntegrityVerdict.h"
#include "logora/python/ReadIntoColumns.h"

namespace py = pybind11;

namespace logora::python {

namespace {

// Raised as logora.Error, with the program's lines as its text.
class ReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

// The vector becomes the array's memory, freed with the array.
template <typename T>
py::array Adopt(std::vector<T>&& values, const py::dtype& type)
{
    auto owned = std::make_unique<std::vector<T>>(std::move(values));
    py::capsule owner(owned.get(), [](void* held) { delete static_cast<std::vector<T>*>(held); });
    const std::vector<T>& held = *owned.release();
    return py::array(type, {held.size()}, {sizeof(T)}, held.data(), owner);
}

// Whole numbers stay int64 while every row has one; a column with empty
// rows becomes float64 with NaN there, as 0 would pass for a value.
py::array IntegerArray(ColumnBuffer& buffer)
{
    if (buffer.emptyRows.empty()) return Adopt(std::move(buffer.integers), py::dtype::of<int64_t>());
    std::vector<double> numbers(buffer.integers.begin(), buffer.integers.end());
    for (int64_t row : buffer.emptyRows)
        numbers[static_cast<size_t>(row)] = std::numeric_limits<double>::quiet_NaN();
    buffer.integers = {};
    return Adopt(std::move(numbers), py::dtype::of<double>());
}

// One str object per distinct text, shared by the rows that hold it.
py::array TextArray(ColumnBuffer& buffer)
{
    TextBuffer& texts = buffer.texts;
    std::vector<py::str> distinct;
    distinct.reserve(texts.distinct.size());
    for (const std::string& text : texts.distinct) distinct.emplace_back(text);
    py::array array(py::dtype("O"), py::array::ShapeContainer{static_cast<py::ssize_t>(texts.codes.size())});
    auto** slots = static_cast<PyObject**>(array.mutable_data());
    for (size_t row = 0; row < texts.codes.size(); ++row) {
        PyObject* text = distinct[texts.codes[row]].ptr();
        Py_INCREF(text);
        Py_XDECREF(slots[row]);
        slots[row] = text;
    }
    texts = {};
    return array;
}

py::array ColumnArray(ColumnBuffer& buffer)
{
    switch (buffer.column.kind) {
        case CellKind::Number:
            return Adopt(std::move(buffer.numbers), py::dtype::of<double>());
        case CellKind::Integer:
            return IntegerArray(buffer);
        case CellKind::Date:
        case CellKind::DateTime:
            return Adopt(std::move(buffer.integers), py::dtype("datetime64[ms]"));
        case CellKind::Time:
            return Adopt(std::move(buffer.integers), py::dtype("timedelta64[ms]"));
        case CellKind::Text:
            break;
    }
    return TextArray(buffer);
}

constexpr const char* kTimeStampName = "DateTime";

// pandas 1.x holds times only in nanoseconds and converts other units one
// element at a time; numpy's cast multiplies, but wraps around beyond the
// nanoseconds' range (years 1678 to 2261), which pandas refuses instead.
py::object ForPandas(const py::array& array)
{
    const char kind = array.dtype().kind();
    if (kind != 'M' && kind != 'm') return array;
    constexpr int64_t kMostMilliseconds = std::numeric_limits<int64_t>::max() / 1'000'000 - 1;
    const auto* values = static_cast<const int64_t*>(array.data());
    for (py::ssize_t i = 0; i < array.size(); ++i) {
        if (values[i] != kMissingTime && (values[i] < -kMostMilliseconds || values[i] > kMostMilliseconds))
            return array;
    }
    return array.attr("astype")(kind == 'M' ? "datetime64[ns]" : "timedelta64[ns]");
}

class Table
{
public:
    Table(ColumnArrays& columns, std::vector<std::string> messages)
        : rows_(columns.RowCount()), messages_(std::move(messages))
    {
        for (ColumnBuffer& buffer : columns.Columns()) {
            names_.push_back(buffer.column.name);
            arrays_.push_back(ColumnArray(buffer));
        }
        if (columns.Layout().hasTimeStamp)
            timeStamps_ = Adopt(std::move(columns.TimeStamps()), py::dtype("datetime64[ms]"));
    }

    int64_t Rows() const { return rows_; }
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Messages() const { return messages_; }

    py::array Column(const std::string& name) const
    {
        for (size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == name) return arrays_[i];
        }
        if (name == kTimeStampName && timeStamps_) return *timeStamps_;
        throw py::key_error("no column named " + name);
    }

    // The arrays themselves become the frame's columns, in the CSV's order,
    // then the rows' time stamps; duplicate names stay as the CSV has them.
    py::object ToPandas() const
    {
        py::dict columns;
        std::vector<std::string> names = names_;
        for (size_t i = 0; i < arrays_.size(); ++i) columns[py::int_(i)] = ForPandas(arrays_[i]);
        if (timeStamps_) {
            columns[py::int_(arrays_.size())] = ForPandas(*timeStamps_);
            names.emplace_back(kTimeStampName);
        }
        py::object pandas = py::module_::import("pandas");
        py::object frame = pandas.attr("DataFrame")(columns, py::arg("copy") = false);
        frame.attr("columns") = pandas.attr("Index")(names, py::arg("dtype") = "object");
        return frame;
    }

private:
    int64_t rows_;
    std::vector<std::string> names_;
    std::vector<py::array> arrays_;
    std::optional<py::array> timeStamps_;
    std::vector<std::string> messages_;
};

std::string PathText(const py::object& path)
{
    return py::module_::import("os").attr("fspath")(path).cast<std::string>();
}

Table Read(const py::object& path, std::optional<double> tz, std::optional<py::object> setup,
           std::optional<int> alarmVersion, std::optional<int> codePage, bool tableForm)
{
    const std::string input = PathText(path);
    ReadChoices choices{.timeZoneHours = tz,
                        .alarmSetupPath = setup ? PathText(*setup) : std::string(),
                        .alarmVersion = alarmVersion.value_or(0),
                        .codePage = codePage,
                        .tableForm = tableForm};
    ColumnArrays columns(input);
    ReadOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        outcome = ReadIntoColumns(input, choices, columns);
    }
    if (!outcome.read) {
        if (outcome.lines.empty()) outcome.lines.push_back(input + ": the input could not be read");
        throw ReadError(Joined(outcome.lines));
    }
    return Table(columns, std::move(outcome.lines));
}

py::dict CheckIntegrityOf(const py::object& path)
{
    const std::string input = PathText(path);
    IntegrityVerdict verdict;
    {
        py::gil_scoped_release unlocked;
        verdict = CheckIntegrity(input);
    }
    if (!verdict.checked) throw ReadError(verdict.report);
    py::dict result;
    result["passed"] = verdict.passed;
    result["line"] = verdict.line ? py::object(py::int_(*verdict.line)) : py::none();
    result["report"] = verdict.report;
    return result;
}

}  // namespace

}  // namespace logora::python

PYBIND11_MODULE(logora, module)
{
    using namespace logora::python;
    module.doc() = "Datalogs, alarm logs, recipes and dBASE tables as typed columns";
    py::register_exception<ReadError>(module, "Error", PyExc_Exception);

    py::class_<Table>(module, "Table", "The rows of one input, one typed column per CSV heading")
        .def("__len__", &Table::Rows)
        .def_property_readonly("names", &Table::Names, "The CSV heading's names, in order")
        .def_property_readonly("messages", &Table::Messages,
                               "What the conversion reported without failing, one line each")
        .def("column", &Table::Column, py::arg("name"), "The column named `name` as a numpy array")
        .def("to_pandas", &Table::ToPandas, "A pandas DataFrame of the columns, then DateTime");

    module.def("read", &Read, py::arg("path"), py::arg("tz") = py::none(), py::arg("setup") = py::none(),
               py::arg("alarm_version") = py::none(), py::arg("codepage") = py::none(),
               py::arg("table_form") = false,
               "Converts the file at `path` as logora does for a CSV output; raises logora.Error "
               "with the program's reasons when it cannot");
    module.def("check_integrity", &CheckIntegrityOf, py::arg("path"),
               "The tamper check of an integrity-marked CSV log: passed, line, report");
}
