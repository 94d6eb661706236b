#pragma once

#include <QDialog>

class QEvent;
class Ui_AboutDialog;

// The About box: logo, program name, version, notice and addresses.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

protected:
    void changeEvent(QEvent* e) override;

private slots:
    void on_closeBtn_clicked();

private:
    Ui_AboutDialog* ui;
};
