// What a page may ask of the window it sits in. Pages receive this, never the main window, so
// that no page depends on the shell or on another page; the shell implements it.
#pragma once

#include <QPoint>

#include <functional>
#include <optional>
#include <span>

#include "common/text.h"
#include "common/translation_table.h"

class QWidget;

namespace ztv {

class TInterceptForm;

// One page of the window as the shell sees it; the shell keeps one list of them and calls
// them in the order they joined. Every member has a do-nothing default.
class Page {
public:
    virtual ~Page() = default;
    // Draws the page anew from the record (a read, a file, an edit that changes much).
    virtual void refresh() {}
    // Texts of the new language; the refresh that follows a switch comes after every page's.
    virtual void retranslate(Lang /*lang*/) {}
    // Puts what the page holds outside the record into it, before a save or a write.
    virtual void commit_pending_edit() {}
    // A running procedure keeps the pages where they are.
    virtual void set_locked(bool /*locked*/) {}
    // The only-used switch changed: the page hides or shows what no slot uses.
    virtual void show_only_used(bool /*only_used*/) {}
    // "Clear screen" of the shared popup, and the start-up: the page drops its selection.
    virtual void clear_selection() {}
    // A polling tick comes: an edit the page has open and the controller should get now
    // (a button's name typed in the grid) goes into the record first.
    virtual void before_poll() {}
    // The polling tick has run: the page looks again at what may have changed meanwhile.
    virtual void after_poll() {}
};

class PageContext {
public:
    virtual ~PageContext() = default;

    // The top-level window: the parent of a page's own small windows.
    virtual QWidget* main_widget() = 0;
    virtual Lang language() const = 0;
    virtual int show_message(int type, const Text& text) = 0;
    // Toolbar and pages follow the busy state while a page's own procedure runs.
    virtual void set_busy(bool busy) = 0;

    // Joins a page to the window's list; it must outlive the window or leave it first.
    virtual void add_page(Page& page) = 0;
    virtual void remove_page(Page& page) = 0;
    // Redraws every page from the record.
    virtual void refresh_pages() = 0;
    // Brings the parameter pages' "Pins" page to the front.
    virtual void show_pins_page() = 0;

    // Windows translated with their table on every language switch.
    virtual void add_translated_window(std::span<const TranslationRow> table, QWidget* window) = 0;

    // The only-used switch; the pages hear of its changes (Page::show_only_used).
    virtual bool only_used() const = 0;

    // The popup shared by the terminal, the button table and the event editor; context says
    // who opened it. A second entry with no text is left out.
    virtual void open_shared_popup(int context, const TextPair& first, const TextPair& second,
                                   const QPoint& global_pos, std::function<void(int item)> chosen) = 0;
    virtual void set_popup_context(int context) = 0;

    // The source selection window, shared by the parameter pages and the event editor.
    virtual TInterceptForm* source_window() const = 0;
};

}  // namespace ztv
