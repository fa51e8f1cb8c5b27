#include "texas_holdem/StatsCollector.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

#include "texas_holdem/pokerstars/CurrentGrammar.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"
#include "texas_holdem/pokerstars/OlderGrammar.h"

namespace poker::texas_holdem {

using pokerstars::CurrentGrammar;
using pokerstars::HandHistoryError;
using pokerstars::HandReader;
using pokerstars::HandRecord;
using pokerstars::OlderGrammar;

namespace {

const char standard_input[] = "-";
constexpr std::chrono::milliseconds progress_interval{200};
constexpr std::size_t files_ahead = 4;

// The seat of `name` when he was dealt in (he has a line of his own in the hand).
std::optional<std::size_t> dealt_seat(const HandRecord& hand, const std::string& name)
{
    for (std::size_t seat = 0; seat < hand.seats.size(); ++seat) {
        if (hand.seats[seat].name != name)
            continue;
        if (hand.hero == seat)
            return seat;
        for (const HandRecord::Action& action : hand.actions)
            if (action.seat == seat)
                return seat;
    }
    return std::nullopt;
}

// A hand of the 2006-2008 form, which the later grammar reads as well (it knows that
// form's header and its pot without "Uncalled bet" lines) once the attendance lines that
// the older form allows anywhere are dropped. Line numbers count the hand's lines from
// its header; an empty line inside a hand, which the reader drops, is not counted.
void read_older_hand(const HandReader& reader, HandRecord& hand)
{
    const std::vector<std::string>& lines = reader.older_hand();
    std::uint32_t number = reader.older_hand_first_line();
    CurrentGrammar grammar;
    grammar.begin(lines.front(), number, hand);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        ++number;
        if (!OlderGrammar::is_attendance_line(lines[i]))
            grammar.read(lines[i], number);
    }
    grammar.end();
}

} // namespace

// What one file gives, before it is put together with the others.
struct StatsCollector::FileResult {
    PlayerStatistics players;
    HeroResults results;
    std::vector<std::string> hand_ids; // of the hands counted, in file order
    std::vector<Fault> faults;
    std::uint64_t repeated = 0;
    std::uint64_t cancelled = 0;
};

bool StatsCollector::CountedHands::as_number(const std::string& id, std::uint64_t& number)
{
    if (id.empty() || id.size() > max_digits)
        return false;
    number = 0;
    for (const char c : id) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    // A leading zero would make two texts one number.
    return id.size() == 1 || id.front() != '0';
}

bool StatsCollector::CountedHands::contains(const std::string& id) const
{
    std::uint64_t number = 0;
    return as_number(id, number) ? numbers_.count(number) != 0 : others_.count(id) != 0;
}

void StatsCollector::CountedHands::insert(const std::string& id)
{
    std::uint64_t number = 0;
    if (as_number(id, number))
        numbers_.insert(number);
    else
        others_.insert(id);
}

StatsCollector::FileResult StatsCollector::read_file(std::size_t index, const CountedHands* known,
                                                     const Options& options,
                                                     std::atomic<std::uint64_t>& read,
                                                     AllInEquity& equity) const
{
    FileResult result;
    const std::string& name = files[index];
    std::ifstream file;
    std::istringstream piped;
    if (name == standard_input) {
        piped.str(standard_input_);
    } else {
        file.open(name, std::ios::binary);
        if (!file) {
            result.faults.push_back({name, 0, "cannot read the file"});
            return result;
        }
    }
    std::istream& in = name == standard_input ? static_cast<std::istream&>(piped) : file;
    HandReader reader(in, name);
    HandRecord hand; // reused: its storage serves every hand
    std::unordered_set<std::string> seen;
    for (;;) {
        try {
            const HandReader::Found found = reader.read(hand);
            if (found == HandReader::Found::end)
                break;
            if (found == HandReader::Found::older_hand)
                read_older_hand(reader, hand);
            ++read;
        } catch (const HandHistoryError& fault) {
            result.faults.push_back({name, fault.line, fault.what()});
            continue;
        }
        if (hand.cancelled) {
            ++result.cancelled;
            continue;
        }
        if ((known && known->contains(hand.hand_id)) || !seen.insert(hand.hand_id).second) {
            ++result.repeated;
            continue;
        }
        result.hand_ids.push_back(hand.hand_id);
        result.players.add(hand);
        const std::optional<std::size_t> seat =
            options.hero.empty() ? hand.hero : dealt_seat(hand, options.hero);
        if (seat)
            result.results.add(hand, *seat, static_cast<std::uint32_t>(index), equity);
    }
    return result;
}

