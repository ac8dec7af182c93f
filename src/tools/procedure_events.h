// What a guided procedure (button learning, touch calibration) asks of the window around it.
// Every method has a do-nothing default, so tests override only what they look at.
#pragma once

namespace ztv {

class ProcedureEvents {
public:
    virtual ~ProcedureEvents() = default;
    // The busy state while a procedure runs: the toolbar locked, the touch inset box and the
    // USB event page disabled, the procedure's own start/stop button left enabled (and, for
    // the calibration, the parameter pages locked on their page). false undoes it all.
    virtual void set_running(bool /*running*/) {}
    // Learning: cells or highlight flags of the button grid changed.
    virtual void grid_changed() {}
    // Learning ended: the grid selection goes and the current slot's description is redrawn.
    virtual void finished() {}
};

}  // namespace ztv
