// The event/reaction editor below the parameter pages: the row of 80 slot tabs, the " Event "
// group (kind tabs, the page of the slot's kind, the controls every kind shares) and the
// " Response " group (kind tabs and the page of the slot's reaction). It draws one slot at a
// time from the core's view of it (display_slot); every user action is one core edit, after
// which the slot is drawn again from the record.
#pragma once

#include <QPoint>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

#include "common/control_view.h"
#include "common/text.h"
#include "widgets/page_context.h"

class QMenu;
class QLabel;
class QStackedWidget;
class QGroupBox;
class QScrollArea;

namespace ztv {

class BoundControl;
class ButtonTabRow;
class ControlSet;
class TFormSlotName;
class TInterceptForm;
class TFormIRCode;
class TFormKeyBoard;
class PageContext;
class Protocol;
struct ConfigState;
struct ControlAction;
struct SlotView;

// What the last context menu was opened on; the shared popup remembers it as a number.
enum class EditorContext : int {
    None = 0,
    ModLabel = 2,
    KeyLabel = 3,
    EventArea = 4,
    ReactionArea = 5,
    IrEventCode = 7,
    IrReactionCode = 9,
};

// The controller behind the captures (infrared codes, touch point); the device link sets it.
// Without it, or while `connected` says no, a capture reports the missing controller.
struct EditorDevice {
    Protocol* protocol = nullptr;
    std::function<bool()> connected;
};

class SlotEditor : public QWidget, public Page {
    Q_OBJECT
public:
    SlotEditor(PageContext& context, ConfigState& state, QWidget* parent = nullptr);
    ~SlotEditor() override;

    void set_device(EditorDevice device);

    // showSlot: draws slot 0-79 from the record after the core made it consistent. Does
    // nothing while a slot is being drawn, so control notifications never write back.
    void show_slot(std::size_t slot);
    void show_current() { show_slot(current_slot()); }
    // Makes a slot current and shows it (a tab, the slot menu, `--slot`).
    void select_slot(std::size_t slot);
    std::size_t current_slot() const { return current_; }
    bool showing() const { return showing_; }
    // Told of every user edit of a slot once it and its redraw are done: the slot, for typed
    // text the field (so that typing in one box is one undo step; empty for any other edit),
    // and whether it renamed the slot.
    using EditListener = std::function<void(std::size_t slot, const std::string& field, bool renamed)>;
    void set_edit_listener(EditListener listener) { edit_listener_ = std::move(listener); }
    // After a reset of the configuration: slot 1.
    void reset();
    // Hands an edit's outcome on: its message, the focus, a follow-up, and the redraw.
    void finish_edit(const EditOutcome& outcome, std::string_view control);

    // The "only used" display: kind tabs whose kind occurs in no slot are hidden while on.
    void apply_only_used();
    bool only_used() const;

    // Texts and menus the code owns, rebuilt on a language switch.
    void retranslate();
    // Page: the slot shown anew, with the kinds the only-used switch leaves; the tool windows
    // and then the editor's own texts in the new language.
    void refresh() override {
        apply_only_used();
        show_current();
    }
    void retranslate(Lang lang) override;
    void show_only_used(bool /*only_used*/) override { apply_only_used(); }

    // The current-source panel beside the source choice: the source the controller reports
    // ("Selected: N", enabled) or "Selected: ?" (disabled) while none is connected.
    void show_current_source(const Text& text, bool enabled);

    // The slot-name window for the current slot, opened at `global_pos`.
    void rename_current_slot(const QPoint& global_pos);

    // Context menus (public so tests open them as a right-click would).
    void open_slot_menu(const QPoint& global_pos);
    void open_event_kind_menu(const QPoint& global_pos);
    void open_reaction_kind_menu(const QPoint& global_pos);
    void open_event_area_menu(const QPoint& global_pos);
    void open_reaction_area_menu(const QPoint& global_pos);
    // The menu of a control (drop targets, IR codes); nothing when the slot offers none.
    void open_control_menu(std::string_view control, const QPoint& global_pos);
    // The IR code editor on the slot's event code or reaction code, opened below `control`.
    void edit_ir_code(bool reaction, std::string_view control);
    // The key picker for a slot's "USB key" reaction: shown and refreshed.
    // `take_focus`: opened by the user (a click or a key on the reaction's panel), the
    // picker comes to the front with the focus; following the slot shown, it does not.
    void open_key_picker(std::size_t slot, bool take_focus = false);
    // A learned button dropped on "Button" (modifier false) or "Mod".
    bool drop_accepted(bool modifier, std::uint8_t channel, std::uint8_t key) const;
    void drop_button(bool modifier, std::uint8_t channel, std::uint8_t key);

