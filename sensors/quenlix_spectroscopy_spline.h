#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

// The AS7265X spectrum: the 18 channels spread over 380 .. 940 nm, the area under a smooth curve
// filled with the colours of the spectrum.
class quenlix_spectroscopy_spline : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_spectroscopy_spline(QWidget* parent = nullptr);
    ~quenlix_spectroscopy_spline() override;

    // Sets value `index` (0 is the 380 nm point); indexes beyond the list are ignored.
    void update_data_barset(unsigned char index, double value);
    // Values and wavelengths always have the same length, at least 2: a value list of another
    // length than the wavelengths is ignored; new wavelengths (at least 2) keep the values that
    // still have a place and start the others at 0.
    void setSpectrumData(const QList<double>& data);
    void setWavelengths(const QList<double>& nm);
    // Replaces the values when the list has as many entries as before.
    void updateSpectrumData(const QList<double>& data);

    const QList<double>& values() const { return m_values; }
    const QList<double>& wavelengths() const { return m_wavelengths; }
    static QColor wavelengthToColor(double nm);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<double> m_values;
    QList<double> m_wavelengths;
};
