#pragma once
// The keyboard's state at this moment, asked of the X server rather than taken
// from the last event, so a key held while another client has the focus counts.
namespace kov {
bool AltKeyIsDown();
}
