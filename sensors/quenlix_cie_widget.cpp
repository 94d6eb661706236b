#include "sensors/quenlix_cie_widget.h"

#include <QCoreApplication>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "sensors/quenlix_cieplot.h"

class Ui_quenlix_cie_widget
{
    Q_DECLARE_TR_FUNCTIONS(quenlix_cie_widget)

public:
    QGridLayout* gridLayout_2 = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QLabel* label_4 = nullptr;
    QLineEdit* xLineEdit = nullptr;
    QLabel* label_3 = nullptr;
    QLineEdit* yLineEdit = nullptr;
    QLabel* label = nullptr;
    QLineEdit* luxLineEdit = nullptr;
    QLabel* label_2 = nullptr;
    QLineEdit* cctLineEdit = nullptr;
    QPushButton* plotButton = nullptr;
    QGridLayout* gridLayout = nullptr;

    void setupUi(QWidget* form)
    {
        if (form->objectName().isEmpty())
            form->setObjectName(QStringLiteral("quenlix_cie_widget"));
        form->resize(846, 470);
        gridLayout_2 = new QGridLayout(form);
        gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
        horizontalLayout = new QHBoxLayout();
        horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
        const auto labelled = [&](QLabel*& l, const char* labelName, QLineEdit*& edit, const char* editName) {
            l = new QLabel(form);
            l->setObjectName(QString::fromLatin1(labelName));
            horizontalLayout->addWidget(l);
            edit = new QLineEdit(form);
            edit->setObjectName(QString::fromLatin1(editName));
            horizontalLayout->addWidget(edit);
        };
        labelled(label_4, "label_4", xLineEdit, "xLineEdit");
        labelled(label_3, "label_3", yLineEdit, "yLineEdit");
        labelled(label, "label", luxLineEdit, "luxLineEdit");
        labelled(label_2, "label_2", cctLineEdit, "cctLineEdit");
        plotButton = new QPushButton(form);
        plotButton->setObjectName(QStringLiteral("plotButton"));
        horizontalLayout->addWidget(plotButton);
        gridLayout_2->addLayout(horizontalLayout, 0, 0);
        gridLayout = new QGridLayout();
        gridLayout->setObjectName(QStringLiteral("gridLayout"));
        gridLayout_2->addLayout(gridLayout, 1, 0);
        gridLayout_2->setRowStretch(1, 1);
        retranslateUi(form);
    }

    void retranslateUi(QWidget* form)
    {
        form->setWindowTitle(tr("Form"));
        label_4->setText(tr("CIE x :"));
        label_3->setText(tr("CIE y :"));
        label->setText(tr("Lux :"));
        label_2->setText(tr("CCT :"));
        plotButton->setText(tr("标记位置"));
    }
};

quenlix_cie_widget::quenlix_cie_widget(QWidget* parent) : QWidget(parent), ui(new Ui_quenlix_cie_widget)
{
    ui->setupUi(this);
    auto* validator = new QDoubleValidator(this);
    for (QLineEdit* edit : {ui->xLineEdit, ui->yLineEdit, ui->luxLineEdit, ui->cctLineEdit})
        edit->setValidator(validator);
    plot = new quenlix_cieplot(this);
    ui->gridLayout->addWidget(plot);
    for (int i = 0; i < ui->horizontalLayout->count(); ++i) {
        if (QWidget* w = ui->horizontalLayout->itemAt(i)->widget())
            w->hide();
    }
    connect(ui->plotButton, &QPushButton::clicked, this, &quenlix_cie_widget::onPlotButtonClicked);
}

quenlix_cie_widget::~quenlix_cie_widget()
{
    delete ui;
}

void quenlix_cie_widget::onPlotButtonClicked()
{
    bool xOk = false;
    bool yOk = false;
    const double x = ui->xLineEdit->text().toDouble(&xOk);
    const double y = ui->yLineEdit->text().toDouble(&yOk);
    if (!xOk || !yOk) {
        QMessageBox::warning(this, tr("输入错误"), tr("请输入有效的 CIE x 和 CIE y 值。"), QMessageBox::Ok);
        return;
    }
    bool ok = false;
    double lux = ui->luxLineEdit->text().toDouble(&ok);
    if (!ok)
        lux = 0;
    double cct = ui->cctLineEdit->text().toDouble(&ok);
    if (!ok)
        cct = 0;
    plot->plotPoint(x, y, lux, cct);
}
