#include "texas_holdem/pokerstars/HandHeader.h"

#include <exception>

#include <boost/regex.hpp>

namespace poker::texas_holdem::pokerstars {

namespace {

const std::string_view header_start = "PokerStars ";

struct Patterns {
    // The game line of the 2006-2008 text, as its grammar reads it.
    boost::regex older{
        "PokerStars Game #([0-9]+):  Hold'em( No | )?Limit [(][$]([0-9]+)/[$]([0-9]+)[)] - "
        "([0-9]{4}/[0-9]{2}/[0-9]{2}) - ([0-9]{2}:[0-9]{2}:[0-9]{2}) [(]ET[)]"};
    // Every later header: the site's words and the hand number, a Home Game club, a
    // tournament with its buy-in (amounts, codes, "50FPP", "Freeroll" or none), then the
    // game (group 1), its stakes in brackets (group 2, absent for tournaments) and, after
    // " - ", the level and the time. The game is matched lazily so that it stops before
    // the stakes or the first " - ".
    boost::regex later{
        "PokerStars (?:(?:Zoom|Rush|Home Game) )?(?:Hand|Game) #[0-9]+: +(?:[{][^}]*[}] +)?"
        "(?:(?:Zoom )?Tournament #[0-9]+,(?: (?:Freeroll|[^ ]*[0-9][^ ]*(?: [A-Z]{2,3})?))? +)?"
        "(.+?)(?: [(]([^()]*)[)])? - .*"};
};

const Patterns& patterns()
{
    static const Patterns compiled;
    return compiled;
}

bool match(std::string_view line, const boost::regex& pattern, boost::cmatch* groups = nullptr)
{
    try {
        boost::cmatch ignored;
        return boost::regex_match(line.data(), line.data() + line.size(),
                                  groups ? *groups : ignored, pattern);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

// A mixed game names its family first and the game of this hand in the brackets, before
// the stakes: "Mixed NLH/PLO (Hold'em No Limit, $0.10/$0.25 USD)".
HandHeader::Header HandHeader::classify(std::string_view line)
{
    if (line.substr(0, header_start.size()) != header_start)
        return {};
    if (match(line, patterns().older))
        return {Kind::older, {}};
    boost::cmatch groups;
    if (!match(line, patterns().later, &groups))
        return {};
    std::string game = groups[1].str();
    if (game.rfind("Mixed ", 0) == 0 && groups[2].matched) {
        const std::string inside = groups[2].str();
        game = inside.substr(0, inside.find(','));
    }
    if (game.rfind("Hold'em ", 0) == 0)
        return {Kind::current, {}};
    return {Kind::other_game, game};
}

bool HandHeader::starts_hand(std::string_view line)
{
    return classify(line).kind != Kind::none;
}

bool HandHeader::is_older(std::string_view line)
{
    return line.substr(0, header_start.size()) == header_start && match(line, patterns().older);
}

} // namespace poker::texas_holdem::pokerstars
