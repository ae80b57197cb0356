// The SOCKS5 hand-shake (RFC 1928, with the user name and password of RFC 1929) that opens the
// game connection through a proxy.
#include "connection/socks5.h"

#include <QStringList>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "connection/send_queue.h"
#include "platform/runtime/message_box.h"
#include "platform/text/gbk.h"

namespace connection {

namespace {

constexpr std::uint8_t SocksVersion = 5;
constexpr std::uint8_t AuthVersion = 1;
constexpr std::uint8_t MethodNone = 0x00;
constexpr std::uint8_t MethodUserPassword = 0x02;
constexpr std::uint8_t CommandConnect = 1;
constexpr std::uint8_t AddressIPv4 = 1;
constexpr std::uint8_t AddressName = 3;
constexpr std::uint8_t AddressIPv6 = 4;
// VER REP RSV ATYP before the bound address, the port after it.
constexpr std::size_t ConnectReplyHead = 4;
constexpr std::size_t PortBytes = 2;

// A character's code in the system's single-byte code page; 0 when it has none (a double-byte
// character, or one the code page cannot hold, which the conversion would turn into '?').
std::uint8_t SingleByteCode(QChar ch) {
    const int code = platform::gbkCode(ch);
    if (code == '?' && ch != u'?') return 0;
    return code >= 0 && code <= 255 ? static_cast<std::uint8_t>(code) : 0;
}

// One part of a dotted IPv4 text as an octet; 0 when it is not one.
std::uint8_t Octet(const QString& part) {
    bool ok = false;
    const uint value = part.trimmed().toUInt(&ok, 10);
    return ok && value <= 255 ? static_cast<std::uint8_t>(value) : 0;
}

void AppendCounted(std::vector<std::uint8_t>& out, const QString& text, std::uint8_t length) {
    out.push_back(length);
    for (int i = 0; i < length; ++i) out.push_back(i < text.size() ? SingleByteCode(text[i]) : 0);
}

// The bytes that arrived since the last request went out.
std::vector<std::uint8_t> ReceivedProxyBytes(const state::SharedState& s) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t i = s.g_nProxyReadPos; i != s.g_nProxyWritePos;
         i = (i + 1) % state::SharedState::ProxyBufSize) {
        bytes.push_back(s.g_aProxyBuf[static_cast<std::size_t>(i)]);
    }
    return bytes;
}

bool SendOnSocket(platform::TcpSocket& socket, std::span<const std::uint8_t> bytes) {
    try {
        socket.sendData(bytes);
        return true;
    } catch (const platform::RuntimeFailure&) {
        return false;  // not connected: the bytes are not sent
    }
}

// The hand-shake failed or stalled at `step`: tell the player, then close the connection
// unless a newer attempt has taken the socket over while the message was open.
void FailSock5(Client& c, std::int16_t step) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    s.g_bProxyFailed = true;
    form.TimerProxy.setEnabled(false);
    const std::uint32_t attempt = s.g_nProxyAttempt;
    c.sys.boxes.show(Sock5FailureText(step), c.App_Title());
    if (s.g_nProxyAttempt == attempt) form.Winsock1.close();
}

// The proxy has connected us to the game server: from here on the connection carries frames.
void OpenTunnel(Client& c, std::span<const std::uint8_t> gameBytes) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    s.g_bDirectData = true;
    form.TimerProxy.setEnabled(false);
    PostToHall(c, HallMsgClose);
    form.Sysmsg[0].clear();
    form.Sysmsg[0].addItem(QStringLiteral("连接代理服务器成功！"));
    if (SendOnSocket(form.Winsock1, s.loginFrameToSend())) s.g_bLoginSentOnConnection = true;
    // The server's first bytes can come in the same arrival as the proxy's last reply.
    if (!gameBytes.empty() && !AppendToRecvRing(s, gameBytes)) {
        RestoreHall(c);
        platform::endProgram();
    }
    form.TimerBong.setEnabled(true);
}

}  // namespace

QString Sock5FailureText(std::int16_t step) {
    if (step <= 2) return QStringLiteral("请求代理失败！");
    if (step <= 4) return QStringLiteral("代理服务器用户验证失败！");
    return QStringLiteral("通过代理连接主站失败！");
}

void ResetProxyRecv(state::SharedState& s) {
    s.g_nProxyWritePos = 0;
    s.g_nProxyReadPos = 0;
}

std::vector<std::uint8_t> BuildSock5Request(const state::SharedState& s, std::int16_t step) {
    std::vector<std::uint8_t> out;
    switch (step) {
        case 1:
            out = {SocksVersion, 2, MethodNone, MethodUserPassword};
            break;
        case 3:
            out.push_back(AuthVersion);
            AppendCounted(out, s.g_sProxyUser, s.g_nProxyUserLen);
            AppendCounted(out, s.g_sProxyPassword, s.g_nProxyPasswordLen);
            break;
        case 5: {
            out = {SocksVersion, CommandConnect, 0, AddressIPv4};
            const QStringList parts = s.g_sGameHost.split(u'.');
            for (int i = 0; i < 4; ++i) out.push_back(i < parts.size() ? Octet(parts[i]) : 0);
            const auto port = static_cast<std::uint16_t>(s.g_nGamePort);
            out.push_back(static_cast<std::uint8_t>(port >> 8));
            out.push_back(static_cast<std::uint8_t>(port & 0xFF));
            break;
        }
        default:
            break;
    }
    return out;
}

