#include "texas_holdem/pokerstars/ReplaySequencer.h"

#include <iostream>
#include <thread>

#include "console/Console.h"
#include "console/Cursor.h"

namespace poker::texas_holdem::pokerstars {

StreamSequencer::NewGame ReplaySequencer::request_new_game(unsigned max_players)
{
    pause();
    NewGame game = request_new_game();
    if (game.players.size() > max_players)
        error("Too many players");
    return game;
}

float ReplaySequencer::request_blind(std::string player)
{
    pause();
    return StreamSequencer::request_blind(std::move(player));
}

std::vector<Card> ReplaySequencer::request_cards(Game::Round round)
{
    pause();
    return StreamSequencer::request_cards(round);
}

float ReplaySequencer::request_move(std::string player)
{
    pause();
    return StreamSequencer::request_move(std::move(player));
}

// A hand that fails its checks never gets here (error does not return), so the session
// holds only hands whose pot agreed with the text.
void ReplaySequencer::notify_end_game(const GameHistory& history)
{
    pause();
    console::Console::current().flush();
    StreamSequencer::notify_end_game(history);
    ++hands_replayed;
    if (session)
        session->record(history);
}

// After a hand the reader stands on the next game line or at the end of the input (the
// end-of-hand skip drops everything else), so an exhausted input is a clean end.
bool ReplaySequencer::has_next_hand() const
{
    return hands_replayed == 0 || !input_exhausted();
}

void ReplaySequencer::show_end()
{
    clear_line(request_row);
    console::Cursor::position(1, request_row);
    std::cout << "Replayed " << hands_replayed << (hands_replayed == 1 ? " hand" : " hands");
    clear_line(error_row);
    console::Cursor::position(1, error_row);
    std::cout << "Press the space bar to end";
    if (wait_for_last_word())
        std::cerr << "corvald: " << hands_replayed << (hands_replayed == 1 ? " hand" : " hands")
                  << " replayed" << std::endl;
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
