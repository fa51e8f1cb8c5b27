#include "texas_holdem/AllInEquity.h"

#include <algorithm>
#include <cassert>

#include "poker/HandTable.h"

namespace poker::texas_holdem {

namespace {

using pokerstars::HandRecord;
using Kind = HandRecord::Action::Kind;
using Street = HandRecord::Street;

constexpr std::size_t hole_cards = 2;

bool puts_money_in(Kind kind)
{
    return kind == Kind::ante || kind == Kind::small_blind || kind == Kind::big_blind
           || kind == Kind::dead_blind || kind == Kind::call || kind == Kind::bet
           || kind == Kind::raise;
}

// Board cards known when the betting stopped on `street`.
std::size_t board_known_after(Street street)
{
    switch (street) {
    case Street::preflop: return 0;
    case Street::flop: return 3;
    default: return 4;
    }
}

// Deals every remaining board once and counts the player's wins. Boards are the
// combinations of the cards left, dealt in rising order with the key sums (HandTable) of
// the first cards kept per depth, so each dealt card is added once per board prefix; at
// each board every player is ranked once, from the board's sums and his two cards'.
class Enumerator {
public:
    Enumerator(const AllInEquity::Situation& situation, std::size_t players)
        : table_(HandTable::get()), players_(players), pots_(situation.pot_players.size()),
          hero_(situation.player)
    {
        std::uint64_t taken = 0;
        for (std::size_t p = 0; p < players_; ++p) {
            for (const Card& card : situation.hands[p]) {
                const HandTable::CardKey key = HandTable::key(card.index());
                hole_counts_[p] += key.counts;
                hole_cards_[p] += key.cards;
                taken |= std::uint64_t{1} << card.index();
            }
        }
        HandTable::CardKey known{0, 0};
        for (const Card& card : situation.board) {
            const HandTable::CardKey key = HandTable::key(card.index());
            known.counts += key.counts;
            known.cards += key.cards;
            taken |= std::uint64_t{1} << card.index();
        }
        for (unsigned index = 0; index < Card::no_cards; ++index)
            if ((taken & (std::uint64_t{1} << index)) == 0)
                deck_[deck_size_++] = HandTable::key(index);
        for (std::size_t k = 0; k < pots_; ++k)
            pot_players_[k] = situation.pot_players[k];
        to_deal_ = AllInEquity::board_cards - situation.board.size();
        known_ = known;
        // One pot held by the player and one other: the heads-up case, scored by one
        // comparison.
        heads_up_ = players_ == 2 && pots_ == 1 && pot_players_[0] == 0b11;
    }

    AllInEquity::Shares run()
    {
        switch (to_deal_) {
        case 0: score(known_.counts, known_.cards); break;
        case 1: deal<1>(0, known_.counts, known_.cards); break;
        case 2: deal<2>(0, known_.counts, known_.cards); break;
        case 3: deal<3>(0, known_.counts, known_.cards); break;
        case 4: deal<4>(0, known_.counts, known_.cards); break;
        default: deal<5>(0, known_.counts, known_.cards); break;
        }
        AllInEquity::Shares shares;
        shares.wins.assign(wins_.begin(), wins_.begin() + static_cast<std::ptrdiff_t>(pots_));
        if (heads_up_)
            shares.wins[0] = AllInEquity::split_unit * heads_up_wins_
                             + AllInEquity::split_unit / 2 * heads_up_ties_;
        shares.boards = boards_;
        return shares;
    }

private:
    // Deals `left` more cards from deck_[start..], each above the one before, onto a board
    // whose key sums are `counts` and `cards`. The count of cards to deal is a template
    // argument so that the nested loops are unrolled into one another.
    template <std::size_t left>
    void deal(std::size_t start, std::uint64_t counts, std::uint64_t cards)
    {
        if constexpr (left == 1) {
            if (heads_up_) {
                last_card_heads_up(start, counts, cards);
                return;
            }
        }
        // The cards still to deal rise, so each must leave `left - 1` cards above it.
        for (std::size_t i = start; i + left <= deck_size_; ++i) {
            const HandTable::CardKey key = deck_[i];
            if constexpr (left == 1)
                score(counts + key.counts, cards + key.cards);
            else
                deal<left - 1>(i + 1, counts + key.counts, cards + key.cards);
        }
    }

