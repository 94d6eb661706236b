#include "widgets/firstcurrent.h"

#include <QTabWidget>

#include <memory>

void onFirstCurrent(QTabWidget* tabs, QWidget* page, QObject* context, std::function<void()> create)
{
    if (tabs->currentWidget() == page) {
        create();
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(tabs, &QTabWidget::currentChanged, context,
                                   [tabs, page, connection, create = std::move(create)] {
                                       if (tabs->currentWidget() != page)
                                           return;
                                       QObject::disconnect(*connection);
                                       create();
                                   });
}
