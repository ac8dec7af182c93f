// The CAN log page: a line for learning the background and for the view of new changes, the
// identifier list, the detail list below it (with a pause for its graphs) and the popup menu.
// Frames may arrive thousands of times a second; the page repaints only when the shell's timer
// asks, every kCanRepaintIntervalMs, and only the rows that changed (and, while changes fade,
// the visible rows).
#pragma once

#include <QWidget>

#include <array>
#include <functional>

#include "common/host.h"
#include "diag/can_log.h"

class QAction;
class QLabel;
class QMenu;
class QToolButton;
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
    QToolButton* pause_button() const { return pause_; }
    // How many times the lists were brought up to date with changes (for tests and benchmarks).
    int refreshes_with_changes() const { return refreshes_with_changes_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void on_popup(const QPoint& pos);
    void open_popup_at(int view_row, const QPoint& viewport_pos);
    void update_details(bool rebuild);
    void update_marks_and_graphs();
    void update_status_line();

    CanLog& log_;
    std::function<bool()> log_running_;
    std::function<void(bool)> highlight_changed_;
    CanIdModel* model_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* status_ = nullptr;
    QWidget* detail_area_ = nullptr;
    QToolButton* pause_ = nullptr;
    CanDetailList* detail_ = nullptr;
    QMenu* popup_ = nullptr;
    std::array<QAction*, kCanMenuItems> actions_{};
    Lang lang_ = Lang::Russian;
    std::uint32_t fade_until_ms_ = 0;  // the list repaints until the last change has faded
    bool fading_ = false;
    int refreshes_with_changes_ = 0;
};

}  // namespace ztv
