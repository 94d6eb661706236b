#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The "GPS calculation" dialog: distance between two points and UTM conversions.
class Ui_GPScalculate
{
    Q_DECLARE_TR_FUNCTIONS(GPScalculate)

public:
    QGridLayout* gps_calculateGrid = nullptr;
    QGroupBox* groupBox = nullptr;
    QGridLayout* gps_distanceGrid = nullptr;
    QLabel* label_43 = nullptr;
    QLineEdit* YlonglineEdit = nullptr;
    QLabel* label_42 = nullptr;
    QLineEdit* YlatlineEdit = nullptr;
    QLabel* label_47 = nullptr;
    QLineEdit* MlonglineEdit = nullptr;
    QLabel* label_48 = nullptr;
    QLineEdit* MlatlineEdit = nullptr;
    QLabel* label_49 = nullptr;
    QLabel* GPSresults = nullptr;
    QLabel* label_50 = nullptr;
    QPushButton* GPSpushButtoncalculate = nullptr;
    QPushButton* GPScalculateCancel = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QGridLayout* gps_utmGrid = nullptr;
    QComboBox* utm_comboBox = nullptr;
    QLabel* label_44 = nullptr;
    QLineEdit* longlineEdit = nullptr;
    QLabel* label_45 = nullptr;
    QLineEdit* latlineEdit = nullptr;
    QLabel* label_51 = nullptr;
    QLineEdit* utmNlineEdit = nullptr;
    QLabel* label_46 = nullptr;
    QLineEdit* utmElineEdit = nullptr;
    QLabel* label = nullptr;
    QLineEdit* utmZlineEdit = nullptr;
    QLabel* label_2 = nullptr;
    QPushButton* lltoutm = nullptr;
    QPushButton* utmtoll = nullptr;

    void setupUi(QDialog* GPScalculate);
    void retranslateUi(QDialog* GPScalculate);
};
