#pragma once
// Pictures decoded ahead of their request on worker threads. The thumbnail builder
// names the pictures it will render next; while the engine paints the ones before
// and their thumbnails are stored, the workers decode these (DecodePictureFile,
// fitted to kReducedFitBox), and the page server takes the results instead of
// decoding on the user-interface thread. At most `capacity` pictures are queued or
// held at a time, so memory stays the same whatever the number of pictures. A
// decode of a picture no longer wanted is stopped (DecodePicture's stop), so a
// cancelled build frees the cores, and ends its workers, within milliseconds.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "formats/PixbufDecode.h"

namespace kov {

// The box the thumbnail-making page's pictures are reduced to: twice the 120 x 120
// thumbnail, which leaves the engine's own scaling enough pixels.
constexpr int32_t kReducedFitBox = 2 * 120;

class CDecodeAhead {
 public:
  CDecodeAhead(unsigned workers, size_t capacity);
  // Drops what is queued, lets the running decodes end and waits for them.
  ~CDecodeAhead();
  CDecodeAhead(const CDecodeAhead&) = delete;
  CDecodeAhead& operator=(const CDecodeAhead&) = delete;

  // The pictures wanted now, in order: those not yet queued or held are queued as
  // far as the capacity allows, and every other one is forgotten (a running decode
  // of one is stopped), so nothing is held that will not be asked for.
  void Want(const std::vector<std::string>& paths);
  // The picture at path, when it was wanted: while a worker decodes it the caller
  // waits, and the picture is forgotten once taken. A picture wanted but not started
  // is left to the caller (false), who decodes it at once instead of waiting behind
  // others. One forgotten while the caller waited for it gives up at once: true with
  // kStopped.
  bool Take(const std::string& path, DecodeResult* result, DecodedPicture* picture,
            std::string* error);
  // Forgets everything queued and held; running decodes are stopped.
  void Clear();
  // Waits until every wanted picture is decoded and held (or forgotten).
  void WaitUntilDecoded();

 private:
  struct Job {
    enum class Stage { kQueued, kRunning, kDone } stage = Stage::kQueued;
    uint64_t generation = 0;  // Clear() makes running jobs' results stale
    DecodeResult result = DecodeResult::kUnreadable;
    DecodedPicture picture;
    std::string error;
    std::shared_ptr<std::atomic<bool>> stop;  // while running: set when it is forgotten
  };
  using Jobs = std::map<std::string, Job>;

  // Erases the job, stopping its decode when one runs; the next job.
  Jobs::iterator Forget(Jobs::iterator job);
  void Work();
  // Decodes the oldest queued picture with the lock released; false when none is
  // queued. Called with the lock held, and returns with it held.
  bool RunNext(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::condition_variable changed_;
  Jobs jobs_;
  std::deque<std::string> queue_;  // paths of queued jobs, oldest first
  size_t capacity_;
  uint64_t generation_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

// The decode-ahead the page server asks first for reduced pictures; none when none
// runs. Safe from any thread: the page server answers reduced pictures on worker
// threads, and a request being answered keeps the one it took alive.
void SetActiveDecodeAhead(std::shared_ptr<CDecodeAhead> ahead);
std::shared_ptr<CDecodeAhead> ActiveDecodeAhead();

}  // namespace kov
