// The toolbar's tool dialogs: About, background picture and music, thumbnails for a
// web page and the photo CD.
#include "app/ToolbarDlg.h"
#include "app/logic/Commands.h"
#include "tools/gui/AboutDlg.h"

namespace kov {

bool CToolbarDlg::RunToolCommand(int id) {
  switch (id) {
    case kCmdAbout: {
      CAboutDlg about;
      about.DoModal(GetDialogParent());
      return true;
    }
    default: return false;
  }
}

}  // namespace kov
