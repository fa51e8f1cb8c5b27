#include "texas_holdem/pokerstars/MoneyText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace poker::texas_holdem::pokerstars {

namespace {

constexpr Money cents_per_unit = 100;
constexpr Money thousand = 1000;
constexpr Money million = 1000 * thousand;
constexpr Money billion = 1000 * million;
// From this whole amount on, a cell shows thousands: "9999" still fits, 10000 does not.
constexpr Money first_thousands = 10 * thousand;

// The signs a file may write, longest first so that none hides a longer one. The last
// two are the euro and pound signs of files re-saved as Windows-1252.
constexpr std::string_view signs[] = {
    "Rs.\xc2\xa0", "\xe2\x82\xac", "\xe2\x82\xb9", "\xc2\xa3", "$", "\x80", "\xa3",
};

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits of `text` as a number, or -1 when it is empty, too long or not all digits.
Money digits_value(std::string_view text)
{
    if (text.empty() || text.size() > MoneyText::max_digits)
        return -1;
    Money value = 0;
    for (const char c : text) {
        if (!is_digit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::size_t MoneyText::read_sign(std::string_view text, MoneyForm& form)
{
    for (const std::string_view sign : signs) {
        if (text.substr(0, sign.size()) == sign) {
            form.sign.assign(sign);
            return sign.size();
        }
    }
    form.sign.clear();
    return 0;
}

bool MoneyText::parse(std::string_view text, const MoneyForm& form, Money& amount)
{
    if (text.substr(0, form.sign.size()) != form.sign)
        return false;
    text.remove_prefix(form.sign.size());
    const std::size_t point = text.find('.');
    const Money whole = digits_value(text.substr(0, point));
    if (whole < 0)
        return false;
    if (point == std::string_view::npos) {
        amount = form.cents ? whole * cents_per_unit : whole;
        return true;
    }
    const std::string_view decimals = text.substr(point + 1);
    if (!form.cents || decimals.empty() || decimals.size() > 2)
        return false;
    const Money fraction = digits_value(decimals);
    if (fraction < 0)
        return false;
    // "$133.5" is 133 dollars and 50 cents.
    amount = whole * cents_per_unit + (decimals.size() == 1 ? fraction * 10 : fraction);
    return true;
}

std::string MoneyText::format(Money amount, const MoneyForm& form)
{
    std::string text = amount < 0 ? "-" : "";
    const Money magnitude = amount < 0 ? -amount : amount;
    text += form.sign;
    if (!form.cents)
        return text + std::to_string(magnitude);
    text += std::to_string(magnitude / cents_per_unit);
    const Money fraction = magnitude % cents_per_unit;
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

// Amounts under 10,000 show as many decimals as the cell has room for (at most two),
// truncated so that a cell never shows more than was put in, without trailing zeros.
// Larger amounts show whole thousands or millions with a suffix.
std::array<char, MoneyText::cell_width + 1> MoneyText::compact(Money amount, bool cents)
{
    std::array<char, cell_width + 1> cell{};
    char text[64];
    const Money whole = cents ? amount / cents_per_unit : amount;
    const Money fraction = cents ? amount % cents_per_unit : 0;
    if (amount < 0 || whole >= billion) {
        std::snprintf(text, sizeof text, "%s", unreadable.data());
    } else if (whole >= 10 * million) {
        std::snprintf(text, sizeof text, "%lldM", static_cast<long long>(whole / million));
    } else if (whole >= million) {
        const Money tenths = whole % million / (million / 10);
        if (tenths == 0)
            std::snprintf(text, sizeof text, "%lldM", static_cast<long long>(whole / million));
        else
            std::snprintf(text, sizeof text, "%lld.%lldM", static_cast<long long>(whole / million),
                          static_cast<long long>(tenths));
    } else if (whole >= first_thousands) {
        std::snprintf(text, sizeof text, "%lldk", static_cast<long long>(whole / thousand));
    } else {
        const int length =
            whole == 0 ? 0 : std::snprintf(text, sizeof text, "%lld", static_cast<long long>(whole));
        // Room left for the point and the decimals.
        int decimals = static_cast<int>(cell_width) - length - 1;
        decimals = std::clamp(decimals, 0, 2);
        Money shown = decimals == 2 ? fraction : decimals == 1 ? fraction / 10 : 0;
        while (decimals > 0 && shown % 10 == 0) {
            shown /= 10;
            --decimals;
        }
        // "%02d" keeps the zero of five cents (".05").
        const char* const decimals_format = decimals == 2 ? "%02d" : "%d";
        char decimal_text[8] = "";
        std::snprintf(decimal_text, sizeof decimal_text, decimals_format, static_cast<int>(shown));
        if (decimals == 0)
            std::snprintf(text, sizeof text, "%lld", static_cast<long long>(whole));
        else if (whole == 0)
            std::snprintf(text, sizeof text, ".%s", decimal_text);
        else
            std::snprintf(text, sizeof text, "%lld.%s", static_cast<long long>(whole), decimal_text);
    }
    // Every branch above writes at most cell_width characters.
    const std::size_t length = std::strlen(text);
    cell.fill(' ');
    std::memcpy(cell.data() + cell_width - length, text, length);
    cell[cell_width] = '\0';
    return cell;
}

} // namespace poker::texas_holdem::pokerstars
