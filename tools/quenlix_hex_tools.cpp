#include "tools/quenlix_hex_tools.h"

quenlix_hex_tools::quenlix_hex_tools(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("quenlix_hex_tools"));
}
