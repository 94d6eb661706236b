#pragma once

#include <QStringList>

#include "widgets/filechooser.h"

// Answers file questions from a list, in order; an empty or missing answer is a cancel.
struct FileChooserFake : FileChooser
{
    QStringList answers;
    QString saveFileName(QWidget*, const QString&, const QString&) override { return next(); }
    QString openFileName(QWidget*, const QString&, const QString&) override { return next(); }
    QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};
