#include "sensors/glcheck.h"

#include <QGuiApplication>
#include <QOpenGLContext>

namespace GlCheck {

bool openGlAvailable()
{
    static const bool available = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
            return false;
        QOpenGLContext context;
        return context.create();
    }();
    return available;
}

} // namespace GlCheck
