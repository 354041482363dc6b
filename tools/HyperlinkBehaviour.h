#pragma once
// What a link label does with the mouse, without any window: which target it opens,
// when the hover hook hears about it, and whether a release opens the link. The
// label's window feeds it enter, leave, press and release and does what it answers.
#include <string>

namespace kov {

class CHyperlinkBehaviour {
 public:
  virtual ~CHyperlinkBehaviour() = default;

  // Set by the owner before use. url, when not empty, is the target; otherwise the
  // target is the label's text, put into format's one "%s" when format is not empty.
  std::string format;
  std::string url;

  // The target for a label showing text; once built it is kept in url.
  std::string GetLinkTarget(const std::string& text);

  // The pointer came over the label: the hover hook hears the target once per visit.
  void OnEnter(const std::string& text);
  // The pointer left the label: the hook hears "" when it had heard the target.
  void OnLeave();
  // A button press on the label; the release that follows decides.
  void OnPress() { pressed_ = true; }
  // The button went up; true when the link is to be opened: only a release over the
  // label of a press that began on it. The hook then hears "".
  bool OnRelease(bool inside);

  bool hovering() const { return hovering_; }
  bool pressed() const { return pressed_; }

 protected:
  // Told the target when the pointer enters and "" when it leaves or a release ends
  // a press; does nothing here, so a derived class can show the target elsewhere.
  virtual void OnLinkHover(const std::string& text) {}

 private:
  bool hovering_ = false;
  bool pressed_ = false;
};

}  // namespace kov
