#include "formats/DecodeAhead.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

namespace kov {

CDecodeAhead::CDecodeAhead(unsigned workers, size_t capacity) : capacity_(capacity) {
  for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
}

CDecodeAhead::~CDecodeAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queue_.clear();
    for (auto job = jobs_.begin(); job != jobs_.end();) job = Forget(job);
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void CDecodeAhead::Want(const std::vector<std::string>& paths) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    std::set<std::string> wanted(paths.begin(), paths.end());
    for (auto job = jobs_.begin(); job != jobs_.end();)
      job = wanted.count(job->first) != 0 ? std::next(job) : Forget(job);
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [&](const std::string& path) { return jobs_.count(path) == 0; }),
                 queue_.end());
    for (const std::string& path : paths) {
      if (jobs_.size() >= capacity_) break;
      if (jobs_.count(path) != 0) continue;
      jobs_[path].generation = generation_;
      queue_.push_back(path);
    }
  }
  changed_.notify_all();
}

bool CDecodeAhead::Take(const std::string& path, DecodeResult* result, DecodedPicture* picture,
                        std::string* error) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (bool waited = false;; waited = true) {
    auto job = jobs_.find(path);
    if (job == jobs_.end() && waited) {
      // Forgotten meanwhile: the build has moved on or ended, and nobody wants it.
      *result = DecodeResult::kStopped;
      if (error) *error = "stopped: no longer wanted";
      return true;
    }
    if (job == jobs_.end()) return false;
    if (job->second.stage == Job::Stage::kQueued) {
      // Nobody has started it: the caller decodes it now, without waiting.
      auto queued = std::find(queue_.begin(), queue_.end(), path);
      if (queued != queue_.end()) queue_.erase(queued);
      jobs_.erase(job);
      changed_.notify_all();
      return false;
    }
    if (job->second.stage == Job::Stage::kDone) {
      *result = job->second.result;
      *picture = std::move(job->second.picture);
      if (error) *error = std::move(job->second.error);
      jobs_.erase(job);
      changed_.notify_all();
      return true;
    }
    // A worker decodes it: the caller waits for it, and answers the moment it is
    // done. The workers keep the cores busy; a caller that decoded another picture
    // meanwhile held its own answer back until that one was done too.
    changed_.wait(lock);
  }
}

void CDecodeAhead::Clear() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    queue_.clear();
    for (auto job = jobs_.begin(); job != jobs_.end();) job = Forget(job);
  }
  changed_.notify_all();
}

void CDecodeAhead::WaitUntilDecoded() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] {
    for (const auto& job : jobs_)
      if (job.second.stage != Job::Stage::kDone) return false;
    return true;
  });
}

void CDecodeAhead::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) return;
    RunNext(lock);
  }
}

bool CDecodeAhead::RunNext(std::unique_lock<std::mutex>& lock) {
  if (queue_.empty()) return false;
  std::string path = std::move(queue_.front());
  queue_.pop_front();
  auto job = jobs_.find(path);
  if (job == jobs_.end()) return true;
  job->second.stage = Job::Stage::kRunning;
  uint64_t generation = job->second.generation;
  std::shared_ptr<std::atomic<bool>> stop = job->second.stop = std::make_shared<std::atomic<bool>>(false);
  lock.unlock();
  Job done;
  done.result = DecodePictureFile(path, kReducedFitBox, &done.picture, &done.error, 0, stop.get());
  lock.lock();
  // Cleared, or taken again after a clear, while it ran: the result is stale.
  job = jobs_.find(path);
  if (job == jobs_.end() || job->second.generation != generation ||
      job->second.stage != Job::Stage::kRunning)
    return true;
  job->second.stage = Job::Stage::kDone;
  job->second.result = done.result;
  job->second.picture = std::move(done.picture);
  job->second.error = std::move(done.error);
  job->second.stop.reset();
  changed_.notify_all();
  return true;
}

CDecodeAhead::Jobs::iterator CDecodeAhead::Forget(Jobs::iterator job) {
  if (job->second.stop) job->second.stop->store(true);
  return jobs_.erase(job);
}

namespace {

std::mutex& ActiveLock() {
  static std::mutex lock;
  return lock;
}

std::shared_ptr<CDecodeAhead>& Active() {
  static std::shared_ptr<CDecodeAhead> active;
  return active;
}

}  // namespace

void SetActiveDecodeAhead(std::shared_ptr<CDecodeAhead> ahead) {
  std::shared_ptr<CDecodeAhead> before;  // let go outside the lock: it may be the last
  std::lock_guard<std::mutex> hold(ActiveLock());
  before = std::move(Active());
  Active() = std::move(ahead);
}

std::shared_ptr<CDecodeAhead> ActiveDecodeAhead() {
  std::lock_guard<std::mutex> hold(ActiveLock());
  return Active();
}

}  // namespace kov
