// Text lines from the sensor consoles: environment, oscilloscope, IMU, spectrometer and CIE.
#include "fuzz/fuzzinput.h"
#include "sensors/cie_reading.h"
#include "sensors/envline.h"
#include "sensors/imuline.h"
#include "sensors/lineassembler.h"
#include "sensors/oscline.h"
#include "sensors/spectra_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ByteLineAssembler bytes;
    LineAssembler text;
    for (const QByteArray& chunk : chunksOf(data, size)) {
        for (const QByteArray& line : bytes.feed(chunk)) {
            EnvLine::parse(line);
            OscLine::parse(line);
            ImuLine::parse(line);
        }
        for (const QString& line : text.feed(chunk)) {
            SpectraReading::parse(line);
            CieReading::parse(line);
        }
    }
    return 0;
}
