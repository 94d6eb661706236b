#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Frame lines of the multi-zone time-of-flight boards: decimal distances separated by commas,
// decoded by sensor family into one pixel list in image order.
namespace TofFrame {

enum SensorType { Vl53lmz = 0, Tmf8828 = 1, Tmf8829 = 2, Vl53l9 = 3 };

// Largest frame (54 x 42 zones): the size of the pixel list and of the filter history.
inline constexpr int maxZones = 2268;

struct Arrangement
{
    int code = 1; // as the views know it
    int width = 8;
    int height = 8;
};

// "4x4" .. "48x32" exactly, "54x42" and "24x20" as prefixes; anything else is 8x8.
Arrangement arrangementFromText(const QString& text);
// Arrangement texts offered for a sensor type; none for an unknown type.
QStringList arrangementsForType(int type);

// Value counts a frame may carry.
bool isAcceptedCount(int count);

// Image index of value i (0..63) of a TMF8828 frame.
int tmf8828Index(int i);
// out[T[i]] = in[i] for the 64 zones.
void rearrangeImage(const int* in, int* out);
// Image index of value `index` of a TMF8829 frame of the given width: 32- and 48-wide frames
// deliver the even rows first, then the odd rows.
int tmf8829CorrectedIndex(int index, int width);
// Reverses each of the first `rows` rows of `width` entries in place.
void mirrorRows(QList<int>& list, int rows, int width);

// Zone value accepted by the VL53L9 decoding (both ends included).
inline constexpr int vl53l9Min = 51;
inline constexpr int vl53l9Max = 3999;

// Decodes one frame line (without its line end) into `pixels` (maxZones entries, written in
// place) and, for the VL53L9, the filter history `filterState` (maxZones entries). Returns the
// number of zones to show, or -1 when the frame is dropped.
int decode(const QByteArray& line, int type, int filterIndex, QList<int>& pixels, int* filterState);

} // namespace TofFrame
