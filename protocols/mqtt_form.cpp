#include "protocols/mqtt_form.h"

#include <QGridLayout>
#include <QWidget>

#include "app/formkit.h"

void Ui_MqttForm::setupMqttForm()
{
    Mqtt = FormKit::makePage("Mqtt", gridLayout_17, "gridLayout_17");
}

void Ui_MqttForm::retranslateMqttForm()
{

}
