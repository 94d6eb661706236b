#pragma once

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

// Form of the hex compare tool: two file groups with their tables, the address
// and search row, and the two save buttons.
class Ui_quenlix_hex_tools
{
public:
    QGridLayout* gridLayout = nullptr;
    QGroupBox* groupBox_1 = nullptr;
    QGridLayout* gridLayout_3 = nullptr;
    QPushButton* openFile1Button = nullptr;
    QTableView* tableView1 = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QGridLayout* gridLayout_2 = nullptr;
    QPushButton* openFile2Button = nullptr;
    QTableView* tableView2 = nullptr;
    QHBoxLayout* horizontalLayout_2 = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QLineEdit* addressInput = nullptr;
    QPushButton* gotoButton = nullptr;
    QLineEdit* searchInput = nullptr;
    QPushButton* prevButton = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* saveFiel1pushButton = nullptr;
    QPushButton* saveFiel2pushButton = nullptr;

    void setupUi(QWidget* form);
    void retranslateUi(QWidget* form);
};
