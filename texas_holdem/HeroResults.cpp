#include "texas_holdem/HeroResults.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "texas_holdem/HandMoney.h"
#include "texas_holdem/SessionReport.h"

namespace poker::texas_holdem {

namespace {

using pokerstars::HandRecord;

// The chart's frame and the plot area inside it, in pixels.
constexpr int chart_width = 900;
constexpr int chart_height = 500;
constexpr int plot_left = 90;
constexpr int plot_right = 870;
constexpr int plot_top = 50;
constexpr int plot_bottom = 430;
constexpr int wanted_ticks = 6;
// Beyond two points per pixel column a line shows nothing more: longer runs are drawn
// from the lowest and highest point of each column.
constexpr std::size_t max_points = 2 * static_cast<std::size_t>(plot_right - plot_left);
const char* const net_colour = "#1f5fbf";
const char* const adjusted_colour = "#d2691e";
const char* const adjusted_dashes = "7 4";

// `text` with the five characters XML reserves written as entities.
std::string xml_text(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string number(double value, int decimals)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A step of 1, 2 or 5 times a power of ten that cuts `range` into about `wanted_ticks`.
double tick_step(double range)
{
    const double rough = range / wanted_ticks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10.0 * power;
}

// The hundredths of a unit's smallest part rounded to that part, halves away from zero.
HandMoney::Money to_smallest_part(std::int64_t hundredths)
{
    const std::int64_t half = AllInEquity::hundredths / 2;
    return hundredths >= 0 ? (hundredths + half) / AllInEquity::hundredths
                           : -((-hundredths + half) / AllInEquity::hundredths);
}

// The indices of the points to draw of a line of `count` points: all of them when few,
// otherwise per pixel column its lowest and highest point, in their order.
std::vector<std::size_t> drawn_points(const std::vector<double>& line)
{
    std::vector<std::size_t> points;
    if (line.size() <= max_points) {
        for (std::size_t i = 0; i < line.size(); ++i)
            points.push_back(i);
        return points;
    }
    const std::size_t columns = max_points / 2;
    for (std::size_t column = 0; column < columns; ++column) {
        const std::size_t first = column * line.size() / columns;
        const std::size_t last = (column + 1) * line.size() / columns;
        const auto low = std::min_element(line.begin() + first, line.begin() + last);
        const auto high = std::max_element(line.begin() + first, line.begin() + last);
        const std::size_t a = static_cast<std::size_t>(low - line.begin());
        const std::size_t b = static_cast<std::size_t>(high - line.begin());
        points.push_back(std::min(a, b));
        if (a != b)
            points.push_back(std::max(a, b));
    }
    return points;
}

} // namespace

std::uint32_t HeroResults::index_of(std::vector<std::string>& list, const std::string& text)
{
    const auto found = std::find(list.begin(), list.end(), text);
    if (found != list.end())
        return static_cast<std::uint32_t>(found - list.begin());
    list.push_back(text);
    return static_cast<std::uint32_t>(list.size() - 1);
}

void HeroResults::add(const HandRecord& hand, std::size_t seat, std::uint32_t file,
                      AllInEquity& equity)
{
    const HandMoney money(hand);
    Row row;
    row.file = file;
    row.player = index_of(names_, hand.seats[seat].name);
    row.unit = static_cast<std::uint8_t>(index_of(units_, HandMoney::unit(hand)));
    row.known = money.known();
    row.hand_id = hand.hand_id;
    // The local time as written, without the bracketed Eastern time that may follow.
    const std::string time = hand.date_time.substr(0, hand.date_time.find(" ["));
    std::copy_n(time.begin(), std::min(time.size(), row.date_time.size() - 1),
                row.date_time.begin());
    if (row.known) {
        row.net = money.net(seat);
        row.adjusted =
            equity.adjusted_result(hand, seat, money).value_or(row.net * AllInEquity::hundredths);
    }
    rows_.push_back(row);
}

void HeroResults::append(const HeroResults& other)
{
    for (Row row : other.rows_) {
        row.player = index_of(names_, other.names_[row.player]);
        row.unit = static_cast<std::uint8_t>(index_of(units_, other.units_[row.unit]));
        rows_.push_back(std::move(row));
    }
}

void HeroResults::keep_only(const std::string& name)
{
    const auto found = std::find(names_.begin(), names_.end(), name);
    const std::uint32_t player = static_cast<std::uint32_t>(found - names_.begin());
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                               [player](const Row& row) { return row.player != player; }),
                rows_.end());
}

