#include "multiplayer/message_framer.h"

#include "multiplayer/net_messages.h"

namespace q71 {

void MessageFramer::append(std::span<const std::uint8_t> bytes) {
    // Taken bytes are dropped before new ones come, so the buffer stays near one read's size.
    if (start_ > 0) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

MessageFramer::Next MessageFramer::next(std::vector<std::uint8_t>& message, std::string& error) {
    const std::span<const std::uint8_t> pending(buffer_.data() + start_, buffer_.size() - start_);
    const std::optional<NetMsgHeader> header = readNetHeader(pending);
    if (!header)
        return Next::NeedMore;
    if (!netLengthAllowed(header->length)) {
        error = "message length " + std::to_string(header->length) + " outside 4 to 1024";
        return Next::Malformed;
    }
    if (pending.size() < header->length)
        return Next::NeedMore;
    message.assign(pending.begin(), pending.begin() + header->length);
    start_ += header->length;
    return Next::Message;
}

} // namespace q71
