#include "settlement/hand_history.h"

#include "client/client.h"
#include "connection/resource_pictures.h"
#include "platform/files/file_system.h"
#include "platform/forms/picture.h"
#include "platform/runtime/conversions.h"
#include "settlement/hand_record.h"
#include "settlement/score_window.h"

namespace settlement {

namespace {

QString HistoryFile(client::Client& c) {
    return c.App_Path() + QStringLiteral("\\info.brm");
}

// Makes a list hold exactly these lines: blank lines appended or lines removed at the end, then
// every line set.
void FillList(forms::ListBox& list, const QStringList& lines) {
    while (list.listCount() < lines.size()) list.addItem(QStringLiteral(" "));
    while (list.listCount() > lines.size()) list.removeItem(list.listCount() - 1);
    for (int k = 0; k < lines.size(); ++k) list.setList(k, lines[k]);
}

}  // namespace

void ShowAvatar(client::Client& c, const QString& indexText, forms::Image& target,
                AvatarFile name) {
    const auto index = AvatarIndex(indexText);
    if (!index) return;
    c.s.g_nResId = platform::textToInteger(c.ids.g_aIdAvatar[std::size_t(*index)]);
    const QString path =
        name == AvatarFile::Temporary
            ? connection::TempPicturePath(c, c.s.g_nResId)
            : c.App_Path() + u'\\' + QString::number(c.s.g_nResId) + QStringLiteral(".GIF");
    const auto file = connection::WriteResourcePicture(c, path);
    if (!file) return;
    target.setPicture(forms::loadPicture(*file));
    connection::DeleteTempPicture(*file);
}

void SaveHandRecord(client::Client& c, std::int16_t hand) {
    c.g_oIniFile.setINIFileName(HistoryFile(c));
    auto& board = *c.Score;
    HandRecord record;
    for (std::size_t i = 0; i < 4; ++i) {
        record.names[i] = c.s.g_aScoreHeads[i].nickname;
        record.picIndex[i] = c.s.g_aScoreHeads[i].avatarIndex;
        record.colours[i] = board.State[int(i)].foreColor();
    }
    for (std::size_t j = 0; j < 8; ++j) record.columns[j] = board.State[int(j)].items();
    WriteHandRecord(c.g_oIniFile, hand, record);
}

void LoadHandRecord(client::Client& c, std::int16_t hand) {
    if (hand == 0) return;
    c.g_oIniFile.setINIFileName(HistoryFile(c));
    const LoadedHandRecord loaded = ReadHandRecord(c.g_oIniFile, hand);
    auto& board = *c.Score;
    for (int i = 0; i < 4; ++i) {
        board.ID[i].setCaption(loaded.names[std::size_t(i)]);
        ShowAvatar(c, loaded.picIndex[std::size_t(i)], board.Tou[i], AvatarFile::History);
    }
    for (std::size_t j = 0; j < loaded.columns.size(); ++j) {
        FillList(board.State[int(j)], loaded.columns[j]);
    }
    if (loaded.columns.size() < 8) return;
    for (std::size_t i = 0; i < 4; ++i) {
        if (loaded.colours[i]) board.State[int(i)].setForeColor(*loaded.colours[i]);
    }
}

void OpenHandInScoreBoard(client::Client& c, int hand) {
    LoadHandRecord(c, platform::checkedInteger(hand));
    c.Score->show();
    c.Score->zOrder(0);
}

}  // namespace settlement
