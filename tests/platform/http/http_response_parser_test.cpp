// The HTTP response parser on a table of responses, good and bad, each read whole, split in two
// at every byte and byte by byte: the answer must not depend on how the bytes arrive.
#include "platform/http/http_response_parser.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using platform::HttpResponseParser;
using Outcome = HttpResponseParser::Outcome;
using Problem = HttpResponseParser::Problem;

struct Case {
    const char* name;
    std::string bytes;
    Outcome outcome;  // once the bytes are in and the connection has ended
    Problem problem = Problem::None;
    int status = 0;
    std::string body;
    std::string contentType;
    bool endsWithConnection = false;  // still pending until the connection ends
    HttpResponseParser::Limits limits = {};
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.name;
}

HttpResponseParser::Limits maxBody(std::int64_t bytes) {
    return {.maxBodyBytes = bytes};
}

const std::string kOk = "HTTP/1.1 200 OK\r\n";
const std::string kChunked = kOk + "Transfer-Encoding: chunked\r\n\r\n";

const Case kCases[] = {
    // Bodies framed every way.
    {"ContentLength", kOk + "Content-Type: text/html\r\nContent-Length: 5\r\n\r\nhello",
     Outcome::Complete, Problem::None, 200, "hello", "text/html"},
    {"BytesAfterTheLengthAreIgnored", kOk + "Content-Length: 2\r\n\r\nhello", Outcome::Complete,
     Problem::None, 200, "he"},
    {"ZeroLength", kOk + "Content-Length: 0\r\n\r\n", Outcome::Complete, Problem::None, 200},
    {"RepeatedEqualLengths", kOk + "Content-Length: 3, 3\r\nContent-Length: 3\r\n\r\nabc",
     Outcome::Complete, Problem::None, 200, "abc"},
    {"HeaderNamesInAnyCase", kOk + "content-TYPE: image/gif\r\nCONTENT-LENGTH:3\r\n\r\nGIF",
     Outcome::Complete, Problem::None, 200, "GIF", "image/gif"},
    {"BareLineFeeds", "HTTP/1.0 200 OK\nContent-Length: 2\n\nhi", Outcome::Complete, Problem::None,
     200, "hi"},
    {"FoldedHeader",
     kOk + "Content-Type: text/html;\r\n\t charset=utf-8\r\nContent-Length: 0\r\n\r\n",
     Outcome::Complete, Problem::None, 200, "", "text/html; charset=utf-8"},
    {"Chunked", kChunked + "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n", Outcome::Complete,
     Problem::None, 200, "hello world"},
    {"ChunkedWithExtensionsAndTrailers",
     kChunked + "5;name=value\r\nhello\r\nA ; x\r\n0123456789\r\n0\r\nExpires: never\r\n"
                "X-Trailer: 1\r\n\r\n",
     Outcome::Complete, Problem::None, 200, "hello0123456789"},
    {"ChunkedUpperCaseHex", kChunked + "1A\r\nabcdefghijklmnopqrstuvwxyz\r\n0\r\n\r\n",
     Outcome::Complete, Problem::None, 200, "abcdefghijklmnopqrstuvwxyz"},
    {"ChunkedWinsOverContentLength",
     kOk +
         "Content-Length: 100\r\nTransfer-Encoding: identity, chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n",
     Outcome::Complete, Problem::None, 200, "ok"},
    {"RunsToTheClose", kOk + "Content-Type: text/plain\r\n\r\nall of it", Outcome::Complete,
     Problem::None, 200, "all of it", "text/plain", true},
    {"IdentityCodingRunsToTheClose", kOk + "Transfer-Encoding: identity\r\n\r\nrest",
     Outcome::Complete, Problem::None, 200, "rest", "", true},
    {"NoContentHasNoBody", "HTTP/1.1 204 No Content\r\nContent-Length: 10\r\n\r\n",
     Outcome::Complete, Problem::None, 204},
    {"NotModifiedHasNoBody", "HTTP/1.1 304 Not Modified\r\n\r\n", Outcome::Complete, Problem::None,
     304},
    {"InterimAnswerSkipped",
     "HTTP/1.1 100 Continue\r\nX: y\r\n\r\n" + kOk + "Content-Length: 2\r\n\r\nok",
     Outcome::Complete, Problem::None, 200, "ok"},
    {"StatusWithoutReason", "HTTP/1.1 404\r\nContent-Length: 4\r\n\r\ngone", Outcome::Complete,
     Problem::None, 404, "gone"},
    {"BodyExactlyAtTheLimit", kOk + "Content-Length: 4\r\n\r\n1234", Outcome::Complete,
     Problem::None, 200, "1234", "", false, maxBody(4)},

    // Status lines no server of ours would send.
    {"NotHttpAtAll", "<html><body>hello</body></html>\r\n", Outcome::Failed,
     Problem::BadStatusLine},
    {"SecondVersion", "HTTP/2.0 200 OK\r\n\r\n", Outcome::Failed, Problem::BadStatusLine},
    {"TwoDigitStatus", "HTTP/1.1 20 OK\r\n\r\n", Outcome::Failed, Problem::BadStatusLine},
    {"FourDigitStatus", "HTTP/1.1 2000 OK\r\n\r\n", Outcome::Failed, Problem::BadStatusLine},
    {"LetterStatus", "HTTP/1.1 2x0 OK\r\n\r\n", Outcome::Failed, Problem::BadStatusLine},
    {"StatusBelow100", "HTTP/1.1 099 Low\r\n\r\n", Outcome::Failed, Problem::BadStatusLine},
    {"SwitchingProtocols", "HTTP/1.1 101 Switching\r\n\r\n", Outcome::Failed,
     Problem::BadStatusLine},

    // Bad headers and lengths.
    {"HeaderWithoutColon", kOk + "Content-Length 5\r\n\r\nhello", Outcome::Failed,
     Problem::BadHeader},
    {"BlankInHeaderName", kOk + "Content Length: 5\r\n\r\nhello", Outcome::Failed,
     Problem::BadHeader},
    {"EmptyHeaderName", kOk + ": 5\r\n\r\n", Outcome::Failed, Problem::BadHeader},
    {"FoldBeforeAnyHeader", kOk + " folded\r\n\r\n", Outcome::Failed, Problem::BadHeader},
    {"ConflictingLengths", kOk + "Content-Length: 3\r\nContent-Length: 4\r\n\r\nabcd",
     Outcome::Failed, Problem::BadLength},
    {"NegativeLength", kOk + "Content-Length: -1\r\n\r\n", Outcome::Failed, Problem::BadLength},
    {"EmptyLength", kOk + "Content-Length: \r\n\r\n", Outcome::Failed, Problem::BadLength},
    {"LengthPastAnyNumber", kOk + "Content-Length: 99999999999999999999\r\n\r\n", Outcome::Failed,
     Problem::BadLength},
    {"CompressedCoding", kOk + "Transfer-Encoding: gzip\r\n\r\nxx", Outcome::Failed,
     Problem::UnsupportedCoding},
    {"ChunkedNotLast", kOk + "Transfer-Encoding: chunked, gzip\r\n\r\n", Outcome::Failed,
     Problem::UnsupportedCoding},

    // Bad chunks.
    {"ChunkSizeNotHex", kChunked + "zz\r\nhello\r\n0\r\n\r\n", Outcome::Failed, Problem::BadChunk},
    {"ChunkSizeMissing", kChunked + "\r\nhello\r\n", Outcome::Failed, Problem::BadChunk},
    {"ChunkSizeWithTrailingJunk", kChunked + "5 x\r\nhello\r\n", Outcome::Failed,
     Problem::BadChunk},
    {"ChunkSizePastAnyNumber", kChunked + "ffffffffffffffff\r\nhello\r\n", Outcome::Failed,
     Problem::BadChunk},
    {"ChunkLongerThanItsSize", kChunked + "3\r\nhello\r\n0\r\n\r\n", Outcome::Failed,
     Problem::BadChunk},
    {"ChunkSizeLineWithoutEnd", kChunked + "5;" + std::string(5000, 'x'), Outcome::Failed,
     Problem::BadChunk},

    // Heads past their limits (small limits here, so that every split stays quick).
    {"HeadPastItsLimit",
     kOk + "X-Long: " + std::string(100, 'a') + "\r\n\r\n",
     Outcome::Failed,
     Problem::HeadTooLarge,
     0,
     "",
     "",
     false,
     {.maxHeadBytes = 64}},
    {"StatusLinePastTheHeadLimit",
     "HTTP/1.1 200 " + std::string(100, 'k'),
     Outcome::Failed,
     Problem::HeadTooLarge,
     0,
     "",
     "",
     false,
     {.maxHeadBytes = 64}},
    {"EndlessInterimAnswers",
     "HTTP/1.1 100 A\r\n\r\nHTTP/1.1 100 B\r\n\r\nHTTP/1.1 100 C\r\n\r\n",
     Outcome::Failed,
     Problem::HeadTooLarge,
     0,
     "",
     "",
     false,
     {.maxHeadBytes = 40}},
    {"TrailersPastTheHeadLimit",
     kChunked + "2\r\nok\r\n0\r\nX-Trailer: " + std::string(100, 't') + "\r\n\r\n",
     Outcome::Failed,
     Problem::HeadTooLarge,
     0,
     "",
     "",
     false,
     {.maxHeadBytes = 64}},
    {"TooManyHeaders",
     kOk + "A: 1\r\nB: 2\r\nC: 3\r\nD: 4\r\n\r\n",
     Outcome::Failed,
     Problem::TooManyHeaders,
     0,
     "",
     "",
     false,
     {.maxHeaders = 3}},

    // Bodies past the limit, announced or growing.
    {"LengthAnnouncedPastTheLimit", kOk + "Content-Length: 5\r\n\r\n", Outcome::Failed,
     Problem::TooLarge, 0, "", "", false, maxBody(4)},
    {"ChunksGrowingPastTheLimit", kChunked + "3\r\nabc\r\n3\r\ndef\r\n0\r\n\r\n", Outcome::Failed,
     Problem::TooLarge, 0, "", "", false, maxBody(4)},
    {"CloseBodyGrowingPastTheLimit", kOk + "\r\n12345", Outcome::Failed, Problem::TooLarge, 0, "",
     "", false, maxBody(4)},

    // Connections that end too early.
    {"NothingAtAll", "", Outcome::Failed, Problem::CutShort, 0, "", "", true},
    {"HeadCutShort", kOk + "Content-", Outcome::Failed, Problem::CutShort, 0, "", "", true},
    {"BodyCutShort", kOk + "Content-Length: 10\r\n\r\nshort", Outcome::Failed, Problem::CutShort, 0,
     "", "", true},
    {"ChunksCutShort", kChunked + "5\r\nhello\r\n", Outcome::Failed, Problem::CutShort, 0, "", "",
     true},
    {"TrailersCutShort", kChunked + "0\r\nX: 1\r\n", Outcome::Failed, Problem::CutShort, 0, "", "",
     true},
};

