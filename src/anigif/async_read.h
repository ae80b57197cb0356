#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace platform {
class Scheduler;
}

namespace anigif {

// The toolkit's asynchronous read for user controls: fetches a path or address into bytes, named
// so that it can be cancelled, and reports progress (with a status code, 0 an error) and
// completion on the one thread.
class AsyncReader {
  public:
    struct Handlers {
        std::function<void(const QString& name, int statusCode)> progress;
        std::function<void(const QString& name, const QByteArray& bytes)> complete;
    };

    virtual ~AsyncReader() = default;
    // False when the read cannot be started.
    virtual bool AsyncRead(const QString& target, const QString& name, bool useCacheOnFailure,
                           Handlers handlers) = 0;
    virtual void CancelAsyncRead(const QString& name) = 0;
};

// A web picture past this size is a failed read: a server that never stops sending must not
// take the program's memory with it.
inline constexpr qint64 kMostWebPictureBytes = qint64(16) << 20;

// Local files and http(s) addresses through the HTTP client (platform/http); results are handed to
// the scheduler's thread as posted events.
std::unique_ptr<AsyncReader> makeNetworkAsyncReader(platform::Scheduler& scheduler);

}  // namespace anigif
