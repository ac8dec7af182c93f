// The main menu's "Compare with..." (a configuration file or the connected controller) and
// "Backups..." entries.
#pragma once

#include <QObject>
#include <QString>

#include "widgets/page_context.h"

class QAction;
class QMenu;

namespace ztv {

class ConfigSession;
class TMainForm;

class SafetyMenu : public QObject, public Page {
    Q_OBJECT
public:
    SafetyMenu(TMainForm& form, ConfigSession& session);
    ~SafetyMenu() override;

    QMenu* compare_menu() const { return compare_; }
    QAction* compare_file_item() const { return compare_file_; }
    QAction* compare_controller_item() const { return compare_controller_; }
    QAction* backups_item() const { return backups_; }

    void compare_with_file();
    void compare_with_file(const QString& path);
    void compare_with_controller();

    // Page: the entries follow the language.
    void retranslate(Lang lang) override;

private:
    TMainForm& form_;
    ConfigSession& session_;
    QMenu* compare_ = nullptr;
    QAction* compare_file_ = nullptr;
    QAction* compare_controller_ = nullptr;
    QAction* backups_ = nullptr;
};

}  // namespace ztv
