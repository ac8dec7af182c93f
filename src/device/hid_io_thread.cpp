#include "device/hid_io_thread.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace ztv {

struct HidIoThread::Job {
    std::function<void()> work;
    std::atomic<bool> done{false};
    bool given_up = false;  // under Shared::mutex
};

struct HidIoThread::Shared {
    std::mutex mutex;
    std::condition_variable work_ready;
    std::condition_variable call_ended;
    std::deque<std::shared_ptr<Job>> queue;
    std::shared_ptr<Job> running;
    bool stopping = false;
};

bool HidIoThread::Call::done() const { return job_->done.load(std::memory_order_acquire); }

bool HidIoThread::Call::wait_for(std::chrono::microseconds timeout) const {
    if (done()) return true;
    std::unique_lock lock(shared_->mutex);
    return shared_->call_ended.wait_for(lock, timeout, [this] { return done(); });
}

void HidIoThread::Call::give_up() const {
    const std::lock_guard lock(shared_->mutex);
    job_->given_up = true;
}

HidIoThread::HidIoThread() : shared_(std::make_shared<Shared>()) {
    // The thread holds the shared state itself, so that it stays valid after a detach.
    thread_ = std::thread([shared = shared_] {
        std::unique_lock lock(shared->mutex);
        for (;;) {
            shared->work_ready.wait(lock, [&] { return shared->stopping || !shared->queue.empty(); });
            if (shared->queue.empty()) return;  // stopping, and nothing left to run
            std::shared_ptr<Job> job = std::move(shared->queue.front());
            shared->queue.pop_front();
            shared->running = job;
            std::function<void()> work = std::move(job->work);
            lock.unlock();
            work();
            work = nullptr;  // what the call owned is released on this thread
            lock.lock();
            job->done.store(true, std::memory_order_release);
            shared->running.reset();
            shared->call_ended.notify_all();
        }
    });
}

HidIoThread::~HidIoThread() {
    bool stuck = false;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
        stuck = shared_->running && shared_->running->given_up;
    }
    shared_->work_ready.notify_all();
    if (stuck)
        thread_.detach();
    else
        thread_.join();
}

HidIoThread::Call HidIoThread::post(std::function<void()> work) {
    Call call;
    call.shared_ = shared_;
    call.job_ = std::make_shared<Job>();
    call.job_->work = std::move(work);
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->queue.push_back(call.job_);
    }
    shared_->work_ready.notify_one();
    return call;
}

}  // namespace ztv
