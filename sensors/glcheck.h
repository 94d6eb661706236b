#pragma once

// Whether this display can host the 3D views. Qt 3D and Data Visualization crash as soon as they
// render without an OpenGL context, and Qt 3D also on the offscreen platform even when that
// platform borrows a GL context from an X display.
namespace GlCheck {
bool openGlAvailable();
}
