#pragma once
// The radio room's traffic: the mission's queued messages come in strictly first in, first out,
// each taking its length over the reception rate; with no way to receive, the radio operator
// reminds the captain half an hour after a message has come into an empty queue. What is
// received goes to a sink; reports go to the crew and the message log.

#include <functional>
#include <string>

namespace q71 {

struct RadioTrafficHooks {
    /// A message has been received whole.
    std::function<void(const std::string&)> received;
    /// The radio operator reports: a wave, its priority and the text for the log.
    std::function<void(const char* wave, int priority, int text)> report;
};

class RadioTraffic {
public:
    static constexpr double kReminderDelay = 1800.0;

    /// One pass at a game time: `rate` characters a second (0: no path); `unreachable` when the
    /// antenna has failed and the wire is cut, so that no reminder is of use.
    void pass(double clock, double rate, bool unreachable, const RadioTrafficHooks& hooks);

    bool receiving() const { return receiving_; }
    bool reminderArmed() const { return reminderArmed_; }
    double reminderTime() const { return reminderTime_; }

private:
    bool receiving_ = false;
    double start_ = 0.0;
    int lastCount_ = 0;
    bool reminderArmed_ = false;
    double reminderTime_ = 0.0;
};

} // namespace q71