    // The last card of every board that starts with the cards summed in `counts` and
    // `cards`, for two players and one pot: each player's sums with the cards before are
    // worked out once, and the counts kept in locals for the loop.
    void last_card_heads_up(std::size_t start, std::uint64_t counts, std::uint64_t cards)
    {
        const std::uint64_t own_counts = counts + hole_counts_[hero_];
        const std::uint64_t own_cards = cards + hole_cards_[hero_];
        const std::uint64_t other_counts = counts + hole_counts_[1 - hero_];
        const std::uint64_t other_cards = cards + hole_cards_[1 - hero_];
        std::uint64_t won = 0, tied = 0;
        for (std::size_t i = start; i < deck_size_; ++i) {
            const HandTable::CardKey key = deck_[i];
            // Ranks order as the hands do, so comparing them compares the hands.
            const HandTable::Rank own = table_.rank(own_counts + key.counts, own_cards + key.cards);
            const HandTable::Rank other =
                table_.rank(other_counts + key.counts, other_cards + key.cards);
            won += own > other;
            tied += own == other;
        }
        heads_up_wins_ += won;
        heads_up_ties_ += tied;
        boards_ += deck_size_ - start;
    }

    // One whole board: each player ranked once, each pot to its best ranks.
    void score(std::uint64_t counts, std::uint64_t cards)
    {
        ++boards_;
        if (heads_up_) {
            // Ranks order as the hands do, so comparing them compares the hands.
            const HandTable::Rank own =
                table_.rank(counts + hole_counts_[hero_], cards + hole_cards_[hero_]);
            const HandTable::Rank other =
                table_.rank(counts + hole_counts_[1 - hero_], cards + hole_cards_[1 - hero_]);
            heads_up_wins_ += own > other;
            heads_up_ties_ += own == other;
            return;
        }
        std::array<HandTable::Rank, AllInEquity::max_players> rank{};
        for (std::size_t p = 0; p < players_; ++p)
            rank[p] = table_.rank(counts + hole_counts_[p], cards + hole_cards_[p]);
        for (std::size_t k = 0; k < pots_; ++k) {
            const std::uint32_t eligible = pot_players_[k];
            if ((eligible >> hero_ & 1u) == 0)
                continue;
            HandTable::Rank best = 0;
            std::size_t winners = 0;
            for (std::size_t p = 0; p < players_; ++p) {
                if ((eligible >> p & 1u) == 0)
                    continue;
                if (rank[p] > best) {
                    best = rank[p];
                    winners = 1;
                } else if (rank[p] == best) {
                    ++winners;
                }
            }
            // split_unit is a multiple of every winner count up to max_players: exact.
            if (rank[hero_] == best)
                wins_[k] += share_of_winners[winners];
        }
    }

    // split_unit / n for n winners, worked out once.
    static constexpr std::array<std::uint64_t, AllInEquity::max_players + 1> share_of_winners = [] {
        std::array<std::uint64_t, AllInEquity::max_players + 1> shares{};
        for (std::size_t n = 1; n <= AllInEquity::max_players; ++n)
            shares[n] = AllInEquity::split_unit / n;
        return shares;
    }();

