#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// Reads one HTTP/1.x response to a GET as its bytes arrive, in pieces of any size: the status
// line, the headers, and the body framed by Content-Length, by chunks, or by the end of the
// connection. Knows nothing of sockets, so every way a server can answer is testable as bytes.
// A response the parser cannot trust (a bad status line or header, a bad length or chunk, a
// head past its limits) fails it; it never grows without bound.
class HttpResponseParser {
  public:
    struct Limits {
        // The status line and the headers together, and again the trailers of a chunked body.
        std::size_t maxHeadBytes = 64 * 1024;
        std::size_t maxHeaders = 100;
        // A body growing past this fails the response (`TooLarge`); -1: no limit.
        std::int64_t maxBodyBytes = -1;
    };
    enum class Outcome { Pending, Complete, Failed };
    enum class Problem {
        None,
        BadStatusLine,
        BadHeader,
        HeadTooLarge,
        TooManyHeaders,
        BadLength,          // a Content-Length that is no number, or two that differ
        UnsupportedCoding,  // a transfer coding other than chunked
        BadChunk,
        TooLarge,
        CutShort,  // the connection ended before the response did
    };

    HttpResponseParser() : HttpResponseParser(Limits{}) {}
    explicit HttpResponseParser(Limits limits);

    // Takes the next bytes of the connection. Bytes after a complete response are ignored.
    Outcome feed(std::string_view bytes);
    // The connection ended: a body that runs to the end is complete now; any other response
    // still unfinished was cut short.
    Outcome close();

    Outcome outcome() const { return outcome_; }
    Problem problem() const { return problem_; }
    // Status and headers of the final answer are known (its body may still be on its way, or
    // be what failed).
    bool headComplete() const { return headComplete_; }
    int status() const { return status_; }
    // The first header of that name, any case, without its surrounding blanks.
    std::optional<std::string_view> header(std::string_view name) const;
    const QByteArray& body() const { return body_; }
    QByteArray takeBody() { return std::move(body_); }

  private:
    enum class Phase {
        StatusLine,
        Headers,
        LengthBody,
        CloseBody,
        ChunkSize,
        ChunkData,
        ChunkEnd,
        Trailers,
        Done,
    };

    // Takes bytes up to the end of a line into line_; true when the line is whole (its line
    // end removed), false when more bytes are needed or the line passed `limit`.
    bool takeLine(std::string_view& bytes, std::size_t limit, Problem tooLong);
    void statusLine(std::string_view line);
    void headerLine(std::string_view line);
    void headEnded();
    void chunkSizeLine(std::string_view line);
    void chunkEndLine(std::string_view line);
    void trailerLine(std::string_view line);
    void takeBodyBytes(std::string_view& bytes, std::size_t count);
    bool wouldPassLimit(std::uint64_t more) const;
    void fail(Problem problem);
    void complete();

    Limits limits_;
    Phase phase_ = Phase::StatusLine;
    Outcome outcome_ = Outcome::Pending;
    Problem problem_ = Problem::None;
    std::string line_;
    std::size_t headBytes_ = 0;  // of completed lines of the head (then of the trailers)
    int status_ = 0;
    bool headComplete_ = false;
    std::vector<std::pair<std::string, std::string>> headers_;
    std::uint64_t remaining_ = 0;  // of the body or of the current chunk
    QByteArray body_;
};

}  // namespace platform
