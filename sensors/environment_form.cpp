#include "sensors/environment_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"
#include "widgets/squaregrid.h"

namespace {

// Round gauges keep square in whatever cell they get; the thermometer takes its whole cell.
QGridLayout* gaugeHost(const char* name, bool round = true)
{
    QGridLayout* grid = round ? new SquareGrid() : new QGridLayout();
    grid->setObjectName(QString::fromLatin1(name));
    return grid;
}

// A caption stands centred right above its gauge, which is centred at the top of its cell.
QLabel* caption(QWidget* page, const char* name)
{
    auto* label = new QLabel(page);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return label;
}

} // namespace

void Ui_EnvironmentForm::setupEnvironmentForm()
{
    environment = FormKit::makePage("environment", gridLayout_28, "gridLayout_28");

    env_gridLayout = new QGridLayout();
    env_gridLayout->setObjectName("env_gridLayout");
    gridLayout_28->addLayout(env_gridLayout, 0, 0, 2, 1);
    gridLayout_28->setColumnStretch(0, 1);
    label_48 = caption(environment, "label_48");
    env_gridLayout->addWidget(label_48, 0, 0, 1, 3);
    temperature_gridLayout = gaugeHost("temperature_gridLayout", false);
    env_gridLayout->addLayout(temperature_gridLayout, 1, 0, 10, 3);
    label_50 = caption(environment, "label_50");
    env_gridLayout->addWidget(label_50, 0, 3);
    humidity_gridLayout = gaugeHost("humidity_gridLayout");
    env_gridLayout->addLayout(humidity_gridLayout, 1, 3);
    label_49 = caption(environment, "label_49");
    env_gridLayout->addWidget(label_49, 6, 3);
    ultraviolet_gridLayout = gaugeHost("ultraviolet_gridLayout");
    env_gridLayout->addLayout(ultraviolet_gridLayout, 7, 3, 4, 1);

    gridLayout_27 = new QGridLayout();
    gridLayout_27->setObjectName("gridLayout_27");
    env_gridLayout->addLayout(gridLayout_27, 11, 0, 1, 4);
    label_59 = caption(environment, "label_59");
    gridLayout_27->addWidget(label_59, 0, 0);
    label_56 = caption(environment, "label_56");
    gridLayout_27->addWidget(label_56, 0, 1);
    label_57 = caption(environment, "label_57");
    gridLayout_27->addWidget(label_57, 0, 2);
    CO2_gridLayout = gaugeHost("CO2_gridLayout");
    gridLayout_27->addLayout(CO2_gridLayout, 1, 0);
    TVOC_gridLayout = gaugeHost("TVOC_gridLayout");
    gridLayout_27->addLayout(TVOC_gridLayout, 1, 1);
    barometer_gridLayout = gaugeHost("barometer_gridLayout");
    gridLayout_27->addLayout(barometer_gridLayout, 1, 2);

    env_groupBox_serial = new QGroupBox(environment);
    env_groupBox_serial->setObjectName("env_groupBox_serial");
    gridLayout_28->addWidget(env_groupBox_serial, 0, 1);
    env_serialGrid = new QGridLayout(env_groupBox_serial);
    env_serialGrid->setObjectName("env_serialGrid");
    environmentFormPort =
        FormKit::makePortControls(env_groupBox_serial, env_serialGrid, 0, QStringLiteral("ENV"));
    label_43 = environmentFormPort.portLabel;
    label_43->setObjectName("label_43");
    label_47 = environmentFormPort.baudLabel;
    label_47->setObjectName("label_47");
    ENVportNameComboBox = environmentFormPort.portList;
    ENVbaudRateComboBox = environmentFormPort.baudList;
    ENVbaudRateComboBox->clear();
    for (int i = 0; i < FormKit::consoleBaudRates().size(); ++i)
        ENVbaudRateComboBox->addItem(QString());
    ENVopencompushButton = environmentFormPort.openButton;

    env_groupBox_receive = new QGroupBox(environment);
    env_groupBox_receive->setObjectName("env_groupBox_receive");
    gridLayout_28->addWidget(env_groupBox_receive, 1, 1);
    env_receiveGrid = new QGridLayout(env_groupBox_receive);
    env_receiveGrid->setObjectName("env_receiveGrid");
    EVN_Clear_pushButton = new QPushButton(env_groupBox_receive);
    EVN_Clear_pushButton->setObjectName("EVN_Clear_pushButton");
    env_receiveGrid->addWidget(EVN_Clear_pushButton, 0, 0);
    ENV_StrTextBrowser = new QPlainTextEdit(env_groupBox_receive);
    ENV_StrTextBrowser->setObjectName("ENV_StrTextBrowser");
    env_receiveGrid->addWidget(ENV_StrTextBrowser, 1, 0);
}

void Ui_EnvironmentForm::retranslateEnvironmentForm()
{
    label_49->setText(FormKit::tr("Ultraviolet:"));
    label_50->setText(FormKit::tr("Humidity:"));
    label_48->setText(FormKit::tr("Temperature:"));
    label_59->setText(FormKit::tr("CO₂:"));
    label_57->setText(FormKit::tr("Barometer:"));
    label_56->setText(FormKit::tr("TVOC:"));
    env_groupBox_receive->setTitle(FormKit::tr("Receive Data"));
    EVN_Clear_pushButton->setText(FormKit::tr("Clear Receive"));
    env_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    label_43->setText(FormKit::tr("Serial No."));
    label_47->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(ENVbaudRateComboBox, FormKit::consoleBaudRates());
    ENVopencompushButton->setText(FormKit::tr("Open"));
}
