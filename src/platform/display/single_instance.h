#pragma once
// One running copy per user and display, as one per desktop session: the first copy listens on
// a named local socket (in the abstract namespace, so nothing is left behind if it dies); a later
// copy on the same display finds it there, asks it to come to the front, and learns that it must
// end. Copies on other displays (another session, or each virtual X server of a test run) do not
// meet.

#include <string_view>

namespace q71 {

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Becomes the running copy under the name; false when another copy holds it (it is then asked
    /// to come to the front). A name that cannot be used at all is treated as free.
    bool claim(std::string_view name);
    /// True when another copy asked this one to come to the front since the last call.
    bool takeRaiseRequest();

private:
    int listener_ = -1;
};

} // namespace q71
