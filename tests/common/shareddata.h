#pragma once

#include <QDir>
#include <QString>

// The shared test data folder beside the project (absent in a user's clone).
// Tests that use it call QSKIP when this returns an empty string.
inline QString sharedTestData(const QString& sub)
{
    const QString root = qEnvironmentVariable("PLAX_SHARED_DIR");
    const QString path = QDir(root).filePath(QStringLiteral("testdata/") + sub);
    return (!root.isEmpty() && QDir(path).exists()) ? QDir(path).absolutePath() : QString();
}
