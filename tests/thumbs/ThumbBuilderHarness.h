#pragma once
// A headless stand-in for the builder's window: posted commands, page loads and
// capture answers run in order of arrival, timers on a virtual clock. Its fake
// renderer reads the "picture" files of a strip's cells, which the tests write:
//   "W H"      a picture of W x H pixels, captured as a DIB scaled to fit 120 x 120
//   "BROKEN"   the cell completes but no picture can be taken
//   "HANG"     the strip's page never reports its load; the cell never completes
//   "PENDING"  the cell never completes
//   "FAILONCE W H"  the first load of the strip's page fails; later ones give W x H
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/TextEscape.h"
#include "thumbs/ThumbBuilder.h"
#include "thumbs/ThumbStrip.h"

namespace buildtest {

inline std::string Dib24(int width, int height) {
  std::string dib(40, '\0');
  auto put = [&dib](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) dib[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(0, 40, 4), put(4, width, 4), put(8, height, 4), put(12, 1, 2), put(14, 24, 2);
  size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  dib.append(stride * height, '\x7f');
  return dib;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

class FakeBuilderWindow : public kov::IThumbBuilderHost {
 public:
  kov::CThumbBuilder* builder = nullptr;
  bool shown = true;
  uint64_t now = 0;                      // virtual milliseconds
  std::vector<std::string> rendered;     // picture paths of each strip navigated to, in order
  std::vector<uint64_t> renderTimes;     // virtual time of each picture's navigation
  std::vector<size_t> stripSizes;        // pictures of each strip navigated to
  std::vector<uint64_t> captureTimes;    // virtual time of each capture request
  std::vector<std::vector<std::string>> decodeAhead;  // each list of pictures named ahead
  std::vector<std::string> captions;
  std::string status;
  bool ended = false;
  kov::BuildResult result = kov::BuildResult::kOk;
  std::function<void(const std::string&)> onRender;  // runs after each strip's navigation, per picture

  void Navigate(const std::string& url) override {
    const std::string prefix = "kovp://thumbstrip/";
    std::vector<std::string> paths;
    if (url.compare(0, prefix.size(), prefix) != 0 ||
        !kov::ThumbStripPictures(url.substr(prefix.size()), &paths)) {
      events_.push_back([this, url] { builder->OnPageLoaded(url); });
      return;
    }
    page_ = paths;
    stripSizes.push_back(paths.size());
    bool fails = false, hangs = false;
    for (const std::string& path : paths) {
      rendered.push_back(path);
      renderTimes.push_back(now);
      std::string text = ReadText(path);
      if (text.rfind("FAILONCE ", 0) == 0 && failedOnce_.insert(path).second) fails = true;
      hangs = hangs || text == "HANG";
    }
    if (fails) {
      events_.push_back([this, url] { builder->OnPageFailed(url); });
    } else if (!hangs) {
      events_.push_back([this, url] { builder->OnPageLoaded(url); });
    }
    if (onRender)
      for (const std::string& path : paths) onRender(path);
  }
  void StartTimer(int id, unsigned periodMs) override { timers_[id] = {periodMs, now + periodMs}; }
  void KillTimer(int id) override { timers_.erase(id); }
  void Post(int command) override {
    events_.push_back([this, command] { builder->OnCommand(command); });
  }
  void RequestCapture(unsigned token) override {
    captureTimes.push_back(now);
    std::vector<kov::CaptureResult> answer;
    for (const std::string& path : page_) answer.push_back(Render(path));
    events_.push_back([this, token, answer] { builder->OnCapture(token, answer); });
  }
  void DecodeAhead(const std::vector<std::string>& paths) override { decodeAhead.push_back(paths); }
  void SetCaption(const std::string& text) override { captions.push_back(text); }
  void SetStatus(const std::string& text) override { status = text; }
  bool IsShown() override { return shown; }
  void End(kov::BuildResult r) override { ended = true, result = r; }

  // Runs until the build ends or nothing is left to do; false when it did not end.
  bool Run(int maxSteps = 200000) {
    builder->Begin();
    for (int step = 0; step < maxSteps && !ended; ++step) {
      if (!events_.empty()) {
        auto event = std::move(events_.front());
        events_.pop_front();
        event();
      } else if (!timers_.empty()) {
        auto next = timers_.begin();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
          if (it->second.due < next->second.due) next = it;
        now = next->second.due;
        next->second.due += next->second.period;
        builder->OnTimer(next->first);
      } else {
        return false;
      }
    }
    return ended;
  }

 private:
  struct Timer {
    unsigned period;
    uint64_t due;
  };
  std::set<std::string> failedOnce_;  // FAILONCE pictures whose first load has failed
  static kov::CaptureResult Render(const std::string& path) {
    kov::CaptureResult answer;
    std::string text = ReadText(path);
    if (text.rfind("FAILONCE ", 0) == 0) text = text.substr(9);
    if (text == "PENDING" || text == "HANG") {
      answer.status = kov::CaptureResult::Status::kNotReady;
      return answer;
    }
    int width = 0, height = 0;
    std::istringstream in(text);
    if (!(in >> width >> height) || width <= 0 || height <= 0) return answer;  // kFailed
    int shownWidth = width, shownHeight = height;
    if (width > 120 || height > 120) {
      bool tall = height > width;
      shownWidth = tall ? std::max(1, width * 120 / height) : 120;
      shownHeight = tall ? 120 : std::max(1, height * 120 / width);
    }
    answer.status = kov::CaptureResult::Status::kCaptured;
    answer.naturalWidth = width;
    answer.naturalHeight = height;
    answer.dib = Dib24(shownWidth, shownHeight);
    return answer;
  }

  std::deque<std::function<void()>> events_;
  std::map<int, Timer> timers_;
  std::vector<std::string> page_;  // the cells of the strip on show
};

}  // namespace buildtest