std::string HeroResults::most_frequent_name() const
{
    std::vector<std::uint64_t> counts(names_.size(), 0);
    for (const Row& row : rows_)
        ++counts[row.player];
    std::string best;
    std::uint64_t best_count = 0;
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (counts[i] > best_count
            || (counts[i] == best_count && counts[i] > 0 && names_[i] < best)) {
            best = names_[i];
            best_count = counts[i];
        }
    return best;
}

std::string HeroResults::csv(const std::vector<std::string>& files) const
{
    std::string text = "file,hand,date_time,unit,net_won,cumulative_net_won,"
                       "cumulative_all_in_adjusted\n";
    std::vector<Money> net(units_.size(), 0);
    std::vector<std::int64_t> adjusted(units_.size(), 0);
    for (const Row& row : rows_) {
        const std::string& unit = units_[row.unit];
        net[row.unit] += row.net;
        adjusted[row.unit] += row.adjusted;
        text += SessionReport::csv_field(row.file < files.size() ? files[row.file] : "") + ',';
        text += SessionReport::csv_field(row.hand_id) + ',';
        text += SessionReport::csv_field(row.date_time.data()) + ',';
        text += unit + ',';
        text += row.known ? HandMoney::text(row.net, unit) : "";
        text += ',' + HandMoney::text(net[row.unit], unit);
        text += ',' + HandMoney::text(to_smallest_part(adjusted[row.unit]), unit) + '\n';
    }
    return text;
}

