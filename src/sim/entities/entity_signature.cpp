// An entity's signature: a cursor per signature line of its record that runs through the
// line's time series (faster with speed for the first two lines), and the noise it makes.
#include "sim/entities/entity.h"

#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/signature_tables.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr std::int32_t kEndOfSamples = -1;

} // namespace

void Entity::initSignature() {
    const std::span<const SignatureTable> tables = worldSignatureTables(recordId);
    signatureCounters.assign(tables.size(), 0);
    signatureIndex.clear();
    for (const SignatureTable& table : tables)
        signatureIndex.push_back(table.samples.empty() ? 0 : table.samples.front());
    signatureIndex.push_back(kEndOfSamples);
}

void Entity::stepSignature(double dt) {
    const std::span<const SignatureTable> tables = worldSignatureTables(recordId);
    if (tables.size() != signatureCounters.size())
        return; // the tables were rebuilt for another mission
    const double pace = motion && motion->maxSpeed > 0.0 ? motion->speed / motion->maxSpeed : 0.0;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const std::vector<std::int32_t>& samples = tables[i].samples;
        if (samples.empty())
            continue;
        // The first two lines run with the speed, the others at a steady pace; a step is at most one.
        const double step = std::trunc(i < 2 ? pace * 1200.0 * dt : 400.0 * dt);
        std::int32_t& counter = signatureCounters[i];
        counter += static_cast<std::int32_t>(std::clamp(step, -1.0e6, 1.0));
        const auto length = static_cast<std::int32_t>(samples.size());
        if (counter < 0)
            counter = (length - 1) * 10; // backwards past the start: the last sample
        else if (counter / 10 >= length)
            counter = 0;
        signatureIndex[i] = samples[static_cast<std::size_t>(counter / 10)];
    }
}

int Entity::noiseLevel() const {
    // From 0 to 75: the sonars' scans pass by what would not be heard even at 75.
    if (!motion)
        return 0;
    const MotionModel& m = *motion;
    double noise = 0.0;
    if (m.maxSpeed > 0.0 && m.speed > 0.33 * m.maxSpeed)
        noise = std::min(10.0 * (m.speed / m.maxSpeed) * (m.speed / m.maxSpeed), 20.0);
    if (m.cavitating)
        noise += 20.0;
    if (m.blowerOn)
        noise += 20.0;
    if (m.modeWord)
        noise += 5.0;
    if (m.emergencyBlow)
        noise += 10.0;
    return static_cast<int>(noise);
}

} // namespace q71
