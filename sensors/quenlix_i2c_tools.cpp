#include "sensors/quenlix_i2c_tools.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

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
            ui->gridLayout->addWidget(label, row + 1, column + 1);
            valueLabels.append(label);
        }
    }
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
    QLabel* label = valueLabels.at(index);
    bool ok = false;
    int old = label->text().toInt(&ok, 16);
    if (!ok)
        old = 0;
    label->setText(hexByte(value));
    label->setAutoFillBackground(true);
    label->setFont(set_label_font(false));
    label->setAlignment(Qt::AlignCenter);

    QColor background = unchanged;
    if (old != value)
        background =
            label->palette().color(QPalette::Window).name() == changed.name() ? changedAgain : changed;
    QPalette palette = label->palette();
    palette.setColor(QPalette::All, QPalette::Window, background);
    label->setPalette(palette);
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
