// The main menu's "Compare with..." (a configuration file or the connected controller) and
// "Backups..." entries.
#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace ztv {

class ConfigSession;
class TMainForm;

class SafetyMenu : public QObject {
    Q_OBJECT
public:
    SafetyMenu(TMainForm& form, ConfigSession& session);
    ~SafetyMenu() override;

    QAction* compare_file_item() const { return compare_file_; }
    QAction* compare_controller_item() const { return compare_controller_; }
    QAction* backups_item() const { return backups_; }

    void compare_with_file();
    void compare_with_file(const QString& path);
    void compare_with_controller();

private:
    TMainForm& form_;
    ConfigSession& session_;
    QAction* compare_file_ = nullptr;
    QAction* compare_controller_ = nullptr;
    QAction* backups_ = nullptr;
};

}  // namespace ztv
