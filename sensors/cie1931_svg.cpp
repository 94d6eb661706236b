// Build-time tool: draws the CIE 1931 chromaticity diagram as an SVG file. The drawing covers
// x 0 .. 0.8 over the whole width and y 0 .. 0.9 over the whole height, so a point placed by
// those proportions on the stretched picture lands on its chromaticity. It carries no text: the
// plot widget writes the axis numbers and the marks' names at a readable size on top of it.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

#include "sensors/cie1931.h"

namespace {

constexpr double width = 453.29;  // points
constexpr double height = 442.92; // points
constexpr double xMax = 0.8;
constexpr double yMax = 0.9;

double px(double x)
{
    return x / xMax * width;
}
double py(double y)
{
    return height - y / yMax * height;
}
QString num(double v)
{
    return QString::number(v, 'f', 2);
}

// The colours inside the locus as a PNG, one pixel per point of the drawing.
QByteArray gamutPng()
{
    const int w = int(width + 0.5);
    const int h = int(height + 0.5);
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const QPointF xy((col + 0.5) / w * xMax, (h - row - 0.5) / h * yMax);
            if (!Cie1931::insideLocus(xy))
                continue;
            const Cie1931::Rgb8 c = Cie1931::displayColor(xy);
            image.setPixel(col, row, qRgb(c.r, c.g, c.b));
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.svg\n", argv[0]);
        return 2;
    }
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "version=\"1.1\""
        << " width=\"" << width << "pt\" height=\"" << height << "pt\" viewBox=\"0 0 " << width << ' '
        << height << "\">\n";
    out << "<rect x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n";
    out << "<image x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height
        << "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,"
        << QString::fromLatin1(gamutPng().toBase64()) << "\"/>\n";

    // Grid every 0.1.
    out << "<g stroke=\"#b0b0b0\" stroke-width=\"0.5\">\n";
    for (int i = 1; i < 8; ++i)
        out << "<line x1=\"" << num(px(i / 10.0)) << "\" y1=\"0\" x2=\"" << num(px(i / 10.0)) << "\" y2=\""
            << height << "\"/>\n";
    for (int i = 1; i < 9; ++i)
        out << "<line x1=\"0\" y1=\"" << num(py(i / 10.0)) << "\" x2=\"" << width << "\" y2=\""
            << num(py(i / 10.0)) << "\"/>\n";
    out << "</g>\n";

    // Spectral locus closed by the line of purples, with wavelength marks.
    const QList<QPointF> locus = Cie1931::spectralLocus();
    out << "<polygon fill=\"none\" stroke=\"#000000\" stroke-width=\"1\" points=\"";
    for (const QPointF& p : locus)
        out << num(px(p.x())) << ',' << num(py(p.y())) << ' ';
    out << "\"/>\n<g fill=\"#000000\">\n";
    for (int nm : Cie1931::markedWavelengths()) {
        const QPointF p = Cie1931::spectralChromaticity(nm);
        out << "<circle cx=\"" << num(px(p.x())) << "\" cy=\"" << num(py(p.y())) << "\" r=\"1.2\"/>\n";
    }
    out << "</g>\n";

    // Planckian locus from 1000 K to 20000 K, with a few temperatures marked.
    out << "<polyline fill=\"none\" stroke=\"#303030\" stroke-width=\"0.8\" points=\"";
    for (const QPointF& p : Cie1931::planckianLocus())
        out << num(px(p.x())) << ',' << num(py(p.y())) << ' ';
    out << "\"/>\n<g fill=\"#303030\">\n";
    for (int k : Cie1931::markedTemperatures()) {
        const QPointF p = Cie1931::planckianChromaticity(k);
        out << "<circle cx=\"" << num(px(p.x())) << "\" cy=\"" << num(py(p.y())) << "\" r=\"1\"/>\n";
    }
    out << "</g>\n</svg>\n";
    out.flush();

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg.toUtf8()) != svg.toUtf8().size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return file.flush() ? 0 : 1;
}
