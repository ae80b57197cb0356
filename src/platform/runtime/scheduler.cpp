#include "platform/runtime/scheduler.h"

#include <poll.h>

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <thread>
#include <vector>

namespace platform {

namespace {
// How long a virtual wait lets a connect in progress finish in real time before time jumps.
constexpr int kVirtualHoldRealMs = 2000;
}  // namespace

struct Scheduler::RealLoop {
    QObject anchor;
    QTimer wake;
    bool drainScheduled = false;
};

struct Scheduler::WatchEntry::Notifiers {
    std::unique_ptr<QSocketNotifier> read;
    std::unique_ptr<QSocketNotifier> write;
};

Scheduler::Scheduler(Mode mode) : mode_(mode), origin_(std::chrono::steady_clock::now()) {
    if (mode_ == Mode::Real) {
        real_ = std::make_unique<RealLoop>();
        real_->wake.setSingleShot(true);
        real_->wake.setTimerType(Qt::PreciseTimer);
        QObject::connect(&real_->wake, &QTimer::timeout, &real_->anchor, [this] {
            runDueTimers();
            rescheduleWake();
        });
    }
}

Scheduler::~Scheduler() {
    // Watches must drop their notifiers before the loop objects go.
    for (auto& [id, entry] : watches_) entry.notifiers.reset();
}

Millis Scheduler::now() const {
    if (mode_ == Mode::Virtual) return virtualNow_;
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 origin_)
        .count();
}

void Scheduler::post(std::function<void()> event) {
    posted_.push_back(std::move(event));
    if (real_ && !real_->drainScheduled) {
        real_->drainScheduled = true;
        QMetaObject::invokeMethod(
            &real_->anchor,
            [this] {
                real_->drainScheduled = false;
                runPostedEvents();
            },
            Qt::QueuedConnection);
    }
}

void Scheduler::dispatch(const std::function<void()>& handler) {
    const bool outermost = dispatchDepth_ == 0;
    if (ending_) {
        if (outermost && mode_ == Mode::Virtual) throw *ending_;
        return;
    }
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    };
    ++dispatchDepth_;
    DepthGuard guard{dispatchDepth_};
    try {
        handler();
    } catch (const ProgramEnd& end) {
        ending_ = end;
        // The test is the outermost caller in virtual mode; in real mode run() sees ending_.
        if (outermost && mode_ == Mode::Virtual) throw;
    } catch (const std::exception& failure) {
        ++unhandledFailures_;
        lastUnhandledFailure_ = failure.what();
    }
}

void Scheduler::throwIfEnded() const {
    if (ending_) throw *ending_;
}

void Scheduler::processPendingEvents() {
    throwIfEnded();
    if (mode_ == Mode::Real) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        pollWatches(0, false);
    }
    runPostedEvents();
    runDueTimers();
    throwIfEnded();
}

void Scheduler::runPostedEvents() {
    // Only what was queued when the pass began: an event that posts again runs next pass.
    std::size_t count = posted_.size();
    while (count-- > 0 && !posted_.empty() && !ending_) {
        auto event = std::move(posted_.front());
        posted_.pop_front();
        dispatch(event);
    }
}

std::optional<std::uint64_t> Scheduler::nextDueTimer(Millis limit) {
    const Millis current = now();
    std::optional<std::uint64_t> best;
    const TimerEntry* bestEntry = nullptr;
    for (auto& [id, entry] : timers_) {
        if (entry.owner->running_) {
            // Its own ticks are dropped while its handler runs.
            while (entry.due <= current) entry.due += entry.period;
            continue;
        }
        if (entry.due > limit) continue;
        if (!bestEntry || entry.due < bestEntry->due ||
            (entry.due == bestEntry->due && entry.order < bestEntry->order)) {
            best = id;
            bestEntry = &entry;
        }
    }
    return best;
}

void Scheduler::runDueTimers() {
    // Each timer fires at most once a pass, so a handler slower than its period cannot starve
    // everything else.
    const Millis current = now();
    std::vector<std::uint64_t> due;
    while (auto id = nextDueTimer(current)) {
        if (std::find(due.begin(), due.end(), *id) != due.end()) break;
        due.push_back(*id);
        fireTimer(*id);
        if (ending_) return;
    }
}

