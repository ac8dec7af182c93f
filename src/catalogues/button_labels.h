// The texts of the learned-button grid: each resistive button shows its own name or, without
// one, an automatic name built from its channel and code; the encoder column shows fixed
// direction names while the encoder is connected. Button labels of events read the same texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/record.h"

namespace ztv {

inline constexpr unsigned kEncoderColumn = 4;  // grid column of the encoder directions
inline constexpr unsigned kEncoderRows = 4;    // Enc1+, Enc1-, Enc2+, Enc2-

// "channel.code" with channel 1-4, e.g. "2.812" for channel index 1 and code 812.
std::string automatic_name(unsigned channel, std::uint16_t code);

// True for an empty text and for one whose first five characters read digit, full stop,
// digits (a shorter text passes when what it has fits): such names are never stored.
bool is_automatic_name(std::string_view text);

// Cell of channel 0-3, row 1-15 as UTF-8: empty without a learned code, otherwise the stored
// name or the automatic name. Rows and channels outside the grid give the empty text.
std::string button_cell_text(const Record& record, unsigned channel, unsigned row);

// Fixed name of encoder row 1-4 ("Enc1+" ...), empty while that encoder is not connected.
std::string encoder_cell_text(const Record& record, unsigned row);

// Whether encoder row 1-4 belongs to a connected encoder.
bool encoder_row_connected(const Record& record, unsigned row);

}  // namespace ztv
