#pragma once
// A menu of commands dropped from a widget (the toolbar's tools menu): each entry posts
// its command id to a target; the menu is destroyed once it closes.
#include <gtk/gtk.h>

#include "platform/CommandQueue.h"
#include "res/ResourceIds.h"

namespace kov {

// Opens the menu at anchor's top left corner; nothing when either is missing.
void PopUpCommandMenu(MenuId id, GtkWidget* anchor, CommandTarget target);

}  // namespace kov
