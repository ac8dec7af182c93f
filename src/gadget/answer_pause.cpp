#include "gadget/answer_pause.h"

namespace ztv::gadget {

bool AnswerPause::silent(std::uint32_t now_ms, std::uint64_t frames) {
    if (!since_ms_ && after_frames_ && frames >= *after_frames_) since_ms_ = now_ms;
    if (!since_ms_) return false;
    return !for_ms_ || now_ms - *since_ms_ < *for_ms_;
}

}  // namespace ztv::gadget
