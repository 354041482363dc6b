#include "platform/WindowStack.h"

namespace kov {

int WindowStack::IndexOf(WindowId id) const {
  for (size_t i = 0; i < bottomToTop_.size(); ++i) {
    if (bottomToTop_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

size_t WindowStack::TopOfBand(bool topmost) const {
  if (topmost) return bottomToTop_.size();
  for (size_t i = 0; i < bottomToTop_.size(); ++i) {
    if (bottomToTop_[i].topmost) return i;
  }
  return bottomToTop_.size();
}

void WindowStack::Add(WindowId id, const Rect& rect, bool topmost) {
  if (id == 0 || IndexOf(id) >= 0) return;
  bottomToTop_.insert(bottomToTop_.begin() + TopOfBand(topmost), Entry{id, rect, false, topmost});
}

void WindowStack::Remove(WindowId id) {
  int index = IndexOf(id);
  if (index >= 0) bottomToTop_.erase(bottomToTop_.begin() + index);
}

bool WindowStack::Contains(WindowId id) const { return IndexOf(id) >= 0; }

void WindowStack::SetRect(WindowId id, const Rect& rect) {
  int index = IndexOf(id);
  if (index >= 0) bottomToTop_[index].rect = rect;
}

Rect WindowStack::GetRect(WindowId id) const {
  int index = IndexOf(id);
  return index >= 0 ? bottomToTop_[index].rect : Rect{};
}

void WindowStack::SetVisible(WindowId id, bool visible) {
  int index = IndexOf(id);
  if (index >= 0) bottomToTop_[index].visible = visible;
}

bool WindowStack::IsVisible(WindowId id) const {
  int index = IndexOf(id);
  return index >= 0 && bottomToTop_[index].visible;
}

void WindowStack::SetTopmost(WindowId id, bool topmost) {
  int index = IndexOf(id);
  if (index < 0 || bottomToTop_[index].topmost == topmost) return;
  Entry entry = bottomToTop_[index];
  entry.topmost = topmost;
  bottomToTop_.erase(bottomToTop_.begin() + index);
  bottomToTop_.insert(bottomToTop_.begin() + TopOfBand(topmost), entry);
}

void WindowStack::Raise(WindowId id) {
  int index = IndexOf(id);
  if (index < 0) return;
  Entry entry = bottomToTop_[index];
  bottomToTop_.erase(bottomToTop_.begin() + index);
  bottomToTop_.insert(bottomToTop_.begin() + TopOfBand(entry.topmost), entry);
}

std::vector<WindowId> WindowStack::TopToBottom() const {
  std::vector<WindowId> ids;
  for (auto it = bottomToTop_.rbegin(); it != bottomToTop_.rend(); ++it) ids.push_back(it->id);
  return ids;
}

WindowId WindowStack::FrontMost(const std::vector<WindowId>& candidates) const {
  for (auto it = bottomToTop_.rbegin(); it != bottomToTop_.rend(); ++it) {
    if (!it->visible) continue;
    for (WindowId candidate : candidates) {
      if (candidate == it->id) return it->id;
    }
  }
  return 0;
}

WindowId WindowStack::WindowAt(int x, int y) const {
  for (auto it = bottomToTop_.rbegin(); it != bottomToTop_.rend(); ++it) {
    const Rect& r = it->rect;
    if (it->visible && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return it->id;
  }
  return 0;
}

bool WindowStack::IsCovered(WindowId id) const {
  int index = IndexOf(id);
  if (index < 0) return false;
  const Rect& under = bottomToTop_[index].rect;
  for (size_t i = index + 1; i < bottomToTop_.size(); ++i) {
    const Entry& over = bottomToTop_[i];
    if (over.visible && over.rect.Width() > 0 && over.rect.Height() > 0 && over.rect.left <= under.left &&
        over.rect.top <= under.top && over.rect.right >= under.right && over.rect.bottom >= under.bottom)
      return true;
  }
  return false;
}

WindowStack& TopLevelWindows() {
  static WindowStack stack;
  return stack;
}

}  // namespace kov
