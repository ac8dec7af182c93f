// One data byte's value over the last 60 seconds as a small stepped line, drawn with QPainter
// beside the byte's gauge; its tooltip names the value and the controller's time under the
// pointer. The page hands it the samples and the moment the graph ends; while the page pauses,
// it keeps what it was last given.
#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "common/text.h"
#include "diag/can_byte_history.h"

namespace ztv {

using CanSamples = std::shared_ptr<const std::vector<CanSample>>;

class CanByteGraphWidget final : public QWidget {
    Q_OBJECT
public:
    explicit CanByteGraphWidget(int byte, QWidget* parent = nullptr);

    // The samples of the byte's row, oldest first; the graph's right edge is end_ms.
    void show_samples(CanSamples samples, std::uint32_t end_ms);
    void set_language(Lang lang) { lang_ = lang; }
    // The tooltip text at x, or empty where the byte had no value.
    QString tip_at(int x) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where a sample's time lies on the widget (may be left of 0).
    int x_of(std::uint32_t tick_ms) const;
    int y_of(std::uint8_t value) const;

    int byte_;
    CanSamples samples_;
    std::uint32_t end_ms_ = 0;
    Lang lang_ = Lang::Russian;
};

}  // namespace ztv
