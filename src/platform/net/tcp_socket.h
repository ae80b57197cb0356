#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/runtime/scheduler.h"

namespace platform {

class HostResolver;

// The states of the original socket control, with its numbers: programs compare them as such.
enum class SocketState : int {
    Closed = 0,
    Connecting = 6,  // from connect() until the connection is up or has failed
    Connected = 7,
    Closing = 8,  // the peer has closed its side; close() finishes it
    Error = 9,
};

// The TCP socket control: non-blocking TCP over IPv4 on the scheduler's thread.
//
// Events are entered only from the scheduler (readiness or posted events), never from inside a
// call of this class. Each runs inside the scheduler's dispatch and may close or reconnect the
// socket, wait, or process pending events; the socket stays consistent across all of it.
class TcpSocket {
  public:
    // Error codes are errno values; a host name that does not resolve gives this one.
    static constexpr int kHostNotFound = 11001;

    explicit TcpSocket(Scheduler& scheduler);
    // Closes like close(), without events.
    ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // A host name or dotted IPv4 address, read when connect() is called.
    const QString& remoteHost() const { return remoteHost_; }
    void setRemoteHost(const QString& host) { remoteHost_ = host; }
    int remotePort() const { return remotePort_; }
    void setRemotePort(int port) { remotePort_ = port; }

    SocketState state() const { return state_; }

    // Starts connecting to remoteHost:remotePort and returns at once (state Connecting). A
    // connection still open is closed first. The outcome arrives later as onConnect or as
    // onError with state Error; a bad host or port never fails inside this call.
    void connect();

    // Closes the connection; no event follows. Bytes still waiting to go out are sent first,
    // for at most a short real-time limit. Unread received bytes are discarded.
    void close();

    // Queues bytes for sending; none are ever lost or reordered: what the system does not take
    // at once goes out as soon as it can. Only while Connected; otherwise a run-time failure,
    // as the original control raises.
    void sendData(std::span<const std::uint8_t> bytes);
    void sendData(std::string_view bytes);

    // Every byte received and not yet fetched; fetching empties the buffer.
    std::vector<std::uint8_t> getData();
    std::size_t bytesReceived() const { return input_.size(); }
    // Bytes accepted by sendData that the system has not taken yet.
    std::size_t bytesPending() const { return output_.size() - outputSent_; }

    std::function<void()> onConnect;
    // bytesTotal: all received bytes not yet fetched, those of this arrival included.
    std::function<void(std::size_t bytesTotal)> onDataArrival;
    // The peer closed the connection (state Closing); bytes that came before it were reported
    // first.
    std::function<void()> onClose;
    // The connection failed or broke (state Error).
    std::function<void(int code, const QString& description)> onError;

  private:
    void startConnect(std::uint32_t address);
    void onReady(bool readable, bool writable);
    void finishConnect();
    void readAvailable();
    void flushOutput();
    void updateInterest();
    // Drops the descriptor and everything queued; no flushing, no events.
    void release();
    // Enters Error at once and reports it from the scheduler, never from inside the caller.
    void failLater(int code, const QString& description);
    // Enters Error and reports it now; for use inside readiness handling only.
    void failNow(int code);
    void flushBeforeClose();

    // Guards continuation after a user event: false when the event destroyed the socket or
    // started another connection.
    struct Continuation {
        std::weak_ptr<bool> alive;
        std::uint64_t generation;
    };
    Continuation continuation() const { return {alive_, generation_}; }
    // Looks at the socket only when it still exists.
    static bool stillCurrent(const Continuation& c, const TcpSocket* socket);

    Scheduler& scheduler_;
    QString remoteHost_;
    int remotePort_ = 0;
    SocketState state_ = SocketState::Closed;
    int fd_ = -1;
    std::unique_ptr<FdWatch> watch_;
    std::unique_ptr<HostResolver> resolver_;
    std::vector<std::uint8_t> input_;
    std::vector<std::uint8_t> output_;
    std::size_t outputSent_ = 0;
    std::uint64_t generation_ = 0;
    std::shared_ptr<bool> alive_;
};

}  // namespace platform
