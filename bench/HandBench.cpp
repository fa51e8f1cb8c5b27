#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "poker/Card.h"
#include "poker/Hand.h"
#include "poker/HandTable.h"

namespace {

using Seven = std::array<poker::Card, 7>;

// Random seven-card sets, made before timing; enough of them that the branches of the
// ranking see realistic variety rather than a few repeated hands.
std::vector<Seven> random_sevens(std::size_t count)
{
    std::mt19937 random(42);
    std::array<poker::Card, poker::Card::no_cards> deck;
    for (unsigned i = 0; i < deck.size(); ++i)
        deck[i] = poker::Card::from_index(i);
    std::vector<Seven> sevens(count);
    for (Seven& seven : sevens) {
        std::shuffle(deck.begin(), deck.end(), random);
        std::copy_n(deck.begin(), seven.size(), seven.begin());
    }
    return sevens;
}

// A power of two, so that stepping through the sets costs a mask, not a division.
constexpr std::size_t no_sets = std::size_t{1} << 16;

void best_hand_of_seven(benchmark::State& state)
{
    const std::vector<Seven> sevens = random_sevens(no_sets);
    std::size_t next = 0;
    for (auto _ : state) {
        const Seven& seven = sevens[next];
        benchmark::DoNotOptimize(poker::Hand::best_hand(seven.data(), seven.size()));
        next = (next + 1) & (no_sets - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

// The simulation's form of the ranking: seven card indices summed from their keys and
// ranked by the table, without the Card fields and the Hand fields around it.
void table_rank_of_seven(benchmark::State& state)
{
    const std::vector<Seven> sevens = random_sevens(no_sets);
    std::vector<std::array<unsigned char, 7>> indices(no_sets);
    for (std::size_t i = 0; i < no_sets; ++i) {
        for (std::size_t c = 0; c < 7; ++c)
            indices[i][c] = static_cast<unsigned char>(sevens[i][c].index());
    }
    const poker::HandTable& table = poker::HandTable::get();
    std::size_t next = 0;
    for (auto _ : state) {
        std::uint64_t counts = 0, cards = 0;
        for (unsigned char index : indices[next]) {
            const poker::HandTable::CardKey key = poker::HandTable::key(index);
            counts += key.counts;
            cards += key.cards;
        }
        benchmark::DoNotOptimize(table.rank(counts, cards));
        next = (next + 1) & (no_sets - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

// Where best_hand's time goes beyond the table: the same ranking read from Card structs
// (two fields per card instead of one byte), then with the checks best_hand must make
// before it may use the table (every card known, none given twice), as best_hand makes them.
template <bool checked>
void table_rank_of_seven_cards(benchmark::State& state)
{
    const std::vector<Seven> sevens = random_sevens(no_sets);
    const poker::HandTable& table = poker::HandTable::get();
    std::size_t next = 0;
    for (auto _ : state) {
        const Seven& seven = sevens[next];
        next = (next + 1) & (no_sets - 1);
        unsigned suits = 0;
        for (const poker::Card& card : seven)
            suits |= static_cast<unsigned>(card.suit);
        if (checked && suits >= poker::Card::no_suits)
            continue;
        std::uint64_t counts = 0, cards = 0, held = 0;
        for (const poker::Card& card : seven) {
            const poker::HandTable::CardKey key = poker::HandTable::key(card.index());
            counts += key.counts;
            cards += key.cards;
            held |= key.cards;
        }
        if (!checked || cards == held)
            benchmark::DoNotOptimize(table.rank(counts, cards));
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(best_hand_of_seven);
BENCHMARK(table_rank_of_seven);
BENCHMARK_TEMPLATE(table_rank_of_seven_cards, false);
BENCHMARK_TEMPLATE(table_rank_of_seven_cards, true);
