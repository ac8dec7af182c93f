// The toolbar's handlers: configuration files here, device operations through the link. Each
// runs as a toolbar operation of the window (the toolbar locked while it runs).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

namespace ztv {

class TMainForm;
struct ConfigState;

// The toolbar's device operations; each returns nothing and reports its own errors.
struct DeviceActions {
    std::function<void()> read_configuration;
    std::function<void()> write_configuration;
    std::function<void()> reset_to_defaults;
    std::function<void()> restart;
    std::function<void()> firmware_update;
};

class ToolbarActions : public QObject {
    Q_OBJECT
public:
    ToolbarActions(TMainForm& form, ConfigState& state);
    void set_device_actions(DeviceActions actions) { device_ = std::move(actions); }

    void open_config();
    // Opens a configuration file as the "open" button does once its dialog has a file. The
    // path's bytes are kept as the system gave them: a name need not be UTF-8.
    void open_config_file(const QByteArray& path);
    // A file handed over by a second copy: the window comes to the front and opens it as the
    // open button would, once no other operation, box or dialog is in the way.
    void open_handed_over_file(const QByteArray& path);
    void save_config();
    void read_device();
    void write_device();
    void to_default();
    void reset();
    void update_device();

private:
    void load_config(const QByteArray& path);
    void open_pending_file();

    TMainForm& form_;
    ConfigState& state_;
    DeviceActions device_;
    QByteArray pending_open_;     // handed over while something else was running
    bool pending_retry_ = false;  // a later try is already planned
};

}  // namespace ztv