void StatsCollector::run(const std::vector<std::string>& paths, const Options& options,
                         const std::function<void(const Progress&)>& progress)
{
    files = paths;
    if (std::find(files.begin(), files.end(), standard_input) != files.end()) {
        std::ostringstream text;
        text << std::cin.rdbuf();
        standard_input_ = text.str();
    }
    std::atomic<std::uint64_t> read{0};
    std::vector<std::optional<FileResult>> done(files.size());
    std::mutex mutex;
    std::condition_variable finished, merged;
    std::atomic<std::size_t> next{0};
    std::size_t next_to_merge = 0;
    const unsigned jobs =
        std::max(1u, std::min<unsigned>(options.jobs, static_cast<unsigned>(files.size())));

    // One equity object per thread, kept from file to file: a situation met again (the
    // same cards, board and pots) is not enumerated again.
    auto work = [&] {
        AllInEquity equity(options.remember_all_ins);
        for (std::size_t index = next++; index < files.size(); index = next++) {
            {
                // Only a few files ahead of the putting together, so that finished files
                // do not pile up while one is read again.
                std::unique_lock<std::mutex> lock(mutex);
                merged.wait(lock, [&] { return index < next_to_merge + files_ahead * jobs; });
            }
            FileResult result = read_file(index, nullptr, options, read, equity);
            const std::lock_guard<std::mutex> lock(mutex);
            done[index] = std::move(result);
            finished.notify_one();
        }
    };
    std::vector<std::thread> workers;
    for (unsigned job = 0; job < jobs; ++job)
        workers.emplace_back(work);

    // Put together in file order, as each file is ready. A file that repeats hands
    // counted before is read again without them, so that it is the first meeting of a
    // hand that counts whichever thread finished first.
    Progress report{0, files.size(), 0};
    AllInEquity equity_again(options.remember_all_ins);
    for (std::size_t index = 0; index < files.size(); ++index) {
        std::optional<FileResult> result;
        {
            std::unique_lock<std::mutex> lock(mutex);
            while (!done[index]) {
                if (progress) {
                    report.hands = read;
                    lock.unlock();
                    progress(report);
                    lock.lock();
                }
                finished.wait_for(lock, progress_interval);
            }
            result.swap(done[index]);
            next_to_merge = index + 1;
        }
        merged.notify_all();
        const bool repeats =
            std::any_of(result->hand_ids.begin(), result->hand_ids.end(),
                        [this](const std::string& id) { return counted_.contains(id); });
        if (repeats) {
            std::atomic<std::uint64_t> again{0};
            result = read_file(index, &counted_, options, again, equity_again);
        }
        for (const std::string& id : result->hand_ids)
            counted_.insert(id);
        players.merge(result->players);
        results.append(result->results);
        faults.insert(faults.end(), result->faults.begin(), result->faults.end());
        hands += result->hand_ids.size();
        repeated += result->repeated;
        cancelled += result->cancelled;
        report.files_done = index + 1;
        report.hands = read;
        if (progress)
            progress(report);
    }
    for (std::thread& worker : workers)
        worker.join();

    hero = options.hero.empty() ? results.most_frequent_name() : options.hero;
    results.keep_only(hero);
}

} // namespace poker::texas_holdem