void Scheduler::fireTimer(std::uint64_t id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    TimerEntry& entry = it->second;
    entry.due = now() + entry.period;
    Timer* owner = entry.owner;
    auto alive = owner->alive_;
    // Copied: the handler may destroy its own timer.
    auto handler = owner->onTimer;
    owner->running_ = true;
    if (handler) dispatch(handler);
    if (*alive) owner->running_ = false;
    if (real_) rescheduleWake();
}

void Scheduler::rescheduleWake() {
    if (!real_) return;
    Millis earliest = -1;
    for (const auto& [id, entry] : timers_) {
        if (entry.owner->running_) continue;
        if (earliest < 0 || entry.due < earliest) earliest = entry.due;
    }
    if (earliest < 0) {
        real_->wake.stop();
        return;
    }
    real_->wake.start(static_cast<int>(std::clamp<Millis>(earliest - now(), 0, 1 << 30)));
}

std::uint64_t Scheduler::armTimer(Timer* owner, Millis period) {
    const std::uint64_t id = nextId_++;
    timers_[id] = TimerEntry{owner, now() + period, period, nextOrder_++};
    rescheduleWake();
    return id;
}

void Scheduler::disarmTimer(std::uint64_t id) {
    timers_.erase(id);
    rescheduleWake();
}

void Scheduler::waitFor(Millis ms) {
    const Millis deadline = now() + std::max<Millis>(ms, 0);
    if (mode_ == Mode::Virtual) {
        advanceVirtualTo(deadline, nullptr);
    } else {
        waitRealUntil(nullptr, deadline);
    }
}

bool Scheduler::waitUntil(const std::function<bool()>& done, Millis timeout) {
    const Millis deadline = now() + std::max<Millis>(timeout, 0);
    if (mode_ == Mode::Virtual) {
        advanceVirtualTo(deadline, &done);
    } else {
        waitRealUntil(done, deadline);
    }
    return done();
}