std::string HeroResults::svg(const std::string& name) const
{
    // The unit with the most rows is charted; rows of other units have no place on it.
    std::vector<std::size_t> per_unit(units_.size(), 0);
    for (const Row& row : rows_)
        ++per_unit[row.unit];
    const std::size_t unit = static_cast<std::size_t>(
        std::max_element(per_unit.begin(), per_unit.end()) - per_unit.begin());
    const std::string unit_name = units_.empty() ? "" : units_[unit];
    const double part = unit_name == "chips" || unit_name.empty() ? 1.0 : 100.0;

    // Both running totals, summed exactly, in the unit (dollars, chips) for drawing only.
    std::vector<double> net_line{0.0}, adjusted_line{0.0};
    Money net = 0;
    std::int64_t adjusted = 0;
    for (const Row& row : rows_) {
        if (row.unit != unit)
            continue;
        net += row.net;
        adjusted += row.adjusted;
        net_line.push_back(static_cast<double>(net) / part);
        adjusted_line.push_back(static_cast<double>(adjusted) / AllInEquity::hundredths / part);
    }
    const std::size_t hands = net_line.size() - 1;

    double low = 0.0, high = 0.0;
    for (const auto* line : {&net_line, &adjusted_line})
        for (const double value : *line) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    if (high - low < 1e-9)
        high = low + 1.0;
    const double y_step = tick_step(high - low);
    low = std::floor(low / y_step) * y_step;
    high = std::ceil(high / y_step) * y_step;
    const double x_max = std::max<double>(static_cast<double>(hands), 1.0);
    const double x_step = std::max(1.0, tick_step(x_max));
    const int y_decimals = y_step < 1.0 ? 2 : 0;

    auto x_of = [x_max](double hand) { return plot_left + (plot_right - plot_left) * hand / x_max; };
    auto y_of = [low, high](double value) {
        return plot_bottom - (plot_bottom - plot_top) * (value - low) / (high - low);
    };

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
                      + std::to_string(chart_width) + "\" height=\"" + std::to_string(chart_height)
                      + "\" viewBox=\"0 0 " + std::to_string(chart_width) + ' '
                      + std::to_string(chart_height)
                      + "\" font-family=\"sans-serif\" "
                        "font-size=\"13\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<text x=\"" + std::to_string(chart_width / 2)
           + "\" y=\"28\" text-anchor=\"middle\" "
             "font-size=\"17\">Results of "
           + xml_text(name) + " (" + std::to_string(hands) + " hands)</text>\n";

    // Grid lines with their labels.
    svg += "<g stroke=\"#dddddd\" stroke-width=\"1\">\n";
    for (double value = low; value <= high + y_step / 2; value += y_step)
        svg += "<line x1=\"" + number(plot_left, 1) + "\" y1=\"" + number(y_of(value), 1)
               + "\" x2=\"" + number(plot_right, 1) + "\" y2=\"" + number(y_of(value), 1) + "\"/>\n";
    for (double hand = 0; hand <= x_max + x_step / 2; hand += x_step)
        svg += "<line x1=\"" + number(x_of(hand), 1) + "\" y1=\"" + number(plot_top, 1) + "\" x2=\""
               + number(x_of(hand), 1) + "\" y2=\"" + number(plot_bottom, 1) + "\"/>\n";
    svg += "</g>\n<g fill=\"#333333\">\n";
    for (double value = low; value <= high + y_step / 2; value += y_step)
        svg += "<text x=\"" + number(plot_left - 8, 1) + "\" y=\"" + number(y_of(value) + 4, 1)
               + "\" text-anchor=\"end\">" + number(value, y_decimals) + "</text>\n";
    for (double hand = 0; hand <= x_max + x_step / 2; hand += x_step)
        svg += "<text x=\"" + number(x_of(hand), 1) + "\" y=\"" + number(plot_bottom + 18, 1)
               + "\" text-anchor=\"middle\">" + number(hand, 0) + "</text>\n";
    svg += "</g>\n";

    // Axes and their labels.
    svg += "<line x1=\"" + std::to_string(plot_left) + "\" y1=\"" + number(y_of(0.0), 1)
           + "\" x2=\"" + std::to_string(plot_right) + "\" y2=\"" + number(y_of(0.0), 1)
           + "\" stroke=\"#888888\" stroke-width=\"1\"/>\n";
    svg += "<rect x=\"" + std::to_string(plot_left) + "\" y=\"" + std::to_string(plot_top)
           + "\" width=\"" + std::to_string(plot_right - plot_left) + "\" height=\""
           + std::to_string(plot_bottom - plot_top) + "\" fill=\"none\" stroke=\"#333333\"/>\n";
    svg += "<text x=\"" + std::to_string((plot_left + plot_right) / 2) + "\" y=\""
           + std::to_string(plot_bottom + 42) + "\" text-anchor=\"middle\">Hands played</text>\n";
    svg += "<text transform=\"translate(22 " + std::to_string((plot_top + plot_bottom) / 2)
           + ") rotate(-90)\" text-anchor=\"middle\">Won (" + xml_text(unit_name) + ")</text>\n";

    // The two lines.
    auto polyline = [&](const std::vector<double>& line, const char* colour, const char* id,
                        const char* dashes) {
        std::string points;
        for (const std::size_t i : drawn_points(line))
            points += number(x_of(static_cast<double>(i)), 1) + ',' + number(y_of(line[i]), 1) + ' ';
        if (!points.empty())
            points.pop_back();
        return "<polyline id=\"" + std::string(id) + "\" fill=\"none\" stroke=\"" + colour
               + "\" stroke-width=\"2\" stroke-dasharray=\"" + dashes + "\" points=\"" + points
               + "\"/>\n";
    };
    // The adjusted line is dashed on top, so that the net line shows where they agree.
    svg += polyline(net_line, net_colour, "net-won", "none");
    svg += polyline(adjusted_line, adjusted_colour, "all-in-adjusted", adjusted_dashes);

    // The legend, top left inside the plot.
    const int legend_x = plot_left + 12, legend_y = plot_top + 12;
    svg += "<rect x=\"" + std::to_string(legend_x - 6) + "\" y=\"" + std::to_string(legend_y - 6)
           + "\" width=\"190\" height=\"48\" fill=\"white\" fill-opacity=\"0.85\" "
             "stroke=\"#bbbbbb\"/>\n";
    struct Entry {
        const char* colour;
        const char* dashes;
        const char* label;
    };
    const Entry entries[] = {{net_colour, "none", "Net won"},
                             {adjusted_colour, adjusted_dashes, "All-in adjusted"}};
    int row_y = legend_y + 8;
    for (const auto& [colour, dashes, label] : entries) {
        svg += "<line x1=\"" + std::to_string(legend_x) + "\" y1=\"" + std::to_string(row_y)
               + "\" x2=\"" + std::to_string(legend_x + 28) + "\" y2=\"" + std::to_string(row_y)
               + "\" stroke=\"" + colour + "\" stroke-width=\"3\" stroke-dasharray=\"" + dashes
               + "\"/>\n";
        svg += "<text x=\"" + std::to_string(legend_x + 36) + "\" y=\"" + std::to_string(row_y + 4)
               + "\">" + label + "</text>\n";
        row_y += 20;
    }
    svg += "</svg>\n";
    return svg;
}

} // namespace poker::texas_holdem
