#include "connection/socks5.h"

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <vector>

#include "connection/send_queue.h"
#include "support/loopback.h"
#include "table_session.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using connection::Sock5Verdict;
using Stage = support::FakeSocks5Proxy::Stage;

const QString kRequestFailed = QStringLiteral("请求代理失败！");
const QString kAuthFailed = QStringLiteral("代理服务器用户验证失败！");
const QString kConnectFailed = QStringLiteral("通过代理连接主站失败！");

// ---- The requests ---------------------------------------------------------------------------

struct RequestCase {
    const char* name;
    std::int16_t step;
    QString user, password, host;
    std::int16_t port;
    Bytes expected;
};

class Sock5Requests : public ::testing::TestWithParam<RequestCase> {};

TEST_P(Sock5Requests, AreBuiltByteForByte) {
    const RequestCase& k = GetParam();
    auto s = std::make_unique<state::SharedState>();
    s->g_sProxyUser = k.user;
    s->g_nProxyUserLen = std::uint8_t(k.user.size());
    s->g_sProxyPassword = k.password;
    s->g_nProxyPasswordLen = std::uint8_t(k.password.size());
    s->g_sGameHost = k.host;
    s->g_nGamePort = k.port;
    EXPECT_EQ(connection::BuildSock5Request(*s, k.step), k.expected);
}