Sock5Verdict JudgeSock5Reply(std::int16_t step, std::span<const std::uint8_t> received) {
    using enum Sock5Verdict::Kind;
    if (received.size() < 2) return {Incomplete};
    const std::uint8_t b0 = received[0];
    const std::uint8_t b1 = received[1];
    switch (step) {
        case 2:
            if (b0 == SocksVersion && (b1 == MethodNone || b1 == MethodUserPassword)) {
                return {Accepted, 2};
            }
            return {Refused};
        case 4:
            return b0 == AuthVersion && b1 == 0 ? Sock5Verdict{Accepted, 2} : Sock5Verdict{Refused};
        case 6: {
            // A refusal is plain from its first two bytes; the proxy closes after it anyway.
            if (b0 != SocksVersion || b1 != 0) return {Refused};
            if (received.size() < ConnectReplyHead) return {Incomplete};
            std::size_t address = 0;
            switch (received[3]) {
                case AddressIPv4:
                    address = 4;
                    break;
                case AddressIPv6:
                    address = 16;
                    break;
                case AddressName:
                    if (received.size() < ConnectReplyHead + 1) return {Incomplete};
                    address = 1 + std::size_t{received[ConnectReplyHead]};
                    break;
                default:
                    return {Refused};  // its length cannot be known
            }
            const std::size_t length = ConnectReplyHead + address + PortBytes;
            return received.size() < length ? Sock5Verdict{Incomplete}
                                            : Sock5Verdict{Accepted, length};
        }
        default:
            return {Incomplete};  // no reply is awaited
    }
}

void SendSock5Step(Client& c) {
    auto& s = c.s;
    const std::vector<std::uint8_t> request = BuildSock5Request(s, s.g_nProxyStep);
    if (request.empty()) return;
    s.g_nProxyStep = static_cast<std::int16_t>(s.g_nProxyStep + 1);
    ResetProxyRecv(s);
    auto& form = *c.MainForm;
    // Each reply gets its own full wait.
    form.TimerProxy.setEnabled(false);
    form.TimerProxy.setEnabled(true);
    SendOnSocket(form.Winsock1, request);
}

void OnSock5Reply(Client& c, std::int16_t step) {
    auto& s = c.s;
    if (s.g_bDirectData || s.g_bProxyFailed) return;
    const std::vector<std::uint8_t> received = ReceivedProxyBytes(s);
    const Sock5Verdict verdict = JudgeSock5Reply(step, received);
    switch (verdict.kind) {
        case Sock5Verdict::Incomplete:
            return;
        case Sock5Verdict::Refused:
            FailSock5(c, step);
            return;
        case Sock5Verdict::Accepted:
            break;
    }
    switch (step) {
        case 2:
            s.g_nProxyStep = received[1] == MethodUserPassword ? 3 : 5;
            SendSock5Step(c);
            break;
        case 4:
            s.g_nProxyStep = 5;
            SendSock5Step(c);
            break;
        case 6:
            OpenTunnel(c, std::span(received).subspan(verdict.length));
            break;
        default:
            break;
    }
}

void ConnectToSock5Server(Client& c) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    const std::uint32_t attempt = ++s.g_nProxyAttempt;
    form.TimerProxy.setEnabled(false);
    ResetRingBuffers(s);
    s.g_bProxyGreeting = true;
    s.g_bDirectData = false;
    s.g_bProxyFailed = false;
    s.g_bLoginSentOnConnection = false;
    form.Winsock1.setRemoteHost(s.g_sProxyHost);
    form.Winsock1.setRemotePort(s.g_nProxyPort);
    form.Winsock1.connect();

    // Other handlers run meanwhile; one of them may start a newer attempt on the socket.
    const auto overtaken = [&] { return s.g_nProxyAttempt != attempt; };
    c.sys.scheduler.waitUntil(
        [&] { return overtaken() || form.Winsock1.state() != platform::SocketState::Connecting; },
        ProxyWaitMs);
    if (overtaken()) return;
    if (form.Winsock1.state() != platform::SocketState::Connected) {
        FailSock5(c, 0);
        return;
    }

    s.g_bConnected = true;
    s.g_nProxyStep = 0;
    ResetProxyRecv(s);
    if (s.g_bProxyGreeting) {
        s.g_nProxyStep = 1;
        SendSock5Step(c);
    }
    s.channels.arm(state::ChannelDisconnect);
}

}  // namespace connection

namespace client {
using namespace connection;

void MainForm::TimerProxy_Timer() {
    TimerProxy.setEnabled(false);
    const std::int16_t step = c.s.g_nProxyStep;
    if (c.s.g_bDirectData || c.s.g_bProxyFailed) return;
    if (step == 2 || step == 4 || step == 6) FailSock5(c, step);
}

}  // namespace client
