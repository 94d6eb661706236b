#include "tools/quenlix_hex_tools_form.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void setPolicy(QWidget* w, QSizePolicy::Policy h, QSizePolicy::Policy v)
{
    QSizePolicy policy(h, v);
    policy.setHeightForWidth(w->sizePolicy().hasHeightForWidth());
    w->setSizePolicy(policy);
}

} // namespace

void Ui_quenlix_hex_tools::setupUi(QWidget* form)
{
    if (form->objectName().isEmpty())
        form->setObjectName(QStringLiteral("quenlix_hex_tools"));
    form->resize(948, 715);

    gridLayout = named(new QGridLayout(form), "gridLayout");

    groupBox_1 = named(new QGroupBox(form), "groupBox_1");
    setPolicy(groupBox_1, QSizePolicy::Expanding, QSizePolicy::Preferred);
    gridLayout_3 = named(new QGridLayout(groupBox_1), "gridLayout_3");
    openFile1Button = named(new QPushButton(groupBox_1), "openFile1Button");
    setPolicy(openFile1Button, QSizePolicy::Expanding, QSizePolicy::Fixed);
    gridLayout_3->addWidget(openFile1Button, 2, 0);
    tableView1 = named(new QTableView(groupBox_1), "tableView1");
    gridLayout_3->addWidget(tableView1, 0, 0, 1, 2);
    gridLayout->addWidget(groupBox_1, 0, 0);

    groupBox_2 = named(new QGroupBox(form), "groupBox_2");
    setPolicy(groupBox_2, QSizePolicy::Expanding, QSizePolicy::Preferred);
    gridLayout_2 = named(new QGridLayout(groupBox_2), "gridLayout_2");
    openFile2Button = named(new QPushButton(groupBox_2), "openFile2Button");
    setPolicy(openFile2Button, QSizePolicy::Expanding, QSizePolicy::Fixed);
    gridLayout_2->addWidget(openFile2Button, 2, 0);
    tableView2 = named(new QTableView(groupBox_2), "tableView2");
    gridLayout_2->addWidget(tableView2, 0, 0, 1, 2);
    gridLayout->addWidget(groupBox_2, 0, 1);

    horizontalLayout_2 = named(new QHBoxLayout(), "horizontalLayout_2");
    gridLayout->addLayout(horizontalLayout_2, 0, 2);

    horizontalLayout = named(new QHBoxLayout(), "horizontalLayout");
    addressInput = named(new QLineEdit(form), "addressInput");
    horizontalLayout->addWidget(addressInput);
    gotoButton = named(new QPushButton(form), "gotoButton");
    horizontalLayout->addWidget(gotoButton);
    searchInput = named(new QLineEdit(form), "searchInput");
    horizontalLayout->addWidget(searchInput);
    prevButton = named(new QPushButton(form), "prevButton");
    horizontalLayout->addWidget(prevButton);
    nextButton = named(new QPushButton(form), "nextButton");
    horizontalLayout->addWidget(nextButton);
    gridLayout->addLayout(horizontalLayout, 1, 0, 1, 3);

    saveFiel1pushButton = named(new QPushButton(form), "saveFiel1pushButton");
    setPolicy(saveFiel1pushButton, QSizePolicy::Fixed, QSizePolicy::Fixed);
    gridLayout->addWidget(saveFiel1pushButton, 2, 0);
    saveFiel2pushButton = named(new QPushButton(form), "saveFiel2pushButton");
    setPolicy(saveFiel2pushButton, QSizePolicy::Fixed, QSizePolicy::Fixed);
    gridLayout->addWidget(saveFiel2pushButton, 2, 1);

    retranslateUi(form);
    QMetaObject::connectSlotsByName(form);
}

void Ui_quenlix_hex_tools::retranslateUi(QWidget* form)
{
    form->setWindowTitle(QCoreApplication::translate("quenlix_hex_tools", "Form"));
    groupBox_1->setTitle(QCoreApplication::translate("quenlix_hex_tools", "File1"));
    openFile1Button->setText(QCoreApplication::translate("quenlix_hex_tools", "Open File"));
    groupBox_2->setTitle(QCoreApplication::translate("quenlix_hex_tools", "File2"));
    openFile2Button->setText(QCoreApplication::translate("quenlix_hex_tools", "Open File"));
    gotoButton->setText(QCoreApplication::translate("quenlix_hex_tools", "Go to"));
    prevButton->setText(QCoreApplication::translate("quenlix_hex_tools", "Prev"));
    nextButton->setText(QCoreApplication::translate("quenlix_hex_tools", "Next"));
    saveFiel1pushButton->setText(QCoreApplication::translate("quenlix_hex_tools", "Save File1"));
    saveFiel2pushButton->setText(QCoreApplication::translate("quenlix_hex_tools", "Save File2"));
}
