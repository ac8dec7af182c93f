// Qt's own texts (the buttons of message boxes, the whole file dialog, the context menus of
// text fields) in the program's language, from the translations Qt itself ships.
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

#include "common/text.h"

namespace ztv {

class QtTranslations {
public:
    // Folders searched for "qtbase_ru.qm", best first: beside the program (a Windows or macOS
    // bundle carries its own), then where this Qt was told its translations live.
    static QStringList default_folders();

    explicit QtTranslations(QStringList folders = default_folders()) : folders_(std::move(folders)) {}
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Installs Qt's Russian texts for Russian and takes them out for English. False when the
    // Russian texts were asked for and none were found: Qt then speaks English, as before.
    bool apply(Lang lang);
    bool russian_installed() const { return installed_; }
    // The file loaded (empty before the first Russian switch or when none was found).
    QString loaded_file() const { return translator_.filePath(); }

private:
    QStringList folders_;
    QTranslator translator_;
    bool loaded_ = false;
    bool installed_ = false;
};

}  // namespace ztv