INSTANTIATE_TEST_SUITE_P(
    , Sock5Requests,
    ::testing::Values(
        RequestCase{"GreetingOffersNoneAndUserPassword", 1, "", "", "", 0, {5, 2, 0, 2}},
        RequestCase{"UserAndPasswordWithTheirLengths",
                    3,
                    "abcd",
                    "12345678",
                    "",
                    0,
                    {1, 4, 'a', 'b', 'c', 'd', 8, '1', '2', '3', '4', '5', '6', '7', '8'}},
        RequestCase{"ACharacterWithoutASingleByteCodeGoesAsZero",
                    3,
                    "a中",
                    "p",
                    "",
                    0,
                    {1, 2, 'a', 0, 1, 'p'}},
        RequestCase{
            "ACharacterOutsideTheCodePageGoesAsZero", 3, "?ก", "ก", "", 0, {1, 2, '?', 0, 1, 0}},
        RequestCase{"ConnectToDottedHostAndPortInNetworkOrder",
                    5,
                    "",
                    "",
                    "10.0.0.5",
                    443,
                    {5, 1, 0, 1, 0x0A, 0, 0, 5, 0x01, 0xBB}},
        RequestCase{"HostPartsThatAreNoOctetGoAsZero",
                    5,
                    "",
                    "",
                    "1.2.300.x",
                    80,
                    {5, 1, 0, 1, 1, 2, 0, 0, 0, 80}},
        RequestCase{"AHostNameGivesZeroOctets",
                    5,
                    "",
                    "",
                    "game.example",
                    8000,
                    {5, 1, 0, 1, 0, 0, 0, 0, 0x1F, 0x40}},
        RequestCase{"NoRequestForAStepThatAwaitsAReply", 2, "", "", "", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The replies ----------------------------------------------------------------------------

struct ReplyCase {
    const char* name;
    std::int16_t step;
    Bytes received;
    Sock5Verdict::Kind kind;
    std::size_t length;
};

class Sock5Replies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(Sock5Replies, AreJudgedOnlyWhenWhole) {
    const ReplyCase& k = GetParam();
    const Sock5Verdict verdict = connection::JudgeSock5Reply(k.step, k.received);
    EXPECT_EQ(verdict.kind, k.kind);
    if (k.kind == Sock5Verdict::Accepted) EXPECT_EQ(verdict.length, k.length);
}

Bytes ConnectReply(Bytes address, std::uint8_t type) {
    Bytes reply{5, 0, 0, type};
    reply.insert(reply.end(), address.begin(), address.end());
    reply.insert(reply.end(), {0x1F, 0x90});
    return reply;
}

Bytes WithTail(Bytes bytes, Bytes tail) {
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

Bytes Truncated(Bytes bytes) {
    bytes.pop_back();
    return bytes;
}

using enum Sock5Verdict::Kind;
INSTANTIATE_TEST_SUITE_P(
    , Sock5Replies,
    ::testing::Values(
        ReplyCase{"MethodReplyOfOneByteWaits", 2, {5}, Incomplete, 0},
        ReplyCase{"NoAuthenticationAccepted", 2, {5, 0}, Accepted, 2},
        ReplyCase{"UserPasswordAccepted", 2, {5, 2}, Accepted, 2},
        ReplyCase{"NoAcceptableMethodRefused", 2, {5, 0xFF}, Refused, 0},
        ReplyCase{"WrongVersionRefused", 2, {4, 0}, Refused, 0},
        ReplyCase{"AuthenticationSucceeded", 4, {1, 0}, Accepted, 2},
        ReplyCase{"AuthenticationFailed", 4, {1, 1}, Refused, 0},
        ReplyCase{"ConnectHeadAloneWaits", 6, {5, 0, 0}, Incomplete, 0},
        ReplyCase{"ConnectWithIPv4BoundAddress", 6, ConnectReply({127, 0, 0, 1}, 1), Accepted, 10},
        ReplyCase{"ConnectOneByteShortWaits", 6, Truncated(ConnectReply({127, 0, 0, 1}, 1)),
                  Incomplete, 0},
        ReplyCase{"ConnectWithIPv6BoundAddress", 6, ConnectReply(Bytes(16, 0xAB), 4), Accepted, 22},
        ReplyCase{"ConnectWithNamedBoundAddress", 6, ConnectReply({3, 'a', 'b', 'c'}, 3), Accepted,
                  10},
        ReplyCase{"ConnectNameLengthNotYetInWaits", 6, {5, 0, 0, 3}, Incomplete, 0},
        ReplyCase{"GameBytesAfterTheReplyAreNotCounted", 6,
                  WithTail(ConnectReply({10, 0, 0, 1}, 1), {0, 0, 0, 18}), Accepted, 10},
        ReplyCase{"ConnectRefusedIsKnownFromTwoBytes", 6, {5, 5}, Refused, 0},
        ReplyCase{"UnknownAddressTypeRefused", 6, {5, 0, 0, 9, 1, 2}, Refused, 0},
        ReplyCase{"NothingIsAwaitedAtAnotherStep", 5, {5, 0}, Incomplete, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Against the fake proxy -----------------------------------------------------------------

class Socks5Connection : public ::testing::Test {
  protected:
    testing_session::TableSession session;
    support::FakeSocks5Proxy proxy;

    void SetUp() override { proxy.redirectTo(session.server.port()); }

    client::Client& c() { return *session.c; }
    bool tunnelUp() { return c().s.g_bDirectData && c().s.g_bLoginSentOnConnection; }
    bool waitForTunnel() {
        return session.time().pumpRealIo([&] { return tunnelUp(); }, std::chrono::seconds(10));
    }
    const std::vector<platform::ScriptedMessageBoxes::Shown>& boxes() {
        return session.harness.boxes.shown();
    }
};

TEST_F(Socks5Connection, WithoutAuthenticationTheLoginFrameFollowsTheConnect) {
    session.startThroughProxy(proxy);
    ASSERT_TRUE(waitForTunnel());
    ASSERT_TRUE(session.server.waitForFrames(1));
    EXPECT_EQ(session.server.frames()[0][3], 18);

    const auto h = proxy.handshakes().at(0);
    EXPECT_EQ(h.greeting, (Bytes{5, 2, 0, 2}));
    EXPECT_FALSE(h.user.has_value());
    const std::uint16_t port = session.server.port();
    EXPECT_EQ(h.request, (Bytes{5, 1, 0, 1, 127, 0, 0, 1, std::uint8_t(port >> 8),
                                std::uint8_t(port & 0xFF)}));
    EXPECT_EQ(session.table().Sysmsg[0].list(0), QStringLiteral("连接代理服务器成功！"));
    EXPECT_TRUE(session.table().TimerBong.enabled());
    const auto posts = session.harness.desktop.posts(session.harness.hall);
    EXPECT_TRUE(
        std::any_of(posts.begin(), posts.end(), [](const auto& p) { return p.message == 0x303; }));
    EXPECT_TRUE(boxes().empty());
}

struct SuccessCase {
    const char* name;
    bool authenticate;
    bool split;
    int delayMs;
};

class Socks5Success : public Socks5Connection, public ::testing::WithParamInterface<SuccessCase> {};

TEST_P(Socks5Success, HandshakeSucceedsHoweverTheRepliesArrive) {
    const SuccessCase& k = GetParam();
    if (k.authenticate) proxy.requireAuthentication("user", "pass1234");
    proxy.splitReplies(k.split);
    if (k.delayMs > 0) proxy.delayReplies(std::chrono::milliseconds(k.delayMs));
    session.startThroughProxy(proxy);
    ASSERT_TRUE(waitForTunnel());
    ASSERT_TRUE(session.server.waitForFrames(1));
    EXPECT_EQ(session.server.frames()[0][3], 18);
    const auto h = proxy.handshakes().at(0);
    EXPECT_EQ(h.user.has_value(), k.authenticate);
    if (k.authenticate) EXPECT_EQ(*h.password, "pass1234");
    EXPECT_TRUE(boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(, Socks5Success,
                         ::testing::Values(SuccessCase{"Plain", false, false, 0},
                                           SuccessCase{"Authenticated", true, false, 0},
                                           SuccessCase{"SplitByteByByte", false, true, 0},
                                           SuccessCase{"AuthenticatedSplit", true, true, 0},
                                           SuccessCase{"Delayed", true, false, 300}),
                         [](const auto& info) { return std::string(info.param.name); });

// Game bytes that come in the CONNECT reply's own write belong to the game connection: they
// may neither be judged as part of the hand-shake nor fill the proxy buffer.
class Socks5GameBytesAfterConnect : public Socks5Connection,
                                    public ::testing::WithParamInterface<int> {};

TEST_P(Socks5GameBytesAfterConnect, GoToTheReceiveRingWhole) {
    const int frameCount = GetParam();
    std::vector<std::uint8_t> burst;
    for (int i = 0; i < frameCount; ++i) {
        state::Frame frame{};
        frame[3] = 7;
        frame[100] = static_cast<std::uint8_t>(0xA0 + i);
        frame[271] = 0x5A;
        burst.insert(burst.end(), frame.begin(), frame.end());
    }
    session.server.sendBytes(burst);  // to the next client, as soon as it connects
    proxy.coalesceFirstServerBytes();
    session.startThroughProxy(proxy);
    ASSERT_TRUE(waitForTunnel());
    ASSERT_TRUE(
        session.time().pumpRealIo([&] { return c().s.g_aRecvRing.unread() == 272 * frameCount; }));
    for (int i = 0; i < frameCount; ++i) {
        state::Frame taken{};
        ASSERT_TRUE(connection::TakeFrame(c().s.g_aRecvRing, taken));
        EXPECT_EQ(taken[100], 0xA0 + i);
        EXPECT_EQ(taken[271], 0x5A);
    }
}

// Five frames are more bytes than the proxy buffer holds.
INSTANTIATE_TEST_SUITE_P(, Socks5GameBytesAfterConnect, ::testing::Values(1, 5));

TEST_F(Socks5Connection, QueuedFramesWaitUntilTheLoginFrameHasGone) {
    proxy.delayReplies(std::chrono::milliseconds(200));
    session.startThroughProxy(proxy);
    c().s.custom[0].seat = 2;
    for (int i = 0; i < 3; ++i) {
        state::Frame keepAlive = connection::BuildKeepAlive(c().s);
        connection::QueueOutgoingMessage(c().s, keepAlive);
    }
    session.table().TimerBong.setEnabled(true);  // as during a reconnection
    session.time().advance(1000);
    ASSERT_TRUE(waitForTunnel());
    ASSERT_TRUE(session.waitForFrames(4));
    const auto frames = session.server.frames();
    EXPECT_EQ(frames[0][3], 18);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(frames[i][3], 24);
    const auto h = proxy.handshakes().at(0);
    EXPECT_EQ(h.greeting.size(), 4u);
    EXPECT_EQ(h.request.size(), 10u);
}

struct RefusalCase {
    const char* name;
    void (*setUp)(support::FakeSocks5Proxy&);
    bool split;
    QString message;
};

class Socks5Refusal : public Socks5Connection, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Socks5Refusal, ShowsTheStepsMessageOnceAndCloses) {
    const RefusalCase& k = GetParam();
    k.setUp(proxy);
    proxy.splitReplies(k.split);
    session.startThroughProxy(proxy);
    ASSERT_TRUE(session.time().pumpRealIo([&] { return !boxes().empty(); }));
    // Whatever else the proxy sends after its refusal is not judged again.
    session.time().pumpRealIo([] { return false; }, std::chrono::milliseconds(300));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, k.message);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Korvash"));
    EXPECT_EQ(session.table().Winsock1.state(), platform::SocketState::Closed);
    EXPECT_FALSE(c().s.g_bDirectData);
    EXPECT_EQ(session.server.frameCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    , Socks5Refusal,
    ::testing::Values(
        RefusalCase{"NoAcceptableMethod", [](auto& p) { p.refuseAuthentication(); }, false,
                    kRequestFailed},
        RefusalCase{"WrongCredentials", [](auto& p) { p.requireAuthentication("user", "other"); },
                    false, kAuthFailed},
        RefusalCase{"ConnectRefused", [](auto& p) { p.refuseConnect(5); }, false, kConnectFailed},
        RefusalCase{"ConnectRefusedSplit", [](auto& p) { p.refuseConnect(5); }, true,
                    kConnectFailed},
        RefusalCase{"WrongCredentialsSplit",
                    [](auto& p) { p.requireAuthentication("user", "other"); }, true, kAuthFailed}),
    [](const auto& info) { return std::string(info.param.name); });

struct StallCase {
    const char* name;
    Stage stage;
    bool (*reached)(const support::FakeSocks5Proxy::Handshake&);
    QString message;
};

class Socks5Stall : public Socks5Connection, public ::testing::WithParamInterface<StallCase> {};

TEST_P(Socks5Stall, GivesUpAfterThirtySecondsWithTheStepsMessage) {
    const StallCase& k = GetParam();
    proxy.requireAuthentication("user", "pass1234");
    proxy.stallAt(k.stage);
    session.startThroughProxy(proxy);
    ASSERT_TRUE(session.time().pumpRealIo([&] {
        const auto h = proxy.handshakes();
        return !h.empty() && k.reached(h[0]);
    }));
    session.time().pumpRealIo([] { return false; }, std::chrono::milliseconds(100));
    session.time().advance(connection::ProxyWaitMs - 100);
    EXPECT_TRUE(boxes().empty());
    session.time().advance(200);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, k.message);
    EXPECT_EQ(session.table().Winsock1.state(), platform::SocketState::Closed);
}

INSTANTIATE_TEST_SUITE_P(
    , Socks5Stall,
    ::testing::Values(StallCase{"AtTheGreeting", Stage::Greeting,
                                [](const auto& h) { return !h.greeting.empty(); }, kRequestFailed},
                      StallCase{"AtTheAuthentication", Stage::Authentication,
                                [](const auto& h) { return h.password.has_value(); }, kAuthFailed},
                      StallCase{"AtTheConnect", Stage::Connect,
                                [](const auto& h) { return !h.request.empty(); }, kConnectFailed}),
    [](const auto& info) { return std::string(info.param.name); });

// A loopback port whose accept queue is full, so that a connection to it never completes.
struct UnansweredPort {
    support::UniqueFd listener = support::listenOnSignedLoopbackPort();
    support::UniqueFd filler;
    UnansweredPort() {
        ::listen(listener.get(), 0);
        filler = support::connectToLoopback(support::localPort(listener.get()));
    }
    std::uint16_t port() const { return support::localPort(listener.get()); }
};

TEST_F(Socks5Connection, AProxyThatNeverAcceptsIsGivenUpAfterThirtySeconds) {
    UnansweredPort unanswered;
    session.harness.env.commandLine = support::ClientHarness::commandLine(
        {{6, "5"}, {7, "127.0.0.1"}, {8, testing_session::Port(unanswered.port())}});
    session.startIdle();
    EXPECT_GE(session.time().now(), connection::ProxyWaitMs);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, kRequestFailed);
    EXPECT_NE(session.table().Winsock1.state(), platform::SocketState::Connected);
}

TEST_F(Socks5Connection, AProxyThatRefusesTheConnectionIsReportedAtOnce) {
    const std::uint16_t closedPort =
        support::localPort(support::listenOnSignedLoopbackPort().get());
    session.harness.env.commandLine = support::ClientHarness::commandLine(
        {{6, "5"}, {7, "127.0.0.1"}, {8, testing_session::Port(closedPort)}});
    session.startIdle();
    EXPECT_LT(session.time().now(), connection::ProxyWaitMs);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, kRequestFailed);
}

}  // namespace
