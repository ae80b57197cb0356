#include "chat/show_chat_message.h"

#include <string>

#include "chat/chat_frame.h"
#include "chat/huifu.h"
#include "chat/speak_box.h"
#include "chat/table_hooks.h"
#include "chat/word_filter.h"
#include "client/client.h"
#include "client/main_form.h"
#include "platform/files/file_system.h"
#include "platform/files/windows_path.h"
#include "platform/runtime/failure.h"
#include "platform/text/gbk.h"
#include "sound/sound_playback.h"
#include "state/relative_seat.h"
#include "table/table_layout.h"

namespace chat {

namespace {

using platform::skipFailure;
namespace b = chat_bytes;

// The system message area shows a chat line's beginning only.
constexpr int NoticeChars = 45;
// Half-flashes of the chat history button when another player spoke.
constexpr std::int16_t ChatFlashes = 8;
// The bubble's fade: target opacity, fade-in and fade-out steps, hold (in fade-in units).
constexpr std::int16_t BubbleOpacity = 210;
constexpr std::int16_t BubbleFadeIn = 8;
constexpr std::int16_t BubbleFadeOut = 4;
constexpr std::int16_t BubbleShowTime = 2000;

QChar GbkPair(std::uint8_t lead, std::uint8_t trail) {
    const char pair[2] = {char(lead), char(trail)};
    const QString decoded = platform::decodeGbk(std::string_view(pair, 2));
    return decoded.size() == 1 ? decoded[0] : QChar(QChar::ReplacementCharacter);
}

// A per-seat table entry; a seat outside 0..3 is a failure, as an index past a table's end is.
int CheckedSeat(int seat) {
    if (seat < 0 || seat > 3) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    }
    return seat;
}

// Every occurrence of the own nickname becomes "你"; an empty nickname replaces nothing.
QString WithOwnNameAsYou(const QString& text, const QString& ownNickname) {
    if (ownNickname.isEmpty()) return text;
    QString replaced = text;
    return replaced.replace(ownNickname, QStringLiteral("你"), Qt::CaseSensitive);
}

// The entry of the receiver's own quick-phrase list, or "" for a number past either end.
QString PhraseOf(client::Client& c, std::uint8_t list, std::uint8_t phraseNo) {
    auto& phrases = list == 2 ? c.huifu->List2 : c.huifu->List1;
    const int entry = int(phraseNo) - 1;
    if (entry < 0 || entry >= phrases.listCount()) return {};
    return phrases.list(entry);
}

// A quick phrase: the speaker's bubble and voice. Every failing step is skipped.
void ShowQuickPhrase(client::Client& c, const state::Frame& msg, int seat) {
    const std::uint8_t list = msg[b::PhraseList];
    const std::uint8_t phraseNo = msg[b::PhraseNo];
    QString phrase;
    skipFailure([&] { phrase = PhraseOf(c, list, phraseNo); });
    if (phrase.isEmpty()) return;
    if (c.MainForm->windowState() != forms::WindowState::Normal) return;
    skipFailure([&] { InitSpeakBox(c, std::int16_t(seat)); });
    frmSpeakBox* box = nullptr;
    skipFailure([&] { box = FindSpeakBox(c, seat); });
    if (box) {
        skipFailure([&] { box->setVisible(true); });
        skipFailure([&] {
            box->showMe(std::int16_t(seat), phrase, BubbleOpacity, BubbleFadeIn, BubbleFadeOut,
                        BubbleShowTime);
        });
    }
    skipFailure([&] {
        if (!c.soundState.g_bSoundOn) return;
        const QString file =
            QuickPhraseVoiceFile(c.soundState, c.s.g_aPlayerInfo.at(seat), list, phraseNo);
        if (c.soundState.g_bEffectsOn) sound::PlaySeatVoice(c.sound, file, std::int16_t(seat));
    });
}

// The line into the chat history and its beginning into the system message area.
void ShowLine(client::Client& c, const QString& line) {
    AddChatHistoryLine(c, line);
    table::AddSystemMessage(c, line.left(NoticeChars));
}

}  // namespace

QString DecodeChatText(const state::Frame& msg) {
    QString s;
    std::size_t i = b::Text;
    while (i < b::TextEnd) {
        const std::uint8_t byte = msg[i];
        if (byte == 0) break;
        if (byte >= 0x80) {
            s += GbkPair(byte, msg[i + 1]);
            i += 2;
        } else {
            s += QChar(byte);
            i += 1;
        }
    }
    return s;
}

QString QuickPhraseVoiceFile(const sound::SoundState& sound, const state::PlayerInfo& P, int list,
                             int phraseNo) {
    const QString L = list == 1 ? QStringLiteral("01") : QStringLiteral("02");
    const QString num =
        phraseNo < 10 ? QStringLiteral("0") + QString::number(phraseNo) : QString::number(phraseNo);
    const QString name = QStringLiteral("v") + P.voiceId + QStringLiteral("0") +
                         QString::number(P.sex) + L + num + QStringLiteral(".wav");
    const QString pkFile = sound.g_sPkPath + name;
    if (P.voiceCode == QStringLiteral("0010")) return pkFile;
    const QString& folder = list == 1 ? sound.g_sOskerraPath : sound.g_sCommonPath;
    const QString file = folder + P.voiceCode + QStringLiteral("\\") + name;
    if (!platform::fileExists(platform::mapWindowsPath(file))) return pkFile;
    return file;
}

void ShowChatMessage(client::Client& c, state::Frame& msg) {
    auto& s = c.s;
    QString text = DecodeChatText(msg);
    const std::uint8_t speaker = msg[b::Seat] & 0x0F;
    if (speaker == 0) {  // a system line: as it stands
        ShowLine(c, text);
        return;
    }
    const std::uint8_t ownFlag = s.custom[0].seat;
    const int seat = CheckedSeat(state::RelativeSeat(speaker, ownFlag));
    const std::uint8_t list = msg[b::PhraseList];
    if (list == 1 || list == 2) ShowQuickPhrase(c, msg, seat);

    const QString& own = s.g_aPlayerInfo[0].nickname;
    if (const std::uint8_t targetFlag = msg[b::Target]; targetFlag != 0) {
        const int target = CheckedSeat(state::RelativeSeat(targetFlag, ownFlag));
        text = s.g_aPlayerInfo[seat].nickname + QStringLiteral("对") +
               s.g_aPlayerInfo[target].nickname + QStringLiteral("说道： ") + text;
        if (seat == 0) text = WithOwnNameAsYou(text, own);
        if (target == 0) text = WithOwnNameAsYou(text, own);
    } else if (seat == 0) {
        text = WithOwnNameAsYou(text, own);
    }
    text = FilterChat(text);
    ShowLine(c, text);
    if (seat > 0) {
        s.g_nChatFlashCount = ChatFlashes;
        s.channels.arm(state::ChannelChatFlash);
    }
}

}  // namespace chat
