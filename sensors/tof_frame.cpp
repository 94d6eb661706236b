#include "sensors/tof_frame.h"

#include <algorithm>

namespace TofFrame {

Arrangement arrangementFromText(const QString& text)
{
    static const struct
    {
        const char* text;
        Arrangement arrangement;
    } exact[] = {{"4x4", {0, 4, 4}},
                 {"8x8", {1, 8, 8}},
                 {"16x16", {2, 16, 16}},
                 {"32x32", {3, 32, 32}},
                 {"48x32", {4, 48, 32}}};
    for (const auto& e : exact) {
        if (text == QLatin1String(e.text))
            return e.arrangement;
    }
    if (text.startsWith(QLatin1String("54x42")))
        return {5, 54, 42};
    if (text.startsWith(QLatin1String("24x20")))
        return {6, 24, 20};
    return {};
}

QStringList arrangementsForType(int type)
{
    switch (type) {
    case Vl53lmz:
        return {QStringLiteral("4x4"), QStringLiteral("8x8")};
    case Tmf8828:
        return {QStringLiteral("8x8")};
    case Tmf8829:
        return {QStringLiteral("8x8"), QStringLiteral("16x16"), QStringLiteral("32x32"),
                QStringLiteral("48x32")};
    case Vl53l9:
        return {QStringLiteral("54x42"), QStringLiteral("24x20")};
    default:
        return {};
    }
}

bool isAcceptedCount(int count)
{
    static const int accepted[] = {16, 64, 256, 480, 567, 576, 1024, 1536, 2268};
    return std::find(std::begin(accepted), std::end(accepted), count) != std::end(accepted);
}

int tmf8828Index(int i)
{
    static const int low[] = {56, 60, 40, 44, 24, 28, 8, 12};
    static const int high[] = {48, 52, 32, 36, 16, 20, 0, 4};
    const int b = i / 8;
    const int k = i % 8;
    return b < 4 ? low[k] + b : high[k] + (b - 4);
}

void rearrangeImage(const int* in, int* out)
{
    for (int i = 0; i < 64; ++i)
        out[tmf8828Index(i)] = in[i];
}

int tmf8829CorrectedIndex(int index, int width)
{
    if (width != 32 && width != 48)
        return index;
    const int half = width * 16; // 32 rows of the 32- and 48-wide frames, halved
    if (index < half)
        return index % width + 2 * width * (index / width);
    const int j = index - half;
    return j % width + width * (2 * (j / width) + 1);
}

void mirrorRows(QList<int>& list, int rows, int width)
{
    if (width < 1)
        return;
    for (int r = 0; r < rows; ++r) {
        const qsizetype begin = qsizetype(r) * width;
        if (begin + width > list.size())
            return;
        std::reverse(list.begin() + begin, list.begin() + begin + width);
    }
}

namespace {

void decodeVl53lmz(const QList<int>& values, QList<int>& pixels)
{
    std::copy(values.cbegin(), values.cend(), pixels.begin());
    if (values.size() == 16)
        mirrorRows(pixels, 4, 4);
    else
        mirrorRows(pixels, 8, 8);
}

void decodeTmf8828(const QList<int>& values, QList<int>& pixels)
{
    int block[64] = {};
    std::copy_n(values.cbegin(), std::min<qsizetype>(values.size(), 64), block);
    int image[64];
    rearrangeImage(block, image);
    std::copy_n(image, 64, pixels.begin());
}

void decodeTmf8829(const QList<int>& values, QList<int>& pixels)
{
    const int n = int(values.size());
    const int width = n == 1024 ? 32 : n == 1536 ? 48 : n == 256 ? 16 : 8;
    std::fill_n(pixels.begin(), n, 0);
    for (int i = 0; i < n; ++i) {
        const int j = tmf8829CorrectedIndex(i, width);
        if (j <= 1535)
            pixels[j] = values.at(i);
    }
}

int decodeVl53l9(const QStringList& parts, int filterIndex, QList<int>& pixels, int* filterState)
{
    int first = 0;
    int n = int(parts.size());
    if (n == 576) {
        first = 48;
        n = 480;
    }
    for (int k = 0; k < n; ++k) {
        bool ok = false;
        int v = parts.at(first + k).toInt(&ok);
        if (!ok || v < vl53l9Min || v > vl53l9Max) {
            filterState[k] = 0;
            pixels[k] = 0;
            continue;
        }
        if (filterIndex == 1 && filterState[k] != 0)
            v = (3 * v + 7 * filterState[k]) / 10;
        filterState[k] = v;
        pixels[k] = v;
    }
    if (n == 2268)
        mirrorRows(pixels, 42, 54);
    else if (n == 480)
        mirrorRows(pixels, 20, 24);
    return n;
}

} // namespace

int decode(const QByteArray& line, int type, int filterIndex, QList<int>& pixels, int* filterState)
{
    const QStringList parts = QString::fromUtf8(line).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const int n = int(parts.size());
    if (!isAcceptedCount(n) || pixels.size() < maxZones)
        return -1;
    if (type == Vl53l9)
        return decodeVl53l9(parts, filterIndex, pixels, filterState);

    QList<int> values;
    values.reserve(n);
    for (const QString& part : parts) {
        bool ok = false;
        const int v = part.toInt(&ok);
        values.append(ok ? v : 0);
    }
    switch (type) {
    case Vl53lmz:
        decodeVl53lmz(values, pixels);
        break;
    case Tmf8828:
        decodeTmf8828(values, pixels);
        break;
    case Tmf8829:
        decodeTmf8829(values, pixels);
        break;
    default:
        break;
    }
    return n;
}

} // namespace TofFrame
