#include "gps/gpssignal_form.h"

#include <QCoreApplication>
#include <QIcon>

void Ui_GPSsignal::setupUi(QDialog* GPSsignal)
{
    GPSsignal->setObjectName("GPSsignal");
    GPSsignal->resize(903, 567);
    GPSsignal->setWindowIcon(QIcon(QStringLiteral(":/images/logo.ico")));
    gridLayout_2 = new QGridLayout(GPSsignal);
    gridLayout_2->setObjectName("gridLayout_2");
    gridLayout_2->setSpacing(0);
    gridLayout_2->setContentsMargins(0, 0, 0, 0);
    gridLayout = new QGridLayout();
    gridLayout->setObjectName("gridLayout");
    gridLayout->setSpacing(0);
    horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName("horizontalLayout");
    horizontalLayout->setSpacing(0);
    gridLayout->addLayout(horizontalLayout, 0, 0);
    gridLayout_2->addLayout(gridLayout, 0, 0, 1, 3);
    horizontalSpacer = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    gridLayout_2->addItem(horizontalSpacer, 1, 0);
    GPSsignalCancel = new QPushButton(GPSsignal);
    GPSsignalCancel->setObjectName("GPSsignalCancel");
    gridLayout_2->addWidget(GPSsignalCancel, 1, 1);
    horizontalSpacer_2 = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    gridLayout_2->addItem(horizontalSpacer_2, 1, 2);
    gridLayout_2->setRowStretch(0, 1);
    retranslateUi(GPSsignal);
}

void Ui_GPSsignal::retranslateUi(QDialog* GPSsignal)
{
    GPSsignal->setWindowTitle(QCoreApplication::translate("GPSsignal", "GPS Signal"));
    GPSsignalCancel->setText(QCoreApplication::translate("GPSsignal", "close"));
}
