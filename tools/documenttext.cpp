#include "tools/documenttext.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

QString rawDocumentText(const QTextDocument* document)
{
    QStringList blocks;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        blocks.append(block.text());
    return blocks.join(QLatin1Char('\n'));
}
