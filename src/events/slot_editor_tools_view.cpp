// The editor's follow-ups that reach beyond the record's bytes: infrared and touch-point
// captures from the controller, the IR code editor window and the USB key picker.
#include <QAction>
#include <QLineEdit>
#include <QProgressBar>

#include "events/editor_controls_widget.h"
#include "events/slot_editor_view.h"
#include "tools/ir_code_window.h"
#include "tools/key_board_window.h"
#include "tools/tool_window_tables.h"
#include "widgets/control_widgets.h"
#include "widgets/page_context.h"
// Qt's `slots` keyword would swallow the core's namespace of that name.
#undef slots
#include "common/numeric_entry.h"
#include "config/config_state.h"
#include "events/slot_captures.h"
#include "events/slot_edits.h"

namespace ztv {
namespace {

QStringList qlist(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) list.push_back(QString::fromStdString(text));
    return list;
}

}  // namespace

void SlotEditor::build_tool_windows() {
    ir_window_ = new TFormIRCode(context_.main_widget());
    ir_window_->set_message_box([this](const Text& text) { context_.show_message(kBoxError, text); });
    ir_window_->set_field_check([](int field, const QString& text) {
        return check_ir_code_field(text.toStdString(), field == 0 ? kIrAddressMax : kIrCommandMax);
    });
    context_.add_translated_window(ir_code_table(), ir_window_);

    picker_ = new TFormKeyBoard(context_.main_widget());
    context_.add_translated_window(key_board_table(), picker_);
    connect(picker_, &TFormKeyBoard::key_clicked, this, [this](const QString& name) {
        finish_edit(click_slot_picker_key(state_, picker_slot_, name.toStdString()), {});
    });
    connect(picker_, &TFormKeyBoard::code_entered, this, [this](const QString& field, const QString& text) {
        const std::string name = field.toStdString();
        const PickerField which = name == kPickerKey1Field   ? PickerField::Key1
                                  : name == kPickerKey2Field ? PickerField::Key2
                                                             : PickerField::Multimedia;
        finish_edit(enter_slot_picker_code(state_, picker_slot_, which, text.toStdString()), {});
    });
    // The picker follows the slot shown while it is open, as long as that slot's reaction is
    // a USB key: a key click must never turn another reaction into one.
    connect(this, &SlotEditor::slot_shown, this, [this](std::size_t slot) {
        if (!picker_->isVisible()) return;
        if (slot_picker_view(state_, slot).usb_reaction)
            open_key_picker(slot);
        else
            picker_->hide();
    });
    picker_->retranslate(context_.language());
}

void SlotEditor::retranslate(Lang lang) {
    picker_->retranslate(lang);
    picker_->setWindowTitle(QString::fromStdString(picker_title(picker_slot_).in(lang)));
    retranslate();
}

void SlotEditor::set_device(EditorDevice device) { device_ = std::move(device); }

bool SlotEditor::device_connected() const { return device_.connected && device_.connected(); }

void SlotEditor::run_follow_up(std::string_view follow_up, std::string_view name) {
    if (follow_up == slot_follow_up::kEventSources || follow_up == slot_follow_up::kSkipSources) {
        choose_sources(follow_up, name);
        return;
    }
    if (follow_up == slot_follow_up::kKeyPicker) {
        open_key_picker(current_, true);
        return;
    }
    // The captures need the controller; without one they say so and change nothing.
    Protocol* protocol = device_.protocol;
    if (protocol == nullptr) return;
    const std::size_t slot = current_;
    if (follow_up == slot_follow_up::kCaptureIrEvent) {
        finish_edit(capture_ir_for_event(*protocol, device_connected(), state_, slot), {});
    } else if (follow_up == slot_follow_up::kCaptureIrReaction) {
        finish_edit(capture_ir_for_reaction(*protocol, device_connected(), state_, slot), {});
    } else if (follow_up == slot_follow_up::kTouchPoint) {
        auto* touch = dynamic_cast<TouchPointControl*>(control(name));
        TouchCaptureDisplay display;
        display.set_busy = [this](bool busy) {
            context_.set_busy(busy);
            setEnabled(!busy);
        };
        display.show_progress = [touch](int position) {
            if (touch == nullptr) return;
            touch->progress()->show();
            touch->progress()->setValue(position);
        };
        display.hide_progress = [touch] {
            if (touch != nullptr) touch->progress()->hide();
        };
        finish_edit(capture_touch_for_reaction(*protocol, device_connected(), state_, slot, display), {});
    }
}

void SlotEditor::edit_ir_code(bool reaction, std::string_view name) {
    const IrCodeList which = reaction ? IrCodeList::Reaction : IrCodeList::Event;
    const std::size_t slot = current_;
    const IrCodeEditorView view = open_slot_ir_code(state_, slot, which);
    const BoundControl* from = control(name);
    const QPoint at = from != nullptr ? from->bottom_centre() : mapToGlobal(rect().center());
    const std::optional<IrCodeEntry> entry =
        ir_window_->edit(qlist(view.protocols), view.selected, QString::fromStdString(view.address),
                         QString::fromStdString(view.command), at, context_.language());
    // Closed without "OK": nothing changes.
    if (!entry) return;
    finish_edit(apply_slot_ir_code(state_, slot, which, entry->protocol.toStdString(),
                                   entry->address.toStdString(), entry->command.toStdString()),
                {});
}

void SlotEditor::open_key_picker(std::size_t slot, bool take_focus) {
    picker_slot_ = slot;
    picker_->setWindowTitle(QString::fromStdString(picker_title(slot).in(context_.language())));
    picker_->show();
    const PickerView view = slot_picker_view(state_, slot);
    if (!view.usb_reaction) return;
    KeyBoardMarks marks;
    const std::vector<PickerKey>& keys = picker_keys();
    for (std::size_t i = 0; i < keys.size() && i < view.marked.size(); ++i)
        if (view.marked[i]) marks.marked.push_back(QString::fromStdString(keys[i].name));
    // Fields the view leaves open keep what they show.
    marks.key1 = view.key1 ? QString::fromStdString(*view.key1) : picker_->key1_field()->text();
    marks.key2 = view.key2 ? QString::fromStdString(*view.key2) : picker_->key2_field()->text();
    marks.consumer = view.multimedia ? QString::fromStdString(*view.multimedia) : picker_->consumer_field()->text();
    picker_->show_marks(marks);
    if (take_focus) picker_->take_focus();
}

}  // namespace ztv