    const HandTable& table_;
    std::size_t players_;
    std::size_t pots_;
    std::size_t hero_;
    bool heads_up_ = false;
    std::array<std::uint64_t, AllInEquity::max_players> hole_counts_{};
    std::array<std::uint64_t, AllInEquity::max_players> hole_cards_{};
    std::array<std::uint32_t, AllInEquity::max_players> pot_players_{};
    std::array<HandTable::CardKey, Card::no_cards> deck_{};
    HandTable::CardKey known_{0, 0};
    std::size_t deck_size_ = 0;
    std::size_t to_deal_ = 0;
    std::array<std::uint64_t, AllInEquity::max_players> wins_{};
    std::uint64_t heads_up_wins_ = 0;
    std::uint64_t heads_up_ties_ = 0;
    std::uint64_t boards_ = 0;
};

// The two cards `seat` is known to hold: the hero's, or the last two it showed.
std::optional<std::array<Card, 2>> known_cards(const HandRecord& hand, std::size_t seat)
{
    if (hand.hero && *hand.hero == seat)
        return hand.hero_cards;
    std::optional<std::array<Card, 2>> cards;
    for (const HandRecord::Action& action : hand.actions)
        if (action.seat == seat && action.kind == Kind::shows && action.cards.size() == hole_cards)
            cards = std::array<Card, 2>{action.cards[0], action.cards[1]};
    return cards;
}

// Rounded to the nearest whole number, halves away from zero.
std::int64_t rounded_quotient(__int128 numerator, __int128 denominator)
{
    assert(denominator > 0);
    const __int128 half = denominator / 2;
    return static_cast<std::int64_t>(numerator >= 0 ? (numerator + half) / denominator
                                                    : -((-numerator + half) / denominator));
}

} // namespace

AllInEquity::Shares AllInEquity::enumerate(const Situation& situation)
{
    assert(situation.hands.size() <= max_players && situation.board.size() <= board_cards);
    return Enumerator(situation, situation.hands.size()).run();
}

const AllInEquity::Shares& AllInEquity::shares(const Situation& situation)
{
    if (!remember_) {
        last_ = enumerate(situation);
        return last_;
    }
    std::string key;
    for (const auto& hand : situation.hands)
        for (const Card& card : hand)
            key += static_cast<char>(card.index());
    key += '|';
    for (const Card& card : situation.board)
        key += static_cast<char>(card.index());
    key += '|';
    key += static_cast<char>(situation.player);
    for (const std::uint32_t players : situation.pot_players)
        key.append({static_cast<char>(players), static_cast<char>(players >> 8)});

    const auto found = remembered_.find(key);
    if (found != remembered_.end())
        return found->second;
    if (remembered_.size() >= max_remembered)
        remembered_.clear();
    return remembered_.emplace(key, enumerate(situation)).first->second;
}

std::optional<std::int64_t> AllInEquity::adjusted_result(const HandRecord& hand, std::size_t seat,
                                                         const HandMoney& money)
{
    if (!money.known() || money.cashed_out(seat) || !hand.showdown || seat >= hand.seats.size())
        return std::nullopt;

    // Who is still in, where the money stopped going in, and who was all-in.
    std::vector<bool> dealt(hand.seats.size(), false), folded(hand.seats.size(), false),
        all_in(hand.seats.size(), false);
    Street last_street = Street::preflop;
    for (const HandRecord::Action& action : hand.actions) {
        if (action.seat >= hand.seats.size())
            continue;
        dealt[action.seat] = true;
        folded[action.seat] = folded[action.seat] || action.kind == Kind::fold;
        all_in[action.seat] = all_in[action.seat] || action.all_in;
        if (puts_money_in(action.kind))
            last_street = action.street;
    }
    if (!dealt[seat] || folded[seat] || last_street >= Street::river)
        return std::nullopt;
    bool called_all_in = false;
    for (const HandRecord::Action& action : hand.actions)
        if (action.seat == seat && action.kind == Kind::call && action.street == last_street)
            for (std::size_t other = 0; other < hand.seats.size(); ++other)
                called_all_in = called_all_in || (other != seat && all_in[other] && !folded[other]);
    if (!all_in[seat] && !called_all_in)
        return std::nullopt;

    Situation situation;
    std::vector<std::size_t> live;
    std::uint64_t taken = 0;
    for (std::size_t s = 0; s < hand.seats.size(); ++s) {
        if (!dealt[s] || folded[s])
            continue;
        const auto cards = known_cards(hand, s);
        if (!cards)
            return std::nullopt;
        if (s == seat)
            situation.player = live.size();
        live.push_back(s);
        situation.hands.push_back(*cards);
    }
    const std::size_t known = board_known_after(last_street);
    if (live.size() < 2 || live.size() > max_players || hand.boards.empty()
        || hand.boards.front().size() < known)
        return std::nullopt;
    situation.board.assign(hand.boards.front().begin(),
                           hand.boards.front().begin() + static_cast<std::ptrdiff_t>(known));
    // Cards repeated or unknown: a damaged hand, left as it stands.
    auto take = [&taken](const Card& card) {
        if (card.is_unknown() || card.value < 0 || card.value >= Card::no_values || card.suit < 0
            || card.suit >= Card::no_suits)
            return false;
        const std::uint64_t bit = std::uint64_t{1} << card.index();
        const bool fresh = (taken & bit) == 0;
        taken |= bit;
        return fresh;
    };
    for (const auto& cards : situation.hands)
        for (const Card& card : cards)
            if (!take(card))
                return std::nullopt;
    for (const Card& card : situation.board)
        if (!take(card))
            return std::nullopt;

    // The pots, smallest stake first: each level of the live players' stakes makes a pot
    // of everybody's money up to it, folded players' included, for those who reached it.
    std::vector<Money> levels;
    for (const std::size_t s : live)
        levels.push_back(money.committed(s));
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    std::vector<Money> pots;
    Money previous = 0;
    for (const Money level : levels) {
        Money pot = 0;
        for (std::size_t s = 0; s < hand.seats.size(); ++s)
            pot += std::clamp(money.committed(s), previous, level) - previous;
        std::uint32_t players = 0;
        for (std::size_t p = 0; p < live.size(); ++p)
            if (money.committed(live[p]) >= level)
                players |= 1u << p;
        pots.push_back(pot);
        situation.pot_players.push_back(players);
        previous = level;
    }

    const Shares& share = shares(situation);
    const Money total = money.pot();
    if (total <= 0 || share.boards == 0)
        return std::nullopt;
    // What he wins of the pots before rake, then the rake taken out in proportion.
    __int128 won = 0;
    for (std::size_t k = 0; k < pots.size(); ++k)
        won += static_cast<__int128>(pots[k]) * share.wins[k];
    const Money after_rake = std::max<Money>(total - std::max<Money>(hand.rake, 0), 0);
    const __int128 numerator = won * after_rake * hundredths;
    const __int128 denominator = static_cast<__int128>(split_unit) * share.boards * total;
    return rounded_quotient(numerator, denominator) - money.committed(seat) * hundredths;
}

} // namespace poker::texas_holdem
