#include "app/page_host.h"

#include <QAction>
#include <QWidget>

#include "app/language_walker.h"
#include "app/qt_translations.h"
#include "app/shell_host.h"
#include "app/shell_messages.h"
#include "app/window_chrome.h"
#include "app/window_operations.h"
#include "config/parameter_bindings.h"
#include "config/parameter_pages.h"

namespace ztv {

PageHost::PageHost(ShellHost& host, WindowOperations& operations, WindowChrome& chrome, QWidget& window,
                   TInterceptForm& source_window)
    : QObject(&window), host_(host), operations_(operations), chrome_(chrome), window_(window),
      source_window_(source_window), qt_texts_(std::make_unique<QtTranslations>()) {}

PageHost::~PageHost() = default;

Lang PageHost::language() const { return host_.language(); }

int PageHost::show_message(int type, const Text& text) { return host_.show_message(type, text); }

void PageHost::set_busy(bool busy) { operations_.set_busy(busy); }

void PageHost::remove_page(Page& page) { std::erase(pages_, &page); }

void PageHost::refresh_pages() {
    for (Page* page : pages_) page->refresh();
}

void PageHost::lock_pages(bool locked) {
    for (Page* page : pages_) page->set_locked(locked);
}

void PageHost::show_only_used(bool on) {
    for (Page* page : pages_) page->show_only_used(on);
}

void PageHost::clear_selections() {
    for (Page* page : pages_) page->clear_selection();
}

void PageHost::commit_pending_edits() {
    for (Page* page : pages_) page->commit_pending_edit();
}

void PageHost::before_poll() {
    for (Page* page : pages_) page->before_poll();
}

void PageHost::after_poll() {
    for (Page* page : pages_) page->after_poll();
}

void PageHost::show_pins_page() {
    if (parameter_pages_ != nullptr) parameter_pages_->show_page(static_cast<int>(ParamPage::Pins));
}

void PageHost::add_translated_window(std::span<const TranslationRow> table, QWidget* window) {
    translated_.push_back({table, window});
    translate_window(table, window, language());
}

bool PageHost::only_used() const { return chrome_.only_used_item()->isChecked(); }

void PageHost::set_only_used(bool on) { chrome_.only_used_item()->setChecked(on); }

void PageHost::open_shared_popup(int context, const TextPair& first, const TextPair& second, const QPoint& global_pos,
                                 std::function<void(int)> chosen) {
    const bool two = second.ru != nullptr && second.ru[0] != '\0';
    chrome_.open_shared_popup(context, tr_pair(first), two ? tr_pair(second) : QString(), global_pos,
                              std::move(chosen));
}

void PageHost::open_shared_popup(int context, const Text& first, const QPoint& global_pos,
                                 std::function<void(int)> chosen, const QList<QAction*>& extra) {
    chrome_.open_shared_popup(context, QString::fromStdString(first.in(language())), QString(), global_pos,
                              std::move(chosen), extra);
}

void PageHost::set_popup_context(int context) { chrome_.set_popup_context(context); }

QString PageHost::tr_pair(const TextPair& pair) const { return host_.tr_pair(pair); }

int PageHost::set_language(int value) {
    if (value == -1) return static_cast<int>(language());
    const Lang lang = value == 1 ? Lang::English : Lang::Russian;
    host_.set_language(lang);
    // Qt's own texts first, so that the boxes and dialogs of the steps below already speak it.
    if (!qt_texts_->apply(lang) && !qt_texts_warned_) {
        qt_texts_warned_ = true;
        host_.log_line(pick(msg::kQtTextsMissing, lang), LogSource::Program);
    }
    emit language_chosen(lang);
    begin_redraw_pause();
    for (const TranslatedWindow& entry : translated_)
        if (entry.window) translate_window(entry.table, entry.window, lang);
    emit code_texts_due(lang);
    for (Page* page : pages_) page->retranslate(lang);
    refresh_pages();
    emit language_switched();
    end_redraw_pause();
    return static_cast<int>(lang);
}

void PageHost::begin_redraw_pause() {
    if (redraw_pause_++ == 0) window_.setUpdatesEnabled(false);
}

void PageHost::end_redraw_pause() {
    if (redraw_pause_ == 0) return;
    if (--redraw_pause_ == 0) {
        window_.setUpdatesEnabled(true);
        // The redraw is an event of its own, not more work inside the one that ended the pause
        // (a language switch would otherwise hold the window for both).
        window_.update();
    }
}

}  // namespace ztv
