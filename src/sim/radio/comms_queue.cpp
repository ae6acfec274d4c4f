#include "sim/radio/comms_queue.h"

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"

#include <new>
#include <vector>

namespace q71 {
namespace {

constexpr int kTextOutOfMemory = 858;
constexpr const char* kSource = "CommsQueue";
constexpr int kLineGrow = 40;
constexpr int kLineExpand = 93;
constexpr int kInitialCapacity = 3;

// The messages in order of arrival. The slot count follows the queue's own growth rule
// (2n + 1 slots when n are needed and do not fit), which the radio room's save relies on
// only through the order of the messages, but which keeps growth cheap and predictable.
class CommsQueue {
public:
    void init() {
        if (capacity_ == 0)
            reserve(kInitialCapacity);
    }

    void add(std::string message) {
        const int needed = static_cast<int>(messages_.size()) + 1;
        if (needed > capacity_)
            reserve(2 * needed + 1);
        messages_.push_back(std::move(message));
    }

    std::optional<std::string> pop() {
        if (messages_.empty())
            return std::nullopt;
        std::string front = std::move(messages_.front());
        messages_.erase(messages_.begin());
        return front;
    }

    void clear() {
        messages_ = {};
        capacity_ = 0;
    }

    int count() const { return static_cast<int>(messages_.size()); }
    int frontLength() const { return messages_.empty() ? 0 : static_cast<int>(messages_.front().size()); }
    int capacity() const { return capacity_; }

    std::string shipName;

private:
    void reserve(int slots) {
        try {
            messages_.reserve(static_cast<size_t>(slots));
        } catch (const std::bad_alloc&) {
            reportFatal(textGetString(kTextOutOfMemory), kLineGrow, kSource, 0);
        }
        capacity_ = slots;
    }

    std::vector<std::string> messages_;
    int capacity_ = 0;
};

CommsQueue& queue() {
    static CommsQueue instance;
    return instance;
}

std::string expand(std::string_view text, std::string_view name) {
    std::string result;
    // Measured first, so that the result is allocated once.
    size_t tokens = 0;
    for (size_t at = text.find(kShipNameToken); at != std::string_view::npos;
         at = text.find(kShipNameToken, at + kShipNameToken.size()))
        ++tokens;
    result.reserve(text.size() + tokens * name.size());
    // Left to right; a name put in is never scanned again.
    size_t from = 0;
    for (size_t at = text.find(kShipNameToken); at != std::string_view::npos;
         at = text.find(kShipNameToken, from)) {
        result.append(text.substr(from, at - from));
        result.append(name);
        from = at + kShipNameToken.size();
    }
    result.append(text.substr(from));
    return result;
}

} // namespace

void commsQueueInit() {
    queue().init();
}

void commsQueueAdd(std::string_view text, int substitute) {
    std::optional<std::string> message = commsQueueExpandText(text, substitute == 1);
    if (message)
        queue().add(std::move(*message));
}

std::optional<std::string> commsQueuePop() {
    return queue().pop();
}

int commsQueueCount() {
    return queue().count();
}

int commsQueueFrontLength() {
    return queue().frontLength();
}

void commsQueueClear() {
    queue().clear();
}

int commsQueueCapacity() {
    return queue().capacity();
}

std::optional<std::string> commsQueueExpandText(std::string_view text, int substitute) {
    if (text.empty())
        return std::nullopt;
    try {
        return substitute ? expand(text, queue().shipName) : std::string(text);
    } catch (const std::bad_alloc&) {
        reportFatal(textGetString(kTextOutOfMemory), kLineExpand, kSource, 0);
    }
}

void commsQueueSetShipName(std::string_view name) {
    queue().shipName = name;
}

const std::string& commsQueueShipName() {
    return queue().shipName;
}

} // namespace q71
