#include "sim/simulation/mission_save_format.h"

#include "framework/textmngr/text_manager.h"
#include "platform/msgbox/message_box.h"
#include "sim/scoring/byte_stream.h"

namespace q71 {

void savedMissionAlert(int captionText, int messageText, const std::string& path) {
    char message[256];
    textFormat(message, messageText, path.c_str());
    const char* caption = textGetString(captionText);
    messageBox(WindowHandle{}, message, caption ? caption : "", kMbOk | kMbIconHand);
}

bool savedCountRead(ByteSource& source, std::uint32_t& count, std::size_t bytesEach) {
    FieldReader field(source, 4);
    field.u32(count);
    return field.ok() && source.remaining() / bytesEach >= count;
}

void savedTextsWrite(FieldWriter& w, const std::vector<std::string>& texts) {
    w.u32(static_cast<std::uint32_t>(texts.size()));
    for (const std::string& text : texts) {
        w.u32(static_cast<std::uint32_t>(text.size()));
        w.bytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
}

bool savedTextsRead(ByteSource& source, std::vector<std::string>& texts) {
    std::uint32_t count = 0;
    // Each text takes at least its length word: a count beyond that cannot be right.
    if (!savedCountRead(source, count, 4))
        return false;
    std::vector<std::string> read(count);
    for (std::string& text : read) {
        std::uint32_t length = 0;
        if (!savedCountRead(source, length, 1))
            return false;
        text.resize(length);
        if (!source.read({reinterpret_cast<std::uint8_t*>(text.data()), text.size()}))
            return false;
    }
    texts = std::move(read);
    return true;
}

} // namespace q71
