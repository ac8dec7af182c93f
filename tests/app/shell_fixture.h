// A main window of its own for every test: settings in a temporary folder, boxes answered
// by the test, time simulated (it passes only when the test lets it).
#pragma once

#include <QApplication>
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
    void show_only_used(bool on) override { only_used_heard.push_back(on); }
    std::function<void()> on_refresh;
    std::function<void(Lang)> on_retranslate;
    std::vector<bool> only_used_heard;
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
        options.clock = &clock;
    }

    TMainForm& make_form() {
        window = std::make_unique<TMainForm>(state, options);
        window->host().set_message_answerer([this](int type, const QString& title, const QString& text) {
            boxes.push_back({type, title, text});
            polling_during_box.push_back(window->host().polling_running());
            return answer;
        });
        return *window;
    }

    // Lets simulated time pass until the condition holds or ms milliseconds have passed.
    template <typename Condition>
    bool wait_until(Condition condition, int ms = 5000) {
        constexpr int kStep = 5;
        for (int waited = 0; !condition(); waited += kStep) {
            if (waited >= ms) return false;
            clock.advance(kStep);
        }
        return true;
    }
    // Lets ms milliseconds of simulated time pass.
    void run_for(int ms) { wait_until([] { return false; }, ms); }

    void write_settings(const QByteArray& text) {
        QFile file(QString::fromStdString(options.settings_path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir;
    ShellClock clock{true};  // before the window, which runs on it
    ConfigState state;
    ShellOptions options;
    RecordingPage test_page;  // before the window, which must not outlive it
    std::unique_ptr<TMainForm> window;
    std::vector<ShownBox> boxes;
    std::vector<bool> polling_during_box;
    int answer = kIdOk;
};

}  // namespace ztv::testing
