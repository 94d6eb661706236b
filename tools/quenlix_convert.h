#pragma once

#include <QRegularExpression>
#include <QWidget>

#include <optional>

#include "tools/convert_units.h"

class CurrencyConverter;
class Ui_quenlix_convert;

// The "Convert" tab: one scrolling column of 22 conversion cards, the currency card first.
// Every card runs on one engine (init, recompute, swap, icon); the named members per card
// are thin wrappers over it, so each card can still be driven by its own names.
class quenlix_convert : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_convert(QWidget* parent = nullptr);
    ~quenlix_convert() override;

    // Removing its matches from a unit label leaves the unit key ("mm(millimeter)" -> "mm").
    static const QRegularExpression cleanUnitRegex;

    // How long the destructor waits for a running rate download to give up.
    static constexpr int rateThreadStopMs = 2000;

    // Exchangerates
    void Exchangerates_Init();
    double Exchangerates_convertTo(double value, const QString& unit);
    double Exchangerates_convertFrom(double value, const QString& unit);
    void Exchangerates_updateResult();
public slots:
    void Exchangerates_InterchangeButtonClicked();
    void Exchangerates_inputEdit_textChanged(const QString& text);
    void Exchangerates_fromUnitCombox_currentIndexChanged(int index);
    void Exchangerates_toUnitCombox_currentIndexChanged(int index);

public:
    // Lengths
    void Lengths_Init();
    double Lengths_convertTo(double value, const QString& unit);
    double Lengths_convertFrom(double value, const QString& unit);
    void Lengths_updateResult();
public slots:
    void Lengths_InterchangeButtonClicked();
    void Lengths_inputEdit_textChanged(const QString& text);
    void Lengths_fromUnitCombox_currentIndexChanged(int index);
    void Lengths_toUnitCombox_currentIndexChanged(int index);

public:
    // Mass
    void Mass_Init();
    double Mass_convertTo(double value, const QString& unit);
    double Mass_convertFrom(double value, const QString& unit);
    void Mass_updateResult();
public slots:
    void Mass_InterchangeButtonClicked();
    void Mass_inputEdit_textChanged(const QString& text);
    void Mass_fromUnitCombox_currentIndexChanged(int index);
    void Mass_toUnitCombox_currentIndexChanged(int index);

public:
    // Area
    void Area_Init();
    double Area_convertTo(double value, const QString& unit);
    double Area_convertFrom(double value, const QString& unit);
    void Area_updateResult();
public slots:
    void Area_InterchangeButtonClicked();
    void Area_inputEdit_textChanged(const QString& text);
    void Area_fromUnitCombox_currentIndexChanged(int index);
    void Area_toUnitCombox_currentIndexChanged(int index);

public:
    // Volume
    void Volume_Init();
    double Volume_convertTo(double value, const QString& unit);
    double Volume_convertFrom(double value, const QString& unit);
    void Volume_updateResult();
public slots:
    void Volume_InterchangeButtonClicked();
    void Volume_inputEdit_textChanged(const QString& text);
    void Volume_fromUnitCombox_currentIndexChanged(int index);
    void Volume_toUnitCombox_currentIndexChanged(int index);

public:
    // Time
    void Time_Init();
    double Time_convertTo(double value, const QString& unit);
    double Time_convertFrom(double value, const QString& unit);
    void Time_updateResult();
public slots:
    void Time_InterchangeButtonClicked();
    void Time_inputEdit_textChanged(const QString& text);
    void Time_fromUnitCombox_currentIndexChanged(int index);
    void Time_toUnitCombox_currentIndexChanged(int index);

public:
    // Speed
    void Speed_Init();
    double Speed_convertTo(double value, const QString& unit);
    double Speed_convertFrom(double value, const QString& unit);
    void Speed_updateResult();
public slots:
    void Speed_InterchangeButtonClicked();
    void Speed_inputEdit_textChanged(const QString& text);
    void Speed_fromUnitCombox_currentIndexChanged(int index);
    void Speed_toUnitCombox_currentIndexChanged(int index);

