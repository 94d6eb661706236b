#include "widgets/filechooser.h"

#include <QFileDialog>

QString FileChooser::saveFileName(QWidget* parent, const QString& caption, const QString& proposed)
{
    return QFileDialog::getSaveFileName(parent, caption, proposed);
}

QString FileChooser::openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}
