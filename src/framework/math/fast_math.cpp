#include "framework/math/fast_math.h"

#include <bit>
#include <cmath>

namespace q71 {

double cosTable[360];
uint16_t sqrtTableEven[128];
uint16_t sqrtTableOdd[128];

namespace {

struct WaveComponent {
    double amplitude, wavelength, period, phase;
};

// Thirty components of decreasing wavelength travelling one way; periods follow the
// wavelengths as the first rows do (about 0.176 x sqrt(wavelength)).
constexpr WaveComponent kWaves[30] = {
    {0.33, 57.8597, 1.341, 3.6611},   {1.113, 43.7343, 1.166, 2.2733},  {1.245, 32.5052, 1.0052, 0.8286},
    {1.424, 29.8654, 0.9636, 3.8958}, {0.814, 27.4399, 0.9236, 6.1755}, {1.141, 25.2115, 0.8853, 6.277},
    {0.79, 23.164, 0.8486, 1.2534},   {0.634, 21.2828, 0.8134, 1.2177}, {0.566, 19.5544, 0.7797, 4.3463},
    {0.632, 17.9663, 0.7474, 5.1243}, {0.697, 16.5072, 0.7164, 2.1949}, {0.468, 15.1667, 0.6867, 2.1845},
    {0.392, 13.9349, 0.6582, 4.0736}, {0.394, 12.8033, 0.6309, 0.9345}, {0.508, 11.7635, 0.6047, 2.746},
    {0.474, 10.8081, 0.5797, 6.1592}, {0.382, 9.9304, 0.5556, 1.5691},  {0.265, 9.1239, 0.5326, 1.5494},
    {0.327, 8.3829, 0.5105, 3.2158},  {0.24, 7.7021, 0.4893, 0.1095},   {0.225, 7.0766, 0.469, 2.4677},
    {0.174, 6.5019, 0.4496, 1.5676},  {0.181, 5.9739, 0.431, 2.6137},   {0.183, 5.4887, 0.4131, 3.554},
    {0.197, 5.043, 0.396, 1.8531},    {0.122, 4.6334, 0.3795, 1.9048},  {0.119, 4.2571, 0.3638, 3.6168},
    {0.021, 3.9114, 0.3487, 2.0173},  {0.092, 3.5938, 0.3343, 4.7189},  {0.096, 3.3019, 0.3204, 3.0851},
};

bool cosTableFilled = false;

// The top 7 mantissa bits of the single-precision square root of the float whose top 16 bits are given.
uint16_t sqrtMantissa(uint32_t top16) {
    float root = std::sqrt(std::bit_cast<float>(top16 << 16));
    return static_cast<uint16_t>((std::bit_cast<uint32_t>(root) >> 16) & 0x7F);
}

// The tables are ready before the program's first function runs.
[[maybe_unused]] const bool tablesReady = (initCosTable(), initSqrtTables(), true);

} // namespace

void initCosTable() {
    if (cosTableFilled)
        return;
    cosTableFilled = true;
    // One degree in single precision, as the table has always been built.
    for (int i = 0; i < 360; ++i)
        cosTable[i] = std::cos(i * 0.01745329237161969);
    cosTable[0] = 1.0;
    cosTable[90] = 0.0;
    cosTable[180] = -1.0;
    cosTable[270] = 0.0;
}

void initSqrtTables() {
    for (uint32_t i = 0; i < 128; ++i) {
        sqrtTableEven[i] = sqrtMantissa(i | 0x3F80);
        sqrtTableOdd[i] = sqrtMantissa(i | 0x4000);
    }
}

double tableCosDegrees(double degrees) {
    if (!std::isfinite(degrees))
        return cosTable[0];
    const double index = std::fmod(std::trunc(degrees + 360.5), 360.0);
    return cosTable[static_cast<int>(index < 0.0 ? index + 360.0 : index)];
}

double tableSinDegrees(double degrees) {
    return tableCosDegrees(degrees + 270.0);
}

double approxDistance2D(double x1, double y1, double x2, double y2) {
    double a = std::trunc(std::fabs(x2 - x1));
    double b = std::trunc(std::fabs(y2 - y1));
    double larger = a > b ? a : b, smaller = a > b ? b : a;
    return (larger - smaller) + 1.414213562373 * smaller;
}

double distance3D(double x1, double y1, double z1, double x2, double y2, double z2) {
    double dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double waveHeightBound(int n) {
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += std::fabs(kWaves[i].amplitude);
    return sum / n;
}

double waveHeight(double x, double y, double t, int n) {
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const WaveComponent& w = kWaves[i];
        double s = std::fabs((50.0 * y + 86.6 * x) / w.wavelength - t / w.period + w.phase);
        // Adding 0.5 before truncating rounds to the nearest whole degree.
        double degrees = 360.5 + 57.29578 * s;
        // The same whole degree by an integer remainder while the angle fits one: fmod of such
        // large angles costs tens of nanoseconds, and every terrain lookup with noise asks 24 times.
        int k = 0;
        if (degrees < 9.0e15)
            k = static_cast<int>(static_cast<int64_t>(degrees) % 360);
        else if (std::isfinite(degrees))
            k = static_cast<int>(std::fmod(std::trunc(degrees), 360.0));
        sum += cosTable[k] * w.amplitude;
    }
    return sum / n;
}

} // namespace q71
