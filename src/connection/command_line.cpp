#include "connection/command_line.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/text_helpers.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/failure.h"
#include "platform/runtime/message_box.h"
#include "platform/text/gbk.h"
#include "state/message_types.h"

namespace connection {

namespace {

using platform::RuntimeFailure;

constexpr int kFieldCount = 15;
constexpr std::size_t kAccountByte = 16;
constexpr std::size_t kPasswordByte = 32;
constexpr std::size_t kLoginFlagByte = 14;

std::uint8_t UnsignedByte(qsizetype value) {
    if (value > 255) platform::fail(RuntimeFailure::Kind::Overflow, "Overflow");
    return static_cast<std::uint8_t>(value);
}

void StoreField(Client& c, MainForm& form, int field, const QString& text) {
    state::SharedState& s = c.s;
    switch (field) {
        case 1:
            s.custom[0].name = text;
            s.g_sPropUser = text;
            break;
        case 2:
            s.g_sPropPassword = text;
            form.m_sPassword = text;
            break;
        case 3:
            s.g_sGameHost = text;
            break;
        case 4:
            s.g_nGamePort = platform::textToInteger(text);
            break;
        case 5:
            form.Location.setCaption(text);
            if (s.g_fScaleX < 1.0f) form.Location.setFontSize(10);
            if (text.size() > 10) form.Location.setFontSize(form.Location.fontSize() - 2);
            break;
        case 6:
            s.ProxyType = platform::textToInteger(text);
            break;
        case 7:
            s.g_sProxyHost = text;
            break;
        case 8:
            s.g_nProxyPort = platform::textToInteger(text);
            break;
        case 9:
            s.g_sProxyUser = text;
            s.g_nProxyUserLen = UnsignedByte(text.size());
            break;
        case 10:
            s.g_sProxyPassword = text;
            s.g_nProxyPasswordLen = UnsignedByte(text.size());
            break;
        case 11:
            s.g_bCustomCaptions = platform::val(text) == 1;
            break;
        case 12:
            s.g_sHallCaption = text;
            break;
        case 13:
            s.g_sOwnCaption = text;
            break;
        case 14:
            s.g_nPropAllowed = platform::textToInteger(text);
            break;
        case 15:
            s.g_nPropParam = platform::textToInteger(text);
            break;
    }
}

void PutSingleByteText(state::Frame& frame, std::size_t start, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int code = platform::gbkCode(text[i]);
        if (code < 0 || code > 255) platform::fail(RuntimeFailure::Kind::Overflow, "Overflow");
        state::FrameFields::setU8(frame, start + std::size_t(i), static_cast<std::uint8_t>(code));
    }
}

}  // namespace

void ReadCommandLine(Client& c) {
    MainForm& form = *c.MainForm;
    QString rest = TrimBlanks(c.sys.env.commandLine);
    if (rest.isEmpty()) {
        c.sys.boxes.show(QStringLiteral("本游戏需从游戏大厅中启动！"), QStringLiteral("警告"));
        platform::endProgram();
    }
    c.s.g_bSpectator = !rest.endsWith(u'$');
    for (int field = 1; field <= kFieldCount; ++field) {
        const qsizetype end = rest.indexOf(u'$');
        StoreField(c, form, field, end < 0 ? rest : rest.left(end));
        // A field without its "$" leaves nothing to cut the next field from.
        if (end < 0)
            platform::fail(RuntimeFailure::Kind::InvalidArgument, "Invalid procedure call");
        rest = rest.mid(end + 1);
    }
}

state::Frame BuildLoginFrame(const QString& account, const QString& password) {
    state::Frame frame{};
    frame[2] = 0;
    frame[state::FrameTypeByte] = state::MsgLogin;
    frame[kLoginFlagByte] = 1;
    PutSingleByteText(frame, kAccountByte, account);
    PutSingleByteText(frame, kPasswordByte, password);
    return frame;
}

}  // namespace connection
