#include "texas_holdem/pokerstars/ReplaySequencer.h"

#include <algorithm>
#include <iostream>
#include <thread>

#include "console/Console.h"
#include "texas_holdem/SequencerHelper.h"
#include "texas_holdem/pokerstars/HandHeader.h"

namespace poker::texas_holdem::pokerstars {

namespace {

// Between hands the text holds empty lines and the "*********** # 12 **************"
// banners of requested histories; neither says anything about a hand.
bool is_between_hands(std::string_view line)
{
    constexpr std::string_view banner_start = "*********** # ";
    return line.empty()
           || (line.substr(0, banner_start.size()) == banner_start && line.back() == '*');
}

} // namespace

StreamSequencer::NewGame ReplaySequencer::request_new_game(unsigned max_players)
{
    pause();
    rows.show_request("New Game");
    NewGame game = guarded([&] { return start_hand(max_players); });
    if (game.players.size() > max_players)
        error("Too many players");
    return game;
}

// An input without a single line holds no hand; any other first line that starts no
// hand is no game line, as at the end of an input that held something else.
StreamSequencer::NewGame ReplaySequencer::start_hand(unsigned max_players)
{
    current_hand.reset();
    ++hands_started;
    // A hand cancelled before its cards has nothing to replay: the next one takes its place.
    for (;;) {
        std::optional<NewGame> game = start_hand_at_line(max_players);
        if (game)
            return *game;
        if (reader.at_end())
            throw HandHistoryError("Hand cancelled, and no hand follows it", hand_line);
    }
}

std::optional<StreamSequencer::NewGame> ReplaySequencer::start_hand_at_line(unsigned max_players)
{
    if (!glued_header.empty()) {
        const std::string header = std::move(glued_header);
        glued_header.clear();
        hand_line = glued_line;
        read_current_hand(header, glued_line);
        if (record.cancelled)
            return std::nullopt;
        current_hand.emplace(record);
        return current_hand->request_new_game(max_players);
    }
    std::string_view line;
    const bool found = reader.peek(line);
    if (!found) {
        hand_line = reader.line_number() + 1;
        if (reader.line_number() == 0)
            throw HandHistoryError("The input holds no hand", 0);
        throw HandHistoryError("Malformed game header1", hand_line);
    }
    hand_line = reader.line_number();
    // Empty lines and banners may stand before a hand of the current text; before a hand
    // of the older text (or before nothing) the first of them is no game line.
    if (is_between_hands(line)) {
        do {
            reader.consume();
            if (!reader.peek(line))
                throw HandHistoryError("Malformed game header1", hand_line);
        } while (is_between_hands(line));
        if (!CurrentGrammar::is_header(line) || HandHeader::is_older(line))
            throw HandHistoryError("Malformed game header1", hand_line);
        hand_line = reader.line_number();
    }

    const HandHeader::Header header = HandHeader::classify(line);
    switch (header.kind) {
    case HandHeader::Kind::older: return grammar.read_new_game();
    case HandHeader::Kind::other_game:
        throw HandHistoryError("Not a hold'em hand: " + header.game, hand_line);
    case HandHeader::Kind::current:
        reader.consume();
        read_current_hand(line, hand_line);
        if (record.cancelled)
            return std::nullopt;
        current_hand.emplace(record);
        return current_hand->request_new_game(max_players);
    case HandHeader::Kind::none: break;
    }
    reader.consume();
    throw HandHistoryError("Malformed game header1", hand_line);
}

// The hand's lines go to the grammar as they are read; the whole hand, its money checked,
// is in `record` before the driver sees its first event.
//
// A hand cut off mid-line with the next header glued on stops at that line; the glued
// header is kept to start the next hand, so that a replay that goes on loses only the cut
// hand.
void ReplaySequencer::read_current_hand(std::string_view header, std::uint32_t number)
{
    std::string_view line;
    record.source.clear();
    current_grammar.begin(header, number, record);
    while (reader.peek(line) && !CurrentGrammar::is_header(line)) {
        reader.consume();
        if (is_between_hands(line))
            continue;
        try {
            current_grammar.read(line, reader.line_number());
        } catch (const HandHistoryError&) {
            const std::size_t glued = CurrentGrammar::glued_header(line);
            if (glued != std::string_view::npos
                && HandHeader::classify(line.substr(glued)).kind == HandHeader::Kind::current) {
                glued_header.assign(line.substr(glued));
                glued_line = reader.line_number();
            }
            throw;
        }
    }
    current_grammar.end();
    check_cards();
}

// A card dealt twice cannot happen at a real table: the hand's text is corrupt, and its
// figures would be those of impossible cards.
void ReplaySequencer::check_cards() const
{
    for (const std::vector<Card>& board : record.boards) {
        for (auto card = board.begin(); card != board.end(); ++card) {
            if (std::find(card + 1, board.end(), *card) != board.end())
                throw HandHistoryError("Corrupt hand: the board shows a card twice",
                                       record.last_line);
            if (record.hero
                && std::find(record.hero_cards.begin(), record.hero_cards.end(), *card)
                       != record.hero_cards.end())
                throw HandHistoryError("Corrupt hand: a card dealt to the hero is on the board",
                                       record.last_line);
        }
    }
    if (record.hero && record.hero_cards[0] == record.hero_cards[1])
        throw HandHistoryError("Corrupt hand: the hero is dealt one card twice", record.last_line);
}

float ReplaySequencer::request_blind(std::string player)
{
    pause();
    if (current_hand) {
        rows.show_request("Blind bet for ", player);
        return guarded([&] { return current_hand->request_blind(std::move(player)); });
    }
    return StreamSequencer::request_blind(std::move(player));
}

std::vector<Card> ReplaySequencer::request_cards(Game::Round round)
{
    pause();
    if (current_hand) {
        rows.show_request("Cards for ", SequencerHelper::round_name(round));
        return guarded([&] { return current_hand->request_cards(round); });
    }
    return StreamSequencer::request_cards(round);
}

float ReplaySequencer::request_move(std::string player)
{
    pause();
    if (current_hand) {
        rows.show_request("Move for ", player);
        return guarded([&] { return current_hand->request_move(std::move(player)); });
    }
    return StreamSequencer::request_move(std::move(player));
}

bool ReplaySequencer::all_in_stake(float& stake)
{
    return current_hand ? current_hand->all_in_stake(stake) : StreamSequencer::all_in_stake(stake);
}

// A hand that fails its checks never gets here (the fault ends it), so the session holds
// only hands whose pot agreed with the text.
void ReplaySequencer::notify_end_game(const GameHistory& history)
{
    pause();
    console::Console::current().flush();
    if (current_hand) {
        rows.show_request("End of game");
        guarded([&] { current_hand->notify_end_game(history); });
    } else
        StreamSequencer::notify_end_game(history);
    ++hands_replayed;
    if (session)
        session->record(history);
}

// After a hand the reader stands on the next hand's first line or at the end of the
// input (the end-of-hand skip drops everything else), so an exhausted input is a clean
// end.
bool ReplaySequencer::has_next_hand()
{
    return hands_started == 0 || !glued_header.empty() || !reader.at_end();
}

void ReplaySequencer::skip_to_next_hand()
{
    if (!glued_header.empty())
        return;
    std::string_view line;
    while (reader.peek(line)) {
        if (reader.line_number() > hand_line && HandHeader::starts_hand(line))
            return;
        reader.consume();
    }
}

bool ReplaySequencer::show_last_word(const std::string& text)
{
    rows.show(request_row, text);
    rows.show(error_row, "Press the space bar to end");
    return wait_for_last_word();
}

// The console shows its cells only when flushed: at full speed once per hand (above), when
// the replay waits at its end or on an error, and with a delay after every redraw.
void ReplaySequencer::pause()
{
    if (delay.count() <= 0)
        return;
    std::cout.flush();
    console::Console::current().flush();
    std::this_thread::sleep_for(delay);
}

} // namespace poker::texas_holdem::pokerstars
