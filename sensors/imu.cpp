#include "app/mainwindow.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "sensors/imuline.h"
#include "sensors/quenlix_3d_imu.h"

void MainWindow::IMU_Init_Start()
{
    IMU_attitudeView = new quenlix_3d_imu(this);
    ui->gridLayout_IMU->addWidget(IMU_attitudeView, 0, 1);
    IMU_rxBuffer.clear();
    connect(ui->imuopencompushButton, SIGNAL(pressed()), this, SLOT(IMUOpen_triggered()));
    ui->imuopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::IMUOpen_triggered()
{
    if (Serial_isOpen) {
        Serial_close(SerialTab::Imu);
        return;
    }
    const SerialOpenResult result = Serial_open(SerialTab::Imu);
    if (result != SerialOpenResult::NoPort)
        IMU_rxBuffer.clear();
    if (result == SerialOpenResult::Opened)
        IMU_frameToggle = 0;
}

void MainWindow::imusetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Imu, enable);
}

void MainWindow::readimuCom(QByteArray data)
{
    for (const QByteArray& line : IMU_rxBuffer.feed(data))
        imu_processData(line);
}

// The 3D view follows every frame; the numbers change on every other one, so they stay readable.
void MainWindow::imu_processData(const QByteArray& line)
{
    const std::optional<ImuLine::Frame> frame = ImuLine::parse(line);
    if (!frame)
        return;
    if (IMU_frameToggle == 0) {
        IMU_frameToggle = 1;
        const auto show = [](QLabel* label, double value) {
            // A reading that rounds to zero shows "0.00", never "-0.00".
            const double rounded = std::round(value * 100) / 100;
            label->setText(QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2));
        };
        show(ui->label_imu_x, frame->angles.pitch); // about X
        show(ui->label_imu_y, frame->angles.yaw);   // about Y
        show(ui->label_imu_z, frame->angles.roll);  // about Z
        show(ui->label_imu_euler_w, frame->w);
        show(ui->label_imu_euler_x, frame->x);
        show(ui->label_imu_euler_y, frame->y);
        show(ui->label_imu_euler_z, frame->z);
    } else {
        IMU_frameToggle = 0;
    }
    if (frame->valid)
        IMU_attitudeView->Set_Value(frame->w, frame->x, frame->y, frame->z);
}