// What a parser made of its bytes, for comparing one way of feeding with another.
struct Reading {
    Outcome beforeClose;
    Outcome outcome;
    Problem problem;
    int status;
    std::string body;
    std::string contentType;
    bool operator==(const Reading&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Reading& r) {
    return out << "before close " << int(r.beforeClose) << ", outcome " << int(r.outcome)
               << ", problem " << int(r.problem) << ", status " << r.status << ", body \"" << r.body
               << "\", type \"" << r.contentType << '"';
}

Reading read(const Case& c, const std::vector<std::string_view>& pieces) {
    HttpResponseParser parser(c.limits);
    for (const auto piece : pieces) parser.feed(piece);
    Reading reading{.beforeClose = parser.outcome()};
    reading.outcome = parser.close();
    reading.problem = parser.problem();
    if (parser.outcome() == Outcome::Complete) {
        reading.status = parser.status();
        reading.contentType = std::string(parser.header("content-type").value_or(""));
    }
    reading.body = parser.body().toStdString();
    return reading;
}

Reading expected(const Case& c) {
    const Outcome pending = c.endsWithConnection ? Outcome::Pending : c.outcome;
    return {pending, c.outcome, c.problem, c.status, c.body, c.contentType};
}

class ParserResponse : public ::testing::TestWithParam<Case> {};

TEST_P(ParserResponse, ReadWhole) {
    EXPECT_EQ(read(GetParam(), {GetParam().bytes}), expected(GetParam()));
}

TEST_P(ParserResponse, ReadSplitInTwoAtEveryByte) {
    const std::string_view bytes = GetParam().bytes;
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        EXPECT_EQ(read(GetParam(), {bytes.substr(0, at), bytes.substr(at)}), expected(GetParam()))
            << "split at " << at;
    }
}

