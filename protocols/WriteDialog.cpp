#include "protocols/WriteDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "protocols/blehex.h"

namespace {
// Texts of this panel translate in the "QDialog" context.
struct DialogText
{
    Q_DECLARE_TR_FUNCTIONS(QDialog)
};
} // namespace

WriteDialog::WriteDialog(QWidget* parent)
    : QDialog(parent), m_data(new QLineEdit(this)), m_mode(new QComboBox(this)), m_problem(new QLabel(this))
{
    auto* form = new QFormLayout(this);
    form->addRow(DialogText::tr("Data:"), m_data);
    m_mode->addItems({QStringLiteral("ASCII"), QStringLiteral("Hex")});
    form->addRow(DialogText::tr("Send Mode:"), m_mode);
    m_problem->setObjectName(QStringLiteral("problemLabel"));
    m_problem->setStyleSheet(QStringLiteral("color: red;"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    form->addRow(m_problem);
    auto* ok = new QPushButton(DialogText::tr("OK"), this);
    form->addRow(ok);
    connect(ok, &QPushButton::clicked, this, &WriteDialog::tryAccept);
    connect(m_data, &QLineEdit::textEdited, m_problem, &QLabel::hide);
    connect(m_mode, &QComboBox::currentIndexChanged, m_problem, &QLabel::hide);
    setWindowTitle(DialogText::tr("Write Data"));
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
            m_problem->setText(
                DialogText::tr("Not hexadecimal bytes. Write them like 48 69, 4869 or 0x48, 0x69."));
            m_problem->show();
            return;
        }
        length = bytes->size();
    } else {
        length = getData().toUtf8().size();
    }
    if (length > BleHex::maxValueLength) {
        m_problem->setText(
            DialogText::tr("Too long: a characteristic holds at most %1 bytes.").arg(BleHex::maxValueLength));
        m_problem->show();
        return;
    }
    accept();
}
