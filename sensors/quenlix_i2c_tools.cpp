#include "sensors/quenlix_i2c_tools.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

#include "widgets/screenrate.h"

class Ui_quenlix_i2c_tools
{
public:
    QGridLayout* gridLayout_2 = nullptr;
    QGridLayout* gridLayout = nullptr;
    QLabel* label = nullptr;
    QComboBox* comboBox = nullptr;

    void setupUi(QWidget* form)
    {
        if (form->objectName().isEmpty())
            form->setObjectName(QStringLiteral("quenlix_i2c_tools"));
        form->resize(434, 346);
        gridLayout_2 = new QGridLayout(form);
        gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
        gridLayout = new QGridLayout();
        gridLayout->setObjectName(QStringLiteral("gridLayout"));
        gridLayout_2->addLayout(gridLayout, 0, 0, 1, 3);
        label = new QLabel(form);
        label->setObjectName(QStringLiteral("label"));
        gridLayout_2->addWidget(label, 1, 0);
        comboBox = new QComboBox(form);
        comboBox->setObjectName(QStringLiteral("comboBox"));
        gridLayout_2->addWidget(comboBox, 1, 1);
        gridLayout_2->setColumnStretch(2, 1);
        retranslateUi(form);
    }

    void retranslateUi(QWidget* form)
    {
        form->setWindowTitle(QCoreApplication::translate("quenlix_i2c_tools", "Form"));
        label->setText(QCoreApplication::translate("quenlix_i2c_tools", "i2c addresss:"));
    }
};

namespace {

const QColor unchanged(0xff, 0xff, 0xff);
const QColor changed(0x00, 0xcd, 0x66);
const QColor changedAgain(0xff, 0x69, 0xb4);

QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

quenlix_i2c_tools::quenlix_i2c_tools(QWidget* parent) : QWidget(parent), ui(new Ui_quenlix_i2c_tools)
{
    ui->setupUi(this);
    for (int address = 0; address < 128; ++address)
        ui->comboBox->addItem(QStringLiteral("0x") + hexByte(address));
    connect(ui->comboBox, &QComboBox::currentIndexChanged, this, &quenlix_i2c_tools::onCurrentIndexChanged);

    const auto header = [this](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(set_label_font(true));
        return label;
    };
    for (int column = 0; column < 16; ++column)
        ui->gridLayout->addWidget(header(hexByte(column)), 0, column + 1);
    for (int row = 0; row < 16; ++row)
        ui->gridLayout->addWidget(header(hexByte(row * 16)), row + 1, 0);
    valueLabels.reserve(256);
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            auto* label = new QLabel(QStringLiteral("00"), this);
            label->setAlignment(Qt::AlignCenter);
            label->setFont(set_label_font(false));
            label->setAutoFillBackground(true);
            ui->gridLayout->addWidget(label, row + 1, column + 1);
            valueLabels.append(label);
        }
    }
    const QRgb unpainted = valueLabels.first()->palette().color(QPalette::Window).rgb();
    m_backgrounds.fill(unpainted, 256);
    m_shownBackgrounds.fill(unpainted, 256);
    m_screen = new ScreenRate([this] { drawRegisters(); }, this);
}

quenlix_i2c_tools::~quenlix_i2c_tools()
{
    delete ui;
}

void quenlix_i2c_tools::onCurrentIndexChanged(int index)
{
    emit Channge_Addr(index);
}

void quenlix_i2c_tools::updateValues(QByteArray chunk)
{
    const QList<I2cFrameReceiver::Frame> frames = m_receiver.feed(chunk);
    for (const I2cFrameReceiver::Frame& frame : frames) {
        switch (frame.command) {
        case I2cFrame::Scan:
            emit Get_Addr(frame.payload);
            break;
        case I2cFrame::Start:
            for (int i = 0; i < frame.payload.size(); ++i)
                updateLabelValues(i, static_cast<unsigned char>(frame.payload.at(i)));
            break;
        case I2cFrame::Read:
            emit Get_Data(frame.payload);
            break;
        default:
            break;
        }
    }
}

void quenlix_i2c_tools::updateLabelValues(int index, unsigned char value)
{
    if (index < 0 || index >= valueLabels.size())
        return;
    QRgb background = unchanged.rgb();
    if (m_values.at(index) != value)
        background = m_backgrounds.at(index) == changed.rgb() ? changedAgain.rgb() : changed.rgb();
    m_values[index] = value;
    m_backgrounds[index] = background;
    m_screen->post();
}

int quenlix_i2c_tools::framesShown() const
{
    return m_screen->shown();
}

void quenlix_i2c_tools::drawRegisters()
{
    // One repaint of the grid for the whole block, and only the cells that differ are touched.
    for (QLabel* label : valueLabels)
        label->setAttribute(Qt::WA_UpdatesDisabled, true);
    for (int i = 0; i < valueLabels.size(); ++i) {
        QLabel* label = valueLabels.at(i);
        const QString text = hexByte(m_values.at(i));
        if (label->text() != text)
            label->setText(text);
        if (m_shownBackgrounds.at(i) != m_backgrounds.at(i)) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::All, QPalette::Window, QColor(m_backgrounds.at(i)));
            label->setPalette(palette);
            m_shownBackgrounds[i] = m_backgrounds.at(i);
        }
    }
    for (QLabel* label : valueLabels)
        label->setAttribute(Qt::WA_UpdatesDisabled, false);
    update();
}

QFont quenlix_i2c_tools::set_label_font(bool bold)
{
    QFont font;
    font.setPointSize(10);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

unsigned char quenlix_i2c_tools::calculateChecksum(const unsigned char* data, unsigned long length)
{
    return I2cFrame::checksum(data, length);
}