TEST_P(ParserResponse, ReadByteByByte) {
    const std::string_view bytes = GetParam().bytes;
    std::vector<std::string_view> pieces;
    for (std::size_t at = 0; at < bytes.size(); ++at) pieces.push_back(bytes.substr(at, 1));
    EXPECT_EQ(read(GetParam(), pieces), expected(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Table, ParserResponse, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST(ParserLimits, TheDefaultsRefuseAHeadPast64KilobytesAndAcceptOneJustUnder) {
    const std::string head = kOk + "X-Big: ";
    const std::string end = "\r\nContent-Length: 0\r\n\r\n";
    HttpResponseParser under;
    under.feed(head + std::string(64 * 1024 - head.size() - end.size(), 'a') + end);
    EXPECT_EQ(under.outcome(), Outcome::Complete);
    HttpResponseParser over;
    over.feed(head + std::string(64 * 1024, 'a'));
    EXPECT_EQ(over.problem(), Problem::HeadTooLarge);
}

TEST(ParserLimits, TheDefaultsRefuseMoreThanAHundredHeaders) {
    std::string head = kOk;
    for (int i = 0; i < 101; ++i) head += "X-" + std::to_string(i) + ": v\r\n";
    HttpResponseParser parser;
    parser.feed(head + "\r\n");
    EXPECT_EQ(parser.problem(), Problem::TooManyHeaders);
}

TEST(ParserHeaders, TheFirstOfARepeatedHeaderIsTheOneFound) {
    HttpResponseParser parser;
    parser.feed(kOk + "Location: /first\r\nlocation: /second\r\nContent-Length: 0\r\n\r\n");
    EXPECT_TRUE(parser.headComplete());
    EXPECT_EQ(parser.header("LOCATION"), "/first");
    EXPECT_FALSE(parser.header("Content-Type"));
}

TEST(ParserHeaders, TheHeadIsKnownBeforeTheBodyArrives) {
    HttpResponseParser parser;
    parser.feed("HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 1000\r\n\r\n");
    EXPECT_EQ(parser.outcome(), Outcome::Pending);
    EXPECT_TRUE(parser.headComplete());
    EXPECT_EQ(parser.status(), 302);
}

}  // namespace
