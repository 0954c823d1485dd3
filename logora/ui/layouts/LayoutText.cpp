#include "logora/ui/layouts/LayoutText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace logora::ui {

namespace {

constexpr std::string_view kFormLine = "logora layouts 1";
// Beyond any table or screen; a larger number is damage.
constexpr int kMaxFields = 65535;
constexpr int kMaxPixels = 100000;

std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else
            escaped += c;
    }
    return escaped;
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == '\\')
            plain += '\\';
        else if (text[i] == 'n')
            plain += '\n';
        else if (text[i] == 'r')
            plain += '\r';
        else
            return std::nullopt;
    }
    return plain;
}

// The words of a line split at spaces, one at a time.
class Words
{
public:
    explicit Words(std::string_view line) : rest_(line) {}

    std::string_view Next()
    {
        const size_t space = rest_.find(' ');
        std::string_view word = rest_.substr(0, space);
        rest_ = space == std::string_view::npos ? std::string_view() : rest_.substr(space + 1);
        return word;
    }
    // The rest of the line, spaces and all.
    std::string_view Rest() const { return rest_; }
    bool Empty() const { return rest_.empty(); }

    // The next word as a finite number.
    bool Real(double& value)
    {
        const std::string_view word = Next();
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        return error == std::errc() && end == word.data() + word.size() && !word.empty() &&
               std::isfinite(value);
    }

    // The next word as a whole number within [low, high].
    bool Number(int low, int high, int& value)
    {
        const std::string_view word = Next();
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        return error == std::errc() && end == word.data() + word.size() && !word.empty() && value >= low &&
               value <= high;
    }

private:
    std::string_view rest_;
};

bool ParseColumn(std::string_view word, ColumnLayout& column)
{
    if (word.size() < 3 || (word[0] != 's' && word[0] != 'h') || word[1] != ':') return false;
    column.shown = word[0] == 's';
    Words width(word.substr(2));
    return width.Number(0, kMaxPixels, column.width) && width.Empty();
}

bool ParsePlotLine(Words& words, PlotLayout& plot)
{
    int ownScales = 0;
    if (plot.kept || !words.Number(0, 1, ownScales) || !words.Empty()) return false;
    plot.kept = true;
    plot.ownScales = ownScales == 1;
    return true;
}

bool ParsePlotView(Words& words, PlotLayout& plot)
{
    if (!plot.kept || plot.zoomed || !words.Real(plot.timeFrom) || !words.Real(plot.timeTo) ||
        !words.Real(plot.valueFrom) || !words.Real(plot.valueTo) || !words.Empty())
        return false;
    plot.zoomed = true;
    return plot.timeFrom < plot.timeTo && plot.valueFrom < plot.valueTo;
}

// One line of a layout into `layout`; false when it is damaged.
bool ParseLine(std::string_view line, ListLayout& layout)
{
    Words words(line);
    const std::string_view key = words.Next();
    if (key == "columns") {
        while (!words.Empty()) {
            ColumnLayout column;
            if (!ParseColumn(words.Next(), column) || layout.columns.size() >= kMaxFields) return false;
            layout.columns.push_back(column);
        }
        return true;
    }
    if (key == "sort") {
        if (!words.Number(0, kMaxFields, layout.sortField)) return false;
        const std::string_view direction = words.Next();
        layout.sortAscending = direction == "a";
        return (direction == "a" || direction == "d") && words.Empty();
    }
    if (key == "filter") {
        FilterLayout filter;
        if (!words.Number(0, kMaxFields, filter.field)) return false;
        std::optional<std::string> text = Unescaped(words.Rest());
        if (!text || text->empty()) return false;
        filter.text = std::move(*text);
        layout.filters.push_back(std::move(filter));
        return true;
    }
    if (key == "window") {
        WindowLayout& window = layout.window;
        int maximized = 0;
        if (!words.Number(-kMaxPixels, kMaxPixels, window.x) ||
            !words.Number(-kMaxPixels, kMaxPixels, window.y) || !words.Number(1, kMaxPixels, window.width) ||
            !words.Number(1, kMaxPixels, window.height) || !words.Number(0, 1, maximized) || !words.Empty())
            return false;
        window.maximized = maximized == 1;
        return true;
    }
    if (key == "plot") return ParsePlotLine(words, layout.plot);
    if (key == "plotview") return ParsePlotView(words, layout.plot);
    if (key == "hidepen") {
        std::optional<std::string> name = Unescaped(words.Rest());
        if (!name || name->empty() || !layout.plot.kept) return false;
        layout.plot.hiddenPens.push_back(std::move(*name));
        return true;
    }
    return false;
}

// Shortest text that reads back as the same double.
std::string RealText(double value)
{
    std::array<char, 32> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

void AppendPlotLines(const PlotLayout& plot, std::string& text)
{
    if (!plot.kept) return;
    text += std::string("plot ") + (plot.ownScales ? "1" : "0") + "\n";
    if (plot.zoomed)
        text += "plotview " + RealText(plot.timeFrom) + " " + RealText(plot.timeTo) + " " +
                RealText(plot.valueFrom) + " " + RealText(plot.valueTo) + "\n";
    for (const std::string& pen : plot.hiddenPens) text += "hidepen " + Escaped(pen) + "\n";
}

}  // namespace

std::string LayoutsText(const std::vector<KeptLayout>& layouts)
{
    std::string text(kFormLine);
    text += '\n';
    for (const KeptLayout& kept : layouts) {
        const ListLayout& layout = kept.layout;
        text += "file " + Escaped(kept.path) + "\ncolumns";
        for (const ColumnLayout& column : layout.columns)
            text += std::string(column.shown ? " s:" : " h:") + std::to_string(column.width);
        text += '\n';
        if (layout.sortField >= 0)
            text += "sort " + std::to_string(layout.sortField) + (layout.sortAscending ? " a\n" : " d\n");
        for (const FilterLayout& filter : layout.filters)
            text += "filter " + std::to_string(filter.field) + " " + Escaped(filter.text) + "\n";
        const WindowLayout& window = layout.window;
        if (window.width > 0)
            text += "window " + std::to_string(window.x) + " " + std::to_string(window.y) + " " +
                    std::to_string(window.width) + " " + std::to_string(window.height) + " " +
                    (window.maximized ? "1" : "0") + "\n";
        AppendPlotLines(layout.plot, text);
        text += "end\n";
    }
    return text;
}

std::vector<KeptLayout> ParseLayouts(std::string_view text)
{
    std::vector<KeptLayout> layouts;
    if (text.substr(0, kFormLine.size() + 1) != std::string(kFormLine) + "\n") return layouts;
    text.remove_prefix(kFormLine.size() + 1);
    std::optional<KeptLayout> current;
    bool damaged = false;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line.substr(0, 5) == "file ") {
            std::optional<std::string> path = Unescaped(line.substr(5));
            current = KeptLayout{path.value_or(std::string()), {}};
            damaged = !path || path->empty();
        } else if (line == "end") {
            if (current && !damaged) layouts.push_back(std::move(*current));
            current.reset();
        } else if (!current || !ParseLine(line, current->layout)) {
            damaged = true;
        }
    }
    return layouts;
}

bool LayoutFitsTable(const ListLayout& layout, int fieldCount)
{
    if (layout.columns.size() != static_cast<size_t>(fieldCount) || layout.sortField >= fieldCount)
        return false;
    bool anyShown = false;
    for (const ColumnLayout& column : layout.columns) anyShown = anyShown || column.shown;
    for (const FilterLayout& filter : layout.filters)
        if (filter.field >= fieldCount) return false;
    return anyShown;
}

}  // namespace logora::ui
