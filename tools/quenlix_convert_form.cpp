#include "tools/quenlix_convert_form.h"

#include <QCoreApplication>
#include <QFont>
#include <QIcon>
#include <QMetaObject>
#include <QPixmap>
#include <QSizePolicy>

#include "tools/convert_resources.h"

namespace {

using UnitConvert::Card;

int cardOfPrefix(const char* prefix)
{
    for (int c = 0; c < UnitConvert::CardCount; ++c) {
        if (qstrcmp(UnitConvert::card(Card(c)).prefix, prefix) == 0)
            return c;
    }
    qFatal("converter form: no card for prefix %s", prefix);
    return -1;
}

} // namespace

void Ui_quenlix_convert::setupUi(QWidget* form)
{
    if (form->objectName().isEmpty())
        form->setObjectName(QStringLiteral("quenlix_convert"));
    form->resize(738, 670);
    QSizePolicy policy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(form->sizePolicy().hasHeightForWidth());
    form->setSizePolicy(policy);

    gridLayout_46 = new QGridLayout(form);
    gridLayout_46->setObjectName(QStringLiteral("gridLayout_46"));
    scrollArea = new QScrollArea(form);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    QSizePolicy areaPolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    areaPolicy.setHeightForWidth(scrollArea->sizePolicy().hasHeightForWidth());
    scrollArea->setSizePolicy(areaPolicy);
    scrollArea->setWidgetResizable(true);
    scrollAreaWidgetContents = new QWidget();
    scrollAreaWidgetContents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    scrollAreaWidgetContents->setGeometry(QRect(0, 0, 701, 2654));
    gridLayout_24 = new QGridLayout(scrollAreaWidgetContents);
    gridLayout_24->setObjectName(QStringLiteral("gridLayout_24"));
    verticalLayout = new QVBoxLayout();
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));

    const QIcon swapIcon(QString::fromLatin1(ConvertResources::swapIcon));
    const QPixmap placeholder(QString::fromLatin1(ConvertResources::placeholderIcon));
    int column = 0;
    // One card: group box > card grid (header row, unit grid).
    auto build = [&](const char* prefix, const char* boxName, const char* gridName, const char* unitGridName,
                     const char* toName, QGroupBox*& box, QGridLayout*& grid, QGridLayout*& unitGrid,
                     QLabel*& to, QHBoxLayout*& header, QLabel*& icon, QLabel*& caption, QLineEdit*& source,
                     QLineEdit*& result, QComboBox*& fromUnits, QComboBox*& toUnits, QPushButton*& swap) {
        const QString p = QString::fromLatin1(prefix);
        box = new QGroupBox(scrollAreaWidgetContents);
        box->setObjectName(QString::fromLatin1(boxName));
        grid = new QGridLayout(box);
        grid->setObjectName(QString::fromLatin1(gridName));
        header = new QHBoxLayout();
        header->setObjectName(QStringLiteral("horizontalLayout_") + p);
        header->setContentsMargins(0, -1, -1, -1);
        icon = new QLabel(box);
        icon->setObjectName(QStringLiteral("label_svg_") + p);
        icon->setPixmap(placeholder);
        header->addWidget(icon);
        caption = new QLabel(box);
        caption->setObjectName(QStringLiteral("label_text_") + p);
        QFont font;
        font.setFamilies({QStringLiteral("Arvo")});
        font.setPointSize(20);
        caption->setFont(font);
        caption->setAlignment(Qt::AlignCenter);
        header->addWidget(caption);
        grid->addLayout(header, 0, 0);

        unitGrid = new QGridLayout();
        unitGrid->setObjectName(QString::fromLatin1(unitGridName));
        source = new QLineEdit(box);
        source->setObjectName(p + QStringLiteral("_inputEdit_source"));
        unitGrid->addWidget(source, 0, 0);
        to = new QLabel(box);
        to->setObjectName(QString::fromLatin1(toName));
        to->setAlignment(Qt::AlignCenter);
        unitGrid->addWidget(to, 0, 1);
        result = new QLineEdit(box);
        result->setObjectName(p + QStringLiteral("_inputEdit_to"));
        unitGrid->addWidget(result, 0, 2);
        fromUnits = new QComboBox(box);
        fromUnits->setObjectName(p + QStringLiteral("_fromUnitCombox"));
        unitGrid->addWidget(fromUnits, 1, 0);
        swap = new QPushButton(box);
        swap->setObjectName(p + QStringLiteral("_interchangeable_pushButton"));
        swap->setIcon(swapIcon);
        unitGrid->addWidget(swap, 1, 1);
        toUnits = new QComboBox(box);
        toUnits->setObjectName(p + QStringLiteral("_toUnitCombox"));
        unitGrid->addWidget(toUnits, 1, 2);
        grid->addLayout(unitGrid, 1, 0);

        // Quantity cards get one empty entry per unit; retranslateUi names them.
        const int c = cardOfPrefix(prefix);
        const UnitConvert::CardSpec& spec = UnitConvert::card(Card(c));
        for (int i = 0; i < spec.rowCount; ++i) {
            fromUnits->addItem(QString());
            toUnits->addItem(QString());
        }
        cards[c] = {box, header, icon, caption, to, source, result, fromUnits, toUnits, swap};

        // Cards 1 to 12 stack in the vertical layout of row 0, the rest one per row below.
        if (column < 12)
            verticalLayout->addWidget(box);
        else
            gridLayout_24->addWidget(box, column - 11, 0);
        ++column;
    };

#define PLAX_BUILD_CARD(p, box, grid, unitGrid, to)                                                          \
    build(#p, #box, #grid, #unitGrid, #to, box, grid, unitGrid, to, horizontalLayout_##p, label_svg_##p,     \
          label_text_##p, p##_inputEdit_source, p##_inputEdit_to, p##_fromUnitCombox, p##_toUnitCombox,      \
          p##_interchangeable_pushButton);
    PLAX_CONVERT_CARD_FORMS(PLAX_BUILD_CARD)
#undef PLAX_BUILD_CARD

    gridLayout_24->addLayout(verticalLayout, 0, 0);
    scrollArea->setWidget(scrollAreaWidgetContents);
    gridLayout_46->addWidget(scrollArea, 0, 0);

    retranslateUi(form);

    for (int c = 0; c < UnitConvert::CardCount; ++c) {
        const int start = UnitConvert::card(Card(c)).rowCount > 0 ? 0 : -1;
        cards[c].fromUnits->setCurrentIndex(start);
        cards[c].toUnits->setCurrentIndex(start);
    }
    QMetaObject::connectSlotsByName(form);
}

void Ui_quenlix_convert::retranslateUi(QWidget* form)
{
    form->setWindowTitle(tr("quenlix_convert"));
    for (int c = 0; c < UnitConvert::CardCount; ++c) {
        const UnitConvert::CardSpec& spec = UnitConvert::card(Card(c));
        const ConvertCardWidgets& w = cards[c];
        w.box->setTitle(QString());
        w.toLabel->setText(tr("To"));
        w.caption->setText(tr(spec.caption));
        w.icon->setText(QString());
        w.swap->setText(QString());
        for (int i = 0; i < spec.rowCount; ++i) {
            const QString label = tr(spec.rows[i].label);
            w.fromUnits->setItemText(i, label);
            w.toUnits->setItemText(i, label);
        }
    }
}
