#pragma once
// Cuts a TCP stream into whole messages by their headers' lengths. A length that no message can
// have makes the stream unusable: the peer that sent it is dropped.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace q71 {

class MessageFramer {
public:
    enum class Next { Message, NeedMore, Malformed };

    /// Adds bytes read from the stream.
    void append(std::span<const std::uint8_t> bytes);
    /// Takes the next whole message into `message` (Message), or says that more bytes are needed
    /// (NeedMore) or that the stream holds a length outside 4 to 1024 (Malformed, with `error`).
    Next next(std::vector<std::uint8_t>& message, std::string& error);
    /// Bytes received and not yet taken.
    std::size_t buffered() const { return buffer_.size() - start_; }

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0;
};

} // namespace q71
