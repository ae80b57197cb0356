// The sound settings window.
#include "sound/vos_set.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "connection/resource_pictures.h"
#include "platform/forms/input.h"
#include "platform/runtime/failure.h"
#include "resources/design_names.h"
#include "sound/sound_playback.h"

namespace sound {

namespace {

namespace design = resources::design;

// Picture ids as elements of the dialog picture table (ids 170..177).
constexpr int IdOk = 0;             // 170
constexpr int IdCancel = 2;         // 172
constexpr int IdOptionOn = 4;       // 174
constexpr int IdOptionOff = 5;      // 175
constexpr int IdBackground = 6;     // 176, the standard table
constexpr int IdBackgroundAlt = 7;  // 177, the alternative table

constexpr int ButtonWidth = 65;
constexpr int ButtonHeight = 30;
constexpr float ButtonsTop = 264;
constexpr float OkLeft = 28;
constexpr float OptionLabelsLeft = 16;
constexpr std::array<float, 4> OptionLabelTops = {40, 96, 152, 208};
constexpr std::int32_t FullLevel = 3000;

constexpr std::array<const design::DesignPicture*, 4> OptionLabels = {
    &design::kSoundOptionMusic, &design::kSoundOptionEffects, &design::kSoundOptionSound,
    &design::kSoundOptionBackground};

// Only the full-size table carries the background pictures; the small one has its own.
bool FullSizeTable(const client::Client& c) {
    return c.s.g_fScaleX == 1.0f;
}

// A button's picture comes by way of its temporary file; one that cannot be had leaves the
// button's picture as it was.
void SetButtonPicture(client::Client& c, forms::Image& button, int idElement) {
    try {
        connection::ShowResourcePicture(
            c, connection::IntegerArg(c.ids.g_aIdDialog[std::size_t(idElement)]).toInteger(),
            button);
    } catch (const platform::RuntimeFailure&) {
    }
}

// Clears the table picture and paints the chosen background into it, behind everything else.
void PaintTableBackground(client::Client& c, bool alternative) {
    forms::PictureBox& Pic1 = c.MainForm->Pic1;
    const forms::Picture background =
        connection::DesignPicture(alternative ? design::kTableAlternative : design::kTable);
    const auto w = float(background.width());
    const auto h = float(background.height());
    Pic1.setPicture({});
    Pic1.paintPicture(background, 0, 0, w, h, 0, 0, w, h);
    Pic1.zOrder(1);
}

}  // namespace

VosSet::VosSet(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    setCaption(QStringLiteral("音效设置"));
    connection::DressDialog(*this, design::kSoundSettings);
    setScaleMode(forms::ScaleMode::Pixels);
    for (int k = 0; k < 4; ++k) {
        const design::DesignPicture& label = *OptionLabels[std::size_t(k)];
        Image1[k].setStretch(true);
        Image1[k].setPicture(connection::DesignPicture(label));
        Image1[k].move(OptionLabelsLeft, OptionLabelTops[std::size_t(k)], float(label.width),
                       float(label.height));
    }
    for (forms::Image* button : {&Command2[0], &Command1[0], &Command1[1]}) {
        button->setMousePointer(forms::pointer::Custom);
    }
    Command2.onClick.bind(this, &VosSet::Command2_Click);
    Command1.onClick.bind(this, &VosSet::Command1_Click);
}

void VosSet::Form_Load() {
    connection::MakeDialogLayered(*this);
    const auto& ids = c.ids.g_aIdDialog;
    connection::PutDialogButton(c, Command1[ClosingOk], ids[IdOk], ButtonWidth, ButtonHeight);
    connection::PutDialogButton(c, Command1[ClosingCancel], ids[IdCancel], ButtonWidth,
                                ButtonHeight);
    Command1[ClosingOk].move(OkLeft, ButtonsTop);
    Command1[ClosingCancel].move(
        float(Command1[ClosingOk].left() + 1.4 * Command1[ClosingOk].width()), ButtonsTop);

    for (int k = 1; k < 4; ++k) {
        Command2.load(k);
        Command2[k].setVisible(true);
    }
    for (int k = 0; k < 4; ++k) {
        m_bPending[std::size_t(k)] = false;
        forms::Image& button = Command2[k];
        button.setStretch(true);
        button.setWidth(float(ButtonWidth));
        button.setHeight(float(ButtonHeight));
        button.move(Image1[k].left() + Image1[k].width() + 20, Image1[k].top() + 3);
        // Each button shows what its switch holds now, not "on" whatever it holds.
        ShowOptionValue(k);
    }
}

void VosSet::Command2_Click(int Index) {
    if (Index < OptionMusic || Index > OptionBackground) return;
    m_bPending[std::size_t(Index)] = !m_bPending[std::size_t(Index)];
    ToggleOption(Index);
}

void VosSet::Command1_Click(int Index) {
    hide();
    if (Index == ClosingCancel) {
        for (int k = OptionMusic; k <= OptionBackground; ++k) {
            if (m_bPending[std::size_t(k)]) ToggleOption(k);
        }
    }
    m_bPending.fill(false);
}

void VosSet::ToggleOption(int Index) {
    SoundState& snd = c.soundState;
    switch (Index) {
        case OptionMusic:
            if (snd.g_bMusicOn) {
                snd.g_bMusicOn = false;
                StopSound(c.sound);
            } else {
                snd.g_bMusicOn = true;
                PlaySoundFile(c.sound, snd.g_aSoundFile[SoundTableMusic], true);
                SetSoundVolume(c.sound, FullLevel);
            }
            break;
        case OptionEffects:
            snd.g_bEffectsOn = !snd.g_bEffectsOn;
            break;
        case OptionSound:
            snd.g_bSoundOn = !snd.g_bSoundOn;
            break;
        case OptionBackground:
            if (!FullSizeTable(c)) return;
            c.s.g_bAltBackground = !c.s.g_bAltBackground;
            PaintTableBackground(c, c.s.g_bAltBackground);
            break;
        default:
            return;
    }
    ShowOptionValue(Index);
}

void VosSet::ShowOptionValue(int Index) {
    const SoundState& snd = c.soundState;
    const auto onOff = [](bool on) { return on ? IdOptionOn : IdOptionOff; };
    int picture = IdOptionOn;
    switch (Index) {
        case OptionMusic:
            picture = onOff(snd.g_bMusicOn);
            break;
        case OptionEffects:
            picture = onOff(snd.g_bEffectsOn);
            break;
        case OptionSound:
            picture = onOff(snd.g_bSoundOn);
            break;
        default:
            picture = c.s.g_bAltBackground ? IdBackgroundAlt : IdBackground;
            break;
    }
    SetButtonPicture(c, Command2[Index], picture);
}

}  // namespace sound
