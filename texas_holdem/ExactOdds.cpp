#include "texas_holdem/ExactOdds.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cassert>
#include <limits>
#include <mutex>
#include <thread>

#include "poker/HandTable.h"
#include "texas_holdem/Calculator.h"

namespace poker::texas_holdem {

namespace {

using Cards = std::uint64_t;
constexpr std::uint64_t unbounded = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturating_product(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? unbounded : product;
}

std::uint64_t saturating_sum(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? unbounded : sum;
}

std::uint64_t choose(std::uint64_t n, std::uint64_t k)
{
    if (k > n)
        return 0;
    std::uint64_t result = 1;
    // Each partial product is itself a binomial coefficient, so every division is exact.
    for (std::uint64_t i = 1; i <= k; ++i)
        result = saturating_product(result, n - k + i) / i;
    return result;
}

// The ordered holdings of k opponents from n cards: C(n, 2) * C(n - 2, 2) * ...
std::uint64_t ordered_holdings(std::uint64_t n, unsigned k)
{
    std::uint64_t result = 1;
    for (unsigned j = 0; j < k; ++j)
        result = saturating_product(result, choose(n - 2 * j, 2));
    return result;
}

// The places of the user's cards and what is known of them.
struct Situation {
    std::array<unsigned, Calculator::no_user_cards> cards{};
    std::array<bool, Calculator::no_user_cards> unknown{};
    unsigned no_hole_unknown = 0;
    unsigned no_board_unknown = 0;
    Cards known = 0;
    std::vector<unsigned> rest; // the cards not known, rising

    explicit Situation(const std::vector<Card>& user_cards)
    {
        assert(user_cards.size() == Calculator::no_user_cards);
        for (std::size_t i = 0; i < Calculator::no_user_cards; ++i) {
            unknown[i] = user_cards[i].is_unknown();
            if (unknown[i]) {
                (i < Calculator::flop_position ? no_hole_unknown : no_board_unknown) += 1;
            } else {
                cards[i] = user_cards[i].index();
                known |= Cards{1} << cards[i];
            }
        }
        for (unsigned i = 0; i < Card::no_cards; ++i) {
            if ((known & (Cards{1} << i)) == 0)
                rest.push_back(i);
        }
    }

    std::uint64_t no_deals() const
    {
        return saturating_product(choose(rest.size(), no_hole_unknown),
                                  choose(rest.size() - no_hole_unknown, no_board_unknown));
    }
};

// One thread's share of the counting.
class Counter {
public:
    Counter(const Situation& situation, unsigned opponents)
        : situation(situation), table(HandTable::get()), opponents(opponents),
          wins(opponents + 1, 0)
    {
    }

    // Counts the deals whose first unknown card is the `first`-th card left, in the
    // order of `Situation::rest`.
    void count_deals_from(std::size_t first)
    {
        cards = situation.cards;
        dealt = situation.known;
        places.clear();
        for (std::size_t i = 0; i < Calculator::no_user_cards; ++i) {
            if (situation.unknown[i])
                places.push_back(i);
        }
        if (places.empty()) {
            if (first == 0)
                count_deal();
            return;
        }
        deal_place(0, first, first + 1);
    }

    const std::vector<std::uint64_t>& counts() const { return wins; }

private:
    // Deals rest[from .. to) into unknown place number `p`, then the places after it:
    // the hole places' cards rise among themselves, and so do the board places', so that
    // each deal comes once.
    void deal_place(std::size_t p, std::size_t from, std::size_t to)
    {
        const std::vector<unsigned>& rest = situation.rest;
        for (std::size_t i = from; i < to && i < rest.size(); ++i) {
            const unsigned card = rest[i];
            if (dealt & (Cards{1} << card))
                continue;
            cards[places[p]] = card;
            dealt |= Cards{1} << card;
            if (p + 1 == places.size()) {
                count_deal();
            } else {
                // The next place starts above this card within the same group (hole or
                // board), from the lowest card at the first place of the board.
                const bool same_group = (places[p] < Calculator::flop_position)
                                        == (places[p + 1] < Calculator::flop_position);
                deal_place(p + 1, same_group ? i + 1 : 0, rest.size());
            }
            dealt &= ~(Cards{1} << card);
        }
    }

