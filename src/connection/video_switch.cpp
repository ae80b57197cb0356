// The video switch file beside the program.
#include "connection/video_switch.h"

#include "client/client.h"
#include "client/main_form.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/failure.h"

namespace connection {

namespace {

constexpr std::int32_t kRelayPort = 8888;
constexpr std::int16_t kRelaySlots = 3;

const QString kVideoSwitchFile = QStringLiteral("vidiosetting.ini");
const QString kVideoSwitchSection = QStringLiteral("vidiosetting");
const QString kVideoSwitchKey = QStringLiteral("vidiovalue");

}  // namespace

void ReadVideoSwitch(Client& c, MainForm& form) {
    const QString path = c.App_Path() + u'\\' + kVideoSwitchFile;
    bool videoOn = true;
    c.g_oIniFile.setINIFileName(path);
    if (form.Is_File_Exist(path, kVideoSwitchFile)) {
        videoOn =
            platform::toNumber(c.g_oIniFile.GetIniKey(kVideoSwitchSection, kVideoSwitchKey)) != 0;
    } else {
        c.g_oIniFile.WriteIniKey(kVideoSwitchSection, kVideoSwitchKey, QStringLiteral("1"));
        // The INI class reports nothing: a value that does not read back was not written.
        if (c.g_oIniFile.GetIniKey(kVideoSwitchSection, kVideoSwitchKey) != QStringLiteral("1")) {
            platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "Path/File access error");
        }
    }
    c.s.g_bVideoOn = videoOn;
    c.s.g_bRelayLoggedIn = false;
    if (videoOn) {
        form.P2PSocket1->ServerHost = c.s.g_sGameHost;
        form.P2PSocket1->ServerPort = kRelayPort;
        form.P2PSocket1->SlotCount = kRelaySlots;
    }
}

}  // namespace connection
