// Touch-panel calibration: the controller leads the user through pressing the corners of the
// picture; the program starts it, shows each instruction as the controller's step changes and,
// when the controller reports that it finished after the last corner, fetches the calibration
// block it computed. The block stays opaque to the program.
#pragma once

#include <cstdint>

#include "config/config_state.h"
#include "device/connection_monitor.h"
#include "tools/procedure_events.h"

namespace ztv {

inline constexpr std::uint32_t kCalibrationPassMs = 100;
inline constexpr std::uint8_t kCalibrationPressedBit = 0x80;
inline constexpr std::uint8_t kCalibrationStepMask = 0x7F;
// The controller's last corner: only a calibration that ends right after it has a result.
inline constexpr std::uint8_t kCalibrationLastCorner = 3;

enum class CalibrationEnd : std::uint8_t {
    None,
    NotConnected,
    Declined,
    StartFailed,     // byte 0 of block 17 was refused
    Succeeded,       // step 0 after step 3: block 17 read back
    TimedOut,        // step 0 after any other step (or at once)
    ReadBackFailed,  // step 0 after step 3, but block 17 could not be read: the copy is kept
    Stopped,         // the button again
    ReadFailed,
    Closing,
};

class TouchCalibration {
public:
    TouchCalibration(ConnectionMonitor& monitor, ConfigState& state, ProcedureEvents& events);

    // The start/stop button. inset: "Offset 10% when setting" is ticked.
    void on_button(bool inset);
    bool running() const { return running_; }
    CalibrationEnd last_end() const { return end_; }

private:
    CalibrationEnd run(bool inset);
    CalibrationEnd finish(std::uint8_t last_state);
    void show_step(std::uint8_t state);

    ConnectionMonitor& monitor_;
    Protocol& protocol_;
    Host& host_;
    ConfigState& state_;
    ProcedureEvents& events_;
    bool running_ = false;
    bool active_ = false;
    CalibrationEnd end_ = CalibrationEnd::None;
};

}  // namespace ztv
