#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace ztv {

QStringList QtTranslations::default_folders() {
    QStringList folders;
    const QString own = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
    folders << own << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    return folders;
}

QtTranslations::~QtTranslations() {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
}

bool QtTranslations::apply(Lang lang) {
    if (lang != Lang::Russian) {
        if (installed_) QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
        return true;
    }
    if (!loaded_) {
        // qtbase holds the texts of every widget the program uses; a missing or damaged file
        // is passed over for the next folder.
        for (const QString& folder : folders_) {
            if (!folder.isEmpty() && translator_.load(QStringLiteral("qtbase_ru"), folder)) {
                loaded_ = true;
                break;
            }
        }
    }
    if (loaded_ && !installed_) installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}

}  // namespace ztv
