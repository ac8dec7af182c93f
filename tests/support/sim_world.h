// One simulated world for device tests: fake host (clock), simulated controller, transport,
// protocol, configuration state, connection monitor and configuration session, wired as the
// program wires them.
#pragma once

#include <optional>

#include "config/config_state.h"
#include "device/connection_monitor.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "session/config_session.h"
#include "sim/sim_controller.h"
#include "support/fake_host.h"

namespace ztv::test {

// Records what the monitor and the session asked of the window; a new controller goes to the
// session, as in the program.
struct RecordingEvents : SessionMonitorEvents, SessionEvents {
    void set_busy(bool busy) override { busy_calls.push_back(busy); }
    void configuration_replaced() override { ++refreshes; }
    Text describe_unsent(const ConfigSnapshot& held, const ConfigSnapshot& /*shown*/) override {
        unsent_held = held;
        return Text::same("(the changes)");
    }

    std::vector<bool> busy_calls;
    int refreshes = 0;
    std::optional<ConfigSnapshot> unsent_held;  // what the controller had when a send failed
};

struct SimWorld {
    explicit SimWorld(sim::SimMemory memory = {}) : sim(host, std::move(memory)) {
        events.session = &session;
        // One USB control transfer takes about a millisecond; this also lets time pass while
        // the transport polls a controller that does not answer.
        sim.set_transfer_latency_us(1000);
    }

    // Ticks the monitor until it reports a connected controller (or gives up).
    bool connect(int max_ticks = 12) {
        for (int i = 0; i < max_ticks && !monitor.connected(); ++i) monitor.poll();
        return monitor.connected();
    }
    // Lets the window's polling timer drive the monitor during every pump.
    void attach_timer() {
        host.attach_polling([this] { session.on_polling_tick(); }, [this] { return monitor.interval_ms(); });
    }

    FakeHost host;
    sim::SimController sim;
    Transport transport{sim, host};
    Protocol protocol{transport, host};
    ConfigState state;
    RecordingEvents events;
    ConnectionMonitor monitor{protocol, events};
    ConfigSession session{state, monitor, events};
};

}  // namespace ztv::test
