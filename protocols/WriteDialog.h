#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;

// Asks for the data of one characteristic write and its send mode.
class WriteDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WriteDialog(QWidget* parent);

    QString getData() const;
    bool isHexMode() const;

private:
    // Accepts only data that can be written as typed.
    void tryAccept();

    QLineEdit* m_data;
    QComboBox* m_mode;
    QLabel* m_problem;
};
