#include "texas_holdem/Calculator.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>

#include "poker/CardSet.h"
#include "poker/Hand.h"
#include "poker/HandTable.h"

namespace poker::texas_holdem {

namespace {

// One simulated hand's seven cards: the user's, and in turn each opponent's hole cards
// at the hole positions with the same board.
using Seven = std::array<Card, Calculator::no_user_cards>;

// The order of the draws from the deck below is what every build must reproduce: the
// figures shown for a given set of cards depend on it.

void remove_known_cards(Deck& deck, const Seven& cards)
{
    for (const Card& card : cards) {
        if (!card.is_unknown())
            deck.remove(card);
    }
}

// Fills every unknown place, in position order; the user's own hole cards too, when
// they are not known yet.
void deal_unknown_cards(Deck& deck, Seven& cards)
{
    for (Card& card : cards) {
        if (card.is_unknown())
            card = deck.deal();
    }
}

// The key sums (HandTable) of some distinct cards.
struct Sums {
    std::uint64_t counts = 0;
    std::uint64_t cards = 0;

    void add(unsigned index)
    {
        const HandTable::CardKey key = HandTable::key(index);
        counts += key.counts;
        cards += key.cards;
    }

    // The rank of these five cards with the two hole cards `a` and `b`.
    HandTable::Rank rank_with(const HandTable& table, unsigned a, unsigned b) const
    {
        const HandTable::CardKey x = HandTable::key(a);
        const HandTable::CardKey y = HandTable::key(b);
        return table.rank(counts + x.counts + y.counts, cards + x.cards + y.cards);
    }
};

Hand rank(const Seven& cards)
{
    return Hand::best_hand(cards.data(), cards.size());
}

// Deals opponent after opponent into the hole positions of `cards` for as long as the
// user beats each of them, counting every opponent beaten. A tie ends the hand like a
// loss. Opponents after the first one not beaten are never dealt.
void deal_opponents_while_beaten(Deck& deck, Seven& cards, const Hand& user,
                                 std::vector<unsigned>& counts)
{
    for (std::size_t opponent = 1; opponent < counts.size(); ++opponent) {
        cards[Calculator::hole_position] = deck.deal();
        cards[Calculator::hole_position + 1] = deck.deal();
        if (!(rank(cards) < user))
            return;
        ++counts[opponent];
    }
}

} // namespace

Calculator::Calculator(unsigned seed) : deck(seed), user_cards(no_user_cards)
{
}

void Calculator::setup(unsigned opponents)
{
    user_cards.assign(no_user_cards, Card());
    counts.assign(opponents + 1, 0);
}

void Calculator::set_hole(const Card& a, const Card& b)
{
    user_cards[hole_position] = a;
    user_cards[hole_position + 1] = b;
}

void Calculator::set_flop(const Card& a, const Card& b, const Card& c)
{
    user_cards[flop_position] = a;
    user_cards[flop_position + 1] = b;
    user_cards[flop_position + 2] = c;
}

void Calculator::set_turn(const Card& card)
{
    user_cards[turn_position] = card;
}

void Calculator::set_river(const Card& card)
{
    user_cards[river_position] = card;
}

// The same runs with every hand ranked by table (HandTable): the board's key sums are
// made once per simulated hand and each player's two hole cards added to them. The table
// ranks distinct cards only, so this serves runs whose known cards are all different
// (dealt cards never repeat a known one); the draws are the ones of the general loop.
void Calculator::simulate_distinct_hands(unsigned hands)
{
    const HandTable& table = HandTable::get();
    // The known cards, their board sums and the places to deal, worked out once for the
    // whole run.
    std::array<unsigned, no_user_cards> cards{};
    std::array<std::size_t, no_user_cards> unknown{};
    std::size_t no_unknown = 0;
    Deck::Cards removed = 0;
    Sums known_board;
    for (std::size_t i = 0; i < no_user_cards; ++i) {
        const Card& card = user_cards[i];
        if (card.is_unknown()) {
            unknown[no_unknown++] = i;
            continue;
        }
        cards[i] = card.index();
        removed |= Deck::bit(cards[i]);
        if (i >= flop_position)
            known_board.add(cards[i]);
    }
    // During the run counts[k] holds the hands in which exactly k opponents were beaten;
    // a sum over k at the end turns that into the counts.
    std::vector<unsigned>& hands_beating = counts;
    const std::size_t no_opponents = counts.size() - 1;
    const auto first_unknown_board =
        std::find_if(unknown.begin(), unknown.begin() + no_unknown,
                     [](std::size_t place) { return place >= flop_position; });

    Deck::State state = deck.take_state();
    for (unsigned hand = 0; hand < hands; ++hand) {
        Deck::reset(state, removed);
        for (std::size_t i = 0; i < no_unknown; ++i)
            cards[unknown[i]] = deck.deal_index(state);

        Sums board = known_board;
        for (auto place = first_unknown_board; place != unknown.begin() + no_unknown; ++place)
            board.add(cards[*place]);
        const HandTable::Rank user =
            board.rank_with(table, cards[hole_position], cards[hole_position + 1]);

        // Opponent after opponent for as long as the user beats each; a tie ends the
        // hand like a loss.
        std::size_t beaten = 0;
        while (beaten < no_opponents) {
            const unsigned a = deck.deal_index(state);
            const unsigned b = deck.deal_index(state);
            // Ranks order as Hand::strength does, ties alike, so this is the hands' order.
            if (board.rank_with(table, a, b) >= user)
                break;
            ++beaten;
        }
        ++hands_beating[beaten];
    }
    deck.give_state(state);
    // The hands that beat k opponents or more are those that beat opponents 1 to k.
    for (std::size_t k = no_opponents; k > 0; --k)
        counts[k - 1] += counts[k];
}

void Calculator::simulate_hands(unsigned hands)
{
    assert(!counts.empty() && "setup comes before a run");
    assert(user_cards.size() == no_user_cards);

    clear_counts();
    if (known_cards_distinct()) {
        simulate_distinct_hands(hands);
        return;
    }

    Seven known;
    std::copy(user_cards.begin(), user_cards.end(), known.begin());
    Seven cards;
    for (unsigned hand = 0; hand < hands; ++hand) {
        deck.reset();
        cards = known;
        remove_known_cards(deck, cards);
        deal_unknown_cards(deck, cards);
        const Hand user = rank(cards);
        ++counts[0];
        deal_opponents_while_beaten(deck, cards, user, counts);
    }
}

bool Calculator::known_cards_distinct() const
{
    CardSet set;
    for (const Card& card : user_cards) {
        if (!card.is_unknown())
            set.add(card);
    }
    return set.distinct();
}

double Calculator::probability(unsigned opponents, double weight) const
{
    assert(!counts.empty() && counts[0] > 0 && "a run comes before the figures");
    assert(opponents < counts.size());
    if (opponents == 0)
        return 1.0;
    const double hands = counts[0];
    return weight * counts.back() / hands + (1 - weight) * counts[opponents] / hands;
}

unsigned Calculator::no_opponents() const
{
    assert(!counts.empty());
    return static_cast<unsigned>(counts.size() - 1);
}

void Calculator::fold()
{
    assert(!counts.empty());
    counts.pop_back();
}

void Calculator::reset_no_opponents(unsigned opponents)
{
    counts.resize(opponents + 1, 0);
}

void Calculator::clear_counts()
{
    std::fill(counts.begin(), counts.end(), 0);
}

} // namespace poker::texas_holdem
