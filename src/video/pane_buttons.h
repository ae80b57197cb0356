#pragma once

#include <cstdint>

// What the local pane's music-box button looks for and sends. The music box is a program of
// its own: its window is found by caption and asked to show itself; otherwise the program is
// started from the hall's plug-in folder.
namespace video {

inline constexpr char16_t kMusicBoxCaption[] = u"musicbox";
// WM_USER + 111, both parameters 0.
inline constexpr std::uint32_t MusicBoxMsgShow = 1135;
// Relative to the program folder.
inline constexpr char16_t kMusicBoxProgram[] = u"\\..\\..\\plugin\\music.exe";

}  // namespace video
