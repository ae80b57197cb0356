// The four buttons on each video pane's strip: the album, the zoom window, a photo of the last
// frame and the music box on the local pane; closing the pane, the zoom window, a photo and
// the add-friend button (which does nothing) on the others.
#include "video/pane_buttons.h"

#include "client/client.h"
#include "client/main_form.h"
#include "platform/desktop/desktop.h"
#include "platform/files/windows_path.h"
#include "platform/runtime/message_box.h"
#include "sound/sound_playback.h"
#include "state/web_host.h"
#include "video/pane_frames.h"
#include "video/photo_album.h"
#include "video/zoom_geometry.h"
#include "video/zoom_window.h"
#include "video/zoom_windows.h"

namespace video {

namespace {

constexpr int kMaxPaneButton = 15;
// The slots of a strip.
constexpr int kAlbumOrClose = 0;
constexpr int kZoom = 1;
constexpr int kPhoto = 2;
constexpr int kMusicBox = 3;
// The props plug-in's kind for a video pane.
constexpr std::int16_t kVideoPaneKind = 2;
// The zoom timer shows the pane's last frame this long after the window opens.
constexpr int kZoomTimerInterval = 100;

std::filesystem::path PhotoFolder(client::Client& c) {
    return platform::mapWindowsPath(PhotoFolderPath(c.App_Path()));
}

void OpenAlbum(client::Client& c) {
    const auto folder = PhotoFolder(c);
    MakePhotoFolder(folder);
    c.sys.desktop.openFolder(folder);
}

void ToggleZoomWindow(client::Client& c, int pane) {
    auto& ref = ZoomWindowOf(c, pane);
    if (IsZoomWindowVisible(c, pane)) {
        ref.unload();
        return;
    }
    ZoomWindow& window = ref.get();
    window.show();
    window.setTopmost(true);
    const client::MainForm& table = *c.MainForm;
    const TableRect rect{table.left(), table.top(), table.width(), table.height()};
    const QPointF place = ZoomOpenPlace(pane, rect, window.width(), window.height());
    window.setTop(float(place.y()));
    window.setLeft(float(place.x()));
    c.s.g_nZoomPane = static_cast<std::int16_t>(pane);
    c.MainForm->Timer_Zoom.setInterval(kZoomTimerInterval);
    c.MainForm->Timer_Zoom.setEnabled(true);
}

void TakePhoto(client::Client& c, int pane) {
    const auto folder = PhotoFolder(c);
    if (!MakePhotoFolder(folder)) return;
    const QString name = PhotoFileName(c.sys.env.localDateTime());
    // Only a photo that was written whole is reported as taken.
    if (SavePhoto(folder, name, *StoredFrame(c.s, pane))) c.MainForm->ShowPhotoSavedNotice();
}

void OpenMusicBox(client::Client& c) {
    const platform::WindowHandle box =
        c.sys.desktop.findWindow(QString::fromUtf16(kMusicBoxCaption));
    if (box) {
        c.sys.desktop.postMessage(box, MusicBoxMsgShow, 0, 0);
        return;
    }
    sound::StopSound(c.sound);
    const QString program = c.App_Path() + QString::fromUtf16(kMusicBoxProgram);
    if (c.MainForm->Is_File_Exist(program, QStringLiteral("music.exe"))) {
        const QString argument = c.s.g_aPlayerInfo[0].account + u'$' + c.MainForm->m_sPassword +
                                 u'$' + QString::fromUtf16(state::WebHost) + u'$';
        c.sys.desktop.startProgram(platform::mapWindowsPath(program), argument);
        return;
    }
    const auto answer = c.sys.boxes.show(
        QStringLiteral("您的大厅安装不完整，请重新安装或到网站上下载独立的安装程序！"),
        QStringLiteral("Brenmoor山庄提示"), platform::MessageButtons::OkCancel);
    if (answer == platform::MessageAnswer::Ok) {
        c.sys.desktop.openUrl(QStringLiteral("http://") + QString::fromUtf16(state::WebHost) +
                              QStringLiteral("/magic.php"));
    }
}

void ClosePane(client::Client& c, int pane) {
    bool& closed = c.s.g_aPaneClosed[static_cast<std::size_t>(pane)];
    if (closed) return;
    closed = true;
    client::MainForm& table = *c.MainForm;
    table.PicLocal[pane].setVisible(false);
    table.vshow1[pane].Visible = false;
    table.ImgKuang[pane].setVisible(false);
    if (c.s.g_nPropState > 0 && c.g_oPropDll) {
        c.g_oPropDll->rec_state(kVideoPaneKind, true, static_cast<std::int16_t>(pane));
    }
    HideZoomWindow(c, pane);
    table.ImgShow[pane].setVisible(true);
}

}  // namespace

}  // namespace video

namespace client {
using namespace video;

void MainForm::ImCmd_Click(int Index) {
    if (Index < 0 || Index > kMaxPaneButton) return;
    const int pane = Index / 4;
    switch (Index % 4) {
        case kAlbumOrClose:
            if (pane == 0) {
                OpenAlbum(c);
            } else {
                ClosePane(c, pane);
            }
            return;
        case kZoom:
            ToggleZoomWindow(c, pane);
            return;
        case kPhoto:
            TakePhoto(c, pane);
            return;
        case kMusicBox:
            // The add-friend buttons of the remote panes do nothing.
            if (pane == 0) OpenMusicBox(c);
            return;
        default:
            return;
    }
}

}  // namespace client