    // One deal of the user's cards: the user ranked once, every holding of the cards
    // left once, then the ordered holdings of further opponents among those he beats.
    void count_deal()
    {
        std::uint64_t counts = 0, held = 0;
        for (std::size_t i = Calculator::flop_position; i < Calculator::no_user_cards; ++i) {
            counts += HandTable::key(cards[i]).counts;
            held += HandTable::key(cards[i]).cards;
        }
        const HandTable::CardKey a = HandTable::key(cards[0]);
        const HandTable::CardKey b = HandTable::key(cards[1]);
        const HandTable::Rank user =
            table.rank(counts + a.counts + b.counts, held + a.cards + b.cards);
        ++wins[0];

        left.clear();
        for (unsigned card : situation.rest) {
            if ((dealt & (Cards{1} << card)) == 0)
                left.push_back(card);
        }
        beaten.clear();
        for (std::size_t i = 0; i < left.size(); ++i) {
            const HandTable::CardKey x = HandTable::key(left[i]);
            const std::uint64_t counts_x = counts + x.counts;
            const std::uint64_t held_x = held + x.cards;
            for (std::size_t j = i + 1; j < left.size(); ++j) {
                const HandTable::CardKey y = HandTable::key(left[j]);
                if (table.rank(counts_x + y.counts, held_x + y.cards) < user)
                    beaten.push_back((Cards{1} << left[i]) | (Cards{1} << left[j]));
            }
        }
        wins[1] += beaten.size();
        if (opponents >= 2) {
            for (Cards holding : beaten)
                count_more_opponents(2, holding);
        }
    }

    // The user has beaten k - 1 opponents holding `used`; counts the beaten holdings
    // clear of them for opponent k, and on from each.
    void count_more_opponents(unsigned k, Cards used)
    {
        for (Cards holding : beaten) {
            if (holding & used)
                continue;
            ++wins[k];
            if (k < opponents)
                count_more_opponents(k + 1, used | holding);
        }
    }

    const Situation& situation;
    const HandTable& table;
    const unsigned opponents;
    std::vector<std::uint64_t> wins;
    std::array<unsigned, Calculator::no_user_cards> cards{};
    Cards dealt = 0;
    std::vector<std::size_t> places;
    std::vector<unsigned> left;
    std::vector<Cards> beaten;
};

} // namespace

std::uint64_t ExactOdds::no_cases(const std::vector<Card>& user_cards, unsigned opponents)
{
    const Situation situation(user_cards);
    const std::uint64_t left =
        situation.rest.size() - situation.no_hole_unknown - situation.no_board_unknown;
    std::uint64_t per_deal = 0;
    for (unsigned k = 1; k <= opponents; ++k)
        per_deal = saturating_sum(per_deal, ordered_holdings(left, k));
    return saturating_product(situation.no_deals(), std::max<std::uint64_t>(per_deal, 1));
}

ExactOdds::Counts ExactOdds::count(const std::vector<Card>& user_cards, unsigned opponents,
                                   unsigned jobs)
{
    const Situation situation(user_cards);
    Counts result;
    result.cases.resize(opponents + 1);
    result.wins.assign(opponents + 1, 0);
    const std::uint64_t deals = situation.no_deals();
    const std::uint64_t left =
        situation.rest.size() - situation.no_hole_unknown - situation.no_board_unknown;
    for (unsigned k = 0; k <= opponents; ++k)
        result.cases[k] = saturating_product(deals, ordered_holdings(left, k));

    // Work items: the first unknown card of a deal. Threads take them in turn; the
    // counts are whole numbers added up, so the shares do not change the sums.
    std::atomic<std::size_t> next{0};
    std::mutex merge;
    const auto work = [&] {
        Counter counter(situation, opponents);
        for (std::size_t first = next++; first < std::max<std::size_t>(situation.rest.size(), 1);
             first = next++)
            counter.count_deals_from(first);
        const std::lock_guard<std::mutex> lock(merge);
        for (unsigned k = 0; k <= opponents; ++k)
            result.wins[k] += counter.counts()[k];
    };
    std::vector<std::thread> threads;
    for (unsigned j = 1; j < std::max(jobs, 1u); ++j)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    return result;
}

} // namespace poker::texas_holdem
