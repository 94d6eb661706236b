#include "app/mainwindow.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "sensors/imuline.h"
#include "sensors/quenlix_3d_imu.h"
#include "widgets/screenrate.h"

void MainWindow::IMU_Init_Start()
{
    IMU_attitudeView = new quenlix_3d_imu(this);
    ui->gridLayout_IMU->addWidget(IMU_attitudeView, 0, 1);
    IMU_rxBuffer.clear();
    IMU_screen = new ScreenRate([this] { IMU_showDue(); }, this);
    // A fixed size, wide enough for any reading ("-180.00"): a new number then asks for no new
    // layout, which would repaint the whole page around the 3D view many times a second.
    for (QLabel* label : {ui->label_imu_x, ui->label_imu_y, ui->label_imu_z, ui->label_imu_euler_w,
                          ui->label_imu_euler_x, ui->label_imu_euler_y, ui->label_imu_euler_z})
        label->setFixedSize(label->fontMetrics().horizontalAdvance(QStringLiteral("-000.000")),
                            label->sizeHint().height());
    connect(ui->imuopencompushButton, SIGNAL(pressed()), this, SLOT(IMUOpen_triggered()));
    ui->imuopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::IMUOpen_triggered()
{
    if (Serial_isOpen) {
        Serial_close(SerialTab::Imu);
        return;
    }
    if (Serial_open(SerialTab::Imu) == SerialOpenResult::Opened)
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
// Both show the newest such frame once per screen refresh.
void MainWindow::imu_processData(const QByteArray& line)
{
    const std::optional<ImuLine::Frame> frame = ImuLine::parse(line);
    if (!frame)
        return;
    if (IMU_frameToggle == 0) {
        IMU_frameToggle = 1;
        IMU_dueNumbers = {frame->angles.pitch,
                          frame->angles.yaw,
                          frame->angles.roll,
                          frame->w,
                          frame->x,
                          frame->y,
                          frame->z};
    } else {
        IMU_frameToggle = 0;
    }
    if (frame->valid)
        IMU_dueAttitude = {frame->w, frame->x, frame->y, frame->z};
    IMU_screen->post();
}

void MainWindow::IMU_showDue()
{
    if (!IMU_dueNumbers.isEmpty()) {
        QLabel* labels[] = {ui->label_imu_x,       ui->label_imu_y,       ui->label_imu_z,
                            ui->label_imu_euler_w, ui->label_imu_euler_x, ui->label_imu_euler_y,
                            ui->label_imu_euler_z};
        for (int i = 0; i < 7; ++i) {
            // A reading that rounds to zero shows "0.00", never "-0.00".
            const double rounded = std::round(IMU_dueNumbers.at(i) * 100) / 100;
            const QString text = QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2);
            if (labels[i]->text() != text)
                labels[i]->setText(text);
        }
        IMU_dueNumbers.clear();
    }
    if (!IMU_dueAttitude.isEmpty()) {
        IMU_attitudeView->Set_Value(IMU_dueAttitude.at(0), IMU_dueAttitude.at(1), IMU_dueAttitude.at(2),
                                    IMU_dueAttitude.at(3));
        IMU_dueAttitude.clear();
    }
}
