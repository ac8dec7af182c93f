// Error codes of the whole device link and their texts. Every device operation returns one.
#pragma once

#include "common/text.h"

namespace ztv {

inline constexpr int kOk = 0;
inline constexpr int kErrDriverLoad = 1;       // the HID layer cannot be used
inline constexpr int kErrDriverFunction = 2;   // kept for the table; a loaded layer has all it needs
inline constexpr int kErrGetFeature = 3;
inline constexpr int kErrSetFeature = 4;
inline constexpr int kErrProductString = 5;
inline constexpr int kErrManufacturerString = 6;
inline constexpr int kErrShortRead = 7;        // a chunked read ended before its total
inline constexpr int kErrWriteNotConfirmed = 8;
inline constexpr int kErrReadMismatch = 9;
inline constexpr int kErrBadReply = 10;        // length above 64 or checksum wrong
inline constexpr int kErrBadReportId = 11;
inline constexpr int kErrDisconnected = 12;
inline constexpr int kErrTimeout = 13;
inline constexpr int kErrAccessDenied = 14;    // the controller is there, the user may not open it
inline constexpr int kErrParameters = -254;    // the controller answered 0xFE
inline constexpr int kErrFailedResult = -253;  // the controller answered 0xFD

// The localised text of a code; unknown codes read "Unknown error USB: <code>".
Text error_text(int code);

// A message whose one "%s" takes the error text, each language with its own.
Text with_error_text(const TextPair& format, int code);

}  // namespace ztv
