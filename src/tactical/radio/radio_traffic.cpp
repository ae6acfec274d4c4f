#include "tactical/radio/radio_traffic.h"

#include "sim/radio/comms_queue.h"

namespace q71 {
namespace {

constexpr int kReminderText = 316;
constexpr int kLastMessageText = 348;

} // namespace

void RadioTraffic::pass(double clock, double rate, bool unreachable, const RadioTrafficHooks& hooks) {
    const int count = commsQueueCount();
    if (rate <= 0.0) {
        if (unreachable) {
            reminderArmed_ = false;
        } else if (count > 0 && lastCount_ == 0) {
            reminderArmed_ = true;
            reminderTime_ = clock + kReminderDelay;
        }
    }
    if (rate > 0.0 || count == 0)
        reminderArmed_ = false;
    if (reminderArmed_ && clock >= reminderTime_) {
        hooks.report("RadioCpy.wav", -1, kReminderText);
        reminderArmed_ = false;
    }
    if (rate > 0.0 && count > 0) {
        const int length = commsQueueFrontLength();
        if (length >= 1) {
            if (!receiving_) {
                receiving_ = true;
                start_ = clock;
            }
            if (clock >= start_ + length / rate) {
                if (auto message = commsQueuePop())
                    hooks.received(*message);
                if (commsQueueCount() == 0)
                    hooks.report("RadioMsg.wav", 0, kLastMessageText);
                receiving_ = false;
            }
        }
    } else {
        receiving_ = false;
    }
    lastCount_ = count;
}

} // namespace q71
