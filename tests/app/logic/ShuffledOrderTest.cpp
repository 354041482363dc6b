// The random order of a slide show: each round shows every picture exactly once, and
// no picture is shown twice in a row where one round ends and the next begins.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/logic/ShuffledOrder.h"

using namespace kov;

namespace {

CShuffledOrder::RandomBelow Seeded(unsigned seed) {
  auto engine = std::make_shared<std::mt19937>(seed);
  return [engine](size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(*engine); };
}

}  // namespace

TEST(ShuffledOrder, EveryPictureOncePerRoundAndNoRepeatAcrossRounds) {
  struct Case {
    const char* name;
    size_t count;
    CShuffledOrder::RandomBelow random;
    int rounds;
  };
  const Case cases[] = {
      {"one picture", 1, Seeded(1), 3},
      {"two pictures, many rounds", 2, Seeded(2), 200},
      {"three pictures, many rounds", 3, Seeded(3), 200},
      {"a walk of 50", 50, Seeded(4), 20},
      {"a source that always says 0", 5, [](size_t) { return size_t(0); }, 10},
      {"a source that always says the largest", 5, [](size_t bound) { return bound - 1; }, 10},
      {"a source out of range", 7, [](size_t bound) { return bound * 3 + 11; }, 10},
  };
  for (const Case& c : cases) {
    CShuffledOrder order(c.count, c.random);
    size_t last = CShuffledOrder::kNone;
    std::set<std::vector<size_t>> distinctRounds;
    for (int round = 0; round < c.rounds; ++round) {
      std::vector<size_t> shown;
      for (size_t i = 0; i < c.count; ++i) shown.push_back(order.Next());
      if (c.count > 1) {
        EXPECT_NE(shown.front(), last) << c.name << ": round " << round << " repeats the last";
      }
      last = shown.back();
      distinctRounds.insert(shown);
      std::set<size_t> each(shown.begin(), shown.end());
      EXPECT_EQ(each.size(), c.count) << c.name << ": a repeat before all were shown, round " << round;
      EXPECT_LT(*each.rbegin(), c.count) << c.name << ": an index outside the walk";
    }
    // A real random source gives more than one order over many rounds.
    if (c.count > 2 && c.rounds >= 20) {
      EXPECT_GT(distinctRounds.size(), 1u) << c.name;
    }
  }
  CShuffledOrder none(0, Seeded(5));
  EXPECT_EQ(none.Next(), CShuffledOrder::kNone);
}
