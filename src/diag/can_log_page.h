// The CAN log page: a line for learning the background and for the view of new changes, the
// identifier list, the detail list below it (with a pause for its graphs) and the popup menu.
// Frames may arrive thousands of times a second; the page repaints only when the shell's timer
// asks, every kCanRepaintIntervalMs, only while it is shown, and only what changed on the
// screen: the rows on it whose frames changed and the cells whose highlight is fading.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <utility>

#include "common/host.h"
#include "diag/can_log.h"

class QAction;
class QLabel;
class QMenu;
class QCheckBox;
class QTreeView;

namespace ztv {

class CanIdModel;
class CanDetailList;

inline constexpr int kCanRepaintIntervalMs = 100;

class CanLogPage : public QWidget {
    Q_OBJECT
public:
    // log_running: whether the controller last reported its CAN log as running.
    CanLogPage(CanLog& log, std::function<bool()> log_running, QWidget* parent = nullptr);

    void set_language(Lang lang);
    // Brings the lists up to date with the log now (the shell's timer does this ten times a
    // second).
    void refresh();

    // The popup menu as it would open at the given table row (nothing: below the last row).
    void prepare_popup(std::optional<std::size_t> row);
    // Runs an item as a choice from the popup does.
    void choose(CanMenuItem item);
    // "Highlight changes" as the settings have it; `changed` hears the user's choices.
    void set_highlight(bool on);
    void on_highlight_changed(std::function<void(bool)> changed) { highlight_changed_ = std::move(changed); }

    QTreeView* id_list() const { return list_; }
    CanDetailList* detail_list() const { return detail_; }
    QMenu* popup() const { return popup_; }
    QAction* menu_action(CanMenuItem item) const { return actions_[static_cast<std::size_t>(item)]; }
    CanIdModel* model() const { return model_; }
    QLabel* status_line() const { return status_; }
    // "Pause graphs": a tick, and a note beside it while the graphs hold.
    QCheckBox* pause_button() const { return pause_; }
    QLabel* paused_note() const { return paused_note_; }
    // How many times the lists were brought up to date with changes (for tests and benchmarks).
    int refreshes_with_changes() const { return refreshes_with_changes_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void on_popup(const QPoint& pos);
    void open_popup_at(int view_row, const QPoint& viewport_pos);
    void update_details(bool rebuild);
    void update_marks_and_graphs();
    // The view rows on the screen, first and last (last < first: none).
    std::pair<int, int> shown_rows() const;
    void repaint_fading(int first, int last, std::uint32_t now);
    // After the view was filtered or unfiltered: details only for a row the list shows, and
    // that row current.
    void keep_details_in_view();
    void update_status_line();

    CanLog& log_;
    std::function<bool()> log_running_;
    std::function<void(bool)> highlight_changed_;
    CanIdModel* model_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* status_ = nullptr;
    QWidget* detail_area_ = nullptr;
    QCheckBox* pause_ = nullptr;
    QLabel* paused_note_ = nullptr;
    CanDetailList* detail_ = nullptr;
    QMenu* popup_ = nullptr;
    std::array<QAction*, kCanMenuItems> actions_{};
    Lang lang_ = Lang::Russian;
    std::uint32_t last_refresh_ms_ = 0;
    // The identifier whose graphs are shown: a paused graph still follows another row chosen.
    std::optional<CanKey> graphs_key_;
    int refreshes_with_changes_ = 0;
};

}  // namespace ztv
