#include "app/selfrestart.h"

#include <QCoreApplication>
#include <QProcess>

namespace SelfRestart {

Launcher& launcher()
{
    static Launcher current = [](const QString& program) {
        return QProcess::startDetached(program, QStringList(), QString());
    };
    return current;
}

bool start()
{
    return launcher() && launcher()(QCoreApplication::applicationFilePath());
}

} // namespace SelfRestart
