#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QTextDecoder;

// Decodes GBK text that arrives in chunks: a character cut between two chunks is completed by
// the next one instead of turning into replacement characters.
class GbkTextDecoder
{
public:
    GbkTextDecoder();
    ~GbkTextDecoder();
    GbkTextDecoder(const GbkTextDecoder&) = delete;
    GbkTextDecoder& operator=(const GbkTextDecoder&) = delete;

    QString decode(const QByteArray& chunk);

private:
    std::unique_ptr<QTextDecoder> m_decoder;
};
