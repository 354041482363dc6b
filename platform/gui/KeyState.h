#pragma once
// The keyboard's state at this moment rather than at the last event. On X11 the
// server is asked, so a key held while another client has the focus counts; other
// displays answer from the keyboard state the toolkit keeps.
namespace kov {
bool AltKeyIsDown();
}
