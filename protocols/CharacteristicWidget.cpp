#include "protocols/CharacteristicWidget.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "protocols/WriteDialog.h"
#include "protocols/blehex.h"

namespace {

// Texts of this panel translate in the "QWidget" context.
struct WidgetText
{
    Q_DECLARE_TR_FUNCTIONS(QWidget)
};

QString notifyButtonName(const QString& uuid)
{
    return QStringLiteral("notifyButton_%1").arg(uuid);
}

QString displayModeName(const QString& uuid)
{
    return QStringLiteral("displayModeComboBox_temp_%1").arg(uuid);
}

} // namespace

CharacteristicWidget::CharacteristicWidget(const QString&, QWidget* parent)
    : QWidget(parent), m_mainLayout(new QVBoxLayout(this))
{
    m_mainLayout->setContentsMargins(0, 0, 0, 0);
}

void CharacteristicWidget::setCharacteristicInfo(const QString& name, const QString& uuid, const QString&,
                                                 const QString& permission)
{
    if (m_shown.contains(uuid))
        return;
    m_shown.insert(uuid);

    auto* group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignLeft);

    auto* nameField = new QLineEdit(name, group);
    nameField->setReadOnly(true);
    form->addRow(WidgetText::tr("Characteristic Name:"), nameField);
    QString bare = uuid;
    bare.remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    auto* uuidField = new QLineEdit(bare, group);
    uuidField->setReadOnly(true);
    form->addRow(WidgetText::tr("Characteristic UUID:"), uuidField);
    auto* permissionLabel = new QLabel(permission, group);
    permissionLabel->setTextFormat(Qt::PlainText);
    form->addRow(WidgetText::tr("Characteristic Permission:"), permissionLabel);

    auto* outerRow = new QHBoxLayout();
    auto* buttonRow = new QHBoxLayout();
    buttonRow->setAlignment(Qt::AlignLeft);
    outerRow->addLayout(buttonRow);
    form->addRow(outerRow);

    auto makeButton = [&](const QString& text) {
        auto* button = new QPushButton(text, group);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttonRow->addWidget(button);
        return button;
    };
    auto addValueField = [&](const QString& label) {
        if (m_valueFields.contains(uuid))
            return;
        auto* field = new QLineEdit(group);
        field->setFocusPolicy(Qt::NoFocus);
        form->addRow(label, field);
        m_valueFields.insert(uuid, field);
    };

    if (permission.contains(QLatin1String("Read"))) {
        QPushButton* read = makeButton(WidgetText::tr("Read"));
        connect(read, &QPushButton::clicked, this, [this, uuid] { emit readCharacteristicRequested(uuid); });
        addValueField(QStringLiteral("Read Value:"));
    }
    // Indications arrive through the same subscription.
    if (permission.contains(QLatin1String("Notify")) || permission.contains(QLatin1String("Indicate"))) {
        QPushButton* notify = makeButton(WidgetText::tr("Notify"));
        notify->setObjectName(notifyButtonName(uuid));
        connect(notify, &QPushButton::clicked, this, [this, uuid] { onNotifyButtonClicked(uuid); });
        addValueField(QStringLiteral("Notify Value:"));
    }
    if (permission.contains(QLatin1String("Write"))) {
        QPushButton* write = makeButton(WidgetText::tr("W"));
        connect(write, &QPushButton::clicked, this, [this, uuid] { onWriteButtonClicked(uuid); });
    }
    for (int i = 0; i < 3; ++i)
        buttonRow->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Fixed));

    auto* mode = new QComboBox(group);
    mode->addItems({QStringLiteral("ASCII"), QStringLiteral("Hexadecimal")});
    mode->setCurrentIndex(0);
    mode->setObjectName(displayModeName(uuid));
    connect(mode, &QComboBox::currentIndexChanged, this,
            [this, uuid](int index) { onDisplayModeChanged(uuid, index); });
    auto* modeRow = new QHBoxLayout();
    modeRow->addWidget(mode);
    modeRow->addStretch();
    form->addRow(QStringLiteral("Display Mode:"), modeRow);

    m_mainLayout->addWidget(group);
    m_notifyStates.insert(uuid, false);
}

void CharacteristicWidget::updateCharacteristicValue(const QString& uuid, const QByteArray& value)
{
    if (!m_valueFields.contains(uuid) || !findChild<QComboBox*>(displayModeName(uuid)))
        return;
    m_values.insert(uuid, value);
    showValue(uuid);
}

void CharacteristicWidget::showValue(const QString& uuid)
{
    QLineEdit* field = m_valueFields.value(uuid);
    auto* mode = findChild<QComboBox*>(displayModeName(uuid));
    if (!field || !mode)
        return;
    const QByteArray value = m_values.value(uuid);
    field->setText(mode->currentIndex() == 1 ? BleHex::toDisplay(value) : QString::fromUtf8(value));
}

void CharacteristicWidget::showProblem(const QString& message)
{
    if (message.isEmpty()) {
        if (m_problem)
            m_problem->hide();
        return;
    }
    if (!m_problem) {
        m_problem = new QLabel(this);
        m_problem->setObjectName(QStringLiteral("problemLabel"));
        m_problem->setTextFormat(Qt::PlainText);
        m_problem->setWordWrap(true);
        m_problem->setStyleSheet(QStringLiteral("color: red;"));
        m_mainLayout->insertWidget(0, m_problem);
    }
    m_problem->setText(message);
    m_problem->show();
}

void CharacteristicWidget::onDisplayModeChanged(const QString& uuid, int)
{
    showValue(uuid);
}

void CharacteristicWidget::setNotifyState(const QString& uuid, bool subscribed)
{
    m_notifyStates.insert(uuid, subscribed);
    if (auto* button = findChild<QPushButton*>(notifyButtonName(uuid))) {
        button->setText(subscribed ? QStringLiteral("Subscribed") : WidgetText::tr("Notify"));
        button->setStyleSheet(subscribed ? QStringLiteral("background-color: green; color: white;")
                                         : QString());
    }
}

void CharacteristicWidget::onNotifyButtonClicked(const QString& uuid)
{
    const bool subscribe = !m_notifyStates.value(uuid, false);
    setNotifyState(uuid, subscribe);
    emit notifyCharacteristicRequested(uuid, subscribe);
}

void CharacteristicWidget::onWriteButtonClicked(const QString& uuid)
{
    WriteDialog dialog(nullptr);
    // The panel can go away while the dialog waits (the service list is rebuilt).
    QPointer<CharacteristicWidget> self(this);
    if (dialog.exec() != QDialog::Accepted || !self)
        return;
    emit writeCharacteristicRequested(uuid, dialog.getData(), dialog.isHexMode());
}