public:
    // Force
    void Force_Init();
    double Force_convertTo(double value, const QString& unit);
    double Force_convertFrom(double value, const QString& unit);
    void Force_updateResult();
public slots:
    void Force_InterchangeButtonClicked();
    void Force_inputEdit_textChanged(const QString& text);
    void Force_fromUnitCombox_currentIndexChanged(int index);
    void Force_toUnitCombox_currentIndexChanged(int index);

public:
    // Torque
    void Torque_Init();
    double Torque_convertTo(double value, const QString& unit);
    double Torque_convertFrom(double value, const QString& unit);
    void Torque_updateResult();
public slots:
    void Torque_InterchangeButtonClicked();
    void Torque_inputEdit_textChanged(const QString& text);
    void Torque_fromUnitCombox_currentIndexChanged(int index);
    void Torque_toUnitCombox_currentIndexChanged(int index);

public:
    // Temperature
    void Temperature_Init();
    double Temperature_convertTo(double value, const QString& unit);
    double Temperature_convertFrom(double value, const QString& unit);
    void Temperature_updateResult();
public slots:
    void Temperature_InterchangeButtonClicked();
    void Temperature_inputEdit_textChanged(const QString& text);
    void Temperature_fromUnitCombox_currentIndexChanged(int index);
    void Temperature_toUnitCombox_currentIndexChanged(int index);

public:
    // Pressure
    void Pressure_Init();
    double Pressure_convertTo(double value, const QString& unit);
    double Pressure_convertFrom(double value, const QString& unit);
    void Pressure_updateResult();
public slots:
    void Pressure_InterchangeButtonClicked();
    void Pressure_inputEdit_textChanged(const QString& text);
    void Pressure_fromUnitCombox_currentIndexChanged(int index);
    void Pressure_toUnitCombox_currentIndexChanged(int index);

public:
    // Energy
    void Energy_Init();
    double Energy_convertTo(double value, const QString& unit);
    double Energy_convertFrom(double value, const QString& unit);
    void Energy_updateResult();
public slots:
    void Energy_InterchangeButtonClicked();
    void Energy_inputEdit_textChanged(const QString& text);
    void Energy_fromUnitCombox_currentIndexChanged(int index);
    void Energy_toUnitCombox_currentIndexChanged(int index);

public:
    // Power
    void Power_Init();
    double Power_convertTo(double value, const QString& unit);
    double Power_convertFrom(double value, const QString& unit);
    void Power_updateResult();
public slots:
    void Power_InterchangeButtonClicked();
    void Power_inputEdit_textChanged(const QString& text);
    void Power_fromUnitCombox_currentIndexChanged(int index);
    void Power_toUnitCombox_currentIndexChanged(int index);

public:
    // Capacitance
    void Capacitance_Init();
    double Capacitance_convertTo(double value, const QString& unit);
    double Capacitance_convertFrom(double value, const QString& unit);
    void Capacitance_updateResult();
public slots:
    void Capacitance_InterchangeButtonClicked();
    void Capacitance_inputEdit_textChanged(const QString& text);
    void Capacitance_fromUnitCombox_currentIndexChanged(int index);
    void Capacitance_toUnitCombox_currentIndexChanged(int index);

public:
    // Resistance
    void Resistance_Init();
    double Resistance_convertTo(double value, const QString& unit);
    double Resistance_convertFrom(double value, const QString& unit);
    void Resistance_updateResult();
public slots:
    void Resistance_InterchangeButtonClicked();
    void Resistance_inputEdit_textChanged(const QString& text);
    void Resistance_fromUnitCombox_currentIndexChanged(int index);
    void Resistance_toUnitCombox_currentIndexChanged(int index);

public:
    // Conductance
    void Conductance_Init();
    double Conductance_convertTo(double value, const QString& unit);
    double Conductance_convertFrom(double value, const QString& unit);
    void Conductance_updateResult();
public slots:
    void Conductance_InterchangeButtonClicked();
    void Conductance_inputEdit_textChanged(const QString& text);
    void Conductance_fromUnitCombox_currentIndexChanged(int index);
    void Conductance_toUnitCombox_currentIndexChanged(int index);

