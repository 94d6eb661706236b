#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

#include "tools/convert_units.h"

// The cards in column order: object prefix, then the group box, card grid, unit grid and
// "To" label, whose names do not follow the prefix.
#define PLAX_CONVERT_CARD_FORMS(X)                                                                           \
    X(exchangerates, groupBox_10, gridLayout_22, gridLayout_23, label_11)                                    \
    X(lengths, groupBox, gridLayout_3, gridLayout, label)                                                    \
    X(mass, groupBox_mass, gridLayout_11, gridLayout_12, label_6)                                            \
    X(area, groupBox_2, gridLayout_4, gridLayout_2, label_2)                                                 \
    X(volume, groupBox_3, gridLayout_5, gridLayout_6, label_3)                                               \
    X(force, groupBox_6, gridLayout_13, gridLayout_14, label_7)                                              \
    X(torque, groupBox_7, gridLayout_15, gridLayout_16, label_8)                                             \
    X(time, groupBox_4, gridLayout_7, gridLayout_8, label_4)                                                 \
    X(speed, groupBox_5, gridLayout_9, gridLayout_10, label_5)                                               \
    X(temperature, groupBox_8, gridLayout_17, gridLayout_18, label_9)                                        \
    X(pressure, groupBox_9, gridLayout_19, gridLayout_20, label_10)                                          \
    X(energy, groupBox_11, gridLayout_21, gridLayout_25, label_12)                                           \
    X(power, groupBox_12, gridLayout_26, gridLayout_27, label_13)                                            \
    X(capacitance, groupBox_13, gridLayout_28, gridLayout_29, label_14)                                      \
    X(resistance, groupBox_14, gridLayout_30, gridLayout_31, label_15)                                       \
    X(conductance, groupBox_15, gridLayout_32, gridLayout_33, label_16)                                      \
    X(inductance, groupBox_16, gridLayout_34, gridLayout_35, label_17)                                       \
    X(current, groupBox_17, gridLayout_36, gridLayout_37, label_18)                                          \
    X(charge, groupBox_18, gridLayout_38, gridLayout_39, label_19)                                           \
    X(magnetic, groupBox_19, gridLayout_40, gridLayout_41, label_20)                                         \
    X(angle, groupBox_20, gridLayout_42, gridLayout_43, label_21)                                            \
    X(datastorage, groupBox_21, gridLayout_44, gridLayout_45, label_22)

// The widgets of one card, for the engine that drives every card the same way.
struct ConvertCardWidgets
{
    QGroupBox* box = nullptr;
    QHBoxLayout* header = nullptr;
    QLabel* icon = nullptr;
    QLabel* caption = nullptr;
    QLabel* toLabel = nullptr;
    QLineEdit* source = nullptr;
    QLineEdit* result = nullptr;
    QComboBox* fromUnits = nullptr;
    QComboBox* toUnits = nullptr;
    QPushButton* swap = nullptr;
};

// The converter panel's widget tree, built in code. Every widget and layout is reachable
// under its object name; `cards` holds the same pointers per card in register order.
class Ui_quenlix_convert
{
    // The same context as the unit labels (UnitConvert::labelContext).
    Q_DECLARE_TR_FUNCTIONS(quenlix_convert)

public:
    QGridLayout* gridLayout_46 = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* scrollAreaWidgetContents = nullptr;
    QGridLayout* gridLayout_24 = nullptr;
    QVBoxLayout* verticalLayout = nullptr;

#define PLAX_DECLARE_CARD(p, box, grid, unitGrid, to)                                                        \
    QGroupBox* box = nullptr;                                                                                \
    QGridLayout* grid = nullptr;                                                                             \
    QGridLayout* unitGrid = nullptr;                                                                         \
    QLabel* to = nullptr;                                                                                    \
    QHBoxLayout* horizontalLayout_##p = nullptr;                                                             \
    QLabel* label_svg_##p = nullptr;                                                                         \
    QLabel* label_text_##p = nullptr;                                                                        \
    QLineEdit* p##_inputEdit_source = nullptr;                                                               \
    QLineEdit* p##_inputEdit_to = nullptr;                                                                   \
    QComboBox* p##_fromUnitCombox = nullptr;                                                                 \
    QComboBox* p##_toUnitCombox = nullptr;                                                                   \
    QPushButton* p##_interchangeable_pushButton = nullptr;
    PLAX_CONVERT_CARD_FORMS(PLAX_DECLARE_CARD)
#undef PLAX_DECLARE_CARD

    ConvertCardWidgets cards[UnitConvert::CardCount];

    void setupUi(QWidget* form);
    void retranslateUi(QWidget* form);
};
