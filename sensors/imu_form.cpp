#include "sensors/imu_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QWidget>

#include "app/formkit.h"
#include "app/styles.h"

void Ui_ImuForm::setupImuForm()
{
    tab_3 = FormKit::makePage("tab_3", gridLayout_50, "gridLayout_50");
    gridLayout_IMU = new QGridLayout();
    gridLayout_IMU->setObjectName("gridLayout_IMU");
    gridLayout_50->addLayout(gridLayout_IMU, 0, 0, 3, 1);
    gridLayout_50->setColumnStretch(0, 1);
    // The settings stand at the top of their column; the room below them stays free.
    gridLayout_50->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 2, 1);

    imu_groupBox_serial = new QGroupBox(tab_3);
    imu_groupBox_serial->setObjectName("imu_groupBox_serial");
    gridLayout_50->addWidget(imu_groupBox_serial, 1, 1);
    gridLayout_49 = new QGridLayout(imu_groupBox_serial);
    gridLayout_49->setObjectName("gridLayout_49");
    QWidget* box = imu_groupBox_serial;
    QGridLayout* g = gridLayout_49;
    label_96 = FormKit::addToGrid<QLabel>(box, g, "label_96", 0, 1, 2);
    imuportNameComboBox = FormKit::addToGrid<QComboBox>(box, g, "imuportNameComboBox", 1, 1, 2);
    label_94 = FormKit::addToGrid<QLabel>(box, g, "label_94", 2, 1, 2);
    imubaudRateComboBox = FormKit::addToGrid<QComboBox>(box, g, "imubaudRateComboBox", 3, 1, 2);
    for (int i = 0; i < FormKit::consoleBaudRates().size(); ++i)
        imubaudRateComboBox->addItem(QString());
    imuopencompushButton = FormKit::addToGrid<QPushButton>(box, g, "imuopencompushButton", 4, 1, 2);
    imuopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    g->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Fixed), 5, 1);
    label_108 = FormKit::addToGrid<QLabel>(box, g, "label_108", 6, 1, 2);
    label_107 = FormKit::addToGrid<QLabel>(box, g, "label_107", 7, 1);
    label_imu_euler_w = FormKit::addToGrid<QLabel>(box, g, "label_imu_euler_w", 7, 2);
    label_101 = FormKit::addToGrid<QLabel>(box, g, "label_101", 8, 1);
    label_imu_euler_x = FormKit::addToGrid<QLabel>(box, g, "label_imu_euler_x", 8, 2);
    label_102 = FormKit::addToGrid<QLabel>(box, g, "label_102", 9, 1);
    label_imu_euler_y = FormKit::addToGrid<QLabel>(box, g, "label_imu_euler_y", 9, 2);
    label_103 = FormKit::addToGrid<QLabel>(box, g, "label_103", 10, 1);
    label_imu_euler_z = FormKit::addToGrid<QLabel>(box, g, "label_imu_euler_z", 10, 2);
    g->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Fixed), 11, 1);
    label_99 = FormKit::addToGrid<QLabel>(box, g, "label_99", 12, 1, 2);
    label_95 = FormKit::addToGrid<QLabel>(box, g, "label_95", 13, 1);
    label_imu_x = FormKit::addToGrid<QLabel>(box, g, "label_imu_x", 13, 2);
    label_97 = FormKit::addToGrid<QLabel>(box, g, "label_97", 15, 1);
    label_imu_y = FormKit::addToGrid<QLabel>(box, g, "label_imu_y", 15, 2);
    label_98 = FormKit::addToGrid<QLabel>(box, g, "label_98", 16, 1);
    label_imu_z = FormKit::addToGrid<QLabel>(box, g, "label_imu_z", 16, 2);
    // Readings, not form texts: a language change must not reset them.
    for (QLabel* value : {label_imu_euler_w, label_imu_euler_x, label_imu_euler_y, label_imu_euler_z,
                          label_imu_x, label_imu_y, label_imu_z})
        value->setText(QStringLiteral("0.00"));
}

void Ui_ImuForm::retranslateImuForm()
{
    imu_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    label_96->setText(FormKit::tr("Serial No."));
    label_94->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(imubaudRateComboBox, FormKit::consoleBaudRates());
    imuopencompushButton->setText(FormKit::tr("Open"));
    label_108->setText(FormKit::tr("Quaternions:"));
    label_107->setText(FormKit::tr("w:"));
    label_101->setText(FormKit::tr("X:"));
    label_102->setText(FormKit::tr("Y:"));
    label_103->setText(FormKit::tr("Z:"));
    label_99->setText(FormKit::tr("Euler Angles:"));
    label_95->setText(FormKit::tr("Roll:"));
    label_97->setText(FormKit::tr("Pitch:"));
    label_98->setText(FormKit::tr("Yaw:"));
}
