#pragma once
// The slide show's cross-fade: the picture shown is kept as a snapshot of the
// picture pane, laid over the pane when the show steps, and faded out once the next
// picture has been painted under it. The show's own timing is untouched: a step is
// never held back by a fade, and a new step ends a fade still running.
#include <gtk/gtk.h>

#include <cstdint>
#include <functional>

#include "app/PaneDlg.h"

namespace kov {

class CCrossFade {
 public:
  // Monotonic time in microseconds; tests give their own.
  using Clock = std::function<int64_t()>;
  static constexpr int64_t kFadeUs = 400000;

  CCrossFade();
  ~CCrossFade();
  CCrossFade(const CCrossFade&) = delete;
  CCrossFade& operator=(const CCrossFade&) = delete;

  // Makes the cover, hidden, over the pane's page; the pane must have been made.
  void Attach(CPaneDlg& pane);
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // Takes a snapshot of the picture now painted, for the next step.
  void Keep();
  // Lays the kept snapshot over the pane at full strength; false when none is ready.
  bool Cover();
  // The next picture has been painted: the cover starts to fade.
  void OnNextPainted();
  void Drop();  // hides the cover and forgets the snapshot on it
  // Drop, and the snapshot kept for the next step (a fade switched off must not show
  // an old picture once it is switched on again).
  void Forget();

  // 1 while covering, falling to 0 over kFadeUs once the fade has begun; 0 when hidden.
  double Strength() const;
  bool Fading() const { return fadeStart_ != 0; }
  bool HasSnapshot() const { return kept_ != nullptr; }  // ready for the next step
  int DrawCount() const { return draws_; }  // frames the cover has drawn, for tests

 private:
  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static gboolean OnTick(GtkWidget*, GdkFrameClock*, gpointer self);
  static void OnSnapshot(GObject* view, GAsyncResult* result, gpointer self);
  void Resize();

  CPaneDlg* pane_ = nullptr;
  GtkWidget* cover_ = nullptr;
  cairo_surface_t* kept_ = nullptr;   // the snapshot for the next step
  cairo_surface_t* shown_ = nullptr;  // the snapshot on the cover
  GCancellable* pending_ = nullptr;
  Clock clock_;
  int64_t fadeStart_ = 0;
  guint tick_ = 0;
  int draws_ = 0;
};

}  // namespace kov
