#pragma once
// Tells the user, in words, that the thumbnails of some folders could be saved
// nowhere (thumbs/UnsavedCaches.h). Behind an interface so tests can read the words
// without a message box.
#include <gtk/gtk.h>

#include <string>

namespace kov {

class IUnsavedCacheNotice {
 public:
  virtual ~IUnsavedCacheNotice() = default;
  virtual void Tell(GtkWindow* parent, const std::string& text) = 0;
};

// A modal GtkMessageDialog with the warning icon and OK.
class CMessageBoxUnsavedCacheNotice : public IUnsavedCacheNotice {
 public:
  void Tell(GtkWindow* parent, const std::string& text) override;
};

// The message box unless a test installed its own (not owned; null restores it).
IUnsavedCacheNotice& GetUnsavedCacheNotice();
void SetUnsavedCacheNotice(IUnsavedCacheNotice* notice);

}  // namespace kov
