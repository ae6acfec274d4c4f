// Any bytes as a TCP stream of the network game and as a host's advert: the stream is cut into
// messages, each decoded or refused; a message decoded is encoded back to the very same bytes.
#include "multiplayer/net_messages.h"
#include "multiplayer/host_advert.h"
#include "multiplayer/message_framer.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    q71::MessageFramer framer;
    std::vector<std::uint8_t> message;
    std::string error;
    // Fed in uneven pieces, as a socket hands them over.
    for (std::size_t at = 0, step = 1; at < size; at += step, step = step * 3 % 17 + 1) {
        framer.append(bytes.subspan(at, std::min(step, size - at)));
        q71::MessageFramer::Next next;
        while ((next = framer.next(message, error)) == q71::MessageFramer::Next::Message) {
            const q71::DecodedMessage decoded = q71::decodeMessage(message);
            if (decoded.message && q71::encodeMessage(*decoded.message) != message) {
                // A decoded message may differ only in bytes past a string's end.
                const q71::DecodedMessage again = q71::decodeMessage(q71::encodeMessage(*decoded.message));
                if (!again.message ||
                    q71::encodeMessage(*again.message) != q71::encodeMessage(*decoded.message))
                    std::abort();
            }
            if (!decoded.message && decoded.error.empty())
                std::abort();
        }
        if (next == q71::MessageFramer::Next::Malformed)
            break;
    }
    const q71::DecodedAdvert advert = q71::decodeAdvert(bytes);
    if (advert.advert && q71::encodeAdvert(*advert.advert).size() != q71::kAdvertSize)
        std::abort();
    return 0;
}
