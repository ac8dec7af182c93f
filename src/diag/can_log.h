// The CAN log: what the program does with the frames its controller captures. It switches the
// controller's log on and off (a one-byte mode), filters the frames that the connection monitor
// pulls, keeps one row per identifier, prints each frame on the terminal while that page is in
// front, and writes a log file. The page is a view of it; ztv-tool drives it without a screen.
//
// How a view follows it: frames may come hundreds of times a second, so the log does not call
// the view. It notes which rows changed since the view last asked; the view collects them with
// take_changes() on a timer of its own (a few times a second) and repaints only those rows.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/host.h"
#include "device/can_records.h"
#include "diag/can_background.h"
#include "diag/can_byte_history.h"
#include "diag/can_changes.h"
#include "diag/can_log_file.h"
#include "diag/can_tables.h"
#include "diag/can_texts.h"

namespace ztv {

// The controller's log modes (device block 21, one byte at offset 0).
inline constexpr std::uint8_t kCanModeOff = 0;
inline constexpr std::uint8_t kCanModeAll = 1;
inline constexpr std::uint8_t kCanModeHideSeen = 2;
inline constexpr std::uint8_t kCanModeChangedOnly = 3;

// What the log needs from around it. Every member must be set.
struct CanLogLink {
    std::function<bool()> connected;              // a controller answers
    std::function<int(std::uint8_t)> send_mode;   // one write request of the mode byte; its error
    std::function<bool()> terminal_active;        // the terminal page is the one in front
    std::function<std::string()> ask_file_name;   // the save dialog; "" when cancelled
    std::function<void(const std::string&)> remember_folder;  // a chosen log file's path
    std::function<void(bool)> set_busy;           // the toolbar's busy state
};

// What changed since the view last asked.
struct CanLogChanges {
    bool reset = false;                // the table was cleared: forget every row shown
    std::size_t shown_rows = 0;        // rows the view had (after a reset: 0)
    std::size_t rows = 0;              // rows there are now; rows shown_rows.. are new
    std::vector<std::size_t> changed;  // rows below shown_rows whose cells changed
    bool detail_changed = false;       // the detail list's row changed or it was shown/hidden
    bool filter_changed = false;       // "Show only new changes" was turned on or off
};

// Which popup menu items are offered, in menu order.
using CanMenuVisibility = std::bitset<kCanMenuItems>;
struct CanMenuState {
    bool log_running = false;   // as the controller last reported
    bool has_rows = false;
    bool details_shown = false;
    bool row_selected = false;
    bool learning = false;      // the background is being learned
    bool learned = false;       // a background was learned
    bool showing_new = false;   // only identifiers with new changes are shown
};
CanMenuVisibility can_menu_visibility(const CanMenuState& state);

class Protocol;
// Sends one mode byte to the controller's CAN log block (no error box of its own).
int write_can_mode(Protocol& protocol, std::uint8_t mode);

class CanLog final : public CanRecordSink {
public:
    CanLog(Host& host, CanLogLink link);

    // --- the popup menu's actions ---
    void start(std::uint8_t mode);                // "Start", "Show all", "Hide accumulated", "Hide not changed"
    // "Start and save to file" (with a TAB); ztv-tool may log in another mode. True when the
    // file was created and the mode accepted.
    bool start_saving(CanFileFormat format, std::uint8_t mode = kCanModeAll);
    // The can-utils log carries the controller's own stamps instead of the time of day.
    void set_candump_controller_time(bool on) { file_.set_controller_time(on); }
    // Logging without a file (ztv-tool's bridge): true when the mode was accepted.
    bool start_without_file(std::uint8_t mode);
    // Logging to a stream the caller owns (ztv-tool's standard output), named `name` in
    // messages: true when the mode was accepted.
    bool start_streaming(std::FILE* stream, const std::string& name, CanFileFormat format, std::uint8_t mode);
    void stop();                                  // "Stop"
    void clear();                                 // "Clear log"
    void hide_selected();                         // "Hide this packet"
    void hide_all_except_selected();              // "Hide all except this"
    void learn_background();                      // "Learn background"
    void stop_learning();                         // "Stop learning"
    void show_new_changes();                      // "Show only new changes" ("Show all" ends it)
    void show_all();                              // "Show all"
    void set_highlight(bool on) { highlight_ = on; }  // "Highlight changes" (the page paints)
    bool highlight() const { return highlight_; }
    bool showing_new_changes() const { return showing_new_; }
    void run(CanMenuItem item);                   // any item by its place in the menu
    CanMenuVisibility menu(bool log_running) const;

