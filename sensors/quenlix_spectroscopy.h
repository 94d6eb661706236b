#pragma once

#include <QWidget>
#include <memory>

class QStackedWidget;
class Ui_quenlix_spectroscopy;
class quenlix_spectroscopy_Squarediagram;
class quenlix_spectroscopy_spline;

// The spectrometer view: bar charts of the AS7341 (page 0), AS7343 (page 1) and AS7265X (page 2)
// and the AS7265X spectrum curve (page 3).
class quenlix_spectroscopy : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_spectroscopy(QWidget* parent = nullptr);
    ~quenlix_spectroscopy() override;

    void change(int page);

    QStackedWidget* stackedWidget() const { return m_stack; }
    quenlix_spectroscopy_Squarediagram* chart(int type) const;
    quenlix_spectroscopy_spline* curve() const { return m_curve; }

public slots:
    // One reading: chart 0 sets a bar of the type's chart (0 AS7341, 1 AS7343, 2 AS7265X), chart 1
    // the curve point after channel (channel + 1); anything else is ignored.
    void update_data_barset(unsigned char channel, double value, unsigned char type, unsigned char chart);

protected:
    void resizeEvent(QResizeEvent*) override {}

private:
    Ui_quenlix_spectroscopy* ui = nullptr;
    QStackedWidget* m_stack = nullptr;
    // Never shown themselves: their chart views are the pages.
    std::unique_ptr<quenlix_spectroscopy_Squarediagram> m_as7341;
    std::unique_ptr<quenlix_spectroscopy_Squarediagram> m_as7343;
    std::unique_ptr<quenlix_spectroscopy_Squarediagram> m_as7265x;
    quenlix_spectroscopy_spline* m_curve = nullptr;
};
