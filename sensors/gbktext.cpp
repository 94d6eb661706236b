#include "sensors/gbktext.h"

#include <QTextCodec>
#include <QTextDecoder>

GbkTextDecoder::GbkTextDecoder()
{
    // Without the codec (a toolkit built without ICU) the text is shown as Latin-1.
    QTextCodec* codec = QTextCodec::codecForName("GBK");
    if (!codec)
        codec = QTextCodec::codecForName("ISO-8859-1");
    m_decoder.reset(codec->makeDecoder());
}

GbkTextDecoder::~GbkTextDecoder() = default;

QString GbkTextDecoder::decode(const QByteArray& chunk)
{
    return m_decoder->toUnicode(chunk);
}
