// The thread the HID calls run on. A controller that stops answering in the middle of a
// transfer holds this thread in the kernel (up to the USB stack's control time-out), not the
// window's thread, which waits for each call while it keeps drawing.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace ztv {

class HidIoThread {
    struct Shared;
    struct Job;

public:
    // One posted call. Its work must own everything it touches: a call the caller gave up on
    // may still run after the caller, and even the program's window, are gone.
    class Call {
    public:
        bool done() const;
        // Waits up to timeout for the call to end; true when it has.
        bool wait_for(std::chrono::microseconds timeout) const;
        // The caller no longer waits for this call; a thread still inside it is not joined.
        void give_up() const;

    private:
        friend class HidIoThread;
        std::shared_ptr<Shared> shared_;
        std::shared_ptr<Job> job_;
    };

    HidIoThread();
    // Runs what is queued and joins, unless the call running was given up on: then the thread
    // is left to finish it (and what is queued) on its own.
    ~HidIoThread();
    HidIoThread(const HidIoThread&) = delete;
    HidIoThread& operator=(const HidIoThread&) = delete;

    // Calls run one at a time in the order posted.
    Call post(std::function<void()> work);

private:
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace ztv
