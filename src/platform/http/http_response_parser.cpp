#include "platform/http/http_response_parser.h"

#include <algorithm>

namespace platform {
namespace {

// A chunk's size line with its extensions; nothing sensible comes near this.
constexpr std::size_t kMaxChunkLine = 4096;
// The line end after a chunk's data.
constexpr std::size_t kChunkEndLine = 2;
// Decimal digits of a Content-Length and hex digits of a chunk size, short of any overflow.
constexpr std::size_t kMaxLengthDigits = 18;
constexpr std::size_t kMaxChunkDigits = 15;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

// The characters a header name may have.
bool isTokenChar(char c) {
    if (isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
    return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Calls `each` with every non-empty item of a comma-separated list, trimmed; stops when it
// returns false.
template <typename Each>
bool forEachItem(std::string_view list, Each each) {
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string_view item = trimmed(list.substr(0, comma));
        if (!item.empty() && !each(item)) return false;
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return true;
}

std::optional<std::uint64_t> decimal(std::string_view text) {
    if (text.empty() || text.size() > kMaxLengthDigits) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }
    return value;
}

}  // namespace

HttpResponseParser::HttpResponseParser(Limits limits) : limits_(limits) {}

std::optional<std::string_view> HttpResponseParser::header(std::string_view name) const {
    for (const auto& [key, value] : headers_) {
        if (sameName(key, name)) return std::string_view(value);
    }
    return std::nullopt;
}

HttpResponseParser::Outcome HttpResponseParser::feed(std::string_view bytes) {
    // Hands a whole line to its handler; the line is gone afterwards.
    const auto line = [&](std::size_t limit, Problem tooLong,
                          void (HttpResponseParser::*handle)(std::string_view)) {
        if (!takeLine(bytes, limit, tooLong)) return;
        const std::string whole = std::move(line_);
        line_.clear();
        (this->*handle)(whole);
    };
    while (outcome_ == Outcome::Pending && !bytes.empty()) {
        const std::size_t headLeft =
            limits_.maxHeadBytes - std::min(headBytes_, limits_.maxHeadBytes);
        switch (phase_) {
            case Phase::StatusLine:
                line(headLeft, Problem::HeadTooLarge, &HttpResponseParser::statusLine);
                break;
            case Phase::Headers:
                line(headLeft, Problem::HeadTooLarge, &HttpResponseParser::headerLine);
                break;
            case Phase::Trailers:
                line(headLeft, Problem::HeadTooLarge, &HttpResponseParser::trailerLine);
                break;
            case Phase::ChunkSize:
                line(kMaxChunkLine, Problem::BadChunk, &HttpResponseParser::chunkSizeLine);
                break;
            case Phase::ChunkEnd:
                line(kChunkEndLine, Problem::BadChunk, &HttpResponseParser::chunkEndLine);
                break;
            case Phase::LengthBody:
            case Phase::ChunkData: {
                const auto count = std::size_t(std::min<std::uint64_t>(remaining_, bytes.size()));
                takeBodyBytes(bytes, count);
                remaining_ -= count;
                if (remaining_ > 0) break;
                if (phase_ == Phase::LengthBody) {
                    complete();
                } else {
                    phase_ = Phase::ChunkEnd;
                }
                break;
            }
            case Phase::CloseBody:
                if (wouldPassLimit(bytes.size())) {
                    fail(Problem::TooLarge);
                } else {
                    takeBodyBytes(bytes, bytes.size());
                }
                break;
            case Phase::Done:
                return outcome_;
        }
    }
    return outcome_;
}

HttpResponseParser::Outcome HttpResponseParser::close() {
    if (outcome_ != Outcome::Pending) return outcome_;
    if (phase_ == Phase::CloseBody) {
        complete();
    } else {
        fail(Problem::CutShort);
    }
    return outcome_;
}

bool HttpResponseParser::takeLine(std::string_view& bytes, std::size_t limit, Problem tooLong) {
    const auto end = bytes.find('\n');
    const std::size_t count = end == std::string_view::npos ? bytes.size() : end + 1;
    if (line_.size() + count > limit) {
        fail(tooLong);
        return false;
    }
    line_.append(bytes.substr(0, count));
    bytes.remove_prefix(count);
    if (end == std::string_view::npos) return false;
    const bool inHead =
        phase_ == Phase::StatusLine || phase_ == Phase::Headers || phase_ == Phase::Trailers;
    if (inHead) headBytes_ += line_.size();
    line_.pop_back();
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    return true;
}

void HttpResponseParser::statusLine(std::string_view line) {
    // "HTTP/1.1 200 OK": the reason may be missing, and says nothing the status does not.
    const bool shaped = line.size() >= 12 && line.substr(0, 7) == "HTTP/1." && isDigit(line[7]) &&
                        line[8] == ' ' && isDigit(line[9]) && isDigit(line[10]) &&
                        isDigit(line[11]) && (line.size() == 12 || line[12] == ' ');
    if (!shaped) return fail(Problem::BadStatusLine);
    status_ = (line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0');
    // Nothing was asked to switch protocols.
    if (status_ < 100 || status_ == 101) return fail(Problem::BadStatusLine);
    phase_ = Phase::Headers;
}

void HttpResponseParser::headerLine(std::string_view line) {
    if (line.empty()) return headEnded();
    if (isBlank(line.front())) {
        // A folded header: its continuation joins the value with one space.
        if (headers_.empty()) return fail(Problem::BadHeader);
        const std::string_view more = trimmed(line);
        std::string& value = headers_.back().second;
        if (!more.empty()) {
            if (!value.empty()) value += ' ';
            value += more;
        }
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string::npos || colon == 0) return fail(Problem::BadHeader);
    const std::string_view name = line.substr(0, colon);
    if (!std::all_of(name.begin(), name.end(), isTokenChar)) return fail(Problem::BadHeader);
    if (headers_.size() >= limits_.maxHeaders) return fail(Problem::TooManyHeaders);
    headers_.emplace_back(name, trimmed(line.substr(colon + 1)));
}

void HttpResponseParser::headEnded() {
    if (status_ < 200) {
        // An interim answer; the real one follows it on the same connection.
        headers_.clear();
        phase_ = Phase::StatusLine;
        return;
    }
    headComplete_ = true;
    if (status_ == 204 || status_ == 304) return complete();

    std::vector<std::string_view> codings;
    for (const auto& [name, value] : headers_) {
        if (!sameName(name, "Transfer-Encoding")) continue;
        forEachItem(value, [&](std::string_view coding) {
            codings.push_back(coding);
            return true;
        });
    }
    if (!codings.empty()) {
        // Nothing but chunked was asked for; chunked, if there, comes last.
        for (std::size_t i = 0; i < codings.size(); ++i) {
            const bool chunkedLast = i + 1 == codings.size() && sameName(codings[i], "chunked");
            if (!chunkedLast && !sameName(codings[i], "identity")) {
                return fail(Problem::UnsupportedCoding);
            }
        }
        phase_ = sameName(codings.back(), "chunked") ? Phase::ChunkSize : Phase::CloseBody;
        return;
    }

    std::optional<std::uint64_t> length;
    for (const auto& [name, value] : headers_) {
        if (!sameName(name, "Content-Length")) continue;
        const bool agreed = forEachItem(value, [&](std::string_view item) {
            const auto number = decimal(item);
            if (!number || (length && *length != *number)) return false;
            length = number;
            return true;
        });
        if (!agreed || !length) return fail(Problem::BadLength);
    }
    if (!length) {
        phase_ = Phase::CloseBody;
        return;
    }
    if (wouldPassLimit(*length)) return fail(Problem::TooLarge);
    remaining_ = *length;
    if (remaining_ == 0) return complete();
    phase_ = Phase::LengthBody;
}

void HttpResponseParser::chunkSizeLine(std::string_view line) {
    std::size_t at = 0;
    std::uint64_t size = 0;
    for (; at < line.size() && hexValue(line[at]) >= 0; ++at) {
        if (at == kMaxChunkDigits) return fail(Problem::BadChunk);
        size = size * 16 + std::uint64_t(hexValue(line[at]));
    }
    if (at == 0) return fail(Problem::BadChunk);
    while (at < line.size() && isBlank(line[at])) ++at;
    // Extensions after ';' mean nothing to us.
    if (at < line.size() && line[at] != ';') return fail(Problem::BadChunk);
    if (size == 0) {
        headBytes_ = 0;
        phase_ = Phase::Trailers;
        return;
    }
    if (wouldPassLimit(size)) return fail(Problem::TooLarge);
    remaining_ = size;
    phase_ = Phase::ChunkData;
}

void HttpResponseParser::chunkEndLine(std::string_view line) {
    if (!line.empty()) return fail(Problem::BadChunk);
    phase_ = Phase::ChunkSize;
}

void HttpResponseParser::trailerLine(std::string_view line) {
    // Trailers are read past, never used.
    if (line.empty()) complete();
}

void HttpResponseParser::takeBodyBytes(std::string_view& bytes, std::size_t count) {
    body_.append(bytes.data(), qsizetype(count));
    bytes.remove_prefix(count);
}

bool HttpResponseParser::wouldPassLimit(std::uint64_t more) const {
    return limits_.maxBodyBytes >= 0 &&
           std::uint64_t(body_.size()) + more > std::uint64_t(limits_.maxBodyBytes);
}

void HttpResponseParser::fail(Problem problem) {
    outcome_ = Outcome::Failed;
    problem_ = problem;
    phase_ = Phase::Done;
    line_.clear();
    body_.clear();
}

void HttpResponseParser::complete() {
    outcome_ = Outcome::Complete;
    phase_ = Phase::Done;
}

}  // namespace platform