    // Configuration write, defaults, firmware update, page hidden, exit: file closed and
    // mode 0 sent, without any message. Returns the write's error (0 when not connected).
    int stop_quietly();

    // --- details and selection (rows are 0-based) ---
    void click_row(std::size_t row);              // left click: show that row, or hide on a second click
    void select_row(std::optional<std::size_t> row);  // right click: the row under the pointer
    // The list's current row moved (arrow keys): shown details move with it. It is not a
    // click, so the next click on a row shows that row rather than hiding the details.
    void follow_row(std::size_t row);
    void hide_details();
    bool details_shown() const { return detail_row_.has_value(); }
    std::optional<std::size_t> detail_row() const { return detail_row_; }
    std::optional<std::size_t> selected_row() const { return selected_row_; }

    // --- CanRecordSink: frames pulled by the connection monitor ---
    void receive_can_records(std::span<const std::uint8_t> records) override;
    bool log_file_open() const override { return file_.is_open(); }
    void close_log_file() override { file_.close(); }
    // One frame through filter, terminal, table and file; false when it went no further than
    // the filter or a full table.
    bool receive(const CanFrame& frame);
    // Called for every frame the filter accepted, where the terminal line is printed (ztv-tool).
    void set_frame_listener(std::function<void(const CanFrame&)> listener) { listener_ = std::move(listener); }
    // Called for a frame with bits that changed outside the learned background.
    void set_news_listener(std::function<void(const CanFrame&, const CanBits&)> listener) {
        news_listener_ = std::move(listener);
    }

    CanLogChanges take_changes();

    const CanIdTable& table() const { return table_; }
    const CanFilterTable& filters() const { return filters_; }
    const CanLogFile& file() const { return file_; }
    const CanChangeTracker& changes() const { return changes_; }
    const CanByteHistory& history() const { return history_; }
    const CanBackground& background() const { return background_; }
    std::uint32_t now_ms() { return host_.tick_ms(); }
    std::uint8_t last_mode() const { return last_mode_; }
    // A line could not be written since the last save started (the file was closed then).
    bool file_write_failed() const { return file_write_failed_; }

private:
    bool check_connected();
    // Records the mode, sets the filters' hidden flags for it and sends it.
    int write_mode(std::uint8_t mode);
    void report(int error);
    void clear_table();
    void mark_changed(std::size_t row);

    Host& host_;
    CanLogLink link_;
    CanIdTable table_;
    CanFilterTable filters_;
    CanLogFile file_;
    std::uint8_t last_mode_ = kCanModeOff;
    bool file_write_failed_ = false;
    std::function<void(const CanFrame&)> listener_;
    std::function<void(const CanFrame&, const CanBits&)> news_listener_;
    CanChangeTracker changes_;
    CanByteHistory history_;
    CanBackground background_;
    bool highlight_ = true;
    bool showing_new_ = false;

    std::optional<std::size_t> detail_row_;
    std::optional<std::size_t> selected_row_;
    std::optional<std::size_t> last_clicked_;

    // Change journal for the view.
    bool reset_ = false;
    std::size_t shown_rows_ = 0;
    std::vector<std::size_t> changed_;
    std::vector<bool> changed_flag_;
    bool detail_changed_ = false;
    bool filter_changed_ = false;
};

}  // namespace ztv
