// What the pages get from the window (PageContext), and the list of pages: the language and
// its switch, the windows translated with it, the page refresh and the other moments every
// page hears of in the order they joined, the shared popup, the only-used switch and the
// source window.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "common/translation_table.h"
#include "widgets/page_context.h"

class QAction;

namespace ztv {

class ParameterPages;
class QtTranslations;
class ShellHost;
class WindowChrome;
class WindowOperations;

class PageHost : public QObject, public PageContext {
    Q_OBJECT
public:
    // Boxes and the language's store come from `host`, the busy state from `operations`; the
    // popup and the only-used switch are the chrome's.
    PageHost(ShellHost& host, WindowOperations& operations, WindowChrome& chrome, QWidget& window,
             TInterceptForm& source_window);
    ~PageHost() override;

    // The parameter pages, whose "Pins" page show_pins_page() brings to the front.
    void set_parameter_pages(ParameterPages& pages) { parameter_pages_ = &pages; }

    // --- PageContext ---
    QWidget* main_widget() override { return &window_; }
    Lang language() const override;
    int show_message(int type, const Text& text) override;
    void set_busy(bool busy) override;
    // The pages in the order they joined: the parameter pages, the editor, then later ones.
    void add_page(Page& page) override { pages_.push_back(&page); }
    void remove_page(Page& page) override;
    void refresh_pages() override;
    void show_pins_page() override;
    void add_translated_window(std::span<const TranslationRow> table, QWidget* window) override;
    // The only-used switch ("Display only used events and reactions"): the menu item and the
    // toolbar toggle show one state, saved as OnlyUsed. The pages hear of every change, in
    // order (the event editor hides the kinds no slot uses).
    bool only_used() const override;
    void set_only_used(bool on);
    // A second entry with no text is left out.
    void open_shared_popup(int context, const TextPair& first, const TextPair& second, const QPoint& global_pos,
                           std::function<void(int item)> chosen) override;
    // The same with a caption built by the program (a channel number in it), no second entry
    // and the caller's own entries after it.
    void open_shared_popup(int context, const Text& first, const QPoint& global_pos, std::function<void(int item)> chosen,
                           const QList<QAction*>& extra = {});
    void set_popup_context(int context) override;
    TInterceptForm* source_window() const override { return &source_window_; }

    // Language: 1 English, 0 or any other value Russian, -1 only asks. Returns the index in force.
    int set_language(int value);
    QString tr_pair(const TextPair& pair) const;

    // Every page in turn: a running procedure keeps them where they are; "Clear screen" and
    // the start-up drop their selections; before a save or a write they put what they hold
    // outside the record into it; around a polling tick.
    void lock_pages(bool locked);
    void show_only_used(bool on);
    void clear_selections();
    void commit_pending_edits();
    void before_poll();
    void after_poll();

    // The window is not redrawn while paused (nestable); the redraw comes as an event of its own.
    void begin_redraw_pause();
    void end_redraw_pause();
    int redraw_pause_depth() const { return redraw_pause_; }

signals:
    // The steps of a language switch that are the window's: the language is chosen (Qt's own
    // texts already speak it), the texts code owns are due (after the tables, before the
    // pages), and the switch is over (inside the redraw pause still).
    void language_chosen(Lang lang);
    void code_texts_due(Lang lang);
    void language_switched();

private:
    struct TranslatedWindow {
        std::span<const TranslationRow> table;
        QPointer<QWidget> window;
    };

    ShellHost& host_;
    WindowOperations& operations_;
    WindowChrome& chrome_;
    QWidget& window_;
    TInterceptForm& source_window_;
    ParameterPages* parameter_pages_ = nullptr;
    std::vector<Page*> pages_;
    std::vector<TranslatedWindow> translated_;
    std::unique_ptr<QtTranslations> qt_texts_;
    bool qt_texts_warned_ = false;
    int redraw_pause_ = 0;
};

}  // namespace ztv
