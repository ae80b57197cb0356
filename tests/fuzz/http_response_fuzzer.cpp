// Fuzz target: the HTTP response parser. The first byte picks the body limit (top two bits) and
// the size of the arrivals the rest is cut into (low six bits, 0: one arrival); the same bytes
// read whole must come out the same, and no answer may break the parser's promises.
#include <cstdlib>
#include <string_view>

#include "platform/http/http_response_parser.h"

namespace {

using platform::HttpResponseParser;

struct Reading {
    HttpResponseParser::Outcome outcome;
    HttpResponseParser::Problem problem;
    int status;
    QByteArray body;
    bool operator==(const Reading&) const = default;
};

Reading read(std::string_view response, std::size_t arrival, std::int64_t maxBody) {
    HttpResponseParser parser({.maxHeadBytes = 4096, .maxHeaders = 20, .maxBodyBytes = maxBody});
    for (std::size_t at = 0; at < response.size(); at += arrival) {
        parser.feed(response.substr(at, arrival));
    }
    parser.close();
    const bool complete = parser.outcome() == HttpResponseParser::Outcome::Complete;
    return {parser.outcome(), parser.problem(), complete ? parser.status() : 0, parser.body()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    constexpr std::int64_t kLimits[] = {-1, 0, 16, 1024};
    const std::int64_t maxBody = kLimits[data[0] >> 6];
    const std::string_view response(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t arrival = (data[0] & 0x3f) == 0 ? response.size() + 1 : (data[0] & 0x3f);

    const Reading whole = read(response, response.size() + 1, maxBody);
    if (read(response, arrival, maxBody) != whole) std::abort();
    if (maxBody >= 0 && whole.body.size() > maxBody) std::abort();
    if (whole.outcome == HttpResponseParser::Outcome::Pending) std::abort();
    if (whole.outcome == HttpResponseParser::Outcome::Failed && !whole.body.isEmpty()) std::abort();
    if (whole.outcome == HttpResponseParser::Outcome::Complete && whole.status < 200) std::abort();
    return 0;
}
