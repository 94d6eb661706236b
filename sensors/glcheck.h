#pragma once

// Whether this display can give the 3D views an OpenGL context. Without one (the offscreen
// platform) Qt 3D and Data Visualization crash as soon as they render.
namespace GlCheck {
bool openGlAvailable();
}