public:
    // Inductance
    void Inductance_Init();
    double Inductance_convertTo(double value, const QString& unit);
    double Inductance_convertFrom(double value, const QString& unit);
    void Inductance_updateResult();
public slots:
    void Inductance_InterchangeButtonClicked();
    void Inductance_inputEdit_textChanged(const QString& text);
    void Inductance_fromUnitCombox_currentIndexChanged(int index);
    void Inductance_toUnitCombox_currentIndexChanged(int index);

public:
    // Current
    void Current_Init();
    double Current_convertTo(double value, const QString& unit);
    double Current_convertFrom(double value, const QString& unit);
    void Current_updateResult();
public slots:
    void Current_InterchangeButtonClicked();
    void Current_inputEdit_textChanged(const QString& text);
    void Current_fromUnitCombox_currentIndexChanged(int index);
    void Current_toUnitCombox_currentIndexChanged(int index);

public:
    // Charge
    void Charge_Init();
    double Charge_convertTo(double value, const QString& unit);
    double Charge_convertFrom(double value, const QString& unit);
    void Charge_updateResult();
public slots:
    void Charge_InterchangeButtonClicked();
    void Charge_inputEdit_textChanged(const QString& text);
    void Charge_fromUnitCombox_currentIndexChanged(int index);
    void Charge_toUnitCombox_currentIndexChanged(int index);

public:
    // Magnetic
    void Magnetic_Init();
    double Magnetic_convertTo(double value, const QString& unit);
    double Magnetic_convertFrom(double value, const QString& unit);
    void Magnetic_updateResult();
public slots:
    void Magnetic_InterchangeButtonClicked();
    void Magnetic_inputEdit_textChanged(const QString& text);
    void Magnetic_fromUnitCombox_currentIndexChanged(int index);
    void Magnetic_toUnitCombox_currentIndexChanged(int index);

public:
    // Angle
    void Angle_Init();
    double Angle_convertTo(double value, const QString& unit);
    double Angle_convertFrom(double value, const QString& unit);
    void Angle_updateResult();
public slots:
    void Angle_InterchangeButtonClicked();
    void Angle_inputEdit_textChanged(const QString& text);
    void Angle_fromUnitCombox_currentIndexChanged(int index);
    void Angle_toUnitCombox_currentIndexChanged(int index);

public:
    // DataStorage
    void DataStorage_Init();
    double DataStorage_convertTo(double value, const QString& unit);
    double DataStorage_convertFrom(double value, const QString& unit);
    void DataStorage_updateResult();
public slots:
    void DataStorage_InterchangeButtonClicked();
    void DataStorage_inputEdit_textChanged(const QString& text);
    void DataStorage_fromUnitCombox_currentIndexChanged(int index);
    void DataStorage_toUnitCombox_currentIndexChanged(int index);

public:
private:
    using TextSlot = void (quenlix_convert::*)(const QString&);
    using IndexSlot = void (quenlix_convert::*)(int);
    using ClickSlot = void (quenlix_convert::*)();
    // Read-only result, default units, the four connections to the card's slots, the icon.
    void initCard(UnitConvert::Card card, TextSlot textChanged, IndexSlot fromChanged, IndexSlot toChanged,
                  ClickSlot swapClicked);
    void updateCard(UnitConvert::Card card);
    void swapUnits(UnitConvert::Card card);
    double convertTo(UnitConvert::Card card, double value, const QString& unit) const;
    double convertFrom(UnitConvert::Card card, double value, const QString& unit) const;
    // A value in the base unit (euro for the currency card); nothing when the unit has no
    // table row or, for currencies, no usable rate (its code then goes to `missing`).
    std::optional<double> toBase(UnitConvert::Card card, double value, const QString& unit,
                                 QString* missing = nullptr) const;
    std::optional<double> fromBase(UnitConvert::Card card, double value, const QString& unit,
                                   QString* missing = nullptr) const;
    void drawIcon(UnitConvert::Card card);
    void fillCurrencies();
    void stopRateThread();

    Ui_quenlix_convert* ui;
    CurrencyConverter* rateThread = nullptr;
};
