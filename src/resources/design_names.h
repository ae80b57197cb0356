#pragma once

#include <array>
#include <string_view>

// The design pictures of the windows: backgrounds and the pictures that controls carry from the
// window's design rather than from a numbered resource. Each is a GIF of type "DESIGN" under
// its name, drawn at the size given here.
namespace resources::design {

struct DesignPicture {
    std::string_view name;
    int width;
    int height;
};

// The table window.
inline constexpr DesignPicture kTable{"table", 1024, 768};                 // Pic3, standard
inline constexpr DesignPicture kTableAlternative{"table_alt", 1024, 768};  // Pic4
inline constexpr DesignPicture kTableSmall{"table_small", 800, 600};       // Pic2, reduced
inline constexpr DesignPicture kSkin{"skin", 46, 220};                     // frame pieces
inline constexpr DesignPicture kCloseNormal{"close_normal", 16, 16};
inline constexpr DesignPicture kCloseHover{"close_hover", 16, 16};
inline constexpr DesignPicture kClosePressed{"close_pressed", 16, 16};
inline constexpr DesignPicture kMinimiseNormal{"minimise_normal", 16, 16};
inline constexpr DesignPicture kMinimiseHover{"minimise_hover", 16, 16};
inline constexpr DesignPicture kMinimisePressed{"minimise_pressed", 16, 16};
inline constexpr DesignPicture kIcon{"icon", 16, 16};
inline constexpr DesignPicture kClock{"clock", 81, 38};               // Time_Img
inline constexpr DesignPicture kBanner{"banner", 398, 50};            // imgLocation
inline constexpr DesignPicture kVideoFrame{"video_frame", 126, 105};  // ImgKuang
inline constexpr DesignPicture kReopenPane{"reopen_pane", 16, 14};    // ImgShow
inline constexpr DesignPicture kPaneBarLocal{"pane_bar_local", 87, 17};
inline constexpr DesignPicture kPaneBarRemote{"pane_bar_remote", 145, 17};
inline constexpr DesignPicture kBird{"bird", 82, 80};
inline constexpr DesignPicture kWealth{"wealth", 48, 40};     // Imgwealth
inline constexpr DesignPicture kFanshu{"fanshu", 60, 30};     // imgfanshu
inline constexpr DesignPicture kShuffle{"shuffle", 300, 80};  // ImgShuffle

// Dialogs and other windows.
inline constexpr DesignPicture kExitDialog{"exit_dialog", 280, 150};  // frmExit
inline constexpr DesignPicture kOtherExitDialog{"other_exit_dialog", 280, 150};
inline constexpr DesignPicture kOtherExitOk{"other_exit_ok", 70, 30};
inline constexpr DesignPicture kOtherExitCancel{"other_exit_cancel", 70, 30};
inline constexpr DesignPicture kReconnectDialog{"reconnect_dialog", 280, 150};
inline constexpr DesignPicture kSoundSettings{"sound_settings", 220, 330};  // VosSet
inline constexpr DesignPicture kSoundOptionMusic{"sound_option_music", 91, 35};
inline constexpr DesignPicture kSoundOptionEffects{"sound_option_effects", 91, 35};
inline constexpr DesignPicture kSoundOptionSound{"sound_option_sound", 91, 35};
inline constexpr DesignPicture kSoundOptionBackground{"sound_option_background", 91, 35};
inline constexpr DesignPicture kScoreBoard{"score_board", 640, 480};
inline constexpr DesignPicture kHeroBoard{"hero_board", 655, 454};
inline constexpr DesignPicture kInformationCard{"information_card", 220, 330};
inline constexpr DesignPicture kIllegalPlay{"illegal_play", 180, 64};  // ChuPai
inline constexpr DesignPicture kZoomClose{"zoom_close", 17, 16};
inline constexpr DesignPicture kZoomEnlarge{"zoom_enlarge", 17, 16};
inline constexpr DesignPicture kZoomShrink{"zoom_shrink", 17, 16};
// Speech bubbles of the chat; the top-left pixel's colour is the see-through colour.
inline constexpr DesignPicture kSpeakBox0{"speak_box_0", 174, 92};
inline constexpr DesignPicture kSpeakBox1{"speak_box_1", 208, 104};
inline constexpr DesignPicture kSpeakBox2{"speak_box_2", 208, 104};
inline constexpr DesignPicture kSpeakBox3{"speak_box_3", 198, 92};
inline constexpr DesignPicture kSpeakBox4{"speak_box_4", 208, 104};

inline constexpr std::array kAll{
    kTable,
    kTableAlternative,
    kTableSmall,
    kSkin,
    kCloseNormal,
    kCloseHover,
    kClosePressed,
    kMinimiseNormal,
    kMinimiseHover,
    kMinimisePressed,
    kIcon,
    kClock,
    kBanner,
    kVideoFrame,
    kReopenPane,
    kPaneBarLocal,
    kPaneBarRemote,
    kBird,
    kWealth,
    kFanshu,
    kShuffle,
    kExitDialog,
    kOtherExitDialog,
    kOtherExitOk,
    kOtherExitCancel,
    kReconnectDialog,
    kSoundSettings,
    kSoundOptionMusic,
    kSoundOptionEffects,
    kSoundOptionSound,
    kSoundOptionBackground,
    kScoreBoard,
    kHeroBoard,
    kInformationCard,
    kIllegalPlay,
    kZoomClose,
    kZoomEnlarge,
    kZoomShrink,
    kSpeakBox0,
    kSpeakBox1,
    kSpeakBox2,
    kSpeakBox3,
    kSpeakBox4,
};

}  // namespace resources::design
