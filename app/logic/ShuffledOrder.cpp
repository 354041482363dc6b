#include "app/logic/ShuffledOrder.h"

#include <utility>

namespace kov {

CShuffledOrder::CShuffledOrder(size_t count, RandomBelow random) : random_(std::move(random)), order_(count) {
  for (size_t i = 0; i < count; ++i) order_[i] = i;
  next_ = count;  // the first Next shuffles
}

size_t CShuffledOrder::Draw(size_t bound) { return random_(bound) % bound; }

// Fisher-Yates over the whole round; then a first index equal to the last one shown
// trades places with another, so a round never begins with the picture just seen.
void CShuffledOrder::Shuffle() {
  for (size_t i = order_.size(); i > 1; --i) std::swap(order_[i - 1], order_[Draw(i)]);
  if (order_.size() > 1 && order_[0] == last_) std::swap(order_[0], order_[1 + Draw(order_.size() - 1)]);
  next_ = 0;
}

size_t CShuffledOrder::Next() {
  if (order_.empty()) return kNone;
  if (next_ >= order_.size()) Shuffle();
  last_ = order_[next_++];
  return last_;
}

}  // namespace kov
