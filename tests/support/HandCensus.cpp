#include "support/HandCensus.h"

namespace poker::test {

namespace {

constexpr int field_bits = 4;
constexpr int no_fields = 6;

} // namespace

HandCensus::HandCensus() : seen(std::size_t{1} << (field_bits * no_fields)) {}

std::uint32_t HandCensus::packed(const Hand& hand)
{
    const int fields[no_fields] = {hand.type, hand.key1, hand.key2,
                                   hand.key3, hand.key4, hand.key5};
    std::uint32_t result = 0;
    for (int field : fields)
        result = result << field_bits | static_cast<std::uint32_t>(field + 1);
    return result;
}

void HandCensus::add(const Hand& hand)
{
    ++per_type.at(static_cast<std::size_t>(hand.type));
    const std::uint32_t key = packed(hand);
    if (!seen[key]) {
        seen[key] = true;
        ++distinct;
    }
}

} // namespace poker::test
