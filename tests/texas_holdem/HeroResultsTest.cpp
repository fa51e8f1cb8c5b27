#include "texas_holdem/HeroResults.h"

#include <sstream>

#include <boost/property_tree/xml_parser.hpp>
#include <gtest/gtest.h>

#include "support/HandRecordBuilder.h"

namespace poker::texas_holdem {
namespace {

using test::HandRecordBuilder;
using Kind = HandRecordBuilder::Kind;

// Hero A, in the big blind, wins a walk (+50).
pokerstars::HandRecord walk(const std::string& id)
{
    // clang-format off
    return HandRecordBuilder(id).seat("B").seat("A").hero("A", "2c 7d")
        .act("B", Kind::small_blind, 50).act("A", Kind::big_blind, 100)
        .act("B", Kind::fold).act("A", Kind::uncalled, 50).collect("A", 100).build();
    // clang-format on
}

// Hero A wins a walk, then loses his aces all-in on the flop to a flush (actual -10000);
// the third hand is in chips.
HeroResults two_hands_and_a_tournament_hand()
{
    HeroResults results;
    AllInEquity equity;
    results.add(walk("10"), 1, 0, equity);
    // clang-format off
    results.add(HandRecordBuilder("11").seat("A").seat("B").hero("A", "As Ad")
                    .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
                    .act("A", Kind::call, 50).act("B", Kind::check).street("2d 3d 9c")
                    .act("A", Kind::bet, 9900, true).act("B", Kind::call, 9900).street("Td").street("4s").showdown()
                    .shows("B", "Kd Qd").collect("B", 20000).build(),
                0, 1, equity);
    results.add(HandRecordBuilder("12", 10, 20, true).seat("A").seat("B").hero("A", "Kh Kd")
                    .act("A", Kind::small_blind, 10).act("B", Kind::big_blind, 20)
                    .act("A", Kind::fold).act("B", Kind::uncalled, 10).collect("B", 20).build(),
                0, 1, equity);
    return results;
    // clang-format on
}

TEST(HeroResults, CsvRunsTotalsPerUnitWithTheAdjustedResult)
{
    const HeroResults results = two_hands_and_a_tournament_hand();
    std::istringstream csv(results.csv({"a.txt", "b,c.txt"}));
    std::string header, walk, all_in, chips;
    std::getline(csv, header);
    std::getline(csv, walk);
    std::getline(csv, all_in);
    std::getline(csv, chips);
    EXPECT_EQ(walk, "a.txt,10,2024/01/02 3:04:05 ET,USD,0.50,0.50,0.50");
    EXPECT_EQ(all_in.rfind("\"b,c.txt\",11,2024/01/02 3:04:05 ET,USD,-100.00,-99.50,", 0), 0u) << all_in;
    // The running adjusted total takes the hand's adjusted result, rounded to the cent.
    const double adjusted = std::stod(all_in.substr(all_in.rfind(',') + 1));
    EXPECT_NEAR(adjusted, 0.5 + results.rows()[1].adjusted / 10000.0, 0.005);
    EXPECT_GT(results.rows()[1].adjusted, 0); // the aces were ahead of the flush draw
    EXPECT_EQ(chips, "\"b,c.txt\",12,2024/01/02 3:04:05 ET,chips,-10,-10,-10");
}

TEST(HeroResults, KeepsTheChosenPlayerAndFindsTheMostFrequent)
{
    HeroResults results = two_hands_and_a_tournament_hand();
    AllInEquity equity;
    results.add(
        HandRecordBuilder("13").seat("B").seat("A").act("B", Kind::small_blind, 50).act("A", Kind::big_blind, 100).build(),
        0, 2, equity);
    EXPECT_EQ(results.most_frequent_name(), "A");
    results.keep_only("B");
    ASSERT_EQ(results.rows().size(), 1u);
    EXPECT_FALSE(results.rows()[0].known); // no line says who won
}

// The number of points of each line of a chart, which must be well-formed XML.
std::map<std::string, std::size_t> points_per_line(const std::string& svg)
{
    std::istringstream in(svg);
    boost::property_tree::ptree tree;
    boost::property_tree::read_xml(in, tree);
    std::map<std::string, std::size_t> points;
    for (const auto& [tag, node] : tree.get_child("svg"))
        if (tag == "polyline") {
            std::istringstream list(node.get<std::string>("<xmlattr>.points"));
            points[node.get<std::string>("<xmlattr>.id")] =
                std::distance(std::istream_iterator<std::string>(list), std::istream_iterator<std::string>());
        }
    return points;
}

TEST(HeroResults, ChartIsWellFormedSvgWithBothLines)
{
    const std::string svg = two_hands_and_a_tournament_hand().svg("A & \"B\" <Ü>");
    // The USD hands are charted: the start and two hands, on each line.
    EXPECT_EQ(points_per_line(svg), (std::map<std::string, std::size_t>{{"all-in-adjusted", 3}, {"net-won", 3}}));
    EXPECT_NE(svg.find("Results of A &amp; &quot;B&quot; &lt;Ü&gt;"), std::string::npos);
    EXPECT_NE(svg.find("Won (USD)"), std::string::npos);
}

// A run longer than the plot is wide is drawn with each pixel column's lowest and highest
// point: a line rising over 2,000 hands has both in every one of the 780 columns.
TEST(HeroResults, LongRunIsDrawnWithTheLowestAndHighestPointOfEachPixelColumn)
{
    HeroResults results;
    AllInEquity equity;
    for (int hand = 0; hand < 2000; ++hand) {
        results.add(walk(std::to_string(hand)), 1, 0, equity);
        // Ten walks rise to 5, with ticks 1 apart: whole numbers on the axis.
        if (hand == 9)
            EXPECT_NE(results.svg("A").find("\"end\">5</text>"), std::string::npos) << results.svg("A");
    }
    EXPECT_EQ(points_per_line(results.svg("A")).at("net-won"), 1560u);
}

} // namespace
} // namespace poker::texas_holdem
