#include "sensors/glcheck.h"

#include <QOpenGLContext>

namespace GlCheck {

bool openGlAvailable()
{
    static const bool available = [] {
        QOpenGLContext context;
        return context.create();
    }();
    return available;
}

} // namespace GlCheck
