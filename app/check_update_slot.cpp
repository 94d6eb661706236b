#include "app/mainwindow.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "app/check_update.h"
#include "app/endpoints.h"

void MainWindow::slotActionCheck_Update()
{
    setEnabled(false);
    const QString page = GetHtml::getHtml(Endpoints::versionPage());
    const std::optional<UpdateCheck::Version> newest = UpdateCheck::parseVersionPage(page);
    if (page.isEmpty()) {
        QMessageBox::information(nullptr, tr("Message"),
                                 tr("Network connection lost. Please check your network settings."),
                                 QMessageBox::Cancel);
    } else if (!newest) {
        QMessageBox::warning(nullptr, tr("Message"),
                             tr("The update server sent no readable version. Please try again later."),
                             QMessageBox::Cancel);
    } else if (!UpdateCheck::isNewer(*newest, UpdateCheck::currentVersion())) {
        QMessageBox::information(nullptr, tr("Message"), tr("Already the latest version."),
                                 QMessageBox::Cancel);
    } else {
        QMessageBox::warning(nullptr, tr("Message"), tr("Found a new version."), QMessageBox::Cancel);
        QDesktopServices::openUrl(QUrl(Endpoints::downloadPage(), QUrl::TolerantMode));
    }
    setEnabled(true);
}

void MainWindow::slotActionCheck_Updateclose()
{
    setEnabled(true);
}
