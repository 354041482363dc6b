#pragma once
// Owner-drawn buttons. CHoverButton paints its background, tracks the mouse over it
// (hovering, held) and shows its tooltip once the cursor has rested on it for 200 ms;
// CImageButton draws a 16 x 16 bitmap centred on it, one pixel right and down while it
// is held. A click (press and release over the button) runs the click handler with
// the button's control id.
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "res/ResourceIds.h"
#include "skin/SkinBitmap.h"
#include "widgets/TooltipWindow.h"

namespace kov {

class CHoverButton {
 public:
  CHoverButton() = default;
  virtual ~CHoverButton();
  CHoverButton(const CHoverButton&) = delete;
  CHoverButton& operator=(const CHoverButton&) = delete;

  // Makes the button's widget, width x height; nullptr when it already exists. The
  // widget belongs to the container it is put in; destroying this object destroys it.
  GtkWidget* Create(int controlId, int width, int height);
  GtkWidget* Widget() const { return widget_; }
  int ControlId() const { return controlId_; }

  // The string's text becomes the tooltip; a string that does not load leaves it as it was.
  void SetTooltip(StringId stringId);
  void SetTooltipText(const std::string& text);
  const std::string& TooltipText() const { return tooltipText_; }
  void SetBackColor(PackedRgb colour);
  PackedRgb BackColor() const { return backColour_; }
  // A disabled button looks as an enabled one does, but neither clicks nor shows its
  // tooltip; the windows that disable buttons show why by their own layout.
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  void SetClickHandler(std::function<void(int controlId)> onClick) { onClick_ = std::move(onClick); }

  bool IsHovering() const { return hovering_; }
  // Held down with the cursor over it: the state drawn as pressed.
  bool IsPressed() const { return held_ && heldInside_; }
  const CTooltipWindow& Tooltip() const { return tooltip_; }
  // When the tooltip last appeared and when the cursor last moved over the button
  // (g_get_monotonic_time, microseconds).
  gint64 TooltipShownAt() const { return tooltipShownAt_; }
  gint64 LastRestStart() const { return restStart_; }

 protected:
  virtual void OnMouseEntered() {}
  virtual void OnMouseLeft() {}
  // Draws over the background; the default draws nothing.
  virtual void DrawContent(cairo_t* cr, int width, int height, bool pressed) {}
  void Redraw();

 private:
  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static gboolean OnEnter(GtkWidget*, GdkEventCrossing* event, gpointer self);
  static gboolean OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer self);
  static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
  static gboolean OnPress(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnRelease(GtkWidget*, GdkEventButton* event, gpointer self);
  static void OnDestroyed(GtkWidget*, gpointer self);
  static gboolean OnTooltipDelay(gpointer self);
  static gboolean OnTooltipAutoPop(gpointer self);

  void Enter(double rootX, double rootY);
  void Leave();
  void RestartTooltipDelay(double rootX, double rootY);
  void HideTooltip();
  void StopTimers();
  bool Inside(double x, double y) const;

  GtkWidget* widget_ = nullptr;
  int controlId_ = 0;
  PackedRgb backColour_ = 0xF0F0F0;  // the usual face of a button
  std::string tooltipText_;
  CTooltipWindow tooltip_;
  std::function<void(int)> onClick_;
  bool hovering_ = false;
  bool held_ = false;
  bool heldInside_ = false;
  int cursorX_ = 0, cursorY_ = 0;  // screen coordinates of the last motion
  guint delayTimer_ = 0;
  guint autoPopTimer_ = 0;
  gint64 tooltipShownAt_ = 0;
  gint64 restStart_ = 0;
};

class CImageButton : public CHoverButton {
 public:
  // Loads the bitmaps (one that fails to load leaves the picture empty), then redraws.
  void SetBitmaps(BitmapId normalId, BitmapId hoverId);
  // The bitmaps last set; none (0) before the first SetBitmaps.
  BitmapId NormalBitmapId() const { return normalId_; }
  BitmapId HoverBitmapId() const { return hoverId_; }

 protected:
  void OnMouseEntered() override { Redraw(); }
  void OnMouseLeft() override { Redraw(); }
  void DrawContent(cairo_t* cr, int width, int height, bool pressed) override;

 private:
  SkinBitmap normal_, hover_;
  BitmapId normalId_{}, hoverId_{};
};

}  // namespace kov
