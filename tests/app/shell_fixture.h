// A main window of its own for every test: settings in a temporary folder, boxes answered
// by the test.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"

namespace ztv::testing {

// A page that tells the test when the window redraws or retranslates its pages.
struct RecordingPage : Page {
    void refresh() override {
        if (on_refresh) on_refresh();
    }
    void retranslate(Lang lang) override {
        if (on_retranslate) on_retranslate(lang);
    }
    std::function<void()> on_refresh;
    std::function<void(Lang)> on_retranslate;
};

struct ShownBox {
    int type;
    QString title;
    QString text;
};

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        options.settings_path = dir.filePath(QStringLiteral("ztv-setup.ini")).toStdString();
        options.default_folder = dir.path().toStdString();
        options.system_language_id = 1049;
    }

    TMainForm& make_form() {
        window = std::make_unique<TMainForm>(state, options);
        window->set_message_answerer([this](int type, const QString& title, const QString& text) {
            boxes.push_back({type, title, text});
            polling_during_box.push_back(window->polling_running());
            return answer;
        });
        return *window;
    }

    // Runs the event loop until the condition holds or the time is up.
    template <typename Condition>
    static bool wait_until(Condition condition, int ms = 5000) {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > ms) return false;
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    void write_settings(const QByteArray& text) {
        QFile file(QString::fromStdString(options.settings_path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir;
    ConfigState state;
    ShellOptions options;
    RecordingPage test_page;  // before the window, which must not outlive it
    std::unique_ptr<TMainForm> window;
    std::vector<ShownBox> boxes;
    std::vector<bool> polling_during_box;
    int answer = kIdOk;
};

}  // namespace ztv::testing
