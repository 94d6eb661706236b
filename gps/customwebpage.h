#pragma once

#include <QUrl>
#include <QWebEnginePage>

// The map's web page: its alerts become message boxes.
class CustomWebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit CustomWebPage(QObject* parent = nullptr);
    ~CustomWebPage() override;

protected:
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
};
