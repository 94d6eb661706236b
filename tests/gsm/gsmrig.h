#pragma once

// A window whose GSM tab talks to a modem played on a pseudo-terminal, and
// a helper that answers the dialogs the tab brings up.
#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QInputDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"
#include "tests/common/press.h"
#include "tests/gsm/fakemodem.h"

namespace gsmtest {

inline QImage picture(const QString& path)
{
    return QPixmap(path).toImage();
}

inline bool iconIs(const QPushButton* button, const char* path)
{
    const QSize size(48, 24);
    return button->icon().pixmap(size).toImage() == QIcon(QString::fromLatin1(path)).pixmap(size).toImage();
}

// Answers the modal dialogs that come up, in turn: presses a message box button
// by its text, or types into an input dialog and accepts it. Records what it saw.
class ModalScript
{
public:
    explicit ModalScript(QStringList answers) : m_answers(std::move(answers))
    {
        QTimer::singleShot(20, &m_context, [this] { poll(); });
    }
    QStringList seen; // "title|text" per dialog

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != m_last && !m_answers.isEmpty()) {
            m_last = modal;
            const QString answer = m_answers.takeFirst();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen << box->windowTitle() + "|" + box->text();
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text().remove('&') == answer) {
                        b->click();
                        break;
                    }
                }
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                seen << input->windowTitle() + "|" + input->labelText();
                input->setTextValue(answer);
                input->accept();
            }
        }
        if (!m_answers.isEmpty() || modal)
            QTimer::singleShot(20, &m_context, [this] { poll(); });
    }
    QStringList m_answers;
    QPointer<QWidget> m_last;
    QObject m_context;
};

// A window with only the GSM tab among the serial consoles, its port list holding the pty.
struct Rig
{
    TestHome home;
    PtyPair pty;
    FakeModem modem{pty};
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;

    Rig()
    {
        QList<QPair<QString, QString>> settings{{"Auto_Serial_Scan", "false"}};
        for (const char* tool : {"GPS", "Environment", "Oscilloscope", "MQTT", "Ble", "Spectra", "Convert",
                                 "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU"})
            settings.append(qMakePair(QString::fromLatin1(tool), QStringLiteral("false")));
        home.writeSettings(settings);
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        w->Serial_applyScan({pty.slavePath()});
        ui->GSMportNameComboBox->setCurrentText(pty.slavePath());
    }
    void open()
    {
        modem.commands.clear();
        press(ui->GSMopencompushButton);
    }
    QString status() const { return ui->statusBar->currentMessage(); }
};

} // namespace gsmtest
