#include "protocols/WriteDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "protocols/blehex.h"

namespace {
QString trDialog(const char* text)
{
    return QCoreApplication::translate("QDialog", text);
}
} // namespace

WriteDialog::WriteDialog(QWidget* parent)
    : QDialog(parent), m_data(new QLineEdit(this)), m_mode(new QComboBox(this)), m_problem(new QLabel(this))
{
    auto* form = new QFormLayout(this);
    form->addRow(trDialog("Data:"), m_data);
    m_mode->addItems({QStringLiteral("ASCII"), QStringLiteral("Hex")});
    form->addRow(trDialog("Send Mode:"), m_mode);
    m_problem->setObjectName(QStringLiteral("problemLabel"));
    m_problem->setStyleSheet(QStringLiteral("color: red;"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    form->addRow(m_problem);
    auto* ok = new QPushButton(trDialog("OK"), this);
    form->addRow(ok);
    connect(ok, &QPushButton::clicked, this, &WriteDialog::tryAccept);
    connect(m_data, &QLineEdit::textEdited, m_problem, &QLabel::hide);
    connect(m_mode, &QComboBox::currentIndexChanged, m_problem, &QLabel::hide);
    setWindowTitle(trDialog("Write Data"));
}

QString WriteDialog::getData() const
{
    return m_data->text();
}

bool WriteDialog::isHexMode() const
{
    return m_mode->currentText() == QLatin1String("Hex");
}

void WriteDialog::tryAccept()
{
    m_problem->hide();
    qsizetype length = 0;
    if (isHexMode()) {
        const std::optional<QByteArray> bytes = BleHex::parse(getData());
        if (!bytes) {
            m_problem->setText(trDialog("Not hexadecimal bytes. Write them like 48 69, 4869 or 0x48, 0x69."));
            m_problem->show();
            return;
        }
        length = bytes->size();
    } else {
        length = getData().toUtf8().size();
    }
    if (length > BleHex::maxValueLength) {
        m_problem->setText(
            trDialog("Too long: a characteristic holds at most %1 bytes.").arg(BleHex::maxValueLength));
        m_problem->show();
        return;
    }
    accept();
}
