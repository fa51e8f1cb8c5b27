#include "poker/Hand.h"

#include <gtest/gtest.h>

#include "support/HandCensus.h"

using poker::test::HandCensus;

// Published counts: 133,784,560 seven-card hands in 4,824 classes of their best five.
TEST(HandRankingSlow, EverySevenCardHandFallsIntoThePublishedClasses)
{
    const HandCensus census = poker::test::census_of_every_hand(7);
    EXPECT_EQ(census.no_distinct, 4824u);
    EXPECT_EQ(census.per_type, (HandCensus::Counts{23294460, 58627800, 31433400, 6461620, 6180020,
                                                   4047644, 3473184, 224848, 41584}));
}
