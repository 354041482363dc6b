#pragma once
// The order of a slide show in random order: every picture once per round, in a
// fresh shuffle each round, and never the same picture twice in a row where a round
// ends and the next begins (when there is more than one).
#include <cstddef>
#include <functional>
#include <vector>

namespace kov {

class CShuffledOrder {
 public:
  // A number from 0 to bound - 1 (bound is at least 1); tests give their own. A
  // number out of range is taken modulo bound.
  using RandomBelow = std::function<size_t(size_t bound)>;
  static constexpr size_t kNone = static_cast<size_t>(-1);

  CShuffledOrder(size_t count, RandomBelow random);

  // The next index of the show, from 0 to count - 1; kNone when count is 0.
  size_t Next();
  size_t Count() const { return order_.size(); }

 private:
  void Shuffle();
  size_t Draw(size_t bound);

  RandomBelow random_;
  std::vector<size_t> order_;
  size_t next_ = 0;        // where the round stands in order_
  size_t last_ = kNone;    // the index given last, across rounds
};

}  // namespace kov