void Scheduler::sleepFor(Millis ms) {
    if (ms <= 0) return;
    if (mode_ == Mode::Virtual) {
        virtualNow_ += ms;
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

void Scheduler::advanceVirtualTo(Millis deadline, const std::function<bool()>* done) {
    for (;;) {
        processPendingEvents();
        if (done && (*done)()) return;
        if (virtualNow_ >= deadline) return;
        if (!posted_.empty()) continue;
        if (anyWatchHoldsVirtualTime() && pollWatches(kVirtualHoldRealMs, true)) continue;
        Millis target = deadline;
        if (auto id = nextDueTimer(deadline)) target = std::min(target, timers_.at(*id).due);
        virtualNow_ = std::max(virtualNow_, target);
    }
}

void Scheduler::waitRealUntil(const std::function<bool()>& done, Millis deadline) {
    throwIfEnded();
    QTimer alarm;  // only wakes the loop at the deadline
    alarm.setSingleShot(true);
    alarm.setTimerType(Qt::PreciseTimer);
    alarm.start(static_cast<int>(std::clamp<Millis>(deadline - now(), 0, 1 << 30)));
    while (!ending_ && !(done && done()) && now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        runPostedEvents();
        runDueTimers();
    }
    throwIfEnded();
}

bool Scheduler::pumpRealIo(const std::function<bool()>& done,
                           std::chrono::milliseconds realTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + realTimeout;
    for (;;) {
        processPendingEvents();
        if (done()) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        if (mode_ == Mode::Virtual) {
            pollWatches(static_cast<int>(std::min<long>(left.count(), 10)), false);
        } else {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
}

int Scheduler::run() {
    rescheduleWake();
    while (!ending_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return ending_->exitCode;
}

std::uint64_t Scheduler::addWatch(FdWatch* owner, int fd) {
    const std::uint64_t id = nextId_++;
    WatchEntry entry;
    entry.owner = owner;
    entry.fd = fd;
    watches_[id] = std::move(entry);
    return id;
}

void Scheduler::updateWatch(std::uint64_t id, bool wantRead, bool wantWrite,
                            bool holdsVirtualTime) {
    auto it = watches_.find(id);
    if (it == watches_.end()) return;
    WatchEntry& entry = it->second;
    entry.wantRead = wantRead;
    entry.wantWrite = wantWrite;
    entry.holdsVirtualTime = holdsVirtualTime;
    if (!real_) return;
    if (!entry.notifiers) entry.notifiers = std::make_shared<WatchEntry::Notifiers>();
    auto ensure = [&](std::unique_ptr<QSocketNotifier>& notifier, QSocketNotifier::Type type,
                      bool wanted) {
        if (!wanted) {
            if (notifier) notifier->setEnabled(false);
            return;
        }
        if (!notifier) {
            notifier = std::make_unique<QSocketNotifier>(entry.fd, type);
            const bool isRead = type == QSocketNotifier::Read;
            QObject::connect(notifier.get(), &QSocketNotifier::activated, &real_->anchor,
                             [this, id, isRead] {
                                 auto found = watches_.find(id);
                                 if (found == watches_.end()) return;
                                 // Copied: the handler may destroy its own watch.
                                 auto handler = found->second.owner->handler_;
                                 dispatch([&] { handler(isRead, !isRead); });
                             });
        }
        notifier->setEnabled(true);
    };
    ensure(entry.notifiers->read, QSocketNotifier::Read, wantRead);
    ensure(entry.notifiers->write, QSocketNotifier::Write, wantWrite);
}

void Scheduler::removeWatch(std::uint64_t id) {
    auto it = watches_.find(id);
    if (it == watches_.end()) return;
    if (auto& notifiers = it->second.notifiers) {
        // The watch may go inside its own notifier's signal: let Qt delete the notifiers later.
        for (auto* slot : {&notifiers->read, &notifiers->write}) {
            if (*slot) {
                (*slot)->setEnabled(false);
                slot->release()->deleteLater();
            }
        }
    }
    watches_.erase(it);
}

bool Scheduler::anyWatchHoldsVirtualTime() const {
    return std::any_of(watches_.begin(), watches_.end(),
                       [](const auto& item) { return item.second.holdsVirtualTime; });
}

bool Scheduler::pollWatches(int timeoutMs, bool onlyHolding) {
    std::vector<pollfd> fds;
    std::vector<std::uint64_t> ids;
    for (const auto& [id, entry] : watches_) {
        if (onlyHolding && !entry.holdsVirtualTime) continue;
        short events = (entry.wantRead ? POLLIN : 0) | (entry.wantWrite ? POLLOUT : 0);
        if (events == 0) continue;
        fds.push_back(pollfd{entry.fd, events, 0});
        ids.push_back(id);
    }
    if (fds.empty()) return false;
    const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
    if (ready <= 0) return false;
    for (std::size_t i = 0; i < fds.size() && !ending_; ++i) {
        const short got = fds[i].revents;
        if (got == 0) continue;
        auto found = watches_.find(ids[i]);
        if (found == watches_.end()) continue;  // removed by an earlier handler
        const bool trouble = (got & (POLLERR | POLLHUP | POLLNVAL)) != 0;
        auto handler = found->second.owner->handler_;
        dispatch([&] { handler((got & POLLIN) || trouble, (got & POLLOUT) || trouble); });
    }
    return true;
}

Timer::Timer(Scheduler& scheduler)
    : scheduler_(scheduler), alive_(std::make_shared<bool>(true)) {}

Timer::~Timer() {
    *alive_ = false;
    if (id_) scheduler_.disarmTimer(id_);
}

void Timer::setInterval(int ms) {
    if (ms < 0 || ms > kMaxInterval) {
        fail(RuntimeFailure::Kind::InvalidArgument, "Invalid property value");
    }
    interval_ = ms;
    rearm();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    rearm();
}

void Timer::rearm() {
    if (id_) scheduler_.disarmTimer(id_);
    id_ = 0;
    if (enabled_ && interval_ > 0) {
        id_ = scheduler_.armTimer(this, std::max<Millis>(interval_, kResolution));
    }
}

FdWatch::FdWatch(Scheduler& scheduler, int fd, Handler handler)
    : scheduler_(scheduler), id_(scheduler.addWatch(this, fd)), handler_(std::move(handler)) {}

FdWatch::~FdWatch() { scheduler_.removeWatch(id_); }

void FdWatch::setInterest(bool read, bool write, bool holdsVirtualTime) {
    scheduler_.updateWatch(id_, read, write, holdsVirtualTime);
}

}  // namespace platform