    // Parts that tests and the benchmark look at.
    BoundControl* control(std::string_view name) const;
    ButtonTabRow* slot_tabs() const { return slot_tabs_; }
    ButtonTabRow* event_tabs() const { return event_tabs_; }
    ButtonTabRow* reaction_tabs() const { return reaction_tabs_; }
    QGroupBox* event_group() const { return event_group_; }
    QGroupBox* reaction_group() const { return reaction_group_; }
    QStackedWidget* event_pages() const { return event_pages_; }
    QStackedWidget* reaction_pages() const { return reaction_pages_; }
    // The event and reaction groups scroll in this area when the editor is short.
    QScrollArea* groups_area() const { return groups_area_; }
    QLabel* current_source_panel() const { return source_panel_; }
    // The height that shows the slot tabs and the kind pages now shown whole at `width`.
    int wanted_height(int width) const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The least height the groups' area asks for: a line of kind tabs and a line of a page.
    static constexpr int kGroupsMinimumHeight = 96;
    QMenu* slot_menu() const { return slot_menu_; }
    QMenu* event_kind_menu() const { return event_kind_menu_; }
    QMenu* reaction_kind_menu() const { return reaction_kind_menu_; }
    TFormSlotName* slot_name_window() const { return name_window_; }
    TInterceptForm* source_window() const { return source_window_; }
    TFormIRCode* ir_code_window() const { return ir_window_; }
    TFormKeyBoard* key_picker() const { return picker_; }
    int draw_count() const { return draw_count_; }

signals:
    // After every drawing of a slot (the key picker follows the current slot).
    void slot_shown(std::size_t slot);
    // The slot tabs or the kind pages shown changed what wanted_height() gives.
    void wanted_height_changed();

private:
    struct Model;

    void build_event_group();
    void build_reaction_group();
    void build_menus();
    void build_tool_windows();
    void draw(const SlotView& view);
    void order_tab_stops();
    void draw_page(QStackedWidget* stack, int kind, const std::vector<ControlView>& views, ControlSet& set);
    void draw_common(const std::vector<ControlView>& views);
    BoundControl* add_control(const ControlView& view, QWidget* page, ControlSet& set);
    void on_action(const ControlAction& action);
    void run_follow_up(std::string_view follow_up, std::string_view control);
    void choose_sources(std::string_view follow_up, std::string_view control);
    void refresh_captions();
    bool device_connected() const;
    QString pair(const TextPair& text) const;

    PageContext& context_;
    ConfigState& state_;
    std::unique_ptr<Model> model_;
    std::size_t current_ = 0;
    bool showing_ = false;
    EditListener edit_listener_;
    std::string typed_field_;  // the field of the typed edit under way
    int draw_count_ = 0;
    EditorDevice device_;
    std::size_t picker_slot_ = 0;  // the slot whose reaction the key picker edits

    ButtonTabRow* slot_tabs_ = nullptr;
    QGroupBox* event_group_ = nullptr;
    ButtonTabRow* event_tabs_ = nullptr;
    QStackedWidget* event_pages_ = nullptr;
    QWidget* common_ = nullptr;
    QLabel* source_panel_ = nullptr;
    Text source_text_;
    QGroupBox* reaction_group_ = nullptr;
    QScrollArea* groups_area_ = nullptr;
    ButtonTabRow* reaction_tabs_ = nullptr;
    QStackedWidget* reaction_pages_ = nullptr;

    QMenu* slot_menu_ = nullptr;
    QMenu* event_kind_menu_ = nullptr;
    QMenu* reaction_kind_menu_ = nullptr;
    TFormSlotName* name_window_ = nullptr;
    TInterceptForm* source_window_ = nullptr;
    TFormIRCode* ir_window_ = nullptr;
    TFormKeyBoard* picker_ = nullptr;
};

}  // namespace ztv
