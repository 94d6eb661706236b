#pragma once

#include <QString>

class QWidget;

// Asks the user for a file name. The window owns one; tests give it a fake that
// answers from a list instead of showing a dialog. An empty name is a cancel.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& proposed);
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filter = QStringLiteral("(*)"));
};
