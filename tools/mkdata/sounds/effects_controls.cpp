// Clicks are short and dry; valves hiss and water rushes.
#include "mkdata/sounds/sound_effects.h"
#include "mkdata/sounds/sound_parts.h"

namespace q71::mkdata {
namespace {

Signal pageSelect(Noise& n) {
    Signal s = click(n, 2400, 0.006);
    mixInto(s, click(n, 1600, 0.005), 0.012, 0.6f);
    return s;
}

Signal stationButton(Noise& n) {
    Signal s = click(n, 1800, 0.008);
    mixInto(s, thump(220, 0.01), 0.0, 0.3f);
    return s;
}

Signal smallLitButton(Noise& n) {
    Signal s = click(n, 2800, 0.005);
    mixInto(s, click(n, 3600, 0.003), 0.018, 0.4f); // the lamp's relay
    return s;
}

Signal litButton(Noise& n) {
    Signal s = click(n, 2200, 0.007);
    mixInto(s, click(n, 1200, 0.006), 0.02, 0.7f);
    return s;
}

Signal flipSwitch(Noise& n) {
    Signal s = click(n, 3200, 0.004);
    mixInto(s, click(n, 2000, 0.005), 0.015, 0.8f);
    mixInto(s, thump(180, 0.015), 0.015, 0.5f);
    return s;
}

Signal dialDetent(Noise& n) {
    Signal s = click(n, 3500, 0.003);
    mixInto(s, thump(250, 0.008), 0.0, 0.4f);
    return s;
}

Signal rockerSwitch(Noise& n, double high, double low) {
    Signal s = click(n, low, 0.006);
    mixInto(s, click(n, high, 0.005), 0.03, 0.8f);
    return s;
}
Signal rocker(Noise& n) {
    return rockerSwitch(n, 2100, 1300);
}
Signal smallRocker(Noise& n) {
    return rockerSwitch(n, 2500, 1500);
}

Signal pushButton(Noise& n) {
    Signal s = click(n, 1900, 0.006);
    mixInto(s, click(n, 2300, 0.005), 0.09, 0.6f);
    return s;
}

Signal drawerClose(Noise& n) {
    Signal slide = hiss(n, 0.25, 400, 1600);
    ramp(slide, 0.1f, 0.5f);
    mixInto(slide, thump(120, 0.04), 0.25);
    mixInto(slide, click(n, 900, 0.01), 0.25, 0.7f);
    return slide;
}

Signal detentSwitch(Noise& n) {
    Signal s = click(n, 2700, 0.004);
    mixInto(s, thump(300, 0.01), 0.0, 0.4f);
    return s;
}

Signal coveredButton(Noise& n) {
    Signal s = click(n, 1200, 0.01); // the cover's hinge
    mixInto(s, click(n, 2000, 0.006), 0.06, 0.8f);
    mixInto(s, click(n, 2200, 0.007), 0.2, 0.9f);
    return s;
}

Signal jewelButton(Noise& n) {
    Signal s = sine(0.12, 4200);
    shape(s, 0.0005, 0.015);
    mixInto(s, click(n, 3000, 0.003), 0.0, 0.6f);
    return s;
}

Signal lockButton(Noise& n) {
    Signal s = click(n, 1400, 0.01);
    mixInto(s, thump(160, 0.02), 0.0, 0.6f);
    mixInto(s, click(n, 2600, 0.005), 0.025, 0.7f);
    return s;
}

Signal plainClick(Noise& n) {
    return click(n, 2000, 0.005);
}

Signal heavyLever(Noise& n) {
    Signal s;
    for (int i = 0; i < 4; ++i) // the ratchet
        mixInto(s, click(n, 3000, 0.003), 0.025 * i, 0.5f);
    mixInto(s, metal(180, {1.0, 2.6, 4.1}, 0.15, 0.6), 0.12, 0.5f);
    mixInto(s, thump(90, 0.06), 0.12);
    return s;
}

Signal floodTube(Noise& n) {
    Signal rush = hiss(n, 2.0, 80, 900);
    shape(rush, 0.25, 0.9);
    Signal gurgle = hiss(n, 2.0, 250, 700);
    gurgle = multiply(gurgle, wander(n, 2.0, 9, 0.0f));
    mixInto(rush, gurgle, 0.0, 0.8f);
    mixInto(rush, bubbles(n, 2.0, 40, 250, 700), 0.1, 0.3f);
    return rush;
}

Signal equalise(Noise& n) {
    Signal s = hiss(n, 1.2, 1500, 6000);
    shape(s, 0.03, 0.4);
    return s;
}

Signal muzzleDoor(Noise& n) {
    Signal s = motor(n, 1.2, 180, 260);
    fadeEdges(s, 0.1, 0.05);
    scale(s, 0.6f);
    mixInto(s, clunk(n, 110), 1.2);
    return s;
}

Signal pressurise(Noise& n) {
    Signal s = hiss(n, 1.0, 1500, 7000);
    ramp(s, 0.2f, 1.0f);
    fadeEdges(s, 0.0, 0.3);
    mixInto(s, thump(140, 0.03), 0.0, 0.5f);
    return s;
}

const SoundEffect kControls[] = {
    {"winsel.WAV", pageSelect},   {"geninfo.wav", stationButton}, {"litlbtn.WAV", smallLitButton},
    {"litbtn.WAV", litButton},    {"flpswtch.WAV", flipSwitch},   {"dialsnd.WAV", dialDetent},
    {"rocker.wav", rocker},       {"srocker.wav", smallRocker},   {"pushbtn.wav", pushButton},
    {"drwrcls.wav", drawerClose}, {"switch.wav", detentSwitch},   {"cvrbtn.WAV", coveredButton},
    {"jewel.wav", jewelButton},   {"lockbtn.WAV", lockButton},    {"click.wav", plainClick},
    {"lever 3.wav", heavyLever},  {"tbmpty.wav", floodTube},      {"equlz.wav", equalise},
    {"muzzle1.wav", muzzleDoor},  {"prssr1.wav", pressurise},
};

} // namespace

std::span<const SoundEffect> controlEffects() {
    return kControls;
}

} // namespace q71::mkdata
