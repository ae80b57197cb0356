#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/runtime/failure.h"

class QObject;

namespace platform {

using Millis = std::int64_t;

class Timer;
class FdWatch;

// Owns time for the whole client: the monotonic clock, the toolkit timers, posted events and
// socket readiness. Everything runs on one thread.
//
// Real mode lives inside Qt's event loop and sleeps while idle. Virtual mode is for tests: time
// moves only when a test or a wait moves it, so long waits run in microseconds and every run
// gives the same order of events.
//
// Handlers entered from the loop go through dispatch(): a run-time failure that no handler
// caught drops the event; the end of the program unwinds every nested wait up to the outermost
// dispatch, which stops the loop (real mode) or hands ProgramEnd to the test (virtual mode).
class Scheduler {
  public:
    enum class Mode { Real, Virtual };

    explicit Scheduler(Mode mode);
    ~Scheduler();
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    Mode mode() const { return mode_; }

    // Monotonic milliseconds since the scheduler was made (virtual mode starts at 0).
    Millis now() const;

    // Queues an event behind those already queued; it runs at the next processing pass.
    void post(std::function<void()> event);

    // Runs a handler entered from the event loop (see the class comment).
    void dispatch(const std::function<void()>& handler);

    // The original DoEvents: runs the posted events, ready sockets and due timers that are
    // pending now, without moving virtual time. Safe to call from inside any handler.
    void processPendingEvents();

    // Processes events until `ms` milliseconds have passed (in virtual mode, time moves from
    // one due timer to the next until the deadline).
    void waitFor(Millis ms);

    // Processes events until `done()` holds or `timeout` ms have passed; returns done().
    bool waitUntil(const std::function<bool()>& done, Millis timeout);

    // Blocks without processing anything; in virtual mode time simply jumps.
    void sleepFor(Millis ms);

    // Virtual mode: the test moves time forward, running everything that falls due in order.
    void advance(Millis ms) { waitFor(ms); }

    // Virtual mode: waits in real time (up to realTimeout) for socket activity until done(),
    // without moving virtual time. Lets a test wait for bytes from a loopback peer.
    bool pumpRealIo(const std::function<bool()>& done,
                    std::chrono::milliseconds realTimeout = std::chrono::seconds(5));

    // Real mode: runs the event loop until the program ends; returns the exit code.
    int run();

    bool hasEnded() const { return ending_.has_value(); }
    std::optional<ProgramEnd> programEnd() const { return ending_; }
    // For a test that keeps one client for many runs (a fuzz target): the end is forgotten, so
    // the next run's events are dispatched again. The program itself never comes back from an
    // end; it exits.
    void forgetEnd() { ending_.reset(); }

    // Failures that reached the outermost dispatch uncaught; their events were dropped.
    int unhandledFailureCount() const { return unhandledFailures_; }
    const std::string& lastUnhandledFailure() const { return lastUnhandledFailure_; }

  private:
    friend class Timer;
    friend class FdWatch;

    struct TimerEntry {
        Timer* owner = nullptr;
        Millis due = 0;
        Millis period = 0;
        std::uint64_t order = 0;
    };
    struct WatchEntry {
        FdWatch* owner = nullptr;
        int fd = -1;
        bool wantRead = false;
        bool wantWrite = false;
        bool holdsVirtualTime = false;
        struct Notifiers;
        std::shared_ptr<Notifiers> notifiers;  // real mode only
    };

    // Timer registry, used by Timer.
    std::uint64_t armTimer(Timer* owner, Millis period);
    void disarmTimer(std::uint64_t id);

    // Fd registry, used by FdWatch.
    std::uint64_t addWatch(FdWatch* owner, int fd);
    void updateWatch(std::uint64_t id, bool wantRead, bool wantWrite, bool holdsVirtualTime);
    void removeWatch(std::uint64_t id);

    void runPostedEvents();
    void runDueTimers();
    void fireTimer(std::uint64_t id);
    std::optional<std::uint64_t> nextDueTimer(Millis limit);
    // Polls the watched descriptors and runs the handlers of the ready ones; returns whether any
    // was ready. timeoutMs < 0 blocks without limit, 0 only looks.
    bool pollWatches(int timeoutMs, bool onlyHolding);
    bool anyWatchHoldsVirtualTime() const;
    void throwIfEnded() const;
    void rescheduleWake();
    void waitRealUntil(const std::function<bool()>& done, Millis deadline);
    void advanceVirtualTo(Millis deadline, const std::function<bool()>* done);

    Mode mode_;
    std::chrono::steady_clock::time_point origin_;
    Millis virtualNow_ = 0;
    std::deque<std::function<void()>> posted_;
    std::map<std::uint64_t, TimerEntry> timers_;
    std::map<std::uint64_t, WatchEntry> watches_;
    std::uint64_t nextId_ = 1;
    std::uint64_t nextOrder_ = 1;
    int dispatchDepth_ = 0;
    std::optional<ProgramEnd> ending_;
    int unhandledFailures_ = 0;
    std::string lastUnhandledFailure_;

    struct RealLoop;
    std::unique_ptr<RealLoop> real_;  // Qt objects of real mode
};

// The toolkit's Timer control: Interval in ms and Enabled. Enabling it or changing the interval
// starts a fresh period; an interval of 0 never fires; intervals below 16 ms run at 16 ms (the
// original platform's timer resolution); the handler is never re-entered by its own timer while
// it runs (ticks that fall due meanwhile are dropped).
class Timer {
  public:
    static constexpr Millis kResolution = 16;
    static constexpr int kMaxInterval = 65535;

    explicit Timer(Scheduler& scheduler);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int interval() const { return interval_; }
    void setInterval(int ms);  // 0..65535, else a run-time failure
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void()> onTimer;

  private:
    friend class Scheduler;
    void rearm();

    Scheduler& scheduler_;
    int interval_ = 0;
    bool enabled_ = true;
    bool running_ = false;
    std::uint64_t id_ = 0;         // 0 while not armed
    std::shared_ptr<bool> alive_;  // lets the scheduler see that a handler destroyed its timer
};

// Watches a descriptor for readiness on the scheduler's thread. A watch that holds virtual time
// (a connect in progress) makes virtual waits wait in real time for it before time jumps.
class FdWatch {
  public:
    using Handler = std::function<void(bool readable, bool writable)>;

    FdWatch(Scheduler& scheduler, int fd, Handler handler);
    ~FdWatch();
    FdWatch(const FdWatch&) = delete;
    FdWatch& operator=(const FdWatch&) = delete;

    void setInterest(bool read, bool write, bool holdsVirtualTime = false);

  private:
    friend class Scheduler;
    Scheduler& scheduler_;
    std::uint64_t id_;
    Handler handler_;
};

}  // namespace platform
