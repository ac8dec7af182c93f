// The time the simulated controller lives in: the host's clock, which in tests is simulated
// (spending time advances it) and in the program and benchmarks is the real one.
#pragma once

#include <cstdint>

#include "common/host.h"

namespace ztv::sim {

class SimClock {
public:
    virtual ~SimClock() = default;
    virtual std::uint32_t now_ms() = 0;
    // A USB transfer takes this long: a simulated clock advances, a real one waits.
    virtual void spend_us(std::uint32_t microseconds) = 0;
};

// The monotonic clock of the machine; spending sleeps and then spins to the deadline, so that
// a modelled latency of a millisecond is close to a millisecond and not whatever the
// scheduler makes of a plain sleep.
class RealClock final : public SimClock {
public:
    std::uint32_t now_ms() override;
    void spend_us(std::uint32_t microseconds) override;
};

// The shell's own tick counter: the simulated controller lives in the program's time, and a
// transfer costs nothing beyond the real time it takes, unless a benchmark asks transfers to
// take as long as they would on the USB.
class HostClock final : public SimClock {
public:
    explicit HostClock(Host& host) : host_(host) {}
    std::uint32_t now_ms() override { return host_.tick_ms(); }
    void spend_us(std::uint32_t microseconds) override {
        if (real_spending_) real_.spend_us(microseconds);
    }
    void set_real_spending(bool real) { real_spending_ = real; }

private:
    Host& host_;
    RealClock real_;
    bool real_spending_ = false;
};

}  // namespace ztv::sim
