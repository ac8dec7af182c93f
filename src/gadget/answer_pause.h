// When the controller stops answering (tests): once a given number of feature reports has been
// written it leaves every request on endpoint 0 unanswered, so that the host's control
// transfers run into the USB stack's time-out, as with a controller that hangs in the middle
// of a transfer. It answers again after a given time, or never.
#pragma once

#include <cstdint>
#include <optional>

namespace ztv::gadget {

class AnswerPause {
public:
    AnswerPause(std::optional<std::uint64_t> after_frames, std::optional<std::uint32_t> for_ms)
        : after_frames_(after_frames), for_ms_(for_ms) {}

    // Whether a request that arrives now goes unanswered.
    bool silent(std::uint32_t now_ms, std::uint64_t frames);

private:
    std::optional<std::uint64_t> after_frames_;
    std::optional<std::uint32_t> for_ms_;  // nothing: silent until the gadget is stopped
    std::optional<std::uint32_t> since_ms_;
};

}  // namespace ztv::gadget
