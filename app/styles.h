#pragma once

// Style sheets shared by the open/connect buttons of every tab.
namespace Styles {

inline constexpr char idleButton[] = "QPushButton {   background-color: #4CAF50;   color: white;   "
                                     "font-weight: bold;}QPushButton:pressed {   background-color: #45A049;}";
inline constexpr char activeButton[] =
    "QPushButton {   background-color: #FF4A19;   color: white;   "
    "font-weight: bold;}QPushButton:pressed {   background-color: #FF5722;}";

// The plain background of the window and of every dialog it opens.
inline constexpr char background[] = "background-color: white grey";

} // namespace Styles
